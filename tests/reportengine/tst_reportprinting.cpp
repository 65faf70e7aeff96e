#include "reportengine/ReportError.h"
#include "reportengine/ReportViewer.h"
#include "src/data/ReportPrinting.h"
#include "src/data/frmReport.h"
#include "src/ui/MsgBox.h"
#include "tests/reportengine/ReportFixture.h"
#include "tests/reportengine/StubPrintService.h"
#include "tests/reportengine/WhenModal.h"
#include "tests/support/Expect.h"
#include "tests/support/SessionFixture.h"

#include <QMainWindow>
#include <QtTest>

using reportengine::ReportError;
using testsupport::caught;
using testsupport::reportXml;
using testsupport::SessionFixture;
using testsupport::TestDatabase;

namespace {

const char* const kThreeFields = R"(
<parameters>
  <parameter name="FIRST"/>
  <parameter name="FROMDATE" type="date"/>
  <parameter name="STAMP" type="datetime"/>
</parameters>
<tables>
  <table name="tbChargeSlip" location="REPORTS.dbo.tbChargeSlip"/>
  <table name="tbHospitalInfo" location="PATIENT_DATA.dbo.tbHospitalInfo"/>
</tables>)";

// A report that reads the hospital row through a table name without database:
// it is found only when the query runs on the database the table is logged on to.
const char* const kHospital = R"(
<parameters><parameter name="WHO"/></parameters>
<tables><table name="tbHospitalInfo" location="PATIENT_DATA.dbo.tbHospitalInfo"/></tables>
<queries><query name="h" columns="Company">SELECT Company FROM tbHospitalInfo</query></queries>
<pageHeader height="20"><field x="0" y="0" w="300" h="20">{Company} &amp; " for " &amp; {?WHO}</field></pageHeader>)";

const char* const kHospitalRow =
    "INSERT INTO PATIENT_DATA.tbHospitalInfo (Company, Address1, ClientName) "
    "VALUES ('ST. LUKE''S TEST HOSPITAL', '1 Main St', 'TST')";

QString describe(reportengine::ParameterField& field) {
    if (!field.hasCurrentValue())
        return field.name() + "=<none>";
    const QVariant v = field.currentValue();
    if (v.typeId() == QMetaType::QDate)
        return field.name() + "=date:" + v.toDate().toString(Qt::ISODate);
    if (v.typeId() == QMetaType::QDateTime)
        return field.name() + "=datetime:" + v.toDateTime().toString("yyyy-MM-dd hh:mm");
    return field.name() + "=" + v.toString();
}

QStringList describeFields(reportengine::Report& report) {
    QStringList out;
    for (int i = 0; i < report.parameterFieldCount(); ++i)
        out << describe(report.parameterField(i));
    return out;
}

} // namespace

class tst_ReportPrinting : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        MAMMO_REQUIRE_TEST_BACKEND();
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }
    void cleanup() { data::ReleaseReport(); }

    void prepareReportFillsFieldsByPosition_data();
    void prepareReportFillsFieldsByPosition();
    void logOnTable_data();
    void logOnTable();
    void parametersByNameLeaveOthersAlone();
    void openAuditReport();
    void missingReportFile();
    void queriesRunOnTheLoggedOnDatabase();
    void showReportIsModalAndReleasesTheReport();
    void showingWithoutWaitingKeepsItsOwnReport();
    void printingReleasesTheReport();
    void reportWindowCoversTheMainWindowsClientArea();
};

void tst_ReportPrinting::prepareReportFillsFieldsByPosition_data() {
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("one value fills only the first field")
        << QVariantList{"X"} << QStringList{"FIRST=X", "FROMDATE=<none>", "STAMP=<none>"};
    QTest::newRow("a date field given text receives a date")
        << QVariantList{"X", "07/15/2012", "07/15/2012"}
        << QStringList{"FIRST=X", "FROMDATE=date:2012-07-15", "STAMP=datetime:2012-07-15 00:00"};
    QTest::newRow("extra values are ignored")
        << QVariantList{"A", "2012-07-15", "2012-07-15 08:30:00", "extra", "more"}
        << QStringList{"FIRST=A", "FROMDATE=date:2012-07-15", "STAMP=datetime:2012-07-15 08:30"};
    QTest::newRow("no values") << QVariantList{}
                               << QStringList{"FIRST=<none>", "FROMDATE=<none>", "STAMP=<none>"};
}

