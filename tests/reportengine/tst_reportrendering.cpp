#include "reportengine/PagePainter.h"
#include "reportengine/Report.h"
#include "reportengine/ReportError.h"
#include "tests/reportengine/ReportFixture.h"
#include "tests/support/Expect.h"

#include <QtTest>

using reportengine::PageElement;
using reportengine::PageModel;
using reportengine::Report;
using reportengine::ReportError;
using testsupport::caught;
using testsupport::reportXml;
using testsupport::rows;

namespace {

const char* const kLongReport = R"(
<queries><query name="lines" columns="n, amount">SELECT n, amount FROM RADIOLOGY..tbLines</query></queries>
<totals>
  <total name="sum" of="{amount}"/>
  <total name="count" kind="count"/>
</totals>
<pageHeader height="30">
  <text x="0" y="0" w="200" h="20" bold="true">LINE HEADER</text>
</pageHeader>
<detail height="14">
  <field x="0" y="0" w="100" h="14">"Line " &amp; {n}</field>
  <field x="200" y="0" w="100" h="14" align="right" format="0.00">{amount}</field>
</detail>
<reportFooter height="20">
  <field x="0" y="0" w="100" h="14">"Lines: " &amp; {#count}</field>
  <field x="200" y="0" w="100" h="14" format="#,##0.00">{#sum}</field>
</reportFooter>
<pageFooter height="14">
  <field x="0" y="0" w="200" h="14">"Page " &amp; {!PageNumber} &amp; " of " &amp; {!PageCount}</field>
</pageFooter>)";

// A report of its own lines, run on rows given by the test.
std::shared_ptr<Report> openWithRows(const testsupport::ReportFolder& folder, const QString& body,
                                     const QHash<QString, server::Result>& results) {
    auto report = Report::open(folder.write("r.rpt", reportXml(body)));
    report->setQueryRunner([results](const QString& text, const QString&) {
        for (auto it = results.begin(); it != results.end(); ++it)
            if (text.contains(it.key()))
                return it.value();
        return server::Result{};
    });
    return report;
}

} // namespace

class tst_ReportRendering : public QObject {
    Q_OBJECT

private slots:
    void longDetailBreaksOverPagesWithTheHeaderRepeated();
    void groupsPrintHeadersFootersAndTheirOwnTotals();
    void queriesRunOnTheLoggedOnDatabase();
    void aQueryThatLacksADeclaredColumnIsRefused();
    void aBandAtTheFootOfAPageMovesToTheNext();
    void paintsWhatThePageHolds();
};

void tst_ReportRendering::longDetailBreaksOverPagesWithTheHeaderRepeated() {
    QList<QVariantList> lines;
    for (int n = 1; n <= 500; ++n)
        lines << QVariantList{n, n + 0.25};
    testsupport::ReportFolder folder;
    const auto report =
        openWithRows(folder, kLongReport, {{"tbLines", rows({"n", "amount"}, lines)}});
    const PageModel model = report->render();

    QVERIFY2(model.pageCount() > 5, qPrintable(QString::number(model.pageCount())));
    const qreal bodyBottom = model.size.height() - 36 - 14;
    QStringList printedLines;
    for (int p = 0; p < model.pageCount(); ++p) {
        const QStringList texts = model.pages[p].texts();
        QCOMPARE(texts.first(), QString("LINE HEADER"));
        QCOMPARE(texts.count("LINE HEADER"), 1);
        QCOMPARE(texts.last(), QString("Page %1 of %2").arg(p + 1).arg(model.pageCount()));
        for (const PageElement& e : model.pages[p].elements) {
            if (e.text.startsWith("Line ")) {
                printedLines << e.text;
                QVERIFY2(e.rect.bottom() <= bodyBottom + 0.01, qPrintable(e.text));
                QVERIFY(e.rect.top() >= 36 + 30 - 0.01);
            }
        }
    }
    QStringList expected;
    for (int n = 1; n <= 500; ++n)
        expected << "Line " + QString::number(n);
    QCOMPARE(printedLines, expected);

    const QStringList last = model.pages.last().texts();
    QVERIFY(last.contains("Lines: 500"));
    QVERIFY2(last.contains("125,375.00"), qPrintable(last.join(" | ")));
    // The report footer comes once, after the last line.
    for (int p = 0; p + 1 < model.pageCount(); ++p)
        QVERIFY(!model.pages[p].hasText("Lines: 500"));
}

void tst_ReportRendering::groupsPrintHeadersFootersAndTheirOwnTotals() {
    testsupport::ReportFolder folder;
    const auto report = openWithRows(
        folder, R"(
<queries><query name="q" columns="dept item amount">SELECT dept, item, amount FROM RADIOLOGY..x</query></queries>
<totals>
  <total name="deptSum" of="{amount}" reset="dept"/>
  <total name="deptCount" kind="count" reset="dept"/>
  <total name="all" of="{amount}"/>
</totals>
<group name="dept" on="{dept}">
  <groupHeader height="14"><field x="0" y="0" w="100" h="14">"Dept " &amp; {dept}</field></groupHeader>
  <groupFooter height="14"><field x="0" y="0" w="200" h="14">"Subtotal " &amp; Format({#deptSum}, "0.00") &amp; " / " &amp; {#deptCount} &amp; " of " &amp; {dept}</field></groupFooter>
</group>
<detail height="14"><field x="0" y="0" w="100" h="14">{item}</field></detail>
<reportFooter height="14"><field x="0" y="0" w="100" h="14" format="0.00">{#all}</field></reportFooter>)",
        {{"FROM RADIOLOGY..x", rows({"dept", "item", "amount"}, {{"A", "a1", 1.0},
                                                                 {"A", "a2", 2.5},
                                                                 {"B", "b1", 10.0},
                                                                 {"B", "b2", "20"},
                                                                 {"B", "b3", 30.0}})}});
    const PageModel model = report->render();
    QCOMPARE(model.pageCount(), 1);
    QCOMPARE(model.pages[0].texts(),
             (QStringList{"Dept A", "a1", "a2", "Subtotal 3.50 / 2 of A", "Dept B", "b1", "b2",
                          "b3", "Subtotal 60.00 / 3 of B", "63.50"}));
    QCOMPARE(model.outline.size(), 2);
    QCOMPARE(model.outline[1].text, QString("B"));
    QCOMPARE(model.outline[1].page, 0);
}

void tst_ReportRendering::queriesRunOnTheLoggedOnDatabase() {
    testsupport::ReportFolder folder;
    auto report = Report::open(folder.write("r.rpt", reportXml(R"(
<parameters><parameter name="USERID"/></parameters>
<tables>
  <table name="tbChargeSlip" location="REPORTS.dbo.tbChargeSlip"/>
  <table name="tbMaster" location="PATIENT_DATA.dbo.tbMaster"/>
</tables>
<queries>
  <query name="lines" columns="ItemID">SELECT ItemID FROM {tbChargeSlip} WHERE UserID = {?USERID}</query>
  <query name="patient" columns="LastName">SELECT LastName FROM {tbMaster}</query>
  <query name="hospital" columns="Company">SELECT Company FROM PATIENT_DATA..tbHospitalInfo</query>
</queries>
<pageHeader height="14">
  <field x="0" y="0" w="100" h="14">{hospital.Company} &amp; " / " &amp; {patient.LastName}</field>
</pageHeader>
<detail height="14"><field x="0" y="0" w="100" h="14">{ItemID}</field></detail>)")));
    report->table(0).setLogOnInfo("srv", "REPORTS", "u", "p");
    report->table(1).setLocation("BILLING.dbo.tbMaster");
    report->table(1).setLogOnInfo("srv", "BILLING", "u", "p");
    report->parameterField(0).setCurrentValue("E'1");
    QStringList calls;
    report->setQueryRunner([&calls](const QString& text, const QString& database) {
        calls << database + ": " + text;
        if (text.contains("tbHospitalInfo"))
            return rows({"Company"}, {{"GENERAL HOSPITAL"}, {"SECOND ROW"}});
        if (text.contains("tbMaster"))
            return rows({"LastName"}, {{"RAMOS"}});
        return rows({"ItemID"}, {{"MM01"}, {"MM02"}});
    });
    const PageModel model = report->render();
    QCOMPARE(calls,
             (QStringList{
                 "REPORTS: SELECT ItemID FROM REPORTS.dbo.tbChargeSlip WHERE UserID = 'E''1'",
                 "BILLING: SELECT LastName FROM BILLING.dbo.tbMaster",
                 "REPORTS: SELECT Company FROM PATIENT_DATA..tbHospitalInfo",
             }));
    QCOMPARE(model.pages[0].texts(), (QStringList{"GENERAL HOSPITAL / RAMOS", "MM01", "MM02"}));
}

void tst_ReportRendering::aQueryThatLacksADeclaredColumnIsRefused() {
    testsupport::ReportFolder folder;
    const auto report = openWithRows(
        folder,
        "<queries>\n<query name=\"q\" columns=\"ItemID Amount\">SELECT * FROM REPORTS..x</query>"
        "</queries>\n<detail height=\"10\"><field x=\"0\" y=\"0\" w=\"9\" "
        "h=\"9\">{Amount}</field></detail>",
        {{"REPORTS..x", rows({"ItemID", "Price"}, {{"A", 1}})}});
    const auto error = caught<ReportError>([&] { report->render(); });
    QVERIFY(error);
    QVERIFY2(error->description().contains("line 5: the query 'q' returned no column 'Amount'"),
             qPrintable(error->description()));
}

void tst_ReportRendering::aBandAtTheFootOfAPageMovesToTheNext() {
    // 46 rows end 32 points above the page footer: room for a footer of 20, not of 60.
    QList<QVariantList> lines;
    for (int n = 1; n <= 46; ++n)
        lines << QVariantList{n, 1};
    testsupport::ReportFolder folder;
    const auto report =
        openWithRows(folder,
                     QString(kLongReport)
                         .replace("<reportFooter height=\"20\">", "<reportFooter height=\"60\">"),
                     {{"tbLines", rows({"n", "amount"}, lines)}});
    const PageModel model = report->render();
    QCOMPARE(model.pageCount(), 2);
    QVERIFY(model.pages[0].hasText("Line 46"));
    QCOMPARE(model.pages[1].texts(),
             (QStringList{"LINE HEADER", "Lines: 46", "46.00", "Page 2 of 2"}));
}

void tst_ReportRendering::paintsWhatThePageHolds() {
    testsupport::ReportFolder folder;
    const auto report = openWithRows(folder, R"(
<pageHeader height="100">
  <box x="0" y="0" w="72" h="72" width="0" fill="black"/>
  <line x1="100" y1="36" x2="300" y2="36" width="2"/>
</pageHeader>)",
                                     {});
    const PageModel model = report->render();
    const QImage image = reportengine::PagePainter::pageImage(model, 0, 72);
    QCOMPARE(image.size(), QSize(612, 792));
    QCOMPARE(image.pixelColor(72, 72), QColor(Qt::black));   // inside the box (margin 36)
    QCOMPARE(image.pixelColor(200, 72), QColor(Qt::black));  // on the line
    QCOMPARE(image.pixelColor(200, 60), QColor(Qt::white));  // above it
    QCOMPARE(image.pixelColor(300, 400), QColor(Qt::white)); // the empty page

    QTemporaryDir dir;
    const QString pdf = dir.filePath("out.pdf");
    reportengine::PagePainter::writePdf(model, pdf);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
}

QTEST_MAIN(tst_ReportRendering)
#include "tst_reportrendering.moc"
