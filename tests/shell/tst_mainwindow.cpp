#include "src/shell/MainMenu.h"
#include "src/shell/Monitors.h"
#include "src/shell/Routes.h"
#include "src/shell/frmMain.h"
#include "src/ui/MsgBox.h"
#include "tests/support/FakeComponents.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/RecordingAnnouncer.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QToolButton>
#include <QtTest>

using testsupport::FakeComponents;
using testsupport::TestDatabase;

namespace {

const char* const kHospital =
    "INSERT INTO PATIENT_DATA.tbHospitalInfo (RowKey, Company, Address1, ClientName, "
    "OPDPassword) VALUES (1, 'ST. AGATHA GENERAL HOSPITAL', '12 MABINI ST.', 'VKT', 'Opd1')";

// Every entry of the menu bar as "menu path|caption|shortcut|flags", in order.
void collect(const QList<QAction*>& actions, const QString& path, QStringList& out) {
    for (QAction* a : actions) {
        if (a->isSeparator()) {
            out << path + "|-";
            continue;
        }
        // A hidden entry cannot be chosen whatever else it says.
        const QString flags = !a->isVisible() ? "hidden" : a->isEnabled() ? "" : "disabled";
        QString(a->isVisible() ? "" : "hidden") + (a->isEnabled() ? "" : "disabled");
        out << path + "|" + a->text() + "|" + a->shortcut().toString() + "|" + flags;
        if (a->menu())
            collect(a->menu()->actions(), path + "/" + a->text(), out);
    }
}

} // namespace

class tst_MainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        MAMMO_REQUIRE_TEST_BACKEND();
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }
    void failedLogInEndsQuietly();
    void refusedPatientComponentEnds();
    void goodStartUp();
    void menuTable();
    void toolbarKeys();
    void rightsCheck_data();
    void rightsCheck();
    void defaultInstanceScreensExistOnce();
};

void tst_MainWindow::failedLogInEndsQuietly() {
    TestDatabase db;
    FakeComponents components(db);
    components.configureSession = [](auto& s) { s.loginSucceeds = false; };
    ui::MsgBoxRecorder messages;
    shell::frmMain main;
    QVERIFY(!main.startUp());
    QVERIFY(components.session->shownMain);
    QCOMPARE(components.session->deptCode, QString("27"));
    QVERIFY(!main.isVisible());
    QVERIFY(main.monitors() == nullptr); // no timer was ever started
    QVERIFY(messages.shown().isEmpty());
    QVERIFY(components.session->commands().isEmpty());
}

void tst_MainWindow::refusedPatientComponentEnds() {
    TestDatabase db;
    FakeComponents components(db);
    components.patientComponentAccepts = false;
    ui::MsgBoxRecorder messages;
    shell::frmMain main;
    QVERIFY(!main.startUp());
    QCOMPARE(messages.texts(), QStringList{"Cannot Load Patient Class"});
    QCOMPARE(messages.shown().first().icon(), int(ui::vbCritical));
    QVERIFY(!main.monitors()->noticeTimer().isActive());
    QVERIFY(!main.monitors()->requestBlinkTimer().isActive());
}

void tst_MainWindow::goodStartUp() {
    TestDatabase db;
    db.load(kHospital);
    FakeComponents components(db);
    testsupport::RecordingAnnouncer announcer;
    ui::MsgBoxRecorder messages;
    shell::frmMain main;
    main.setAnnouncer(&announcer);
    QVERIFY(main.startUp());
    QCOMPARE(main.windowTitle(), QString("Visual Halcyra - Mammogram"));
    QCOMPARE(data::currentSession().hospitalName, QString("ST. AGATHA GENERAL HOSPITAL"));
    QCOMPARE(data::currentSession().hospitalAddress, QString("12 MABINI ST."));
    QCOMPARE(data::currentSession().clientCode, QString("VKT"));
    QCOMPARE(components.session->SQLConnection().defaultDatabase(), QString("RADIOLOGY"));
    QVERIFY(!main.usesMenuPicture()); // no marker picture in the test's folder
    QCOMPARE(main.monitors()->noticeTimer().interval(), 10000);
    QVERIFY(main.monitors()->noticeTimer().isActive());
    QVERIFY(main.monitors()->requestBlinkTimer().isActive());
    QVERIFY(messages.shown().isEmpty());
    // The start-up's reads, in their order.
    QCOMPARE(components.session->commands(),
             (QStringList{"select * from PATIENT_DATA..tbHospitalInfo",
                          "SELECT * from PATIENT_DATA..tbOPDCommunicationFile where RevenueID = "
                          "'MM'",
                          "Radiology..spRadio_LoadDischargeNoticeCount 'MM'",
                          "RADIOLOGY..spRadio_CheckPending 'MM'",
                          "SELECT * from PATIENT_DATA..tbOPDCommunicationFile where RevenueID = "
                          "'MM'"}));
    main.resize(1100, 700);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    testsupport::savePicture(&main, "mainwindow");
    main.close();
}