void tst_ReportPrinting::prepareReportFillsFieldsByPosition() {
    QFETCH(QVariantList, values);
    QFETCH(QStringList, fields);
    TestDatabase db;
    SessionFixture session(db);
    testsupport::ReportFolder folder;
    data::PrepareReport(folder.write("r.rpt", reportXml(kThreeFields)), "RADIOLOGY", values);
    reportengine::Report* report = data::CurrentReport();
    QVERIFY(report);
    QCOMPARE(describeFields(*report), fields);
    // Every table is logged on to the database; no location changes.
    QCOMPARE(report->table(0).logOnInfo().database, QString("RADIOLOGY"));
    QCOMPARE(report->table(1).logOnInfo().database, QString("RADIOLOGY"));
    QVERIFY(report->table(1).isLoggedOn());
    QCOMPARE(report->table(0).location(), QString("REPORTS.dbo.tbChargeSlip"));
    QCOMPARE(report->table(1).location(), QString("PATIENT_DATA.dbo.tbHospitalInfo"));

    // Preparing again releases the report prepared before.
    data::PrepareReport(folder.path("r.rpt"), "REPORTS", {});
    QVERIFY(data::CurrentReport() != nullptr);
    QCOMPARE(data::CurrentReport()->table(0).logOnInfo().database, QString("REPORTS"));
    QVERIFY(!data::CurrentReport()->parameterField(0).hasCurrentValue());
}

void tst_ReportPrinting::logOnTable_data() {
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("expectedLocation");
    QTest::addColumn<QString>("expectedDatabase");
    QTest::newRow("database replaced") << "RADIOLOGY.dbo.tbChargeSlip"
                                       << "REPORTS"
                                       << "REPORTS.dbo.tbChargeSlip"
                                       << "REPORTS";
    QTest::newRow("empty means the connection's default") << "REPORTS.dbo.tbChargeSlip"
                                                          << ""
                                                          << "RADIOLOGY.dbo.tbChargeSlip"
                                                          << "RADIOLOGY";
    QTest::newRow("only up to the first dot") << "PATIENT_DATA..tbMaster"
                                              << "BILLING"
                                              << "BILLING..tbMaster"
                                              << "BILLING";
    QTest::newRow("a location without a dot is the table's name") << "tbChargeSlip"
                                                                  << "REPORTS"
                                                                  << "REPORTS.dbo.tbChargeSlip"
                                                                  << "REPORTS";
}

void tst_ReportPrinting::logOnTable() {
    QFETCH(QString, location);
    QFETCH(QString, database);
    QFETCH(QString, expectedLocation);
    QFETCH(QString, expectedDatabase);
    TestDatabase db;
    SessionFixture session(db);
    testsupport::ReportFolder folder;
    reportengine::Report& report = data::OpenReport(folder.write(
        "r.rpt", reportXml("<tables><table name=\"t\" location=\"" + location + "\"/></tables>")));
    data::LogOnTable(report.table(0), database);
    QCOMPARE(report.table(0).location(), expectedLocation);
    QCOMPARE(report.table(0).logOnInfo().database, expectedDatabase);
    QVERIFY(report.table(0).isLoggedOn());
}

