#include "src/data/ReportPrinting.h"

#include "src/data/Connection.h"
#include "src/data/Module1.h"
#include "src/data/SessionValues.h"
#include "src/data/SharedComponents.h"
#include "src/data/frmReport.h"
#include "src/ui/MsgBox.h"

#include "reportengine/ReportViewer.h"
#include "reportengine/ValueFormat.h"

#include <QCoreApplication>
#include <QDir>

namespace data {

namespace {

QString& applicationFolderOverride() {
    static QString folder;
    return folder;
}

std::shared_ptr<reportengine::Report>& current() {
    static std::shared_ptr<reportengine::Report> report;
    return report;
}

reportengine::Report& requireCurrent() {
    if (!current())
        throw DbError("No report has been prepared.");
    return *current();
}

struct Credentials {
    QString server;
    QString user;
    QString password;
};

// The session component's account for report tables; tests run without one.
Credentials credentials() {
    const ICurrentUser* session = currentSession().sessionComponent;
    if (!session)
        return {};
    return {session->ServerName(), session->UserID(), session->ServerPassword()};
}

void logOn(reportengine::ReportTable& table, const QString& database) {
    const Credentials c = credentials();
    table.setLogOnInfo(c.server, database, c.user, c.password);
}

// The current report is released when the caller is done with it, whichever
// way it leaves.
struct ReleaseAtEnd {
    ~ReleaseAtEnd() { ReleaseReport(); }
};

} // namespace

QString ApplicationFolder() {
    const QString& folder = applicationFolderOverride();
    return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

void setApplicationFolder(const QString& folder) {
    applicationFolderOverride() = folder;
}

QString MissingReportMessage(const QString& path) {
    return "The file " + path + " does not exists. Please inform Technical Support.";
}

bool ReportFileExists(const QString& path) {
    if (Module1::FileExists(path))
        return true;
    ui::MsgBox(MissingReportMessage(path), ui::vbCritical, ui::appTitleVersion());
    return false;
}

reportengine::QueryRunner sessionQueryRunner() {
    return [](const QString& text, const QString& database) {
        Connection& connection = currentSession().sessionConnection();
        const QString before = connection.defaultDatabase();
        if (!database.isEmpty())
            connection.setDefaultDatabase(database);
        struct Restore {
            Connection& connection;
            QString database;
            ~Restore() {
                try {
                    connection.setDefaultDatabase(database);
                } catch (...) {
                }
            }
        } restore{connection, before};
        return connection.run(text);
    };
}

reportengine::Report* CurrentReport() {
    return current().get();
}

reportengine::Report& OpenReport(const QString& path) {
    ReleaseReport();
    current() = reportengine::Report::open(path);
    current()->setQueryRunner(sessionQueryRunner());
    return *current();
}

void ReleaseReport() {
    current().reset();
}

void PrepareReport(const QString& path, const QString& database, const QVariantList& values) {
    reportengine::Report& report = OpenReport(path);
    for (int i = 0; i < report.tableCount(); ++i)
        logOn(report.table(i), database);
    for (int i = 0; i < values.size() && i < report.parameterFieldCount(); ++i) {
        reportengine::ParameterField& field = report.parameterField(i);
        QVariant value = values[i];
        if (field.valueType() == reportengine::ValueType::Date ||
            field.valueType() == reportengine::ValueType::DateTime) {
            if (const auto when = reportengine::dateTimeOf(value))
                value = field.valueType() == reportengine::ValueType::Date ? QVariant(when->date())
                                                                           : QVariant(*when);
        }
        field.setCurrentValue(value);
    }
}

void LogOnTable(reportengine::ReportTable& table, const QString& database) {
    QString name = database;
    if (name.isEmpty())
        name = currentSession().sessionConnection().defaultDatabase();
    const QString old = table.location().isEmpty() ? table.name() : table.location();
    const qsizetype dot = old.indexOf('.');
    table.setLocation(dot >= 0 ? name + old.mid(dot) : name + ".dbo." + old);
    logOn(table, name);
}

void LogOnTables(reportengine::Report& report, const QString& database) {
    for (int i = 0; i < report.tableCount(); ++i)
        LogOnTable(report.table(i), database);
}

void SetParametersByName(reportengine::Report& report, const QHash<QString, QVariant>& values) {
    for (int i = 0; i < report.parameterFieldCount(); ++i) {
        reportengine::ParameterField& field = report.parameterField(i);
        const auto found = values.constFind(field.name().toUpper());
        if (found != values.constEnd())
            field.setCurrentValue(*found);
    }
}

void OpenAuditReport(const QString& path, const QString& database, const QVariantList& values) {
    reportengine::Report& report = OpenReport(path);
    report.setTitle("Mammogram Audit Report");
    for (int i = 0; i < report.tableCount(); ++i)
        LogOnTable(report.table(i), database);
    for (int i = 0; i < values.size() && i < report.parameterFieldCount(); ++i)
        report.parameterField(i).setCurrentValue(values[i]);
}

void ShowReport(const QString& caption) {
    ReleaseAtEnd release;
    std::shared_ptr<reportengine::Report> report = current();
    if (!report)
        throw DbError("No report has been prepared.");
    auto window = std::make_unique<frmReport>();
    window->setWindowTitle(caption);
    window->viewer()->setDisplayGroupTree(false);
    window->viewer()->setReportSource(report);
    window->viewer()->viewReport();
    window->exec();
}

frmReport* ShowReportWithoutWaiting(const QString& caption) {
    ReleaseAtEnd release;
    std::shared_ptr<reportengine::Report> report = current();
    if (!report)
        throw DbError("No report has been prepared.");
    auto window = std::make_unique<frmReport>();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(caption);
    window->viewer()->setReportSource(report);
    window->viewer()->setEnableRefreshButton(false);
    window->viewer()->viewReport();
    window->show();
    return window.release();
}

bool PrintCurrentReport(bool withDialog) {
    ReleaseAtEnd release;
    return requireCurrent().print(withDialog);
}

} // namespace data
