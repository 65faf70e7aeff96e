#include "server/Error.h"
#include "tests/support/Expect.h"
#include "tests/support/ResultText.h"
#include "tests/support/TestDatabase.h"

#include <QtTest>

using testsupport::rowTexts;

namespace {

// A small section: one of everything the plain statements read or change.
const char* const kFixture = R"(
INSERT INTO PATIENT_DATA.tbHospitalInfo (RowKey, Company, Address1, ClientName, OPDPassword, TIN)
  VALUES (1, 'ST. AGATHA GENERAL HOSPITAL', '12 MABINI ST., SAN ROQUE', 'DEMO', 'opd1', '123-456-789');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName) VALUES ('H1', 'O''BRIEN', 'ANA');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName) VALUES ('H2', 'LIM', 'RITA');
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, BillingDate, RoomID, MedicareType, CancelBilled)
  VALUES ('A1', 'H1', '2026-12-01 08:00:00', NULL, '201', 'GM', NULL);
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, BillingDate, RoomID, MedicareType, CancelBilled)
  VALUES ('A2', 'H2', '2026-11-20 09:30:00', '2026-11-28 10:00:00', '201', NULL, 'Y');
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, BillingDate, RoomID, MedicareType, CancelBilled)
  VALUES ('A3', 'H2', '2026-10-02 09:30:00', '2026-10-09 10:00:00', '201', 'OT', NULL);
INSERT INTO PATIENT_DATA.tbPatient2 (IDNum, AdmissionTypeID) VALUES ('A1', '9');
INSERT INTO PATIENT_DATA.tbPatient2 (IDNum, AdmissionTypeID) VALUES ('A2', NULL);
INSERT INTO PATIENT_DATA.tbOPDCommunicationFile (IdNum, RequestNum, ItemID, HospNum, RevenueID, Quantity, Amount, RequestDate, Printed)
  VALUES ('O1', 'R1', 'MM001', 'H1', 'MM', 1, 850, '2026-12-01 08:00:00', NULL);
INSERT INTO PATIENT_DATA.tbOPDCommunicationFile (IdNum, RequestNum, ItemID, HospNum, RevenueID, Quantity, Amount, RequestDate, Printed)
  VALUES ('O1', 'R2', 'MM002', 'H1', 'MM', 1, 900, '2026-12-01 08:00:00', 'Y');
INSERT INTO PATIENT_DATA.tbOPDCommunicationFile (IdNum, RequestNum, ItemID, HospNum, RevenueID, Quantity, Amount, RequestDate, Printed)
  VALUES ('O2', 'R3', 'XR001', 'H2', 'XR', 1, 300, '2026-12-02 08:00:00', NULL);
INSERT INTO PATIENT_DATA.tbCashPatient (HospNum, LastName) VALUES ('W0000007', 'SY');
UPDATE PATIENT_DATA.tbLastWalkInNum SET lastopd = 'W0000007', transnum = 7;
INSERT INTO BUILD_FILE.tbcoroom (RoomID, Description, RoomClassID) VALUES ('201', 'WARD 2', 'C');
INSERT INTO BUILD_FILE.tbcoroom (RoomID, Description, RoomClassID) VALUES ('202', 'WARD 2', NULL);
INSERT INTO BUILD_FILE.tbcoMarkup (MarkupID, Percentage, Description) VALUES (1, 20, 'HOLIDAY');
INSERT INTO BUILD_FILE.tbcoMarkup (MarkupID, Percentage, Description) VALUES (2, 30, 'SUNDAY');
UPDATE BILLING.tbAssessmentNum SET AssessmentNum = 41;
INSERT INTO BILLING.tbCashAssessment (RefNum, RevenueID, ItemID, Amount, AssessDate) VALUES ('MM5', 'MM', 'MM001', 850, '2026-12-01 08:00:00');
UPDATE RADIOLOGY.tbMammoSlip SET RefNum = 1234;
INSERT INTO RADIOLOGY.tbMammoMaster (RequestNum, IdNum, HospNum, RefNum, ItemID, Amount, PatientType, RequestDate, RadTech)
  VALUES ('1001', 'A1', 'H1', 'C1200E', 'MM001', 850, 'I', '2026-12-01 08:00:00', 'T01');
