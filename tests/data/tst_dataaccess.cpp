#include "src/data/Module1.h"
#include "src/data/StoredProcs.h"
#include "tests/support/Expect.h"
#include "tests/support/SessionFixture.h"

#include <QTemporaryFile>
#include <QtTest>

using namespace data;
using testsupport::caught;
using testsupport::SessionFixture;
using testsupport::TestDatabase;

namespace {

const char* const kPatients = R"(
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName) VALUES ('H1', 'RAMOS');
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, MedicareType) VALUES ('GM1', 'H1', '2026-12-01 08:00:00', 'GM');
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, MedicareType) VALUES ('OT1', 'H1', '2026-12-01 08:00:00', 'OT');
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, MedicareType) VALUES ('PR1', 'H1', '2026-12-01 08:00:00', 'P/RD');
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, MedicareType) VALUES ('XX1', 'H1', '2026-12-01 08:00:00', 'XYZ');
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, MedicareType) VALUES ('gm1', 'H1', '2026-12-01 08:00:00', 'gm');
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, MedicareType) VALUES ('NUL', 'H1', '2026-12-01 08:00:00', NULL);
INSERT INTO PATIENT_DATA.tbPatient2 (IDNum, AdmissionTypeID) VALUES ('GM1', '9');
INSERT INTO PATIENT_DATA.tbPatient2 (IDNum, AdmissionTypeID) VALUES ('OT1', NULL);
INSERT INTO PATIENT_DATA.tbPatient2 (IDNum, AdmissionTypeID) VALUES ('PR1', '2');
INSERT INTO BUILD_FILE.tbCoOtherRevenue (OtherRevenueID, OtherRevenue, RevenueID, SectionID) VALUES ('MMH', 'SPOT VIEW', 'MM', 'H');
INSERT INTO BUILD_FILE.tbCoOtherRevenue (OtherRevenueID, OtherRevenue, RevenueID, SectionID) VALUES ('MMN', 'SCREENING', 'MM', NULL);
INSERT INTO BUILD_FILE.tbCoOtherRevenue (OtherRevenueID, OtherRevenue, RevenueID, SectionID) VALUES ('MMX', 'DIAGNOSTIC', 'MM', 'X');
INSERT INTO BUILD_FILE.tbCoOtherRevenue (OtherRevenueID, OtherRevenue, RevenueID, SectionID) VALUES ('O''NEIL', 'NAMED VIEW', 'MM', 'H');
INSERT INTO BUILD_FILE.tbCoOtherRevenue (OtherRevenueID, OtherRevenue, RevenueID, SectionID) VALUES ('x''; DELETE t; --', 'ODD', 'MM', 'H')
)";

} // namespace

class tst_DataAccess : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { MAMMO_REQUIRE_TEST_BACKEND(); }

    void fieldsReadNullsAsEmpty();
    void unknownFieldAndReadingPastTheEnd();
    void nextChargeSlipNumber();
    void nextChargeSlipNumberWithoutCounterRow();
    void twoWorkstationsNeverDrawTheSameNumber();
    void optimisticUpdateOfAChangedRowFails();
    void clearChargeSlipDumpTouchesOnlyTheUser_data();
    void clearChargeSlipDumpTouchesOnlyTheUser();
    void patientLookUps_data();
    void patientLookUps();
    void checkSectionID_data();
    void checkSectionID();
    void transactionGuardRollsBackUnlessCommitted();
    void serverDate();
    void fileExists();
    void errorsCarryTheCommand();
};

void tst_DataAccess::fieldsReadNullsAsEmpty() {
    TestDatabase db;
    db.load(kPatients);
    SessionFixture session(db);
    Recordset rs =
        session.connection().open("select * from PATIENT_DATA..tbPatient where IDNum = 'NUL'");
    QCOMPARE(rs.recordCount(), 1);
    QCOMPARE(rs.field("medicaretype").text(), QString()); // any case
    QCOMPARE(rs.field("BillingDate").number(), 0.0);
    QVERIFY(!rs.field("BillingDate").dateTime().isValid());
    QCOMPARE(rs.field("AdmissionDate").dateTime(), QDateTime(QDate(2026, 12, 1), QTime(8, 0)));
    rs.moveNext();
    QVERIFY(rs.eof());
}

void tst_DataAccess::unknownFieldAndReadingPastTheEnd() {
    TestDatabase db;
    SessionFixture session(db);
    Recordset rs = session.connection().open("select RefNum from tbMammoSlip");
    const auto unknown = caught<DbError>([&] { rs.field("NoSuchField"); });
    QVERIFY2(unknown, "an unknown field was read");
    QCOMPARE(unknown->number(), int(DbError::ItemNotFound));
    rs.moveNext();
    const auto pastTheEnd = caught<DbError>([&] { rs.field("RefNum"); });
    QVERIFY2(pastTheEnd, "a field was read at the end");
    QCOMPARE(pastTheEnd->number(), int(DbError::NoCurrentRecord));
}

