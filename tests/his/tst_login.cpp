#include "his/Authenticator.h"
#include "his/Components.h"
#include "his/DemoDatabase.h"
#include "his/PasswordHasher.h"
#include "his/clsCodeSearch.h"
#include "his/clsCurrentUser.h"
#include "his/clsPatientSearch.h"
#include "his/frmLogIn.h"
#include "server/Backend.h"
#include "src/data/Connection.h"
#include "src/ui/MsgBox.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/TestDatabase.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

namespace {

const QDateTime kNoon(QDate(2025, 3, 10), QTime(12, 0, 0));

// Users of the fixture: an active clerk with right "E", a supervisor with
// "A" for the section's department 27, a user holding "A" only for
// department 15, one who has left, and one who has no password yet.
void loadUsers(const testsupport::TestDatabase& db) {
    const his::PasswordHasher hasher;
    db.load(QString("INSERT INTO PASSWORD.tbPasswordMain (EmployeeID, LastName, FirstName, "
                    "MiddleName, Position, PasswordHash, FailedAttempts, Active) VALUES "
                    "('E100', 'DELA CRUZ', 'ANA', 'M', 'CLERK', '%1', 0, 'Y'), "
                    "('E200', 'REYES', 'BEN', NULL, 'SUPERVISOR', '%2', 0, 'Y'), "
                    "('E300', 'LIM', 'CORA', NULL, 'BILLING CLERK', '%3', 0, 'Y'), "
                    "('E400', 'TAN', 'DINO', NULL, 'SUPERVISOR', '%4', 0, 'N'), "
                    "('E500', 'GO', 'EVA', NULL, 'CLERK', NULL, 0, 'Y');\n"
                    "INSERT INTO PASSWORD.tbPasswordRights (EmployeeID, DeptCode, RightCode) "
                    "VALUES ('E100', '27', 'E'), ('E200', '27', 'A'), ('E200', '27', 'E'), "
                    "('E300', '15', 'A'), ('E400', '27', 'A')")
                .arg(hasher.hash("ana-pass"), hasher.hash("ben-pass"), hasher.hash("cora-pass"),
                     hasher.hash("dino-pass")));
}

struct LogEntry {
    QString activity;
    QString remarks;
};

QList<LogEntry> userLog(const testsupport::TestDatabase& db, const QString& employee) {
    auto session = db.open();
    const server::Result r =
        session->backend().query("SELECT Activity, Remarks FROM BUILD_FILE.tbUserLog WHERE "
                                 "EmployeeID = :id ORDER BY LogID",
                                 {{"id", employee}});
    QList<LogEntry> out;
    for (const server::Row& row : r.rows)
        out << LogEntry{row[0].toString(), row[1].toString()};
    return out;
}

QString storedHash(const testsupport::TestDatabase& db, const QString& employee) {
    auto session = db.open();
    return session->backend()
        .scalar("SELECT PasswordHash FROM PASSWORD.tbPasswordMain WHERE EmployeeID = :id",
                {{"id", employee}})
        .toString();
}

// A session component logged in to the fixture at the given time.
class Session {
public:
    explicit Session(const testsupport::TestDatabase& db)
        : m_db(db) {
        m_user.setPasswordDeptCode("27");
        m_user.setClock([this] { return m_now; });
    }
    bool logIn(const QString& id, const QString& password) {
        return m_user.logIn(m_db.target(), id, password);
    }
    his::clsCurrentUser& user() { return m_user; }
    void setNow(const QDateTime& now) { m_now = now; }

private:
    const testsupport::TestDatabase& m_db;
    his::clsCurrentUser m_user;
    QDateTime m_now = kNoon;
};

struct DialogSeen {
    bool found = false;
    bool stayedOpen = false;
    QString passwordAfter;
    bool enterMovedToPassword = false;
};

} // namespace

class tst_Login : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void logInAnswers_data();
    void logInAnswers();
    void fiveWrongPasswordsLockForFifteenMinutes();
    void onlyWrongPasswordsInARowCount();
    void oldCostHashIsRenewedAtLogIn();
    void rightsByDepartment_data();
    void rightsByDepartment();
    void serverCredentialsNeverCarryTheUsersPassword();
    void dialogLogsInAndKeepsTheServer();
    void dialogStaysOpenAfterRefusalAndCancelDisconnects();
    void dialogShowsDatabaseErrorAndStaysUsable();
    void defaultServerIsTheDemoDatabaseCreatedOnFirstUse();
    void dialogPicture();
    void factoryMakesTheComponentsAndTakesStandIns();
};

