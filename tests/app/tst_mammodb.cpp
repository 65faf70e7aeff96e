#include "app/DatabaseTool.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/ToolRun.h"

#include <QtTest>

using testsupport::runTool;
using testsupport::ToolRun;

class tst_MammoDb : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { MAMMO_REQUIRE_TEST_BACKEND(); }
    void demoDatabaseShowsItsHospital();
    void demoDataIsDeterministicAndRich();
    void commandErrorsGoToStandardError_data();
    void commandErrorsGoToStandardError();
};

void tst_MammoDb::demoDatabaseShowsItsHospital() {
    testsupport::TestDatabase db;
    const ToolRun created = runTool({"create", db.target(), "--demo"});
    QCOMPARE(created.status, 0);
    QVERIFY2(created.out.contains("Demonstration data loaded"), qPrintable(created.out));

    const ToolRun table =
        runTool({"sql", db.target(), "select * from PATIENT_DATA..tbHospitalInfo"});
    QCOMPARE(table.status, 0);
    const QStringList lines = table.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4); // header, rule, the row, the count
    QVERIFY(lines[0].contains("Company", Qt::CaseInsensitive));
    QVERIFY(lines[1].startsWith("---"));
    QCOMPARE(lines[3], QString("(1 row)"));

    const ToolRun csv = runTool({"sql", db.target(),
                                 "SELECT OPDPassword, ClientName FROM "
                                 "PATIENT_DATA..tbHospitalInfo",
                                 "--csv"});
    QCOMPARE(csv.status, 0);
    QCOMPARE(csv.out.split('\n', Qt::SkipEmptyParts).size(), 2);

    // A second create leaves the data as it is.
    const ToolRun again = runTool({"create", db.target(), "--demo"});
    QCOMPARE(again.status, 0);
    QVERIFY(again.out.contains("already holds data"));
    const ToolRun count = runTool(
        {"sql", db.target(), "select count(*) [n] from PATIENT_DATA..tbHospitalInfo", "--csv"});
    QCOMPARE(count.out, QString("n\n1\n"));
}

void tst_MammoDb::demoDataIsDeterministicAndRich() {
    testsupport::TestDatabase first;
    testsupport::TestDatabase second;
    QCOMPARE(runTool({"create", first.target(), "--demo"}).status, 0);
    QCOMPARE(runTool({"create", second.target(), "--demo"}).status, 0);

    const QStringList probes{
        "select IDNum, HospNum, RoomID, MedicareType from PATIENT_DATA..tbPatient order by IDNum",
        "select LastName, FirstName from PATIENT_DATA..tbMaster order by HospNum",
        "select OtherRevenueID, RateA, RateG from Build_file..tbCoOtherRevenue order by "
        "OtherRevenueID"};
    for (const QString& probe : probes) {
        const ToolRun a = runTool({"sql", first.target(), probe, "--csv"});
        const ToolRun b = runTool({"sql", second.target(), probe, "--csv"});
        QCOMPARE(a.status, 0);
        QCOMPARE(a.out, b.out);
    }

    // Enough of everything to use every screen.
    const QList<QPair<QString, int>> atLeast{
        {"select count(*) [n] from PATIENT_DATA..tbPatient", 200},
        {"select count(*) [n] from PATIENT_DATA..tbOutPatient", 100},
        {"select count(*) [n] from BUILD_FILE..tbCoDoctor", 40},
        {"select count(distinct RoomClassID) [n] from BUILD_FILE..tbcoroom", 6},
        {"select count(*) [n] from PATIENT_DATA..tbPatient2 where AdmissionTypeID = '9'", 1},
        {"select count(*) [n] from PATIENT_DATA..tbPatient where BillingDate is not null", 1},
        {"select count(*) [n] from BUILD_FILE..tbCoOtherRevenue where RevenueID = 'MM'", 10},
        {"select count(*) [n] from BUILD_FILE..tbCoOtherRevenue where SectionID = 'H'", 1},
        {"select count(*) [n] from BUILD_FILE..tbcoMarkup", 1},
        {"select count(*) [n] from PASSWORD..tbPasswordRights where RightCode = 'A'", 1},
        {"select count(*) [n] from PATIENT_DATA..tbPatient where MedicareType = 'OT'", 1},
    };
    for (const auto& [query, minimum] : atLeast) {
        const ToolRun r = runTool({"sql", first.target(), query, "--csv"});
        QCOMPARE(r.status, 0);
        const int n = r.out.split('\n').value(1).toInt();
        QVERIFY2(n >= minimum, qPrintable(query + " gave " + QString::number(n)));
    }
}

void tst_MammoDb::commandErrorsGoToStandardError_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown procedure")
        << QStringList{"sql", "{db}", "spMammo_Nothing '1'"} << "Could not find stored procedure";
    QTest::newRow("untranslatable")
        << QStringList{"sql", "{db}", "select newid() as x"} << "is not known";
    QTest::newRow("missing database folder")
        << QStringList{"sql", "/nonexistent/mammo", "select 1"} << "No section database";
    QTest::newRow("no target") << QStringList{"sql"} << "needs a TARGET";
    QTest::newRow("unknown command") << QStringList{"frobnicate", "{db}"} << "unknown command";
}

void tst_MammoDb::commandErrorsGoToStandardError() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    testsupport::TestDatabase db;
    args.replaceInStrings("{db}", db.target());
    const ToolRun r = runTool(args);
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
}

QTEST_GUILESS_MAIN(tst_MammoDb)
#include "tst_mammodb.moc"