void tst_DataAccess::nextChargeSlipNumber() {
    TestDatabase db;
    db.load("UPDATE RADIOLOGY.tbMammoSlip SET RefNum = 1234");
    SessionFixture session(db);
    QCOMPARE(StoredProcs::NextChargeSlipNo(), QString("C1234E"));
    QCOMPARE(session.connection().open("select RefNum from tbMammoSlip").field("RefNum").number(),
             1235.0);
    QCOMPARE(StoredProcs::NextChargeSlipNo(), QString("C1235E"));
    QCOMPARE(session.commands().first(), QString("select RefNum from tbMammoSlip"));
}

void tst_DataAccess::nextChargeSlipNumberWithoutCounterRow() {
    TestDatabase db;
    db.load("DELETE FROM RADIOLOGY.tbMammoSlip");
    SessionFixture session(db);
    QCOMPARE(StoredProcs::NextChargeSlipNo(), QString("C1E"));
    QCOMPARE(StoredProcs::NextChargeSlipNo(), QString("C2E"));
}

void tst_DataAccess::twoWorkstationsNeverDrawTheSameNumber() {
    TestDatabase db;
    db.load("UPDATE RADIOLOGY.tbMammoSlip SET RefNum = 500");
    Connection other(db.open());
    SessionFixture session(db);

    // The other workstation has read the counter and is about to write it back.
    Recordset theirs = other.open("select RefNum from tbMammoSlip");
    const qint64 theirNumber = qint64(theirs.field("RefNum").number());

    // This workstation draws first; the other's write then finds the row changed.
    const QString ours = StoredProcs::NextChargeSlipNo();
    theirs.setField("RefNum", theirNumber + 1);
    QVERIFY_THROWS_EXCEPTION(DbError, theirs.update());

    // Drawing again through the routine, the other workstation gets the next number.
    data::currentSession().connection = &other;
    const QString next = StoredProcs::NextChargeSlipNo();
    data::currentSession().connection = &session.connection();

    QCOMPARE(ours, QString("C500E"));
    QCOMPARE(next, QString("C501E"));
}

void tst_DataAccess::optimisticUpdateOfAChangedRowFails() {
    TestDatabase db;
    SessionFixture session(db);
    Recordset first = session.connection().open("SELECT * FROM PATIENT_DATA..tbLastWalkInNum");
    Recordset second = session.connection().open("SELECT * FROM PATIENT_DATA..tbLastWalkInNum");
    first.setField("transnum", 1);
    first.setField("lastopd", "W1");
    first.update();
    second.setField("transnum", 1);
    const auto conflict = caught<DbError>([&] { second.update(); });
    QVERIFY2(conflict, "a changed row was overwritten");
    QCOMPARE(conflict->number(), int(DbError::RowNotLocated));
    QVERIFY(conflict->description().contains("Row cannot be located for updating"));
    Recordset now = session.connection().open("SELECT * FROM PATIENT_DATA..tbLastWalkInNum");
    QCOMPARE(now.field("lastopd").text(), QString("W1"));

    Recordset readOnly = session.connection().open("select count(*) [n] from tbMammoSlip");
    QVERIFY_THROWS_EXCEPTION(DbError, readOnly.setField("n", 3));
}

void tst_DataAccess::clearChargeSlipDumpTouchesOnlyTheUser_data() {
    QTest::addColumn<QString>("user");
    QTest::newRow("plain") << "E1";
    QTest::newRow("apostrophe") << "O'HARA";
    QTest::newRow("command-like") << "x';DELETE t;--";
}

void tst_DataAccess::clearChargeSlipDumpTouchesOnlyTheUser() {
    QFETCH(QString, user);
    TestDatabase db;
    QString doubled = user;
    doubled.replace("'", "''");
    db.load("INSERT INTO REPORTS.tbChargeSlip (UserID, ItemID) VALUES ('" + doubled +
            "', 'A');\n"
            "INSERT INTO REPORTS.tbChargeSlip (UserID, ItemID) VALUES ('" +
            doubled +
            "', 'B');\n"
            "INSERT INTO REPORTS.tbChargeSlip (UserID, ItemID) VALUES ('E2', 'C')");
    SessionFixture session(db, user);
    StoredProcs::ClearChargeSlipDump();
    QCOMPARE(session.commands().last(),
             "DELETE REPORTS..tbChargeSlip WHERE UserID = '" + doubled + "'");
    Recordset left = session.connection().open("select UserID from REPORTS..tbChargeSlip");
    QCOMPARE(left.recordCount(), 1);
    QCOMPARE(left.field("UserID").text(), QString("E2"));
}

