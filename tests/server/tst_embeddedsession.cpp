#include "server/Error.h"
#include "server/Migrations.h"
#include "tests/support/Expect.h"
#include "tests/support/ResultText.h"
#include "tests/support/TestDatabase.h"

#include <QtTest>

using testsupport::rowTexts;

namespace {

// Procedures of the test's own, to watch dispatch and atomicity.
server::ProcedureRegistry testRegistry() {
    server::ProcedureRegistry r;
    r.add({"RADIOLOGY",
           "spTest_Echo",
           {0, 1, 3},
           [](server::ProcedureContext&, const server::Arguments& args) {
               server::Result result;
               QStringList values;
               for (int i = 0; i < args.size(); ++i)
                   values << (args.isNull(i) ? QString("<NULL>") : args.text(i));
               result.columns << "Echo";
               result.rows << server::Row{values.join('|')};
               return result;
           }});
    r.add({"BILLING",
           "spTest_WriteThenFail",
           {1},
           [](server::ProcedureContext& ctx, const server::Arguments& args) -> server::Result {
               ctx.exec("INSERT INTO REPORTS.tbChargeSlip (UserID, ItemID) VALUES (:u, 'X')",
                        {{"u", args.value(0)}});
               ctx.raise("The test procedure failed on purpose.");
           }});
    r.add({"BILLING",
           "spTest_Write",
           {1},
           [](server::ProcedureContext& ctx, const server::Arguments& args) {
               ctx.exec("INSERT INTO REPORTS.tbChargeSlip (UserID, ItemID) VALUES (:u, 'X')",
                        {{"u", args.value(0)}});
               return server::Result{};
           }});
    return r;
}

} // namespace

class tst_EmbeddedSession : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void dispatch_data();
    void dispatch();
    void dispatchErrors_data();
    void dispatchErrors();
    void procedureIsAtomic();
    void clientTransactionNestsProcedures();
    void defaultDatabase();
    void migrationsAreRecordedOnce();
    void inMemoryDatabase();
    void newerDatabaseIsRefused();

private:
    int slipLines(const QString& user);

    server::ProcedureRegistry m_registry = testRegistry();
    std::unique_ptr<testsupport::TestDatabase> m_db;
    std::unique_ptr<server::EmbeddedSession> m_session;
};

void tst_EmbeddedSession::initTestCase() {
    MAMMO_REQUIRE_TEST_BACKEND();
    m_db = std::make_unique<testsupport::TestDatabase>();
    m_session = std::make_unique<server::EmbeddedSession>(
        server::Backend::open(m_db->target(), server::Backend::Mode::OpenExisting), m_registry);
}

void tst_EmbeddedSession::cleanupTestCase() {
    m_session.reset();
    m_db.reset();
}

void tst_EmbeddedSession::init() {
    if (m_session)
        m_session->setDefaultDatabase("RADIOLOGY");
}

int tst_EmbeddedSession::slipLines(const QString& user) {
    return m_session
        ->run("select count(*) [n] from REPORTS..tbChargeSlip where UserID = '" + user + "'")
        .rows[0][0]
        .toInt();
}

void tst_EmbeddedSession::dispatch_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("echo");
    QTest::newRow("default database, no values") << "spTest_Echo"
                                                 << "";
    QTest::newRow("any case, database named") << "radiology..SPTEST_ECHO 'a'"
                                              << "a";
    QTest::newRow("null and quotes") << "RAdiology..spTest_Echo'O''Brien', NULL ,''"
                                     << "O'Brien|<NULL>|";
    QTest::newRow("owner form") << "RADIOLOGY.dbo.spTest_Echo '1'"
                                << "1";
}

void tst_EmbeddedSession::dispatch() {
    QFETCH(QString, text);
    QFETCH(QString, echo);
    QCOMPARE(rowTexts(m_session->run(text)), QStringList{echo});
}

