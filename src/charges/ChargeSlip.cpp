#include "src/charges/ChargeSlip.h"

#include "src/data/Connection.h"
#include "src/data/Quoting.h"
#include "src/data/ReportPrinting.h"
#include "src/data/SessionValues.h"
#include "src/data/SharedComponents.h"
#include "src/data/StoredProcs.h"

#include <QDir>

namespace charges {

namespace {

QString dumpCommand(const QStringList& values) {
    QStringList quoted;
    for (const QString& v : values)
        quoted << data::DoubleQuotes(v);
    return "REPORTS..spGlobal_DumpChargeSlip '" + quoted.join("','") + "'";
}

bool hasCode(const ChargeSlipLine& line) {
    return !line.code.trimmed().isEmpty();
}

// Assessment lines go through the session component's connection, which is
// the session connection; tests run without a component.
data::Connection& assessmentConnection() {
    data::SessionValues& session = data::currentSession();
    if (session.sessionComponent)
        return session.sessionComponent->SQLConnection();
    return session.sessionConnection();
}

QString employeeName() {
    const data::CurrentUser* user = data::currentSession().user;
    return user ? user->EmployeeName() : QString();
}

} // namespace

QString dumpChargeSlipCommand(const ChargeSlipLine& line, const QString& employeeCode) {
    return dumpCommand(
        {line.code, line.description, line.quantity, line.price, line.amount, employeeCode});
}

QString dumpAssessmentSlipCommand(const ChargeSlipLine& line, const QString& employeeCode) {
    return dumpCommand({line.code, line.description, line.quantity, line.price, line.amount,
                        employeeCode, QString()});
}

QString slipMoney(const QString& cell) {
    QString text = cell.trimmed();
    text.remove(',');
    bool ok = false;
    const double value = text.toDouble(&ok);
    return QString::number(ok ? value : 0.0, 'f', 2);
}

void DumpChargeEntryLines(const QList<ChargeSlipLine>& lines) {
    data::StoredProcs::ClearChargeSlipDump();
    const QString user = data::currentSession().employeeCode();
    data::Connection& connection = data::currentSession().sessionConnection();
    for (const ChargeSlipLine& line : lines)
        if (hasCode(line))
            connection.execute(dumpChargeSlipCommand(line, user));
}

void DumpAssessmentLines(const QList<ChargeSlipLine>& lines) {
    data::StoredProcs::ClearChargeSlipDump();
    const QString user = data::currentSession().employeeCode();
    data::Connection& connection = assessmentConnection();
    for (const ChargeSlipLine& line : lines) {
        if (!hasCode(line))
            continue;
        connection.execute(
            dumpAssessmentSlipCommand({line.code, line.description, line.quantity,
                                       slipMoney(line.price), slipMoney(line.amount)},
                                      user));
    }
}

void DumpAssessmentReprintLine(const QString& code, const QString& description,
                               const QString& amount) {
    if (code.trimmed().isEmpty())
        return;
    const QString money = slipMoney(amount);
    assessmentConnection().execute(dumpAssessmentSlipCommand(
        {code, description, "1", money, money}, data::currentSession().employeeCode()));
}

QString chargeSlipTitle(SlipKind kind, const QString& number) {
    return QString("Mammogram").toUpper() +
           (kind == SlipKind::ChargeEntry ? " CC. NO. " : " ASSESSMENT NO. ") + number;
}

QHash<QString, QVariant> chargeSlipParameters(SlipKind kind, const QString& number,
                                              const QString& patient, const QString& company,
                                              const QString& admissionNumber,
                                              const QDate& chargeDate) {
    return {
        {"TITLE", chargeSlipTitle(kind, number)},
        {"PATIENT", patient},
        {"COMPANY", company},
        {"ADMNO", kind == SlipKind::ChargeEntry ? "ADM. NO. #" + admissionNumber : QString()},
        {"ISSUER", employeeName()},
        {"REMARKS", QString()},
        {"USERID", data::currentSession().employeeCode()},
        {"CHARGEDATE", chargeDate.toString("MM/dd/yyyy")},
    };
}

QString chargeSlipPath() {
    return QDir(data::ApplicationFolder()).filePath("ChargeSlip.rpt");
}

data::frmReport* PrintChargeSlip(SlipKind kind, const QString& number, const QString& patient,
                                 const QString& company, const QString& admissionNumber,
                                 SlipOutput output) {
    reportengine::Report& report = data::OpenReport(chargeSlipPath());
    try {
        data::LogOnTables(report, "REPORTS");
        data::SetParametersByName(
            report, chargeSlipParameters(kind, number, patient, company, admissionNumber));
    } catch (...) {
        data::ReleaseReport();
        throw;
    }
    switch (output) {
    case SlipOutput::PrinterWithDialog:
        data::PrintCurrentReport(true);
        return nullptr;
    case SlipOutput::PrinterWithoutDialog:
        data::PrintCurrentReport(false);
        return nullptr;
    case SlipOutput::ModalViewer:
        data::ShowReport("Charge Slip Printing");
        return nullptr;
    case SlipOutput::ModelessViewer:
        return data::ShowReportWithoutWaiting("AUDIT REPORT");
    }
    return nullptr;
}

} // namespace charges