void tst_DataAccess::patientLookUps_data() {
    QTest::addColumn<QString>("idNum");
    QTest::addColumn<QString>("medicare");
    QTest::addColumn<bool>("special");
    QTest::newRow("member, special admission") << "GM1"
                                               << "GM (Government - member)" << true;
    QTest::newRow("OT, null admission type") << "OT1"
                                             << "OT (OWWA - dependent)" << false;
    QTest::newRow("code with a slash, type 2") << "PR1"
                                               << "P/RD (Pensioner/Retiree - dependent)" << false;
    QTest::newRow("code not in the table, no type row") << "XX1"
                                                        << "XYZ" << false;
    QTest::newRow("codes compare by case") << "gm1"
                                           << "gm" << false;
    QTest::newRow("null code") << "NUL"
                               << "" << false;
    QTest::newRow("no patient row") << "NONE"
                                    << "" << false;
    QTest::newRow("quote in the id") << "O'X"
                                     << "" << false;
}

void tst_DataAccess::patientLookUps() {
    QFETCH(QString, idNum);
    QFETCH(QString, medicare);
    QFETCH(bool, special);
    TestDatabase db;
    db.load(kPatients);
    SessionFixture session(db);
    QCOMPARE(Module1::MedicareTypeName(idNum), medicare);
    QCOMPARE(Module1::IsSpecialAdmission(idNum), special);
    QString doubled = idNum;
    doubled.replace("'", "''");
    QCOMPARE(session.commands(),
             (QStringList{"select * from PATIENT_DATA..tbPatient where IDNum = '" + doubled + "'",
                          "Select isnull(AdmissionTypeID,'') as isSpecial  From "
                          "Patient_Data..tbPatient2  Where Idnum = '" +
                              doubled + "'"}));
}

void tst_DataAccess::checkSectionID_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("sectionH");
    QTest::newRow("H") << "MMH" << true;
    QTest::newRow("null section") << "MMN" << false;
    QTest::newRow("other section") << "MMX" << false;
    QTest::newRow("no row") << "NONE" << false;
    QTest::newRow("apostrophe") << "O'NEIL" << true;
    QTest::newRow("command-like") << "x'; DELETE t; --" << true;
}

void tst_DataAccess::checkSectionID() {
    QFETCH(QString, item);
    QFETCH(bool, sectionH);
    TestDatabase db;
    db.load(kPatients);
    SessionFixture session(db);
    QCOMPARE(StoredProcs::CheckSectionID(item), sectionH);
    QVERIFY(session.commands().last().startsWith("Radiology..spRadio_CheckSectionID '"));
    QCOMPARE(session.connection()
                 .open("select count(*) [n] from BUILD_FILE..tbCoOtherRevenue")
                 .field("n")
                 .number(),
             5.0);
}

void tst_DataAccess::transactionGuardRollsBackUnlessCommitted() {
    TestDatabase db;
    SessionFixture session(db);
    Connection& c = session.connection();
    {
        TransactionGuard tx(c);
        c.execute("DELETE REPORTS..tbChargeSlip WHERE UserID = 'none'");
        c.execute("UPDATE RADIOLOGY..tbMammoSlip SET RefNum = 77");
    }
    QCOMPARE(c.open("select RefNum from tbMammoSlip").field("RefNum").number(), 1.0);
    {
        TransactionGuard tx(c);
        c.execute("UPDATE RADIOLOGY..tbMammoSlip SET RefNum = 78");
        tx.commit();
    }
    QCOMPARE(c.open("select RefNum from tbMammoSlip").field("RefNum").number(), 78.0);
    QCOMPARE(c.transactionDepth(), 0);
}

void tst_DataAccess::serverDate() {
    TestDatabase db;
    SessionFixture session(db);
    const QDateTime now = ServerDate(session.connection());
    QVERIFY(now.isValid());
    QVERIFY(qAbs(now.secsTo(QDateTime::currentDateTime())) < 120);
}

void tst_DataAccess::fileExists() {
    QTemporaryFile file;
    QVERIFY(file.open());
    QVERIFY(Module1::FileExists(file.fileName()));
    QVERIFY(!Module1::FileExists(file.fileName() + ".missing"));
    QVERIFY(!Module1::FileExists(QDir::tempPath())); // a folder is not a file
}

void tst_DataAccess::errorsCarryTheCommand() {
    TestDatabase db;
    SessionFixture session(db);
    const QString text = "select * from RADIOLOGY..tbNoSuchTable";
    const auto e = caught<DbError>([&] { session.connection().open(text); });
    QVERIFY2(e, "the command ran");
    QCOMPARE(e->command(), text);
    QVERIFY(e->description().contains("tbNoSuchTable", Qt::CaseInsensitive));
    // The connection goes on after an error.
    QCOMPARE(session.connection().open("select RefNum from tbMammoSlip").recordCount(), 1);
}

QTEST_GUILESS_MAIN(tst_DataAccess)
#include "tst_dataaccess.moc"