void tst_Login::initTestCase() {
    MAMMO_REQUIRE_TEST_BACKEND();
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    his::PasswordHasher::setDefaultCost(his::PasswordHasher::Cost::Minimum);
}

void tst_Login::init() {
    QSettings(QSettings::IniFormat, QSettings::UserScope, "mammo", "session").clear();
}

void tst_Login::logInAnswers_data() {
    QTest::addColumn<QString>("userId");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("loggedAs");
    QTest::addColumn<QString>("logged");

    const QString refused = his::Authenticator::refusedMessage();
    QTest::newRow("right password") << "E100"
                                    << "ana-pass" << true << "E100"
                                    << "LOG IN";
    QTest::newRow("blanks around the id") << " E100 "
                                          << "ana-pass" << true << "E100"
                                          << "LOG IN";
    QTest::newRow("wrong password") << "E100"
                                    << "ana-pas" << false << "E100"
                                    << "LOG IN REFUSED|WRONG PASSWORD 1 OF 5";
    QTest::newRow("password differs in case") << "E100"
                                              << "ANA-PASS" << false << "E100"
                                              << "LOG IN REFUSED|WRONG PASSWORD 1 OF 5";
    QTest::newRow("unknown user") << "E999"
                                  << "ana-pass" << false << "E999"
                                  << "LOG IN REFUSED|NO SUCH USER";
    QTest::newRow("user who has left") << "E400"
                                       << "dino-pass" << false << "E400"
                                       << "LOG IN REFUSED|INACTIVE";
    QTest::newRow("user without a password") << "E500"
                                             << "" << false << "E500"
                                             << "LOG IN REFUSED|NO PASSWORD";
    QTest::newRow("quote in the id") << "E1'00"
                                     << "x" << false << "E1'00"
                                     << "LOG IN REFUSED|NO SUCH USER";
}

void tst_Login::logInAnswers() {
    QFETCH(QString, userId);
    QFETCH(QString, password);
    QFETCH(bool, accepted);
    QFETCH(QString, loggedAs);
    QFETCH(QString, logged);
    testsupport::TestDatabase db;
    loadUsers(db);
    ui::MsgBoxRecorder messages;
    Session session(db);

    QCOMPARE(session.logIn(userId, password), accepted);
    QCOMPARE(session.user().Connected(), accepted);
    if (accepted) {
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(session.user().EmployeeCode(), QString("E100"));
        QCOMPARE(session.user().EmployeeName(), QString("DELA CRUZ, ANA"));
    } else {
        // The same words whether the user exists or not.
        QCOMPARE(messages.texts(), QStringList{his::Authenticator::refusedMessage()});
        QCOMPARE(session.user().EmployeeCode(), QString());
    }
    const QList<LogEntry> log = userLog(db, loggedAs);
    QCOMPARE(log.size(), 1);
    const QStringList expected = logged.split('|');
    QCOMPARE(log[0].activity, expected[0]);
    if (expected.size() > 1)
        QCOMPARE(log[0].remarks, expected[1]);
}

void tst_Login::fiveWrongPasswordsLockForFifteenMinutes() {
    testsupport::TestDatabase db;
    loadUsers(db);
    ui::MsgBoxRecorder messages;
    Session session(db);

    for (int i = 1; i <= 4; ++i)
        QVERIFY(!session.logIn("E100", "wrong"));
    QCOMPARE(messages.texts(), QStringList(4, his::Authenticator::refusedMessage()));
    messages.clear();

    QVERIFY(!session.logIn("E100", "wrong"));
    const QDateTime until = kNoon.addSecs(15 * 60);
    QCOMPARE(messages.texts(), QStringList{his::Authenticator::lockedMessage(until)});
    QVERIFY(messages.texts()[0].contains("fifteen minutes"));
    QVERIFY(messages.texts()[0].contains("12:15"));
    messages.clear();

    // The right password does not open a locked account.
    session.setNow(until.addSecs(-1));
    QVERIFY(!session.logIn("E100", "ana-pass"));
    QCOMPARE(messages.texts(), QStringList{his::Authenticator::lockedMessage(until)});
    QVERIFY(!session.user().Connected());
    messages.clear();

    // Fifteen minutes later the count starts again: one wrong password does
    // not lock, the right one logs in.
    session.setNow(until);
    QVERIFY(!session.logIn("E100", "wrong"));
    QCOMPARE(messages.texts(), QStringList{his::Authenticator::refusedMessage()});
    QVERIFY(session.logIn("E100", "ana-pass"));
    QVERIFY(session.user().Connected());

    QStringList activities;
    for (const LogEntry& e : userLog(db, "E100"))
        activities << e.activity + ": " + e.remarks;
    QCOMPARE(activities, (QStringList{
                             "LOG IN REFUSED: WRONG PASSWORD 1 OF 5",
                             "LOG IN REFUSED: WRONG PASSWORD 2 OF 5",
                             "LOG IN REFUSED: WRONG PASSWORD 3 OF 5",
                             "LOG IN REFUSED: WRONG PASSWORD 4 OF 5",
                             "LOG IN REFUSED: WRONG PASSWORD 5 OF 5; LOCKED UNTIL " +
                                 server::Backend::timestampText(until),
                             "LOG IN REFUSED: LOCKED",
                             "LOG IN REFUSED: WRONG PASSWORD 1 OF 5",
                             "LOG IN: ",
                         }));
}

