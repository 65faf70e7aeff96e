#include "src/shell/SetUpSettings.h"
#include "src/shell/frmAccess.h"
#include "src/shell/frmSetUp.h"
#include "src/ui/MsgBox.h"
#include "tests/support/FakeComponents.h"
#include "tests/support/ModalDriver.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using shell::SetUpSettings;
using testsupport::TestDatabase;

namespace {

struct Session {
    explicit Session(const TestDatabase& db)
        : component(db) {
        component.ShowMain();
        data::currentSession().sessionComponent = &component;
    }
    ~Session() { data::currentSession() = {}; }
    testsupport::FakeSessionComponent component;
};

bool checked(QWidget& w, const QString& name) {
    return w.findChild<QRadioButton*>(name)->isChecked();
}

QString text(QWidget& w, const QString& name) {
    return w.findChild<QLineEdit*>(name)->text();
}

} // namespace

class tst_SetUp : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { MAMMO_REQUIRE_TEST_BACKEND(); }
    void passwordPrompt_data();
    void passwordPrompt();
    void defaultsWithoutARow();
    void saveTexts_data();
    void saveTexts();
    void saveThenLoadRoundTrips();
};

void tst_SetUp::passwordPrompt_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pressEnter");
    QTest::addColumn<bool>("canAccess");
    QTest::newRow("exact") << "Opd'1" << true << true;
    QTest::newRow("letter case differs") << "opd'1" << true << false;
    QTest::newRow("part of it") << "Opd" << true << false;
    QTest::newRow("closed without Enter") << "Opd'1" << false << false;
}

void tst_SetUp::passwordPrompt() {
    QFETCH(QString, typed);
    QFETCH(bool, pressEnter);
    QFETCH(bool, canAccess);
    TestDatabase db;
    db.load("INSERT INTO PATIENT_DATA.tbHospitalInfo (RowKey, Company, ClientName, OPDPassword) "
            "VALUES (1, 'H', 'C', 'Opd''1')");
    Session session(db);
    shell::frmAccess prompt;
    prompt.show();
    auto* box = prompt.findChild<QLineEdit*>("txtPassword");
    QCOMPARE(box->echoMode(), QLineEdit::Password);
    QTest::keyClicks(box, typed);
    if (pressEnter)
        QTest::keyClick(box, Qt::Key_Return);
    else
        prompt.reject();
    QCOMPARE(prompt.CanAccess(), canAccess);
    QVERIFY(!prompt.isVisible()); // Enter closes it whatever the outcome
    QCOMPARE(prompt.windowTitle(), QString("ENTER PASSWORD : "));
}

void tst_SetUp::defaultsWithoutARow() {
    TestDatabase db;
    Session session(db);
    shell::frmSetUp setUp;
    setUp.load();
    QVERIFY(checked(setUp, "optCashBasis1"));   // OPD Rate
    QVERIFY(checked(setUp, "optPacs1"));        // Disable
    QVERIFY(checked(setUp, "optCompany2"));     // Rate H
    QVERIFY(checked(setUp, "optFileNoSetup0")); // All Section
    QCOMPARE(text(setUp, "txtMarkup"), QString("0"));
    QCOMPARE(text(setUp, "txtPMarkup"), QString("0"));
    QCOMPARE(text(setUp, "txtOperator"), QString(""));
    QCOMPARE(text(setUp, "txtFileNumber"), QString(""));
    QCOMPARE(text(setUp, "txtPrefix"), QString(""));
    QCOMPARE(text(setUp, "txtCompanyMarkup"), QString(""));
    QCOMPARE(session.component.commands(), QStringList{"Radiology..Sp_RadioSetup '1', 'MM'"});
}

void tst_SetUp::saveTexts_data() {
    QTest::addColumn<int>("cash");
    QTest::addColumn<int>("pacs");
    QTest::addColumn<int>("company");
    QTest::addColumn<int>("numbering");
    QTest::addColumn<QString>("expected");
    const QString head = "RAdiology..Sp_RadioSetup '2', 'MM' ,'";
    QTest::newRow("cash rate, PACS on, company on, per section")
        << 0 << 0 << 0 << 1 << head + "1','','10031', '30', '', '+','1','1','5','1','','MM'''";
    QTest::newRow("socialized, PACS off, Rate H, all sections")
        << 2 << 1 << 2 << 0 << head + "3','','10031', '30', '', '+','0','3','5','0','','MM'''";
    QTest::newRow("nothing chosen")
        << -1 << -1 << -1 << -1 << head + "2','','10031', '30', '', '+','','2','5','','','MM'''";
}

void tst_SetUp::saveTexts() {
    QFETCH(int, cash);
    QFETCH(int, pacs);
    QFETCH(int, company);
    QFETCH(int, numbering);
    QFETCH(QString, expected);
    SetUpSettings s;
    s.cashBasis = cash;
    s.pacs = pacs;
    s.company = company;
    s.fileNumbering = numbering;
    s.statMarkup = "30";
    s.portableMarkup = ""; // numbers go as typed, an empty one too
    s.markupOperator = "+";
    s.companyMarkup = "5";
    s.fileNumber = "";
    s.filePrefix = "MM'";
    QCOMPARE(s.saveCommand("10031"), expected);
}

void tst_SetUp::saveThenLoadRoundTrips() {
    TestDatabase db;
    Session session(db);
    ui::MsgBoxRecorder messages;
    {
        shell::frmSetUp setUp;
        setUp.load();
        setUp.findChild<QRadioButton*>("optCashBasis2")->setChecked(true);
        setUp.findChild<QRadioButton*>("optPacs0")->setChecked(true);
        setUp.findChild<QRadioButton*>("optFileNoSetup1")->setChecked(true);
        setUp.findChild<QLineEdit*>("txtFileNumber")->setText("120");
        setUp.findChild<QLineEdit*>("txtPrefix")->setText("MM-");
        setUp.findChild<QPushButton*>("cmdSave")->click();
        QCOMPARE(setUp.result(), int(QDialog::Accepted));
    }
    QCOMPARE(messages.texts(),
             QStringList{"Record has been successfully saved. Press OK to continue."});
    QCOMPARE(messages.shown().first().icon(), 0);

    shell::frmSetUp again;
    again.load();
    QVERIFY(checked(again, "optCashBasis2"));
    QVERIFY(checked(again, "optPacs0"));
    QVERIFY(checked(again, "optFileNoSetup1"));
    QVERIFY(checked(again, "optCompany2"));
    QCOMPARE(text(again, "txtFileNumber"), QString("120"));
    QCOMPARE(text(again, "txtPrefix"), QString("MM-"));
    testsupport::savePicture(&again, "setup");
}

QTEST_MAIN(tst_SetUp)
#include "tst_setup.moc"