INSERT INTO RADIOLOGY.tbMammoMaster (RequestNum, IdNum, HospNum, RefNum, ItemID, Amount, PatientType, RequestDate, RadTech)
  VALUES ('1002', 'A1', 'H1', 'C1200E', 'MM002', 900, 'I', '2026-12-01 08:00:00', NULL);
INSERT INTO RADIOLOGY.tbMammoResult (RequestNum, Film1) VALUES ('1001', 2);
INSERT INTO RADIOLOGY.tbmammofilm (code, description) VALUES ('8X10', 'EIGHT BY TEN');
INSERT INTO RADIOLOGY.tbmammofilm (code, description) VALUES ('10X12', 'TEN BY TWELVE');
INSERT INTO RADIOLOGY.tbmminterpretation (code, description, interpretation) VALUES ('C1', 'NORMAL', 'NORMAL STUDY');
INSERT INTO RADIOLOGY.tbmminterpretation (code, description, interpretation) VALUES ('C2', 'CYST', 'SIMPLE CYST');
INSERT INTO PASSWORD.tbPasswordMain (EmployeeID, LastName, FirstName) VALUES ('T01', 'CRUZ', 'MARIA');
INSERT INTO REPORTS.tbChargeSlip (UserID, RefNum, ItemID) VALUES ('E1', 'C1E', 'MM001');
INSERT INTO REPORTS.tbChargeSlip (UserID, RefNum, ItemID) VALUES ('E1', 'C1E', 'MM002');
INSERT INTO REPORTS.tbChargeSlip (UserID, RefNum, ItemID) VALUES ('E2', 'C2E', 'MM001')
)";

} // namespace

class tst_Translator : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void systemStatements_data();
    void systemStatements();
    void serverDate();
    void sourceTableOnlyForSimpleSelects_data();
    void sourceTableOnlyForSimpleSelects();
    void refusedStatements_data();
    void refusedStatements();
    void valuesRoundTripExactly();

private:
    std::unique_ptr<testsupport::TestDatabase> m_db;
    std::unique_ptr<server::EmbeddedSession> m_session;
};

void tst_Translator::initTestCase() {
    MAMMO_REQUIRE_TEST_BACKEND();
    m_db = std::make_unique<testsupport::TestDatabase>();
    m_db->load(kFixture);
    m_session = m_db->open();
}

void tst_Translator::cleanupTestCase() {
    m_session.reset();
    m_db.reset();
}

