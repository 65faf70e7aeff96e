#include "src/shell/Announcer.h"
#include "src/shell/Monitors.h"
#include "tests/support/FakeComponents.h"
#include "tests/support/RecordingAnnouncer.h"

#include <QLineEdit>
#include <QtTest>

using shell::Monitors;
using testsupport::TestDatabase;

namespace {

const QStringList kAnnouncement{"Show",
                                "BalloonStyle 1",
                                "MoveTo 630 1",
                                "Play announce",
                                "Speak You have a discharge notice!",
                                "Speak Double Click on the wizard.",
                                "BalloonVisible 0",
                                "Play idle1_1"};

// The indicators and a session component over a test database.
struct Bench {
    explicit Bench(const TestDatabase& db)
        : session(db) {
        session.ShowMain();
        data::currentSession().sessionComponent = &session;
        pendingPanel.hide();
        opd.hide();
        monitors = std::make_unique<Monitors>(
            Monitors::Indicators{&opd, &pendingText, [this](bool on) { opd.setVisible(on); },
                                 [this](bool on) { pendingPanel.setVisible(on); }},
            &character);
    }
    ~Bench() { data::currentSession() = {}; }

    testsupport::FakeSessionComponent session;
    QLineEdit opd;
    QWidget pendingPanel;
    QLineEdit pendingText;
    testsupport::RecordingAnnouncer character;
    std::unique_ptr<Monitors> monitors;
};

QString notice(const QString& id, bool mmCleared, bool endoCleared) {
    return QString("INSERT INTO PATIENT_DATA.tbDischargeNotice (IdNum, HospNum, MMClearDate, "
                   "ENDOClearDate) VALUES ('%1', 'H1', %2, %3);\n")
        .arg(id, mmCleared ? "'2026-12-01 09:00:00'" : "NULL",
             endoCleared ? "'2026-12-01 09:00:00'" : "NULL");
}

} // namespace

class tst_Monitors : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { MAMMO_REQUIRE_TEST_BACKEND(); }
    void blinkPhasesAndColours();
    void marqueeTypesTheMessage();
    void pendingCheck_data();
    void pendingCheck();
    void noticeAndAnnouncerInterplay();
    void doubleClickRunsTheDischargeFlowThenChecks();
};

void tst_Monitors::blinkPhasesAndColours() {
    TestDatabase db;
    Bench bench(db);
    Monitors& m = *bench.monitors;
    QCOMPARE(m.requestBlinkTimer().interval(), 2000);
    const QList<int> phases{1, 2, 3, 0, 1};
    for (int expected : phases) {
        m.requestBlinkTick();
        QCOMPARE(m.blinkPhase(), expected);
        QCOMPARE(m.requestBlinkTimer().interval(), 500);
        const QColor colour = bench.opd.palette().color(QPalette::Base);
        QCOMPARE(colour, expected % 2 == 0 ? QColor(0, 128, 128) : QColor(0, 0, 64));
    }
    QVERIFY(bench.opd.isHidden()); // it blinks while hidden
}

void tst_Monitors::marqueeTypesTheMessage() {
    TestDatabase db;
    Bench bench(db);
    Monitors& m = *bench.monitors;
    QStringList shown;
    for (int tick = 0; tick < 38; ++tick) {
        m.marqueeTick();
        shown << bench.pendingText.text();
    }
    const QString message = "There are pending requests issued.";
    QCOMPARE(message.size(), 34);
    QCOMPARE(shown[0], QString("")); // position 0 shows nothing yet
    QCOMPARE(shown[1], QString("T"));
    QCOMPARE(shown[34], message);      // complete
    QCOMPARE(shown[35], message);      // stays for one extra tick
    QCOMPARE(shown[36], QString("T")); // and starts again
    QCOMPARE(shown[37], QString("Th"));
}

