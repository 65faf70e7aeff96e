#pragma once

#include "reportengine/PageModel.h"
#include "reportengine/ParameterField.h"
#include "reportengine/QueryRunner.h"
#include "reportengine/ReportDefinition.h"
#include "reportengine/ReportTable.h"

#include <QTemporaryFile>

#include <memory>
#include <vector>

class QWidget;

namespace reportengine {

// An opened report: its definition, its tables with their locations and
// log-on information, its parameter fields with their current values and
// its title. Rendering runs its queries through the query runner it was
// given and lays out the rows it gets back.
class Report {
public:
    // Opens the definition file as a temporary copy (the file itself may be
    // replaced while the report is open). Throws ReportError when the file is
    // missing or its definition is refused.
    static std::shared_ptr<Report> open(const QString& path);
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    const QString& fileName() const { return m_fileName; }
    const ReportDefinition& definition() const { return m_definition; }

    int tableCount() const { return int(m_tables.size()); }
    ReportTable& table(int index) { return m_tables.at(size_t(index)); }
    const ReportTable& table(int index) const { return m_tables.at(size_t(index)); }
    // The table of that name, or nullptr.
    ReportTable* table(const QString& name);

    // In the report's order.
    int parameterFieldCount() const { return int(m_parameters.size()); }
    ParameterField& parameterField(int index) { return m_parameters.at(size_t(index)); }
    // The field of that name (any case), or nullptr.
    ParameterField* parameterField(const QString& name);

    const QString& title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    void setQueryRunner(QueryRunner runner) { m_runner = std::move(runner); }

    // The command text of a query with its parameters and tables filled in:
    // {?NAME} becomes the first current value between single quotes (quotes
    // inside doubled; dates as yyyy-mm-dd), or NULL when there is none;
    // {table} becomes the table's current location.
    QString commandText(int queryIndex) const;
    // The database the query's first named table is logged on to ("" when none).
    QString defaultDatabase(int queryIndex) const;

    // Runs the queries and lays the report out. Throws ReportError, or what
    // the query runner throws.
    PageModel render() const;

    // Prints every page: with the print dialog (false when the user
    // cancels), or on the default printer (false, after telling the user,
    // when the workstation has none).
    bool print(bool withDialog, QWidget* parent = nullptr) const;
    void exportPdf(const QString& path) const;

private:
    Report() = default;

    QString m_fileName;
    std::unique_ptr<QTemporaryFile> m_copy;
    ReportDefinition m_definition;
    std::vector<ReportTable> m_tables;
    std::vector<ParameterField> m_parameters;
    QString m_title;
    QueryRunner m_runner;
};

} // namespace reportengine
