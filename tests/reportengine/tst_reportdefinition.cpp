#include "reportengine/Report.h"
#include "reportengine/ReportError.h"
#include "reportengine/ValueFormat.h"
#include "tests/reportengine/ReportFixture.h"
#include "tests/support/Expect.h"

#include <QtTest>

using reportengine::Report;
using reportengine::ReportError;
using reportengine::ValueType;
using testsupport::caught;
using testsupport::reportXml;

namespace {

// A definition that names everything once; the refusal cases change one part of it.
const char* const kLinesQuery = R"(<parameters>
  <parameter name="USERID" type="text"/>
</parameters>
<tables><table name="tbChargeSlip" location="REPORTS.dbo.tbChargeSlip"/></tables>
<queries>
  <query name="lines" columns="ItemID, Amount">SELECT ItemID, Amount FROM {tbChargeSlip} WHERE UserID = {?USERID}</query>
</queries>)";

} // namespace

class tst_ReportDefinition : public QObject {
    Q_OBJECT

private slots:
    void readsPageParametersTablesAndQueries();
    void refusesWhatItCannotRead_data();
    void refusesWhatItCannotRead();
    void opensATemporaryCopy();
    void commandTextQuotesValuesAndPlacesTables_data();
    void commandTextQuotesValuesAndPlacesTables();
    void parameterFieldsTakeValuesOfTheirType_data();
    void parameterFieldsTakeValuesOfTheirType();
    void formats_data();
    void formats();
};

void tst_ReportDefinition::readsPageParametersTablesAndQueries() {
    testsupport::ReportFolder folder;
    const QString path = folder.write(
        "r.rpt",
        reportXml(
            R"(
<parameters>
  <parameter name="@REFNUM"/>
  <parameter name="FROMDATE" type="date"/>
  <parameter name="STAMP" type="16"/>
  <parameter name="COPIES" type="number"/>
</parameters>
<tables>
  <table name="tbChargeSlip" location="REPORTS.dbo.tbChargeSlip"/>
  <table name="tbMaster" location="PATIENT_DATA..tbMaster"/>
</tables>
<queries><query name="q" columns="a b,c">SELECT a, b, c FROM {tbMaster}</query></queries>)",
            R"(<page size="HalfLetter" orientation="landscape" margin="0.5in" marginTop="10mm"/>)"));
    const auto report = Report::open(path);
    const auto& def = report->definition();
    QCOMPARE(def.pageSize.id(), QPageSize::Statement); // 5.5 by 8.5 inches
    QCOMPARE(def.pageSizePoints(), QSizeF(612, 396));
    QCOMPARE(def.margins.left(), 36.0);
    QVERIFY(qAbs(def.margins.top() - 28.3465) < 0.01);

    QCOMPARE(report->parameterFieldCount(), 4);
    const QList<QPair<QString, ValueType>> expected{{"@REFNUM", ValueType::Text},
                                                    {"FROMDATE", ValueType::Date},
                                                    {"STAMP", ValueType::DateTime},
                                                    {"COPIES", ValueType::Number}};
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(report->parameterField(i).name(), expected[i].first);
        QCOMPARE(report->parameterField(i).valueType(), expected[i].second);
    }
    QCOMPARE(int(ValueType::Date), 10);
    QCOMPARE(int(ValueType::DateTime), 16);

    QCOMPARE(report->tableCount(), 2);
    QCOMPARE(report->table(0).name(), QString("tbChargeSlip"));
    QCOMPARE(report->table(1).location(), QString("PATIENT_DATA..tbMaster"));
    QCOMPARE(def.queries.first().columns, (QStringList{"a", "b", "c"}));
}

