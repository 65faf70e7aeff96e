#include "reportengine/Report.h"

#include "reportengine/DefinitionReader.h"
#include "reportengine/Expression.h"
#include "reportengine/PagePainter.h"
#include "reportengine/PrintService.h"
#include "reportengine/Renderer.h"
#include "reportengine/ReportError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QRegularExpression>

namespace reportengine {

namespace {

QString quotedValue(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return "NULL";
    QString text;
    if (value.typeId() == QMetaType::QDate)
        text = value.toDate().toString("yyyy-MM-dd");
    else if (value.typeId() == QMetaType::QDateTime)
        text = value.toDateTime().toString("yyyy-MM-dd hh:mm:ss");
    else if (value.typeId() == QMetaType::Bool)
        text = value.toBool() ? "1" : "0";
    else
        text = plainText(value);
    return "'" + text.replace('\'', "''") + "'";
}

const QRegularExpression& referencePattern() {
    static const QRegularExpression pattern("\\{([^{}]*)\\}");
    return pattern;
}

} // namespace

std::shared_ptr<Report> Report::open(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError("The report file " + QDir::toNativeSeparators(path) +
                          " cannot be opened: " + file.errorString());
    const QByteArray content = file.readAll();

    std::shared_ptr<Report> report(new Report);
    report->m_fileName = QFileInfo(path).absoluteFilePath();
    report->m_copy = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/report-XXXXXX.rpt");
    if (!report->m_copy->open() || report->m_copy->write(content) != content.size())
        throw ReportError("A temporary copy of " + QDir::toNativeSeparators(path) +
                          " cannot be written: " + report->m_copy->errorString());
    report->m_copy->flush();

    report->m_definition =
        DefinitionReader::read(content, QFileInfo(path).fileName(), QFileInfo(path).absolutePath());
    report->m_title = report->m_definition.title;
    for (const TableDef& t : report->m_definition.tables)
        report->m_tables.emplace_back(t.name, t.location);
    for (const ParameterDef& p : report->m_definition.parameters)
        report->m_parameters.emplace_back(p.name, p.type);
    return report;
}

Report::~Report() = default;

ReportTable* Report::table(const QString& name) {
    for (ReportTable& t : m_tables)
        if (t.name().compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

ParameterField* Report::parameterField(const QString& name) {
    for (ParameterField& p : m_parameters)
        if (p.name().compare(name, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

QString Report::commandText(int queryIndex) const {
    const QString& text = m_definition.queries.at(queryIndex).text;
    QString out;
    qsizetype last = 0;
    for (auto it = referencePattern().globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        const QString body = m.captured(1).trimmed();
        if (body.startsWith('?')) {
            const QString name = body.mid(1).trimmed();
            QVariant value;
            for (const ParameterField& p : m_parameters)
                if (p.name().compare(name, Qt::CaseInsensitive) == 0)
                    value = p.currentValue();
            if (value.isNull())
                for (const ParameterDef& p : m_definition.parameters)
                    if (p.name.compare(name, Qt::CaseInsensitive) == 0 && p.defaultValue)
                        value = *p.defaultValue;
            out += quotedValue(value);
        } else {
            for (const ReportTable& t : m_tables)
                if (t.name().compare(body, Qt::CaseInsensitive) == 0)
                    out += t.location();
        }
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

QString Report::defaultDatabase(int queryIndex) const {
    const QString& text = m_definition.queries.at(queryIndex).text;
    for (auto it = referencePattern().globalMatch(text); it.hasNext();) {
        const QString body = it.next().captured(1).trimmed();
        for (const ReportTable& t : m_tables)
            if (t.name().compare(body, Qt::CaseInsensitive) == 0)
                return t.logOnInfo().database;
    }
    return m_tables.empty() ? QString() : m_tables.front().logOnInfo().database;
}

PageModel Report::render() const {
    RenderInput input;
    input.definition = &m_definition;
    input.fileName = QFileInfo(m_fileName).fileName();
    input.title = m_title;
    for (const ParameterField& p : m_parameters)
        if (p.hasCurrentValue())
            input.parameters.insert(p.name().toUpper(), p.currentValue());
    for (int i = 0; i < m_definition.queries.size(); ++i) {
        const QueryDef& q = m_definition.queries[i];
        if (!m_runner)
            throw ReportError("The report " + input.fileName +
                              " has no connection to read its rows from.");
        server::Result result = m_runner(commandText(i), defaultDatabase(i));
        for (const QString& column : q.columns)
            if (result.columnIndex(column) < 0)
                throw ReportError(input.fileName + ", line " + QString::number(q.line) +
                                      ": the query '" + q.name + "' returned no column '" + column +
                                      "' (it returned " + result.columns.join(", ") + ")",
                                  q.line);
        input.results.insert(q.name.toUpper(), std::move(result));
    }
    return Renderer::render(input);
}

bool Report::print(bool withDialog, QWidget* parent) const {
    const PageModel model = render();
    QPrinter printer(QPrinter::HighResolution);
    PrintService& service = PrintService::current();
    if (!withDialog && !service.useDefaultPrinter(printer)) {
        service.reportNoPrinter(parent);
        return false;
    }
    PagePainter::preparePrinter(printer, model);
    int from = 0;
    int to = 0;
    if (withDialog) {
        if (!service.choosePrinter(printer, model.pageCount(), parent))
            return false;
        if (printer.printRange() == QPrinter::PageRange) {
            from = printer.fromPage();
            to = printer.toPage();
        }
    }
    PagePainter::print(model, printer, from, to);
    return true;
}

void Report::exportPdf(const QString& path) const {
    PagePainter::writePdf(render(), path);
}

} // namespace reportengine
