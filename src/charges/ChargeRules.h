#pragma once

#include "src/data/SharedComponents.h"

#include <QString>

#include <optional>

namespace charges {

// The rules of a charge entry that do not depend on a window: prices,
// amounts, the number formats and the key filters of the exam-line grid.

// The leading number of a text, as the grid reads its cells: "2X" counts 2,
// an empty text or one without a leading number 0.
double leadingNumber(const QString& text);

// A number written with two decimals and no grouping: 1650 -> "1650.00".
QString money(double value);

// The rate of room class "A" to "E"; any other class selects no rate (0).
double roomClassRate(const data::OtherRevenueInfo& item, const QString& roomClass);

// Inpatients: by room class, or RateF (to the cent) for a special admission.
double inpatientPrice(const data::OtherRevenueInfo& item, const QString& roomClass,
                      bool specialAdmission);
// Outpatients and paid requests: RateA.
double outpatientPrice(const data::OtherRevenueInfo& item);
// Receivables: by room class only at the client "VKT" for an admission
// number; RateA otherwise.
double receivablePrice(const data::OtherRevenueInfo& item, const QString& clientCode,
                       const QString& admissionNumber, const QString& roomClass);

// An admission number is numeric; outpatient and walk-in ids are not.
bool isAdmissionNumber(const QString& id);

// Quantity x price, and a price with a holiday markup in percent (the
// quantity does not enter the markup).
QString lineAmount(const QString& quantity, const QString& price);
QString markedUpAmount(const QString& price, double percent);

// The address line of an admitted patient: house and barangay each followed
// by ", " when given, then town, ", " and province.
QString admissionAddress(const data::PatientAddress& address);
// The address line of an outpatient record: house, barangay and town each
// followed by ", " when given, then the province.
QString outpatientAddress(const QString& house, const QString& barangay, const QString& town,
                          const QString& province);

// Key filters of the grid's columns. A typed text passes as it is, changed
// (letters to capitals) or not at all (nullopt). Control characters and
// blanks always pass.
enum class KeyFilter { None, UpperCase, Digits };
std::optional<QString> filterTyped(KeyFilter filter, const QString& typed);

} // namespace charges