void tst_Translator::systemStatements_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("columns"); // the columns compared; empty: all
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("affected"); // for statements that change rows
    QTest::addColumn<bool>("ordered");

    const QStringList all;
    auto row = [](const QString& r) { return QStringList{r}; };

    QTest::newRow("hospital row") << "select * from PATIENT_DATA..tbHospitalInfo" << all
                                  << row("1|ST. AGATHA GENERAL HOSPITAL|12 MABINI ST., SAN ROQUE|"
                                         "DEMO|opd1|123-456-789")
                                  << 0 << false;
    QTest::newRow("OPD lines of the section")
        << "SELECT * from PATIENT_DATA..tbOPDCommunicationFile where RevenueID = 'MM'"
        << QStringList{"IdNum", "RequestNum", "Printed"} << QStringList{"O1|R1|<NULL>", "O1|R2|Y"}
        << 0 << false;
    QTest::newRow("OPD password") << "SELECT OPDPassword FROM PATIENT_DATA..tbHospitalInfo" << all
                                  << row("opd1") << 0 << false;
    QTest::newRow("slip counter, default database")
        << "select RefNum from tbMammoSlip" << all << row("1234") << 0 << false;
    QTest::newRow("patient by admission")
        << "select * from PATIENT_DATA..tbPatient where IDNum = 'A1'"
        << QStringList{"HospNum", "MedicareType", "BillingDate"} << row("H1|GM|<NULL>") << 0
        << false;
    QTest::newRow("special admission")
        << "Select isnull(AdmissionTypeID,'') as isSpecial  From Patient_Data..tbPatient2  "
           "Where Idnum = 'A1'"
        << all << row("9") << 0 << false;
    QTest::newRow("admission type null")
        << "Select isnull(AdmissionTypeID,'') as isSpecial  From Patient_Data..tbPatient2  "
           "Where Idnum = 'A2'"
        << all << row("") << 0 << false;
    QTest::newRow("markups") << "Select * from Build_file..tbcoMarkup"
                             << QStringList{"Percentage", "Description"}
                             << QStringList{"20|HOLIDAY", "30|SUNDAY"} << 0 << false;
    QTest::newRow("assessment counter")
        << "SELECT AssessmentNum FROM BILLING..tbAssessmentNum" << all << row("41") << 0 << false;
    QTest::newRow("assessment number used")
        << "select count(*) [RecCount] from BILLING..tbCashAssessment where refnum = 'MM5'"
        << QStringList{"RecCount"} << row("1") << 0 << false;
    QTest::newRow("assessment number free")
        << "select count(*) [RecCount] from BILLING..tbCashAssessment where refnum = 'MM6'"
        << QStringList{"RecCount"} << row("0") << 0 << false;
    QTest::newRow("walk-in counter")
        << "SELECT * FROM PATIENT_DATA..tbLastWalkInNum" << QStringList{"lastopd", "transnum"}
        << row("W0000007|7") << 0 << false;
    QTest::newRow("walk-in number used")
        << "select Count(*) [RecCount] from PATIENT_DATA..tbCashPatient where Hospnum = "
           "'W0000007'"
        << QStringList{"RecCount"} << row("1") << 0 << false;
    QTest::newRow("room class") << "Select top 1 ISNull(RoomClassID,'') as RoomClassID from "
                                   "Build_file..tbcoroom where roomid = '201'"
                                << all << row("C") << 0 << false;
    QTest::newRow("room without class") << "Select top 1 ISNull(RoomClassID,'') as RoomClassID "
                                           "from Build_file..tbcoroom where roomid = '202'"
                                        << all << row("") << 0 << false;
    QTest::newRow("request") << "SELECT * FROM RADIOLOGY..tbMammoMaster WHERE RequestNum = '1001'"
                             << QStringList{"ItemID", "Status", "Amount"} << row("MM001|N|850") << 0
                             << false;
    QTest::newRow("account open") << "SELECT LABORATORY.DBO.fn_LabCanPost('A1') as CanPost"
                                  << QStringList{"CanPost"} << row("Y") << 0 << false;
    QTest::newRow("account billed") << "SELECT LABORATORY.DBO.fn_LabCanPost('A2') as CanPost"
                                    << QStringList{"CanPost"} << row("N") << 0 << false;
    QTest::newRow("billed, reopened")
        << "SELECT ISNULL(LABORATORY.DBO.fn_LabCanCancelBilled('A2'),'') AS CancelBilled"
        << QStringList{"CancelBilled"} << row("Y") << 0 << false;
    QTest::newRow("billed, not reopened")
        << "SELECT ISNULL(LABORATORY.DBO.fn_LabCanCancelBilled('A3'),'') AS CancelBilled"
        << QStringList{"CancelBilled"} << row("N") << 0 << false;
    QTest::newRow("no such admission")
        << "SELECT ISNULL(LABORATORY.DBO.fn_LabCanCancelBilled('ZZ'),'') AS CancelBilled"
        << QStringList{"CancelBilled"} << row("") << 0 << false;
    QTest::newRow("OPD line not yet printed")
        << "select * from PATIENT_DATA..tbOPDCommunicationFile where Printed is null and IdNum "
           "= 'O1' and RequestNum = 'R1'"
        << QStringList{"ItemID"} << row("MM001") << 0 << false;
    QTest::newRow("mark OPD line printed")
        << "UPDATE PATIENT_DATA..tbOPDCommunicationFile set Printed = 'Y' where IdNum = 'O1' "
           "and RequestNum = 'R1'"
        << all << QStringList{} << 1 << false;
    QTest::newRow("OPD line now printed")
        << "select * from PATIENT_DATA..tbOPDCommunicationFile where Printed is null and IdNum "
           "= 'O1' and RequestNum = 'R1'"
        << all << QStringList{} << 0 << false;
    QTest::newRow("delete a template")
        << "delete from radiology..tbmminterpretation where code='C1'" << all << QStringList{} << 1
        << false;
    QTest::newRow("templates left")
        << "select code from radiology..tbmminterpretation" << all << row("C2") << 0 << false;
    QTest::newRow("films in code order")
        << "Select code,description from radiology..tbmammofilm order by code asc" << all
        << QStringList{"10X12|TEN BY TWELVE", "8X10|EIGHT BY TEN"} << 0 << true;
    QTest::newRow("result of a request")
        << "select * from radiology..tbmammoresult where requestnum='1001'" << QStringList{"Film1"}
        << row("2") << 0 << false;
    QTest::newRow("technologist of a request")
        << "Select Top 1 IsNull(RadTech,'') RadCode, "
           "IsNull(Radiology.dbo.fn_GetEmployeeName(RadTech),'') RadTechName From "
           "Radiology..tbMammoMaster Where RequestNum = '1001'"
        << all << row("T01|CRUZ, MARIA") << 0 << false;
    QTest::newRow("request without technologist")
        << "Select Top 1 IsNull(RadTech,'') RadCode, "
           "IsNull(Radiology.dbo.fn_GetEmployeeName(RadTech),'') RadTechName From "
           "Radiology..tbMammoMaster Where RequestNum = '1002'"
        << all << row("|") << 0 << false;
    QTest::newRow("set technologist")
        << "Update Radiology..tbMammoMaster Set RadTech = 'T01' Where RequestNum = '1002'" << all
        << QStringList{} << 1 << false;
    QTest::newRow("technologist set")
        << "select RadTech from RADIOLOGY..tbMammoMaster where RequestNum = '1002'" << all
        << row("T01") << 0 << false;
    QTest::newRow("user") << "Select * from PASSWORD..tbPasswordMain where EmployeeID = 'T01'"
                          << QStringList{"LastName", "FirstName"} << row("CRUZ|MARIA") << 0
                          << false;
    QTest::newRow("clear one user's slip lines")
        << "DELETE REPORTS..tbChargeSlip WHERE UserID = 'E1'" << all << QStringList{} << 2 << false;
    QTest::newRow("other user's slip lines kept")
        << "select UserID, ItemID from REPORTS..tbChargeSlip" << all << row("E2|MM001") << 0
        << false;
}

