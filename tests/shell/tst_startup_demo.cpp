#include "his/Components.h"
#include "his/DemoDatabase.h"
#include "his/PasswordHasher.h"
#include "server/demo/DemoData.h"
#include "src/data/SharedComponents.h"
#include "src/shell/Monitors.h"
#include "src/shell/WizardCharacter.h"
#include "src/shell/frmMain.h"
#include "src/ui/MsgBox.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/TestDatabase.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

// The program as a user meets it: the real components, the demonstration
// data, a log-in through the dialog, and the main window with its monitors.
class tst_StartUpDemo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        MAMMO_REQUIRE_TEST_BACKEND();
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        his::PasswordHasher::setDefaultCost(his::PasswordHasher::Cost::Minimum);
        his::registerComponents();
    }
    void logInAndSeeTheWaitingWork();
};

void tst_StartUpDemo::logInAndSeeTheWaitingWork() {
    testsupport::TestDatabase db;
    {
        auto backend = server::Backend::open(db.target(), server::Backend::Mode::OpenExisting);
        server::loadDemoData(*backend, 20261211, QDate(2026, 12, 11));
        his::setDemoPasswords(*backend);
    }
    const QString target = db.target();
    QString dialogTitle;
    testsupport::whenModalOpens([&](QWidget* dialog) {
        dialogTitle = dialog->windowTitle();
        dialog->findChild<QLineEdit*>("txtServer")->setText(target);
        dialog->findChild<QLineEdit*>("txtUserID")->setText("10031");
        dialog->findChild<QLineEdit*>("txtPassword")->setText("super31");
        testsupport::savePicture(dialog, "login_demo");
        dialog->findChild<QPushButton*>("cmdLogIn")->click();
    });

    ui::MsgBoxRecorder messages;
    shell::WizardCharacter wizard(QCoreApplication::applicationDirPath() + "/../app/merlin.svg",
                                  false);
    shell::frmMain main;
    main.setAnnouncer(&wizard);
    QVERIFY(main.startUp());
    QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.texts().join("; ")));
    QVERIFY(!dialogTitle.isEmpty());
    QCOMPARE(main.windowTitle(), QString("Visual Halcyra - Mammogram"));
    QVERIFY(!data::currentSession().hospitalName.isEmpty());
    QCOMPARE(data::currentSession().sessionComponent->EmployeeCode(), QString("10031"));
    QVERIFY(data::currentSession().sessionComponent->HAVE_RIGHTS("A"));

    main.resize(1200, 720);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    // The demonstration data holds pending nurse requests, OPD lines and
    // uncleared discharge notices: every indicator shows, the wizard announces.
    QVERIFY(!main.findChild<QWidget*>("fraPending")->isHidden());
    QVERIFY(!main.findChild<QWidget*>("txtOPDRequests")->isHidden());
    QVERIFY(main.monitors()->announcerTimer().isActive());
    QTRY_VERIFY(wizard.window()->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(wizard.balloonText(), QString("You have a discharge notice!"), 5000);
    testsupport::savePicture(&main, "mainwindow_demo");
    testsupport::savePicture(wizard.window(), "announcer");
    main.close();
    data::currentSession() = {};
}

QTEST_MAIN(tst_StartUpDemo)
#include "tst_startup_demo.moc"