void tst_Monitors::pendingCheck_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<bool>("panelShown");
    QTest::addColumn<bool>("opdShown");
    QTest::newRow("nothing waits") << "" << false << false;
    QTest::newRow("a pending nurse request and an OPD line")
        << "INSERT INTO RADIOLOGY.tbNurseRequest (IdNum, ItemID, RequestDate, HospNum, RevenueID, "
           "Status) VALUES ('A1', 'MM001', '2026-12-01 08:00:00', 'H1', 'MM', 'P');\n"
           "INSERT INTO PATIENT_DATA.tbOPDCommunicationFile (IdNum, RequestNum, ItemID, HospNum, "
           "RevenueID, RequestDate) VALUES ('O1', 'R1', 'MM001', 'H1', 'MM', '2026-12-01 "
           "08:00:00')"
        << true << true;
    QTest::newRow("revoked requests and another section's lines")
        << "INSERT INTO RADIOLOGY.tbNurseRequest (IdNum, ItemID, RequestDate, HospNum, RevenueID, "
           "Status) VALUES ('A1', 'MM001', '2026-12-01 08:00:00', 'H1', 'MM', 'R');\n"
           "INSERT INTO PATIENT_DATA.tbOPDCommunicationFile (IdNum, RequestNum, ItemID, HospNum, "
           "RevenueID, RequestDate) VALUES ('O1', 'R1', 'XR001', 'H1', 'XR', '2026-12-01 "
           "08:00:00')"
        << false << false;
}

void tst_Monitors::pendingCheck() {
    QFETCH(QString, fixture);
    QFETCH(bool, panelShown);
    QFETCH(bool, opdShown);
    TestDatabase db;
    if (!fixture.isEmpty())
        db.load(fixture);
    Bench bench(db);
    bench.monitors->marqueeTimer().start();
    bench.monitors->pendingCheck();
    QCOMPARE(!bench.pendingPanel.isHidden(), panelShown);
    QCOMPARE(bench.monitors->marqueeTimer().isActive(), panelShown);
    QCOMPARE(!bench.opd.isHidden(), opdShown);
    QCOMPARE(bench.session.commands(),
             (QStringList{"RADIOLOGY..spRadio_CheckPending 'MM'",
                          "SELECT * from PATIENT_DATA..tbOPDCommunicationFile where RevenueID = "
                          "'MM'"}));
}

void tst_Monitors::noticeAndAnnouncerInterplay() {
    TestDatabase db;
    // The section has a notice to clear; the second count has none.
    db.load(notice("A1", false, true) + notice("A2", true, true));
    Bench bench(db);
    Monitors& m = *bench.monitors;
    m.holdNoticeTimers();
    QCOMPARE(m.noticeTimer().interval(), 10000);

    m.noticeCheck();
    QCOMPARE(bench.character.actions, kAnnouncement);
    QVERIFY(m.announcerTimer().isActive());
    QVERIFY(m.noticeTimer().isActive());

    bench.character.actions.clear();
    m.announcerCheck();
    QCOMPARE(bench.character.actions, QStringList{"Hide"});
    QVERIFY(!m.announcerTimer().isActive());
    QVERIFY(m.noticeTimer().isActive());

    // Cleared everywhere: the next notice check hides the character.
    db.load("UPDATE PATIENT_DATA.tbDischargeNotice SET MMClearDate = '2026-12-02 10:00:00'");
    bench.character.actions.clear();
    m.noticeCheck();
    QCOMPARE(bench.character.actions, QStringList{"Hide"});
    QVERIFY(!m.announcerTimer().isActive());

    // The second count alone keeps the character announcing.
    db.load("UPDATE PATIENT_DATA.tbDischargeNotice SET ENDOClearDate = NULL");
    bench.character.actions.clear();
    m.announcerCheck();
    QCOMPARE(bench.character.actions, kAnnouncement);
    QVERIFY(m.announcerTimer().isActive());
    QCOMPARE(bench.session.commands().last(),
             QString("Clinical_ARea..sp_Endo_LoadDischargeNoticeCount "));
}

void tst_Monitors::doubleClickRunsTheDischargeFlowThenChecks() {
    TestDatabase db;
    db.load(notice("A1", false, false));
    Bench bench(db);
    bool flowRan = false;
    bench.monitors->setDischargeNoticeFlow([&] {
        flowRan = true;
        QVERIFY(!bench.monitors->noticeTimer().isActive()); // held off while it runs
    });
    emit bench.character.doubleClicked();
    QVERIFY(flowRan);
    QCOMPARE(bench.session.commands().last(),
             QString("Radiology..spRadio_LoadDischargeNoticeCount 'MM'"));
    QVERIFY(bench.monitors->noticeTimer().isActive());
}

QTEST_MAIN(tst_Monitors)
#include "tst_monitors.moc"