void tst_Translator::systemStatements() {
    QFETCH(QString, text);
    QFETCH(QStringList, columns);
    QFETCH(QStringList, rows);
    QFETCH(int, affected);
    QFETCH(bool, ordered);

    const server::Result r = m_session->run(text);
    if (r.columns.isEmpty()) {
        QCOMPARE(r.rowsAffected, affected);
        return;
    }
    const QStringList actual = rowTexts(r, columns);
    QVERIFY2(testsupport::sameRows(actual, rows, ordered),
             qPrintable("got " + actual.join(" / ") + ", expected " + rows.join(" / ")));
}

void tst_Translator::serverDate() {
    const server::Result r = m_session->run("SELECT getdate() as serverdate");
    QCOMPARE(r.rows.size(), 1);
    const QDateTime when = QDateTime::fromString(
        data::valueText(r.rows[0][r.columnIndex("serverdate")]), "yyyy-MM-dd hh:mm:ss");
    QVERIFY(when.isValid());
    QVERIFY(qAbs(when.secsTo(QDateTime::currentDateTime())) < 120);
}

void tst_Translator::sourceTableOnlyForSimpleSelects_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("source");
    QTest::newRow("plain column, default database") << "select RefNum from tbMammoSlip"
                                                    << "RADIOLOGY..tbMammoSlip";
    QTest::newRow("star") << "SELECT * FROM PATIENT_DATA..tbLastWalkInNum"
                          << "PATIENT_DATA..tbLastWalkInNum";
    QTest::newRow("aggregate") << "select count(*) [RecCount] from BILLING..tbCashAssessment"
                               << "";
    QTest::newRow("function") << "Select top 1 ISNull(RoomClassID,'') as RoomClassID from "
                                 "Build_file..tbcoroom"
                              << "";
    QTest::newRow("no table") << "SELECT getdate() as serverdate"
                              << "";
}