void tst_Login::onlyWrongPasswordsInARowCount() {
    testsupport::TestDatabase db;
    loadUsers(db);
    ui::MsgBoxRecorder messages;
    Session session(db);

    for (int i = 0; i < 4; ++i)
        QVERIFY(!session.logIn("E100", "wrong"));
    QVERIFY(session.logIn("E100", "ana-pass"));
    for (int i = 0; i < 4; ++i)
        QVERIFY(!session.logIn("E100", "wrong"));
    // Another user's failures lock only that user.
    for (int i = 0; i < 5; ++i)
        QVERIFY(!session.logIn("E200", "wrong"));
    QVERIFY(session.logIn("E100", "ana-pass"));
    QVERIFY(!session.logIn("E200", "ben-pass"));
    QCOMPARE(messages.texts().last(), his::Authenticator::lockedMessage(kNoon.addSecs(15 * 60)));
}

void tst_Login::oldCostHashIsRenewedAtLogIn() {
    testsupport::TestDatabase db;
    loadUsers(db);
    const QString old = his::PasswordHasher(his::PasswordHasher::Cost::Interactive).hash("new-pw");
    db.load("UPDATE PASSWORD.tbPasswordMain SET PasswordHash = '" + old +
            "' WHERE EmployeeID = 'E100'");
    ui::MsgBoxRecorder messages;
    Session session(db);

    QVERIFY(session.logIn("E100", "new-pw"));
    const QString renewed = storedHash(db, "E100");
    QVERIFY(renewed != old);
    QVERIFY(renewed.startsWith("$argon2id$"));
    const his::PasswordHasher hasher;
    QVERIFY(hasher.verify(renewed, "new-pw"));
    QVERIFY(!hasher.needsRehash(renewed));
    QCOMPARE(userLog(db, "E100").last().remarks, QString("PASSWORD REHASHED"));

    // A hash already at today's cost stays as it is.
    QVERIFY(session.logIn("E100", "new-pw"));
    QCOMPARE(storedHash(db, "E100"), renewed);
}

void tst_Login::rightsByDepartment_data() {
    QTest::addColumn<QString>("userId");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("department");
    QTest::addColumn<QString>("right");
    QTest::addColumn<bool>("holds");

    QTest::newRow("supervisor, A of 27") << "E200"
                                         << "ben-pass"
                                         << "27"
                                         << "A" << true;
    QTest::newRow("supervisor, E of 27") << "E200"
                                         << "ben-pass"
                                         << "27"
                                         << "E" << true;
    QTest::newRow("supervisor, A of 15") << "E200"
                                         << "ben-pass"
                                         << "15"
                                         << "A" << false;
    QTest::newRow("clerk, A of 27") << "E100"
                                    << "ana-pass"
                                    << "27"
                                    << "A" << false;
    QTest::newRow("clerk, E of 27") << "E100"
                                    << "ana-pass"
                                    << "27"
                                    << "E" << true;
    QTest::newRow("A of 15 only, asked for 27") << "E300"
                                                << "cora-pass"
                                                << "27"
                                                << "A" << false;
    QTest::newRow("A of 15 only, asked for 15") << "E300"
                                                << "cora-pass"
                                                << "15"
                                                << "A" << true;
    QTest::newRow("right code with a quote") << "E200"
                                             << "ben-pass"
                                             << "27"
                                             << "A'" << false;
}

