// The report runner: renders a report definition with the section's own
// engine and log-on rules, to PDF, page images or the default printer.

#include "app/DatabaseTool.h"

#include "reportengine/PagePainter.h"
#include "reportengine/Report.h"
#include "reportengine/ReportError.h"
#include "reportengine/ValueFormat.h"
#include "server/EmbeddedSession.h"
#include "server/Error.h"
#include "src/data/Connection.h"
#include "src/data/ReportPrinting.h"
#include "src/data/SessionValues.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

const char* const kHelp = R"(Usage: mammo-report FILE.rpt --db TARGET [options]

Renders a report definition file with the section's report engine.

  --db TARGET            the section's database: a folder, @demo (%1)
                         or a postgresql:// URL
  --logon DATABASE       point every table of the report at DATABASE before it is
                         read, as the program does for the charge slip ("" or
                         "default" for RADIOLOGY); without it the tables are read
                         where their locations say
  --param NAME=VALUE     a parameter field's value, by name (any case); a date
                         field takes 07/15/2012 or 2012-07-15; may be repeated
  --title TEXT           the report's title
  --pdf OUT.pdf          write the pages to a PDF file
  --png-dir DIR          write every page as DIR/page-1.png, page-2.png, ... (150 dpi)
  --print                print on the default printer
  --help                 this text

Prints the number of pages; errors go to standard error and the exit status is 1.
)";

struct Options {
    QString file;
    QString target;
    bool logOn = false;
    QString logOnDatabase;
    QList<QPair<QString, QString>> parameters;
    QString title;
    bool hasTitle = false;
    QString pdf;
    QString pngDir;
    bool print = false;
};

Options parse(const QStringList& args) {
    Options o;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto next = [&]() -> QString {
            if (i + 1 >= args.size())
                throw reportengine::ReportError(a + " needs a value.");
            return args[++i];
        };
        if (a == "--db") {
            o.target = next();
        } else if (a == "--logon") {
            o.logOn = true;
            o.logOnDatabase = next();
            if (o.logOnDatabase.compare("default", Qt::CaseInsensitive) == 0)
                o.logOnDatabase.clear();
        } else if (a == "--param") {
            const QString p = next();
            const qsizetype eq = p.indexOf('=');
            if (eq <= 0)
                throw reportengine::ReportError("--param takes NAME=VALUE, not '" + p + "'.");
            o.parameters << qMakePair(p.left(eq), p.mid(eq + 1));
        } else if (a == "--title") {
            o.title = next();
            o.hasTitle = true;
        } else if (a == "--pdf") {
            o.pdf = next();
        } else if (a == "--png-dir") {
            o.pngDir = next();
        } else if (a == "--print") {
            o.print = true;
        } else if (a.startsWith("--")) {
            throw reportengine::ReportError("Unknown option " + a + "; see --help.");
        } else if (o.file.isEmpty()) {
            o.file = a;
        } else {
            throw reportengine::ReportError("Only one report file can be given.");
        }
    }
    if (o.file.isEmpty())
        throw reportengine::ReportError("No report file was given; see --help.");
    if (o.target.isEmpty())
        throw reportengine::ReportError("No database was given (--db TARGET); see --help.");
    if (o.pdf.isEmpty() && o.pngDir.isEmpty() && !o.print)
        throw reportengine::ReportError("Nothing to do: give --pdf, --png-dir or --print.");
    return o;
}

// The database part of a location "database.owner.table".
QString databaseOf(const QString& location) {
    const qsizetype dot = location.indexOf('.');
    return dot > 0 ? location.left(dot) : QString();
}

int run(const QStringList& args, QTextStream& out) {
    const Options o = parse(args);
    const QString target = o.target == "@demo" ? app::defaultDemoFolder() : o.target;
    data::Connection connection(server::EmbeddedSession::open(target));
    data::currentSession().connection = &connection;

    reportengine::Report& report = data::OpenReport(o.file);
    for (int i = 0; i < report.tableCount(); ++i) {
        reportengine::ReportTable& table = report.table(i);
        if (o.logOn)
            data::LogOnTable(table, o.logOnDatabase);
        else
            table.setLogOnInfo(target, databaseOf(table.location()), {}, {});
    }
    for (const auto& [name, value] : o.parameters) {
        reportengine::ParameterField* field = report.parameterField(name);
        if (!field)
            throw reportengine::ReportError("The report has no parameter field " + name + ".");
        QVariant v = value;
        if (field->valueType() == reportengine::ValueType::Date ||
            field->valueType() == reportengine::ValueType::DateTime)
            if (const auto when = reportengine::dateTimeOf(value))
                v = field->valueType() == reportengine::ValueType::Date ? QVariant(when->date())
                                                                        : QVariant(*when);
        field->setCurrentValue(v);
    }
    if (o.hasTitle)
        report.setTitle(o.title);

    const reportengine::PageModel model = report.render();
    if (!o.pdf.isEmpty())
        reportengine::PagePainter::writePdf(model, o.pdf);
    if (!o.pngDir.isEmpty()) {
        QDir().mkpath(o.pngDir);
        for (int i = 0; i < model.pageCount(); ++i) {
            const QString path = QDir(o.pngDir).filePath("page-" + QString::number(i + 1) + ".png");
            if (!reportengine::PagePainter::pageImage(model, i).save(path))
                throw reportengine::ReportError("The file " + path + " cannot be written.");
        }
    }
    bool printed = true;
    if (o.print)
        printed = data::PrintCurrentReport(false);
    data::ReleaseReport();
    data::currentSession() = {};
    out << model.pageCount() << (model.pageCount() == 1 ? " page" : " pages") << "\n";
    return printed ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    // The runner shows no window; it works without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = application.arguments();
    if (args.contains("--help") || args.size() < 2) {
        out << QString(kHelp).arg(QDir::toNativeSeparators(app::defaultDemoFolder()));
        return args.size() < 2 ? 1 : 0;
    }
    try {
        return run(args, out);
    } catch (const std::exception& e) {
        data::ReleaseReport();
        data::currentSession() = {};
        err << QString::fromStdString(e.what()) << "\n";
        return 1;
    }
}