void tst_Translator::sourceTableOnlyForSimpleSelects() {
    QFETCH(QString, text);
    QFETCH(QString, source);
    QCOMPARE(m_session->run(text).sourceTable, source);
}

void tst_Translator::refusedStatements_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem");
    QTest::newRow("two statements") << "select * from tbMammoSlip; delete from tbMammoSlip"
                                    << "only one statement";
    QTest::newRow("unknown function") << "SELECT NEWID() as x"
                                      << "'NEWID' is not known";
    QTest::newRow("unknown database function") << "SELECT LABORATORY.dbo.fn_Nothing('1') as x"
                                               << "is not known";
    QTest::newRow("unknown database") << "select * from NOWHERE..tbX"
                                      << "'NOWHERE' does not exist";
    QTest::newRow("unknown owner") << "select * from RADIOLOGY.guest.tbMammoSlip"
                                   << "owner 'guest'";
    QTest::newRow("TOP without number") << "select top x * from tbMammoSlip"
                                        << "TOP must be followed by a number";
    QTest::newRow("subselect") << "select * from tbMammoSlip where RefNum in (select 1)"
                               << "a select inside a statement";
    QTest::newRow("unclosed quote") << "select * from tbMammoSlip where RefNum = '1"
                                    << "Unclosed quotation mark";
    QTest::newRow("unbalanced parentheses") << "select count(* from tbMammoSlip"
                                            << "parenthesis";
}

void tst_Translator::refusedStatements() {
    QFETCH(QString, text);
    QFETCH(QString, problem);
    const auto e = testsupport::caught<server::Error>([&] { m_session->run(text); });
    QVERIFY2(e, "the statement was run");
    QVERIFY2(e->description().contains(problem), qPrintable(e->description()));
    QCOMPARE(e->command(), text);
    // Nothing was changed by a refused statement.
    QCOMPARE(rowTexts(m_session->run("select RefNum from tbMammoSlip")), QStringList{"1234"});
}

void tst_Translator::valuesRoundTripExactly() {
    const QString hostile = "x'; DELETE FROM RADIOLOGY..tbMammoMaster; --";
    QString doubled = hostile;
    doubled.replace("'", "''");
    m_session->run("UPDATE PATIENT_DATA..tbMaster set LastName = '" + doubled +
                   "' where HospNum = 'H2'");

    const server::Result byValue = m_session->run(
        "select HospNum, LastName from PATIENT_DATA..tbMaster where LastName = '" + doubled + "'");
    QCOMPARE(rowTexts(byValue), QStringList{"H2|" + hostile});
    const server::Result apostrophe =
        m_session->run("select HospNum from PATIENT_DATA..tbMaster where LastName = 'O''BRIEN'");
    QCOMPARE(rowTexts(apostrophe), QStringList{"H1"});
    QCOMPARE(rowTexts(m_session->run("select count(*) [n] from RADIOLOGY..tbMammoMaster")),
             QStringList{"2"});
}

QTEST_GUILESS_MAIN(tst_Translator)
#include "tst_translator.moc"
