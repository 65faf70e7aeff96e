#pragma once

#include "reportengine/QueryRunner.h"
#include "reportengine/Report.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <memory>

namespace data {

class frmReport;

// The application folder, where the report files stand: the executable's
// folder, unless a test has pointed it elsewhere.
QString ApplicationFolder();
void setApplicationFolder(const QString& folder); // "" puts the executable's folder back

// The message shown when a report file is missing, and the test that shows it:
// true when the file exists; otherwise the critical message titled "Mammo 1.0".
QString MissingReportMessage(const QString& path);
bool ReportFileExists(const QString& path);

// Runs a report's queries on the session connection, with the database the
// report's tables are logged on to as the default database for the query.
reportengine::QueryRunner sessionQueryRunner();

// The current report: the one the program holds between preparing and
// showing or printing a report.
reportengine::Report* CurrentReport();
// Releases the current report, opens the file (as a temporary copy) as the
// new current report and gives it the session's query runner.
reportengine::Report& OpenReport(const QString& path);
void ReleaseReport();

// Opens the file as the current report, logs every table on to the database
// (locations unchanged) and gives the values to the parameter fields by
// position; a field of type date or date and time gets the value as a date.
void PrepareReport(const QString& path, const QString& database, const QVariantList& values = {});

// Points the table at the database (the part of its location before the first
// "." is replaced; a location without "." is taken as the table's name and
// becomes database.dbo.name) and logs it on. "" means the session connection's
// default database.
void LogOnTable(reportengine::ReportTable& table, const QString& database);
// LogOnTable for every table of the report.
void LogOnTables(reportengine::Report& report, const QString& database);

// Gives each parameter field whose upper-cased name is a key of `values` its
// value; other fields are left alone. Keys are upper case.
void SetParametersByName(reportengine::Report& report, const QHash<QString, QVariant>& values);

// PrepareReport with the title "Mammogram Audit Report", each table's location
// changed to the database before it is logged on, and values by position as given.
void OpenAuditReport(const QString& path, const QString& database, const QVariantList& values);

// Shows the current report in a new report window, modal, without the group
// tree; when the window closes, releases it and the current report.
void ShowReport(const QString& caption);

// Shows the current report in a new report window that the caller does not
// wait for, without the refresh button: the window keeps its own report,
// rendered now, until the user closes it. The current report is released.
frmReport* ShowReportWithoutWaiting(const QString& caption);

// Prints the current report (with or without the print dialog) and releases
// it; false when nothing was printed.
bool PrintCurrentReport(bool withDialog);

} // namespace data
