#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <optional>

namespace reportengine {

// A value written by a format of a definition file:
// - "" : as it stands (whole numbers without decimals, dates mm/dd/yyyy);
// - number patterns of 0 and # with an optional grouping ",", e.g. "0.00", "#,##0.00";
//   after the point 0 is a decimal always written, # one dropped when it is 0 ("0.##");
//   text before and after the pattern is kept ("P #,##0.00");
// - "regional" (two decimals) or "regional0" … "regional4": the workstation's
//   number format with its grouping;
// - date patterns of yyyy yy mmmm mmm mm m dd d hh h nn ss and AM/PM, e.g.
//   "mm/dd/yyyy", "mm/dd/yyyy hh:nn AM/PM" (mm right after an hour is minutes).
// A null value gives ""; text that is neither a number nor a date stays as it is.
QString formatValue(const QVariant& value, const QString& format);

// A value read as a date and time: dates, date-times, and texts such as
// "2012-07-15 08:30:00", "2012-07-15" or "07/15/2012".
std::optional<QDateTime> dateTimeOf(const QVariant& value);

} // namespace reportengine