void tst_MainWindow::menuTable() {
    shell::frmMain main;
    QStringList entries;
    collect(main.menuBar()->actions(), "", entries);
    const QStringList expected{
        "|Re&quest||",
        "/Re&quest|&Assessment|Ctrl+A|",
        "/Re&quest|-",
        "/Re&quest|&Inpatient Request|Ctrl+I|",
        "/Re&quest|&Outpatient Request||",
        "/Re&quest/&Outpatient Request|Cash|Ctrl+L|",
        "/Re&quest/&Outpatient Request|Charge|Ctrl+O|",
        "/Re&quest|-",
        "/Re&quest|Receivable Entry||",
        "/Re&quest|-",
        "/Re&quest|E&xit|Ctrl+X|",
        "|&Results||",
        "/&Results|Result &Entry|F1|",
        "/&Results|Result &Inquiry|F2|",
        "|Re&ports||",
        "/Re&ports|&Audit Report||",
        "/Re&ports|&Transactions Report||",
        "/Re&ports|Statistical Report||",
        "/Re&ports|Monthly Report||",
        "/Re&ports|Film Consumption||",
        "/Re&ports|Monthly Report||hidden",
        "/Re&ports/Monthly Report|Sorted by Transaction Date||",
        "/Re&ports/Monthly Report|Grouped per Exam||",
        "/Re&ports|Doctor's Commision Report||hidden",
        "/Re&ports/Doctor's Commision Report|Based on the Transaction Date||",
        "/Re&ports/Doctor's Commision Report|Based on the Payment Date||",
        "/Re&ports|Census Report||",
        "/Re&ports|Census Report per Section||",
        "/Re&ports|-",
        "/Re&ports|Assessment &Status||",
        "/Re&ports|Logbook||",
        "/Re&ports/Logbook|InPatient||",
        "/Re&ports/Logbook|OutPatient||",
        "|Maintenance||",
        "/Maintenance|Charges Slip Reprinting|F8|",
        "/Maintenance|Walk-in Masterfile Update||disabled",
        "/Maintenance|Cancel Request||",
        "/Maintenance|Cost Center Slip Duplicate||",
        "/Maintenance|Verification||disabled",
        "/Maintenance|FileNum||",
        "/Maintenance|Patient's Ledger||",
        "/Maintenance|Build File||",
        "/Maintenance|List of Rates||disabled",
        "/Maintenance|-",
        "/Maintenance|Discharge Notice||",
        "/Maintenance|Build Interpretation||"};
    QCOMPARE(entries, expected);

    // The report entries hand over their type and, where they should, their caption.
    QStringList reports;
    std::function<void(const QList<shell::MenuItem>&)> walk = [&](const auto& items) {
        for (const shell::MenuItem& i : items) {
            if (i.command == "report")
                reports << QString("%1 %2 %3")
                               .arg(i.reportType)
                               .arg(i.passCaption ? i.caption : "-", i.patientType);
            walk(i.children);
        }
    };
    walk(shell::mainMenu());
    QCOMPARE(
        reports,
        (QStringList{"1 &Audit Report ", "2 &Transactions Report ", "5 Statistical Report ",
                     "12 Monthly Report ", "13 Film Consumption ", "6 - ", "7 - ", "9 - ", "10 - ",
                     "14 Census Report ", "15 Census Report per Section ", "11 - I", "11 - O"}));
}

void tst_MainWindow::toolbarKeys() {
    QStringList ran;
    for (const char* command : {"assess", "inpatient", "charge", "cash", "reprint"})
        shell::registerRoute(
            command, [&ran, command](shell::frmMain&, const shell::MenuItem&) { ran << command; });
    shell::frmMain main;
    for (const char* key : {"assess", "inpatient", "outpatient", "link"})
        main.findChild<QToolButton*>(QString("tbr_") + key)->click();
    main.toolbarKey("Outpatient"); // compared in capitals
    main.toolbarKey("nothing");
    QCOMPARE(ran, (QStringList{"assess", "inpatient", "charge", "cash", "charge"}));

    // Both reprint entries open the same screen; "Build File" does nothing.
    ran.clear();
    for (QAction* a : main.findChildren<QAction*>())
        if (a->text() == "Charges Slip Reprinting" || a->text() == "Cost Center Slip Duplicate" ||
            a->text() == "Build File")
            a->trigger();
    QCOMPARE(ran, (QStringList{"reprint", "reprint"}));
}

void tst_MainWindow::rightsCheck_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("hasRight");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("passes");
    QTest::newRow("right password and right") << "Opd1" << true << QStringList{} << true;
    QTest::newRow("other case") << "opd1" << true << QStringList{"Invalid Password!"} << false;
    QTest::newRow("no right") << "Opd1" << false << QStringList{"Unauthorized Access."} << false;
}

void tst_MainWindow::rightsCheck() {
    QFETCH(QString, typed);
    QFETCH(bool, hasRight);
    QFETCH(QStringList, messages);
    QFETCH(bool, passes);
    TestDatabase db;
    db.load(kHospital);
    FakeComponents components(db);
    components.configureSession = [hasRight](auto& s) {
        if (hasRight)
            s.rights.insert("A");
    };
    testsupport::RecordingAnnouncer announcer;
    ui::MsgBoxRecorder recorder;
    shell::frmMain main;
    main.setAnnouncer(&announcer);
    QVERIFY(main.startUp());

    testsupport::whenModalOpens([typed](QWidget* prompt) {
        auto* box = prompt->findChild<QLineEdit*>("txtPassword");
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
    });
    QCOMPARE(shell::passwordAndRightsCheck(&main), passes);
    QCOMPARE(recorder.texts(), messages);
    for (const ui::ShownMessage& m : recorder.shown())
        QCOMPARE(m.icon(), int(ui::vbCritical));
}

void tst_MainWindow::defaultInstanceScreensExistOnce() {
    shell::frmMain main;
    int made = 0;
    auto make = [&made] {
        ++made;
        return new QWidget;
    };
    QWidget* first = main.openOnce("frmReprint", make, true);
    QWidget* second = main.openOnce("frmReprint", make, true);
    QCOMPARE(first, second);
    QCOMPARE(made, 1);
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
    main.addChild(new QWidget);
    main.addChild(new QWidget);
    QCOMPARE(main.mdiArea()->subWindowList().size(), 3);
    main.close();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 0);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