void tst_Login::rightsByDepartment() {
    QFETCH(QString, userId);
    QFETCH(QString, password);
    QFETCH(QString, department);
    QFETCH(QString, right);
    QFETCH(bool, holds);
    testsupport::TestDatabase db;
    loadUsers(db);
    ui::MsgBoxRecorder messages;
    Session session(db);
    session.user().setPasswordDeptCode(department);

    QVERIFY(!session.user().HAVE_RIGHTS(right)); // nobody logged in yet
    QVERIFY(session.logIn(userId, password));
    QCOMPARE(session.user().HAVE_RIGHTS(right), holds);
}

void tst_Login::serverCredentialsNeverCarryTheUsersPassword() {
    testsupport::TestDatabase db;
    loadUsers(db);
    ui::MsgBoxRecorder messages;
    Session session(db);
    QVERIFY(session.logIn("E200", "ben-pass"));

    his::clsCurrentUser& user = session.user();
    QCOMPARE(user.UserID(), QString("E200"));
    const QUrl url(db.target());
    if (server::Backend::isPostgresTarget(db.target())) {
        QCOMPARE(user.ServerPassword(), url.password());
        QVERIFY(url.password().isEmpty() || !user.ServerName().contains(url.password()));
        QCOMPARE(QUrl(user.ServerName()).path(), url.path());
    } else {
        QCOMPARE(user.ServerName(), db.target());
        QCOMPARE(user.ServerPassword(), QString());
    }
    for (const QString& shown : {user.ServerName(), user.UserID(), user.ServerPassword()})
        QVERIFY(!shown.contains("ben-pass"));
}

void tst_Login::dialogLogsInAndKeepsTheServer() {
    testsupport::TestDatabase db;
    loadUsers(db);
    ui::MsgBoxRecorder messages;
    his::clsCurrentUser user;
    DialogSeen seen;
    testsupport::whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<his::frmLogIn*>(modal);
        if (!dialog)
            return;
        seen.found = dialog->windowTitle().contains("Log In");
        dialog->findChild<QLineEdit*>("txtServer")->setText(db.target());
        QTest::keyClicks(dialog->findChild<QLineEdit*>("txtUserID"), "E100");
        QTest::keyClick(dialog->findChild<QLineEdit*>("txtUserID"), Qt::Key_Return);
        // Enter moved on to the password; Enter there logs in.
        QWidget* next = dialog->focusWidget();
        seen.enterMovedToPassword = next && next->objectName() == "txtPassword";
        if (!seen.enterMovedToPassword)
            next = dialog->findChild<QLineEdit*>("txtPassword");
        QTest::keyClicks(next, "ana-pass");
        QTest::keyClick(next, Qt::Key_Return);
    });
    user.ShowMain();
    QVERIFY(seen.found);
    QVERIFY(seen.enterMovedToPassword);
    QVERIFY(user.Connected());
    QCOMPARE(user.EmployeeCode(), QString("E100"));
    QVERIFY(messages.shown().isEmpty());
    QCOMPARE(user.SQLConnection()
                 .open("SELECT COUNT(*) AS N FROM PASSWORD..tbPasswordMain")["N"]
                 .number(),
             5.0);
    // The next log-in offers the server used last.
    QCOMPARE(his::clsCurrentUser::offeredServer(), user.ServerName());
}

void tst_Login::dialogStaysOpenAfterRefusalAndCancelDisconnects() {
    testsupport::TestDatabase db;
    loadUsers(db);
    ui::MsgBoxRecorder messages;
    his::clsCurrentUser user;
    DialogSeen seen;
    testsupport::whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<his::frmLogIn*>(modal);
        if (!dialog)
            return;
        seen.found = true;
        dialog->findChild<QLineEdit*>("txtServer")->setText(db.target());
        dialog->findChild<QLineEdit*>("txtUserID")->setText("E100");
        dialog->findChild<QLineEdit*>("txtPassword")->setText("wrong");
        dialog->findChild<QPushButton*>("cmdLogIn")->click();
        seen.stayedOpen = dialog->isVisible();
        seen.passwordAfter = dialog->findChild<QLineEdit*>("txtPassword")->text();
        dialog->findChild<QPushButton*>("cmdCancel")->click();
    });
    user.ShowMain();
    QVERIFY(seen.found);
    QVERIFY(seen.stayedOpen);
    QCOMPARE(seen.passwordAfter, QString());
    QCOMPARE(messages.texts(), QStringList{his::Authenticator::refusedMessage()});
    QVERIFY(!user.Connected());
    QVERIFY(!user.HAVE_RIGHTS("E"));
    QVERIFY_THROWS_EXCEPTION(data::DbError, user.SQLConnection());
}