void tst_ReportPrinting::parametersByNameLeaveOthersAlone() {
    TestDatabase db;
    SessionFixture session(db);
    testsupport::ReportFolder folder;
    reportengine::Report& report = data::OpenReport(folder.write("r.rpt", reportXml(R"(
<parameters>
  <parameter name="title"/>
  <parameter name="Patient"/>
  <parameter name="other"/>
  <parameter name="@REFNUM"/>
</parameters>)")));
    report.parameterField("other")->setCurrentValue("kept");
    data::SetParametersByName(report, {{"TITLE", "MAMMOGRAM CC. NO. C1E"},
                                       {"PATIENT", "DELA CRUZ, ANA"},
                                       {"@REFNUM", "C1E"},
                                       {"EXTRA", "not a field"},
                                       {"Other", "not upper case"}});
    QCOMPARE(describeFields(report),
             (QStringList{"title=MAMMOGRAM CC. NO. C1E", "Patient=DELA CRUZ, ANA", "other=kept",
                          "@REFNUM=C1E"}));
}

void tst_ReportPrinting::openAuditReport() {
    TestDatabase db;
    SessionFixture session(db);
    testsupport::ReportFolder folder;
    const QString path = folder.write("Mammo_Audit.rpt", reportXml(kThreeFields));
    data::OpenAuditReport(path, "Radiology", {"07/01/2012"});
    reportengine::Report* report = data::CurrentReport();
    QCOMPARE(report->title(), QString("Mammogram Audit Report"));
    QCOMPARE(report->table(0).location(), QString("Radiology.dbo.tbChargeSlip"));
    QCOMPARE(report->table(1).location(), QString("Radiology.dbo.tbHospitalInfo"));
    QCOMPARE(report->table(1).logOnInfo().database, QString("Radiology"));
    QCOMPARE(describeFields(*report),
             (QStringList{"FIRST=07/01/2012", "FROMDATE=<none>", "STAMP=<none>"}));

    // Values go in as given: a date field refuses text.
    const auto error = caught<ReportError>([&] {
        data::OpenAuditReport(path, "Radiology", {"x", "07/01/2012"});
    });
    QVERIFY(error);
    QVERIFY2(error->description().contains("FROMDATE takes a date"),
             qPrintable(error->description()));
}

void tst_ReportPrinting::missingReportFile() {
    ui::MsgBoxRecorder messages;
    testsupport::ReportFolder folder;
    const QString existing = folder.write("Here.rpt", reportXml(""));
    QVERIFY(data::ReportFileExists(existing));
    QVERIFY(messages.shown().isEmpty());

    const QString missing = folder.path("MammoResult.rpt");
    QVERIFY(!data::ReportFileExists(missing));
    QCOMPARE(messages.shown().size(), 1);
    QCOMPARE(messages.shown()[0].text,
             "The file " + missing + " does not exists. Please inform Technical Support.");
    QCOMPARE(messages.shown()[0].title, QString("Mammo 1.0"));
    QCOMPARE(messages.shown()[0].icon(), int(ui::vbCritical));
}

void tst_ReportPrinting::queriesRunOnTheLoggedOnDatabase() {
    TestDatabase db;
    db.load(kHospitalRow);
    SessionFixture session(db);
    testsupport::ReportFolder folder;
    data::PrepareReport(folder.write("h.rpt", reportXml(kHospital)), "PATIENT_DATA", {"E'001"});
    session.clearCommands();
    const reportengine::PageModel model = data::CurrentReport()->render();
    QCOMPARE(model.pages[0].texts(), QStringList{"ST. LUKE'S TEST HOSPITAL for E'001"});
    QCOMPARE(session.commands(), QStringList{"SELECT Company FROM tbHospitalInfo"});
    // The session's own default database is left as it was.
    QCOMPARE(session.connection().defaultDatabase(), QString("RADIOLOGY"));

    // A query that fails leaves it as it was too, and its error reaches the caller.
    data::PrepareReport(folder.path("h.rpt"), "REPORTS", {});
    QVERIFY(caught<std::exception>([] { data::CurrentReport()->render(); }));
    QCOMPARE(session.connection().defaultDatabase(), QString("RADIOLOGY"));
}

void tst_ReportPrinting::showReportIsModalAndReleasesTheReport() {
    TestDatabase db;
    db.load(kHospitalRow);
    SessionFixture session(db);
    testsupport::ReportFolder folder;
    data::PrepareReport(folder.write("h.rpt", reportXml(kHospital)), "PATIENT_DATA", {"ME"});

    QString caption;
    bool maximised = false;
    bool groupTree = true;
    bool refresh = false;
    bool currentWhileShown = false;
    QStringList texts;
    testsupport::whenModal([&](QWidget* modal) {
        auto* window = qobject_cast<data::frmReport*>(modal);
        if (!window)
            return;
        caption = window->windowTitle();
        maximised = window->isMaximized();
        groupTree = window->viewer()->displayGroupTree();
        refresh = window->viewer()->enableRefreshButton();
        currentWhileShown = data::CurrentReport() != nullptr;
        texts = window->viewer()->pageModel().pages.value(0).texts();
        window->close();
    });
    data::ShowReport("Charge Slip Printing");
    QCOMPARE(caption, QString("Charge Slip Printing"));
    QVERIFY(maximised);
    QVERIFY(!groupTree);
    QVERIFY(refresh);
    QVERIFY(currentWhileShown);
    QCOMPARE(texts, QStringList{"ST. LUKE'S TEST HOSPITAL for ME"});
    QVERIFY(!data::CurrentReport());
    QVERIFY(!qApp->findChild<data::frmReport*>());
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<data::frmReport*>(w));
}

void tst_ReportPrinting::showingWithoutWaitingKeepsItsOwnReport() {
    TestDatabase db;
    db.load(kHospitalRow);
    SessionFixture session(db);
    testsupport::ReportFolder folder;
    data::PrepareReport(folder.write("h.rpt", reportXml(kHospital)), "PATIENT_DATA", {"FIRST"});
    QPointer<data::frmReport> window = data::ShowReportWithoutWaiting("AUDIT REPORT");
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(!window->isModal());
    QCOMPARE(window->windowTitle(), QString("AUDIT REPORT"));
    QVERIFY(!data::CurrentReport());
    QVERIFY(window->viewer()->reportSource());
    QVERIFY(!window->viewer()->enableRefreshButton());
    QVERIFY(window->viewer()->displayGroupTree());

    // The next report does not disturb the open window.
    data::PrepareReport(folder.path("h.rpt"), "PATIENT_DATA", {"SECOND"});
    QVERIFY(window->viewer()->reportSource().get() != data::CurrentReport());
    QCOMPARE(window->viewer()->pageModel().pages[0].texts(),
             QStringList{"ST. LUKE'S TEST HOSPITAL for FIRST"});

    window->close();
    QTRY_VERIFY(!window); // it goes when the user closes it
}

void tst_ReportPrinting::printingReleasesTheReport() {
    TestDatabase db;
    db.load(kHospitalRow);
    SessionFixture session(db);
    testsupport::ReportFolder folder;
    QTemporaryDir out;
    testsupport::StubPrintService service;
    service.outputFile = out.filePath("p.pdf");

    data::PrepareReport(folder.write("h.rpt", reportXml(kHospital)), "PATIENT_DATA", {"ME"});
    QVERIFY(data::PrintCurrentReport(true));
    QCOMPARE(service.calls, QStringList{"dialog:1"});
    QVERIFY(QFile::exists(service.outputFile));
    QVERIFY(!data::CurrentReport());

    data::PrepareReport(folder.path("h.rpt"), "PATIENT_DATA", {"ME"});
    service.hasPrinter = false;
    service.calls.clear();
    QVERIFY(!data::PrintCurrentReport(false));
    QCOMPARE(service.calls, (QStringList{"default", "no printer"}));
    QVERIFY(!data::CurrentReport());
}

void tst_ReportPrinting::reportWindowCoversTheMainWindowsClientArea() {
    QMainWindow main;
    main.setObjectName("frmMain");
    auto* client = new QWidget(&main);
    main.setCentralWidget(client);
    main.setGeometry(40, 50, 700, 500);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const QRect area(client->mapToGlobal(QPoint(0, 0)), client->size());
    QCOMPARE(data::frmReport::clientArea(), area);

    data::frmReport window;
    window.show();
    QVERIFY(window.isMaximized());
    QCOMPARE(window.normalGeometry().topLeft(), area.topLeft());
    QCOMPARE(window.normalGeometry().size(), area.size());
    // The viewer fills the window whatever its size.
    window.showNormal();
    window.resize(420, 330);
    QTRY_COMPARE(window.viewer()->geometry(), window.rect());
}

QTEST_MAIN(tst_ReportPrinting)
#include "tst_reportprinting.moc"