void tst_ReportDefinition::refusesWhatItCannotRead_data() {
    QTest::addColumn<QString>("definition");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("problem");

    // reportXml puts the body from line 4 on.
    QTest::newRow("unclosed element")
        << reportXml(
               "<pageHeader height=\"20\">\n<text x=\"0\" y=\"0\" w=\"10\" h=\"10\">A</text>\n")
        << 7 << "tag mismatch";
    QTest::newRow("unknown column") << reportXml(QString(kLinesQuery) + R"(
<detail height="12">
  <field x="0" y="0" w="50" h="12">{Amout}</field>
</detail>)") << 12 << "the column 'Amout' is not one of the columns of the query 'lines'";
    QTest::newRow("column of an unknown query")
        << reportXml(QString(kLinesQuery) +
                     "\n<pageHeader height=\"12\"><field x=\"0\" y=\"0\" w=\"9\" "
                     "h=\"9\">{hospital.Company}</field></pageHeader>")
        << 11 << "the query 'hospital'";
    QTest::newRow("unknown parameter in a field")
        << reportXml(QString(kLinesQuery) + "\n<pageHeader height=\"12\">\n<field x=\"0\" y=\"0\" "
                                            "w=\"9\" h=\"9\">{?TITEL}</field></pageHeader>")
        << 12 << "the parameter {?TITEL} is not in the report";
    QTest::newRow("unknown parameter in a query")
        << reportXml(R"(<tables><table name="t" location="REPORTS.dbo.t"/></tables>
<queries>
<query name="q" columns="a">SELECT a FROM {t} WHERE b = {?NOPE}</query></queries>)")
        << 6 << "uses the parameter {?NOPE}";
    QTest::newRow("unknown table in a query")
        << reportXml("<queries>\n<query name=\"q\" columns=\"a\">SELECT a FROM "
                     "{tbMissing}</query></queries>")
        << 5 << "uses the table {tbMissing}";
    QTest::newRow("misspelt attribute")
        << reportXml("<pageHeader height=\"12\">\n<text x=\"0\" y=\"0\" w=\"9\" h=\"9\" "
                     "algin=\"right\">A</text></pageHeader>")
        << 5 << "<text> has no attribute 'algin'";
    QTest::newRow("unknown element")
        << reportXml("<pageHeader height=\"12\">\n<circle/></pageHeader>") << 5
        << "<circle> is not an item of a band";
    QTest::newRow("length without unit sense")
        << reportXml("<pageHeader height=\"twelve\"></pageHeader>") << 4
        << "'twelve' is not a length";
    QTest::newRow("formula using itself")
        << reportXml("<formulas>\n<formula name=\"a\">{@b} &amp; \"x\"</formula>\n<formula "
                     "name=\"b\">{@a}</formula></formulas>")
        << 5 << "uses itself";
    QTest::newRow("unreadable expression")
        << reportXml("<pageHeader height=\"12\">\n<field x=\"0\" y=\"0\" w=\"9\" h=\"9\">\"Page \" "
                     "&amp;</field></pageHeader>")
        << 5 << "cannot be read";
    QTest::newRow("unknown special value")
        << reportXml("<pageFooter height=\"12\">\n<field x=\"0\" y=\"0\" w=\"9\" "
                     "h=\"9\">{!PageNo}</field></pageFooter>")
        << 5 << "{!PageNo} is not known";
    QTest::newRow("total reset by an unknown group")
        << reportXml(QString(kLinesQuery) +
                     "\n<totals>\n<total name=\"s\" of=\"{Amount}\" reset=\"dept\"/></totals>")
        << 12 << "the group 'dept'";
    QTest::newRow("detail without a query")
        << reportXml("<detail height=\"12\"/>") << 1 << "no query";
    QTest::newRow("unknown value type")
        << reportXml("<parameters>\n<parameter name=\"A\" type=\"money\"/></parameters>") << 5
        << "the value type 'money' is not known";
    QTest::newRow("two parameters of one name")
        << reportXml("<parameters>\n<parameter name=\"A\"/>\n<parameter name=\"a\"/></parameters>")
        << 6 << "two of the parameter 'a'";
}

void tst_ReportDefinition::refusesWhatItCannotRead() {
    QFETCH(QString, definition);
    QFETCH(int, line);
    QFETCH(QString, problem);
    testsupport::ReportFolder folder;
    const QString path = folder.write("Broken.rpt", definition);
    const auto error = caught<ReportError>([&] { Report::open(path); });
    QVERIFY2(error, "the definition was accepted");
    QVERIFY2(error->description().contains(problem), qPrintable(error->description()));
    QVERIFY2(error->description().startsWith("Broken.rpt, line " + QString::number(line) + ":"),
             qPrintable(error->description()));
    QCOMPARE(error->line(), line);
}

void tst_ReportDefinition::opensATemporaryCopy() {
    testsupport::ReportFolder folder;
    const QString path = folder.write("r.rpt", reportXml(kLinesQuery));
    const auto report = Report::open(path);
    // The file may be replaced or removed while the report is open.
    QVERIFY(QFile::remove(path));
    QCOMPARE(report->tableCount(), 1);
    QCOMPARE(report->fileName(), QFileInfo(path).absoluteFilePath());

    const auto missing = caught<ReportError>([&] { Report::open(folder.path("none.rpt")); });
    QVERIFY(missing);
    QVERIFY(missing->description().contains("none.rpt"));
}

void tst_ReportDefinition::commandTextQuotesValuesAndPlacesTables_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("expected");
    const QString select = "SELECT ItemID, Amount FROM %1 WHERE UserID = %2";
    QTest::newRow("text") << QVariant("E001") << ""
                          << select.arg("REPORTS.dbo.tbChargeSlip", "'E001'");
    QTest::newRow("quote doubled")
        << QVariant("O'BRIEN") << "" << select.arg("REPORTS.dbo.tbChargeSlip", "'O''BRIEN'");
    QTest::newRow("no way out of the quotes")
        << QVariant("x' OR '1'='1") << ""
        << select.arg("REPORTS.dbo.tbChargeSlip", "'x'' OR ''1''=''1'");
    QTest::newRow("no value") << QVariant() << "" << select.arg("REPORTS.dbo.tbChargeSlip", "NULL");
    QTest::newRow("table moved") << QVariant("E001") << "RADIOLOGY.dbo.tbChargeSlip"
                                 << select.arg("RADIOLOGY.dbo.tbChargeSlip", "'E001'");
}

