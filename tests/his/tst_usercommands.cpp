#include "app/DatabaseTool.h"
#include "his/DemoDatabase.h"
#include "his/PasswordHasher.h"
#include "his/clsCurrentUser.h"
#include "server/Backend.h"
#include "src/ui/MsgBox.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/ToolRun.h"

#include <QStandardPaths>
#include <QtTest>

using testsupport::runTool;
using testsupport::ToolRun;

namespace {

QStringList userRow(const testsupport::TestDatabase& db, const QString& id) {
    auto backend = server::Backend::open(db.target(), server::Backend::Mode::OpenExisting);
    const server::Result r = backend->query(
        "SELECT LastName, FirstName, MiddleName, Position, Active, PasswordHash FROM "
        "PASSWORD.tbPasswordMain WHERE EmployeeID = :id",
        {{"id", id}});
    if (r.rows.isEmpty())
        return {};
    QStringList out;
    for (const QVariant& v : r.rows[0])
        out << v.toString();
    return out;
}

bool logsIn(const testsupport::TestDatabase& db, const QString& id, const QString& password,
            const QString& right = QString()) {
    ui::MsgBoxRecorder messages;
    his::clsCurrentUser user;
    user.setPasswordDeptCode("27");
    return user.logIn(db.target(), id, password) && (right.isEmpty() || user.HAVE_RIGHTS(right));
}

} // namespace

class tst_UserCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        MAMMO_REQUIRE_TEST_BACKEND();
        QStandardPaths::setTestModeEnabled(true);
        his::PasswordHasher::setDefaultCost(his::PasswordHasher::Cost::Minimum);
    }
    void addedUserLogsInWithHashedPassword();
    void grantRevokeAndPassword();
    void unlockLiftsTheLock();
    void refusals_data();
    void refusals();
    void demoPasswordsLetEveryDemoUserIn();
};

void tst_UserCommands::addedUserLogsInWithHashedPassword() {
    testsupport::TestDatabase db;
    const ToolRun added = runTool({"user", "add", db.target(), "E700", "dela paz", "rita",
                                   "--middle", "c", "--position", "clerk", "--password", "pw-7"});
    QCOMPARE(added.status, 0);
    QVERIFY2(added.out.contains("User E700 added."), qPrintable(added.out));
    const QStringList row = userRow(db, "E700");
    QCOMPARE(row.mid(0, 5), (QStringList{"DELA PAZ", "RITA", "C", "CLERK", "Y"}));
    QVERIFY(row[5].startsWith("$argon2id$"));
    QVERIFY(!row[5].contains("pw-7"));
    QVERIFY(logsIn(db, "E700", "pw-7"));

    // Without a password the user exists but cannot log in yet.
    QCOMPARE(runTool({"user", "add", db.target(), "E701", "SY", "LEA"}).status, 0);
    QCOMPARE(userRow(db, "E701")[5], QString());
    QVERIFY(!logsIn(db, "E701", ""));
}

void tst_UserCommands::grantRevokeAndPassword() {
    testsupport::TestDatabase db;
    QCOMPARE(
        runTool({"user", "add", db.target(), "E700", "DELA PAZ", "RITA", "--password", "a"}).status,
        0);
    QVERIFY(!logsIn(db, "E700", "a", "A"));
    QCOMPARE(runTool({"user", "grant", db.target(), "E700", "15", "A"}).status, 0);
    QVERIFY(!logsIn(db, "E700", "a", "A")); // another department's right
    QCOMPARE(runTool({"user", "grant", db.target(), "E700", "27", "a"}).status, 0);
    QCOMPARE(runTool({"user", "grant", db.target(), "E700", "27", "A"}).status, 0); // held already
    QVERIFY(logsIn(db, "E700", "a", "A"));
    QCOMPARE(runTool({"user", "revoke", db.target(), "E700", "27", "A"}).status, 0);
    QVERIFY(!logsIn(db, "E700", "a", "A"));

    QCOMPARE(runTool({"user", "passwd", db.target(), "E700", "--password", "b"}).status, 0);
    QVERIFY(!logsIn(db, "E700", "a"));
    QVERIFY(logsIn(db, "E700", "b"));
}

void tst_UserCommands::unlockLiftsTheLock() {
    testsupport::TestDatabase db;
    QCOMPARE(
        runTool({"user", "add", db.target(), "E700", "DELA PAZ", "RITA", "--password", "a"}).status,
        0);
    for (int i = 0; i < 5; ++i)
        QVERIFY(!logsIn(db, "E700", "wrong"));
    QVERIFY(!logsIn(db, "E700", "a"));
    const ToolRun unlocked = runTool({"user", "unlock", db.target(), "E700"});
    QCOMPARE(unlocked.status, 0);
    QVERIFY(logsIn(db, "E700", "a"));
}

void tst_UserCommands::refusals_data() {
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("error");
    QTest::newRow("user exists") << QStringList{"add", "E100", "A", "B"} << "exists already";
    QTest::newRow("password of nobody")
        << QStringList{"passwd", "E999", "--password", "x"} << "there is no user E999";
    QTest::newRow("empty password")
        << QStringList{"passwd", "E100", "--password", ""} << "the password is empty";
    QTest::newRow("grant to nobody")
        << QStringList{"grant", "E999", "27", "A"} << "there is no user E999";
    QTest::newRow("unlock nobody") << QStringList{"unlock", "E999"} << "there is no user E999";
    QTest::newRow("missing words") << QStringList{"grant", "E100", "27"} << "wrong arguments";
    QTest::newRow("unknown action") << QStringList{"remove", "E100"} << "wrong arguments";
}

void tst_UserCommands::refusals() {
    QFETCH(QStringList, words);
    QFETCH(QString, error);
    testsupport::TestDatabase db;
    QCOMPARE(runTool({"user", "add", db.target(), "E100", "A", "B", "--password", "a"}).status, 0);
    const QString action = words.takeFirst();
    const ToolRun run = runTool(QStringList{"user", action, db.target()} + words);
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    QVERIFY(logsIn(db, "E100", "a")); // nothing else changed
}

void tst_UserCommands::demoPasswordsLetEveryDemoUserIn() {
    testsupport::TestDatabase db;
    QString users;
    for (const his::DemoUser& u : his::demoUsers())
        users +=
            QString("%1('%2', 'DEMO', 'USER', 'Y')").arg(users.isEmpty() ? "" : ", ", u.employeeId);
    db.load("INSERT INTO PASSWORD.tbPasswordMain (EmployeeID, LastName, FirstName, Active) "
            "VALUES " +
            users);
    {
        auto backend = server::Backend::open(db.target(), server::Backend::Mode::OpenExisting);
        his::setDemoPasswords(*backend);
    }
    for (const his::DemoUser& u : his::demoUsers()) {
        QVERIFY2(logsIn(db, u.employeeId, u.password), qPrintable(u.employeeId));
        QVERIFY(!userRow(db, u.employeeId)[5].contains(u.password));
    }
}

QTEST_MAIN(tst_UserCommands)
#include "tst_usercommands.moc"
