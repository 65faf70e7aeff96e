#pragma once

#include "src/charges/ChargeSlipLine.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

namespace data {
class frmReport;
}

namespace charges {

// The charge slip: the lines of a saved entry are dumped into
// REPORTS..tbChargeSlip for the acting user, then ChargeSlip.rpt prints them
// under the slip's header.

enum class SlipKind {
    ChargeEntry, // inpatient, outpatient and receivable entry: a charge slip number
    Assessment,  // cash-basis assessment and its reprint: an assessment number
};

enum class SlipOutput {
    PrinterWithDialog,    // the user chooses printer and copies
    PrinterWithoutDialog, // the default printer
    ModalViewer,          // the report window "Charge Slip Printing", waited for
    ModelessViewer,       // the report window "AUDIT REPORT", left open
};

// The dump calls, one per line: six values for a charge entry, seven (the
// last empty) for an assessment.
QString dumpChargeSlipCommand(const ChargeSlipLine& line, const QString& employeeCode);
QString dumpAssessmentSlipCommand(const ChargeSlipLine& line, const QString& employeeCode);

// A cell taken as a currency value and written "0.00"; "0.00" when it holds no number.
QString slipMoney(const QString& cell);

// Charge entry windows: the user's dump rows are cleared, then every line
// with a code is dumped with its cells exactly as they stand.
void DumpChargeEntryLines(const QList<ChargeSlipLine>& lines);
// Cash-basis assessment: cleared, then every line with a code, quantity as
// typed, price and amount as slipMoney.
void DumpAssessmentLines(const QList<ChargeSlipLine>& lines);
// Assessment reprint: after the status window's ClearChargeSlip, one line:
// quantity "1", the row's amount (slipMoney) as price and amount. Nothing is
// dumped when the code is empty.
void DumpAssessmentReprintLine(const QString& code, const QString& description,
                               const QString& amount);

// "MAMMOGRAM CC. NO. C1234E" or "MAMMOGRAM ASSESSMENT NO. MM5678".
QString chargeSlipTitle(SlipKind kind, const QString& number);

// The slip's parameter values by name, for the acting user and the given date.
QHash<QString, QVariant> chargeSlipParameters(SlipKind kind, const QString& number,
                                              const QString& patient, const QString& company,
                                              const QString& admissionNumber,
                                              const QDate& chargeDate = QDate::currentDate());

// The application folder's ChargeSlip.rpt.
QString chargeSlipPath();

// Prints the dumped slip: opens ChargeSlip.rpt, logs its tables on to REPORTS,
// sets its parameters by name and sends it to the output. Returns the report
// window of the modeless viewer (it deletes itself when closed), else nullptr.
// Errors are the caller's to show.
data::frmReport* PrintChargeSlip(SlipKind kind, const QString& number, const QString& patient,
                                 const QString& company, const QString& admissionNumber,
                                 SlipOutput output);

} // namespace charges