void tst_Login::dialogShowsDatabaseErrorAndStaysUsable() {
    testsupport::TestDatabase db;
    loadUsers(db);
    QTemporaryDir empty;
    const QString missing = empty.filePath("no-database-here");
    ui::MsgBoxRecorder messages;
    his::clsCurrentUser user;
    DialogSeen seen;
    testsupport::whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<his::frmLogIn*>(modal);
        if (!dialog)
            return;
        seen.found = true;
        dialog->findChild<QLineEdit*>("txtServer")->setText(missing);
        dialog->findChild<QLineEdit*>("txtUserID")->setText("E100");
        dialog->findChild<QLineEdit*>("txtPassword")->setText("ana-pass");
        dialog->findChild<QPushButton*>("cmdLogIn")->click();
        seen.stayedOpen = dialog->isVisible();
        // The user corrects the server and logs in.
        dialog->findChild<QLineEdit*>("txtServer")->setText(db.target());
        dialog->findChild<QLineEdit*>("txtPassword")->setText("ana-pass");
        dialog->findChild<QPushButton*>("cmdLogIn")->click();
    });
    user.ShowMain();
    QVERIFY(seen.found);
    QVERIFY(seen.stayedOpen);
    QCOMPARE(messages.shown().size(), 1);
    QCOMPARE(messages.shown()[0].icon(), int(ui::vbCritical));
    QVERIFY2(!messages.shown()[0].text.isEmpty(), "the error's description is shown");
    QVERIFY(user.Connected());
}

void tst_Login::defaultServerIsTheDemoDatabaseCreatedOnFirstUse() {
    if (testsupport::testBackend() != "sqlite")
        QSKIP("The demonstration database is embedded; the SQLite run covers it.");
    const QString folder = his::defaultDemoFolder();
    QVERIFY(folder.contains(".qttest")); // test mode keeps the user's own one untouched
    QDir(folder).removeRecursively();
    QCOMPARE(his::clsCurrentUser::offeredServer(), folder);

    ui::MsgBoxRecorder messages;
    his::clsCurrentUser user;
    user.setPasswordDeptCode("27");
    QVERIFY(user.logIn("", "10031", "super31"));
    QCOMPARE(user.ServerName(), folder);
    QVERIFY(user.HAVE_RIGHTS("A"));
    QVERIFY(QFileInfo::exists(folder));
    QVERIFY(!user.logIn(folder, "10021", "super31"));
    QVERIFY(user.logIn(folder, "10021", "clerk21"));
    QVERIFY(!user.HAVE_RIGHTS("A"));
    QDir(folder).removeRecursively();
}

void tst_Login::dialogPicture() {
    his::frmLogIn dialog(nullptr, his::defaultDemoFolder(),
                         [](const QString&, const QString&, const QString&) { return false; });
    dialog.setServer(his::defaultDemoFolder());
    dialog.show();
    auto* note = dialog.findChild<QLabel*>("lblDemoNote");
    QVERIFY(note->isVisible());
    QVERIFY(note->text().contains("demonstration database"));
    QVERIFY(dialog.findChild<QLineEdit*>("txtPassword")->echoMode() == QLineEdit::Password);
    QVERIFY(QFileInfo::exists(testsupport::savePicture(&dialog, "his_login")));

    // Another server hides the note.
    dialog.setServer("postgresql://mammo@db.hospital/mammo");
    QVERIFY(!note->isVisible());
}

void tst_Login::factoryMakesTheComponentsAndTakesStandIns() {
    his::registerComponents();
    QVERIFY(data::ComponentFactory::createAs<his::clsCurrentUser>("HALCYRA_User.clsCurrentUser"));
    QVERIFY(data::ComponentFactory::createAs<his::clsCodeSearch>("codesearchform.clscodesearch"));
    QVERIFY(
        data::ComponentFactory::createAs<his::clsPatientSearch>("MasterSearch.clsPatientSearch"));

    class StandIn final : public data::Component {};
    data::ComponentFactory::registerClass(data::kPatientSearchClassId,
                                          [] { return std::make_unique<StandIn>(); });
    QVERIFY(!data::ComponentFactory::createAs<data::IPatientSearch>(data::kPatientSearchClassId));
    QVERIFY(data::ComponentFactory::createAs<StandIn>(data::kPatientSearchClassId));
    his::registerComponents();
}

QTEST_MAIN(tst_Login)
#include "tst_login.moc"