void tst_ReportDefinition::commandTextQuotesValuesAndPlacesTables() {
    QFETCH(QVariant, value);
    QFETCH(QString, location);
    QFETCH(QString, expected);
    testsupport::ReportFolder folder;
    const auto report = Report::open(folder.write("r.rpt", reportXml(kLinesQuery)));
    if (value.isValid())
        report->parameterField("userid")->setCurrentValue(value);
    if (!location.isEmpty())
        report->table(0).setLocation(location);
    report->table(0).setLogOnInfo("srv", "REPORTS", "sa", "pw");
    QCOMPARE(report->commandText(0), expected);
    QCOMPARE(report->defaultDatabase(0), QString("REPORTS"));
}

void tst_ReportDefinition::parameterFieldsTakeValuesOfTheirType_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("inQuery");
    QTest::newRow("date takes a date")
        << "date" << QVariant(QDate(2012, 7, 15)) << true << "'2012-07-15'";
    QTest::newRow("date refuses text") << "date" << QVariant("07/15/2012") << false << "";
    QTest::newRow("date and time takes a date")
        << "datetime" << QVariant(QDate(2012, 7, 15)) << true << "'2012-07-15 00:00:00'";
    QTest::newRow("number takes a number text")
        << "number" << QVariant("1,500.5") << true << "'1500.5'";
    QTest::newRow("number refuses a word") << "number" << QVariant("many") << false << "";
    QTest::newRow("text takes a number as text") << "text" << QVariant(12.0) << true << "'12'";
}

void tst_ReportDefinition::parameterFieldsTakeValuesOfTheirType() {
    QFETCH(QString, type);
    QFETCH(QVariant, value);
    QFETCH(bool, accepted);
    QFETCH(QString, inQuery);
    testsupport::ReportFolder folder;
    const auto report = Report::open(folder.write(
        "r.rpt", reportXml(QString(R"(<parameters><parameter name="P" type="%1"/></parameters>
<queries><query name="q" columns="a">SELECT a FROM RADIOLOGY..t WHERE b = {?P}</query></queries>)")
                               .arg(type))));
    auto& field = report->parameterField(0);
    const auto error = caught<ReportError>([&] { field.setCurrentValue(value); });
    QCOMPARE(!error, accepted);
    if (accepted)
        QCOMPARE(report->commandText(0), "SELECT a FROM RADIOLOGY..t WHERE b = " + inQuery);
    else
        QVERIFY2(error->description().contains("The parameter field P takes"),
                 qPrintable(error->description()));
}

void tst_ReportDefinition::formats_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two decimals") << QVariant(1500) << "0.00"
                                  << "1500.00";
    QTest::newRow("two decimals of text") << QVariant("617.5") << "0.00"
                                          << "617.50";
    QTest::newRow("rounded") << QVariant(12.345678) << "0.00"
                             << "12.35";
    QTest::newRow("grouped") << QVariant(1234567.5) << "#,##0.00"
                             << "1,234,567.50";
    QTest::newRow("optional decimals kept") << QVariant(1.5) << "#,##0.##"
                                            << "1.5";
    QTest::newRow("optional decimals dropped") << QVariant("2.00") << "#,##0.##"
                                               << "2";
    QTest::newRow("prefix") << QVariant(-20) << "P #,##0.00"
                            << "P -20.00";
    QTest::newRow("null") << QVariant() << "0.00"
                          << "";
    QTest::newRow("text that is no number") << QVariant("N/A") << "0.00"
                                            << "N/A";
    QTest::newRow("date") << QVariant(QDate(2012, 7, 15)) << "mm/dd/yyyy"
                          << "07/15/2012";
    QTest::newRow("stored date text") << QVariant("2012-07-05 08:30:00") << "mm/dd/yyyy hh:nn"
                                      << "07/05/2012 08:30";
    QTest::newRow("month name") << QVariant(QDate(2012, 7, 15)) << "mmmm d, yyyy"
                                << "July 15, 2012";
    QTest::newRow("no format") << QVariant(3.0) << ""
                               << "3";
    QTest::newRow("regional") << QVariant(1234.5) << "regional"
                              << QLocale::system().toString(1234.5, 'f', 2);
}

void tst_ReportDefinition::formats() {
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(reportengine::formatValue(value, format), expected);
}

QTEST_GUILESS_MAIN(tst_ReportDefinition)
#include "tst_reportdefinition.moc"