void tst_EmbeddedSession::dispatchErrors_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem");
    QTest::newRow("unknown procedure")
        << "spMammo_Nothing '1'"
        << "Could not find stored procedure 'RADIOLOGY..spMammo_Nothing'";
    QTest::newRow("procedure of another database") << "spTest_WriteThenFail 'a'"
                                                   << "'RADIOLOGY..spTest_WriteThenFail'";
    QTest::newRow("wrong number of values")
        << "spTest_Echo '1','2'"
        << "Procedure 'spTest_Echo' expects 0 or 1 or 3 value(s), but 2";
    QTest::newRow("unclosed quote names the procedure")
        << "spTest_Echo 'abc"
        << "Unclosed quotation mark at character 13 in the call of "
           "procedure 'spTest_Echo'";
    QTest::newRow("empty") << "  "
                           << "empty";
}

void tst_EmbeddedSession::dispatchErrors() {
    QFETCH(QString, text);
    QFETCH(QString, problem);
    const auto e = testsupport::caught<server::Error>([&] { m_session->run(text); });
    QVERIFY2(e, "the call was run");
    QVERIFY2(e->description().contains(problem), qPrintable(e->description()));
}

void tst_EmbeddedSession::procedureIsAtomic() {
    QVERIFY_THROWS_EXCEPTION(server::Error, m_session->run("BILLING..spTest_WriteThenFail 'U1'"));
    QCOMPARE(slipLines("U1"), 0);
    QCOMPARE(m_session->transactionDepth(), 0);
}

void tst_EmbeddedSession::clientTransactionNestsProcedures() {
    m_session->begin();
    m_session->run("BILLING..spTest_Write 'U2'");
    QVERIFY_THROWS_EXCEPTION(server::Error, m_session->run("BILLING..spTest_WriteThenFail 'U2'"));
    // The failed procedure undid only its own work.
    QCOMPARE(slipLines("U2"), 1);
    m_session->rollback();
    QCOMPARE(slipLines("U2"), 0);

    m_session->begin();
    m_session->run("BILLING..spTest_Write 'U3'");
    m_session->commit();
    QCOMPARE(slipLines("U3"), 1);
    QCOMPARE(m_session->transactionDepth(), 0);
}

void tst_EmbeddedSession::defaultDatabase() {
    m_session->setDefaultDatabase("billing");
    QCOMPARE(m_session->defaultDatabase(), QString("BILLING"));
    m_session->run("spTest_Write 'U4'"); // found in BILLING now
    QCOMPARE(slipLines("U4"), 1);
    QVERIFY_THROWS_EXCEPTION(server::Error, m_session->setDefaultDatabase("NOWHERE"));
    QCOMPARE(m_session->defaultDatabase(), QString("BILLING"));
}

void tst_EmbeddedSession::migrationsAreRecordedOnce() {
    auto backend = server::Backend::open(m_db->target(), server::Backend::Mode::OpenExisting);
    QCOMPARE(server::schemaVersion(*backend), int(server::allMigrations().size()));
    QCOMPARE(server::migrate(*backend), 0);
}

void tst_EmbeddedSession::inMemoryDatabase() {
    if (testsupport::testBackend() != "sqlite")
        QSKIP("the in-memory database is an embedded one");
    auto memory = server::EmbeddedSession::open(":memory:", server::Backend::Mode::CreateIfMissing);
    memory->run("UPDATE RADIOLOGY..tbMammoSlip SET RefNum = 9");
    QCOMPARE(rowTexts(memory->run("select RefNum from tbMammoSlip")), QStringList{"9"});
    // Each in-memory database is its own: the file database is untouched.
    QCOMPARE(rowTexts(m_session->run("select RefNum from tbMammoSlip")), QStringList{"1"});
}

void tst_EmbeddedSession::newerDatabaseIsRefused() {
    auto backend = server::Backend::open(m_db->target(), server::Backend::Mode::OpenExisting);
    const int future = int(server::allMigrations().size()) + 1;
    backend->exec("INSERT INTO schema_migrations (version, description, applied_at) "
                  "VALUES (:v, 'from a newer program', '2030-01-01 00:00:00')",
                  {{"v", future}});
    const auto e = testsupport::caught<server::Error>([&] { server::migrate(*backend); });
    QVERIFY2(e, "a newer database was opened");
    QVERIFY(e->description().contains("newer than this program"));
    backend->exec("DELETE FROM schema_migrations WHERE version = :v", {{"v", future}});
}

QTEST_GUILESS_MAIN(tst_EmbeddedSession)
#include "tst_embeddedsession.moc"
