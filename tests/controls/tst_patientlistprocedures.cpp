#include "src/data/Connection.h"
#include "src/data/DbError.h"
#include "src/data/Recordset.h"
#include "tests/support/TestDatabase.h"

#include <QtTest>

namespace {

QString stamp(const QDate& day, const QString& time) {
    return day.toString("yyyy-MM-dd") + " " + time;
}

// Patients H001-H006; visits of today (OP1, OP2 current; OP3 released today),
// of yesterday (OP4, not released), an old one (OP5); walk-ins W1-W4.
void loadPatients(const testsupport::TestDatabase& db) {
    const QDate today = QDate::currentDate();
    const QDate yesterday = today.addDays(-1);
    db.load(
        "INSERT INTO BUILD_FILE.tbCoAddress (ZipCode, Town, Province) VALUES "
        "('4000', 'SAN PABLO', 'LAGUNA');\n"
        "INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex, "
        "BirthDate, Age, CivilStatus, HouseStreet, Barangay, ZipCode) VALUES "
        "('H001', 'SANTOS', 'MARIA', 'LUZ', 'F', '1970-05-04 00:00:00', 54, '2', "
        "'12 RIZAL ST', 'POBLACION', '4000'), "
        "('H002', 'SANTOS', 'ANA', NULL, 'F', '1900-01-01 00:00:00', 30, NULL, NULL, NULL, "
        "NULL), "
        "('H003', 'SANTIAGO', NULL, NULL, 'M', NULL, NULL, '3', NULL, NULL, NULL), "
        "('H004', 'O''BRIEN', 'JUAN', NULL, 'M', NULL, 44, '2', NULL, NULL, NULL), "
        "('H005', 'REYES', 'LINA', NULL, 'F', NULL, 70, '3', NULL, NULL, NULL), "
        "('H006', 'SANT_X', 'ODD', NULL, 'F', NULL, 20, '1', NULL, NULL, NULL);\n"
        "INSERT INTO PATIENT_DATA.tbOutPatient (IDNum, HospNum, AdmDate, DcrDate, BillingDate, "
        "AccountNum, Company, Age) VALUES "
        "('OP1', 'H001', '" +
        stamp(today, "08:30:00") + "', NULL, NULL, 'AC7', 'ACME', 53), " + "('OP2', 'H002', '" +
        stamp(today, "09:00:00") + "', NULL, NULL, NULL, NULL, NULL), " + "('OP3', 'H003', '" +
        stamp(today, "07:00:00") + "', '" + stamp(today, "10:00:00") +
        "', NULL, NULL, NULL, 61), " + "('OP4', 'H004', '" + stamp(yesterday, "23:59:00") +
        "', NULL, NULL, NULL, NULL, NULL), "
        "('OP5', 'H001', '2024-01-02 10:00:00', '2024-01-02 12:00:00', "
        "'2024-01-03 09:00:00', NULL, NULL, 49);\n"
        "INSERT INTO PATIENT_DATA.tbCashPatient (HospNum, LastName, FirstName, MiddleName, "
        "HouseStreet, Barangay, ZipCode, BirthDate, CivilStatus, Age, Sex, RegisterDate) VALUES "
        "('W1', 'DELA CRUZ', 'JOSE', 'P', NULL, NULL, '4000', '1980-12-31 00:00:00', '2', 44, "
        "'M', '2025-01-01 08:00:00'), "
        "('W2', 'DELA CRUZ', 'ROSA', NULL, NULL, NULL, NULL, NULL, NULL, NULL, 'F', NULL), "
        "('W3', NULL, NULL, NULL, NULL, NULL, NULL, NULL, '', NULL, NULL, NULL), "
        "('W4', 'O''NEIL', 'KIM', NULL, NULL, NULL, NULL, NULL, '1', 25, 'F', NULL)");
}

QStringList firstColumn(const data::Recordset& rs) {
    QStringList codes;
    for (const server::Row& row : rs.result().rows)
        codes << data::valueText(row.value(0));
    return codes;
}

} // namespace

class tst_PatientListProcedures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { MAMMO_REQUIRE_TEST_BACKEND(); }
    void init();
    void cleanup();
    void matches_data();
    void matches();
    void columnsAsTheListsReadThem_data();
    void columnsAsTheListsReadThem();
    void nullsComeBackEmpty();
    void nameSearchIsBounded();
    void unknownFlagsAreRefused_data();
    void unknownFlagsAreRefused();

private:
    std::unique_ptr<testsupport::TestDatabase> m_db;
    std::unique_ptr<data::Connection> m_connection;
};

void tst_PatientListProcedures::init() {
    m_db = std::make_unique<testsupport::TestDatabase>();
    loadPatients(*m_db);
    m_connection = std::make_unique<data::Connection>(m_db->open());
}

void tst_PatientListProcedures::cleanup() {
    m_connection.reset();
    m_db.reset();
}

void tst_PatientListProcedures::matches_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("codes");

    // Registered outpatients: current = today's visits not yet released.
    QTest::newRow("opd current, all names")
        << "spGlobal_RegisteredOPD '1','0', ''" << QStringList{"OP2", "OP1"};
    QTest::newRow("opd current by name")
        << "spGlobal_RegisteredOPD '1','0', 'SANTOS'" << QStringList{"OP2", "OP1"};
    QTest::newRow("opd current, released today is out")
        << "spGlobal_RegisteredOPD '1','0', 'SANTIAGO'" << QStringList{};
    QTest::newRow("opd all by name, newest visit first")
        << "spGlobal_RegisteredOPD '0','0', 'SANTOS'" << QStringList{"OP2", "OP1", "OP5"};
    QTest::newRow("opd all, empty text lists every visit")
        << "spGlobal_RegisteredOPD '0','0', ''" << QStringList{"OP4", "OP3", "OP2", "OP1", "OP5"};
    QTest::newRow("opd by visit number")
        << "spGlobal_RegisteredOPD '0','1', 'OP5'" << QStringList{"OP5"};
    QTest::newRow("opd by visit number in small letters")
        << "spGlobal_RegisteredOPD '0','1', 'op3'" << QStringList{"OP3"};
    QTest::newRow("opd by hospital number")
        << "spGlobal_RegisteredOPD '0','1', 'H001'" << QStringList{"OP1", "OP5"};
    QTest::newRow("opd number, current only")
        << "spGlobal_RegisteredOPD '1','1', 'H001'" << QStringList{"OP1"};
    QTest::newRow("opd number is not a name")
        << "spGlobal_RegisteredOPD '0','1', 'SANTOS'" << QStringList{};
    QTest::newRow("opd yesterday's visit is not current")
        << "spGlobal_RegisteredOPD '1','1', 'OP4'" << QStringList{};
    QTest::newRow("opd quote in the name")
        << "spGlobal_RegisteredOPD '0','0', 'O''BR'" << QStringList{"OP4"};
    QTest::newRow("opd first try: a number")
        << "spGlobal_RegisteredOPD '','1', 'OP4'" << QStringList{"OP4"};
    QTest::newRow("opd first try: a last name")
        << "spGlobal_RegisteredOPD '','1', 'REYES'" << QStringList{};
    QTest::newRow("opd first try: a last name with visits")
        << "spGlobal_RegisteredOPD '','1', 'SANTI'" << QStringList{"OP3"};

    // Regular patients: the master file.
    QTest::newRow("regular by number")
        << "RADIOLOGY..spGlobal_RegularPatients '0','1', 'H005'" << QStringList{"H005"};
    QTest::newRow("regular by name")
        << "RADIOLOGY..spGlobal_RegularPatients '1','0', 'SANTOS'" << QStringList{"H002", "H001"};
    QTest::newRow("regular, wildcards are letters")
        << "RADIOLOGY..spGlobal_RegularPatients '1','0', 'SANT_'" << QStringList{"H006"};
    QTest::newRow("regular, percent is a letter")
        << "RADIOLOGY..spGlobal_RegularPatients '0','0', '%'" << QStringList{};
    QTest::newRow("regular name in small letters")
        << "RADIOLOGY..spGlobal_RegularPatients '0','0', 'reyes'" << QStringList{"H005"};
    QTest::newRow("regular first try: number")
        << "RADIOLOGY..spGlobal_RegularPatients '','1', 'H003'" << QStringList{"H003"};
    QTest::newRow("regular first try: one name")
        << "RADIOLOGY..spGlobal_RegularPatients '','1', 'REYES'" << QStringList{"H005"};
    QTest::newRow("regular first try: two names")
        << "RADIOLOGY..spGlobal_RegularPatients '','1', 'SANTOS'" << QStringList{"H002", "H001"};
    QTest::newRow("regular first try: nothing")
        << "RADIOLOGY..spGlobal_RegularPatients '','1', 'XAVIER'" << QStringList{};
    QTest::newRow("regular, all names")
        << "RADIOLOGY..spGlobal_RegularPatients '1','0', ''"
        << QStringList{"H004", "H005", "H003", "H002", "H001", "H006"};

    // Walk-ins.
    QTest::newRow("cash by number")
        << "RADIOLOGY..spGlobal_CashPatients '0','1', 'W2'" << QStringList{"W2"};
    QTest::newRow("cash by number in small letters")
        << "RADIOLOGY..spGlobal_CashPatients '0','1', 'w1'" << QStringList{"W1"};
    QTest::newRow("cash by name") << "RADIOLOGY..spGlobal_CashPatients '1','0', 'DELA'"
                                  << QStringList{"W1", "W2"};
    QTest::newRow("cash first try: quote in the name")
        << "RADIOLOGY..spGlobal_CashPatients '','1', 'O''NEIL'" << QStringList{"W4"};
    QTest::newRow("cash, every walk-in, no name first")
        << "RADIOLOGY..spGlobal_CashPatients '0','0', ''" << QStringList{"W3", "W1", "W2", "W4"};

    // The cash picker's lists: kind and text.
    QTest::newRow("walk-in by name")
        << "spGlobal_WalkIn '0', 'DELA CRUZ'" << QStringList{"W1", "W2"};
    QTest::newRow("walk-in by number") << "spGlobal_WalkIn '1', 'W4'" << QStringList{"W4"};
    QTest::newRow("walk-in finds nothing") << "spGlobal_WalkIn '0', 'ZZZ'" << QStringList{};
    QTest::newRow("outpatient by name")
        << "spGlobal_Outpatient '0', 'SANTOS'" << QStringList{"OP2", "OP1", "OP5"};
    QTest::newRow("outpatient by number") << "spGlobal_Outpatient '1', 'OP4'" << QStringList{"OP4"};
}

void tst_PatientListProcedures::matches() {
    QFETCH(QString, command);
    QFETCH(QStringList, codes);
    QCOMPARE(firstColumn(m_connection->open(command)), codes);
}

void tst_PatientListProcedures::columnsAsTheListsReadThem_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("columns");
    const QStringList patient{"HospNum",     "LastName", "FirstName", "MiddleName", "Birth Date",
                              "CivilStatus", "Sex",      "BirthDate", "Age",        "HouseStreet",
                              "Barangay",    "Town",     "Province"};
    QTest::newRow("registered outpatients")
        << "spGlobal_RegisteredOPD '0','0', ''"
        << QStringList{"IdNum",       "LastName",   "FirstName", "MiddleName", "AdmDate",
                       "HospNum",     "AccountNum", "Company",   "DcrDate",    "BillingDate",
                       "CivilStatus", "Sex",        "BirthDate", "Age",        "HouseStreet",
                       "Barangay",    "Town",       "Province"};
    QTest::newRow("regular") << "RADIOLOGY..spGlobal_RegularPatients '0','0', ''" << patient;
    QTest::newRow("cash") << "RADIOLOGY..spGlobal_CashPatients '0','0', ''" << patient;
    QTest::newRow("walk-in") << "spGlobal_WalkIn '0', ''"
                             << QStringList{"HospNum", "LastName", "FirstName", "MiddleName"};
    QTest::newRow("outpatient") << "spGlobal_Outpatient '0', ''"
                                << QStringList{"IdNum", "LastName", "FirstName", "MiddleName",
                                               "AdmDate"};
}

void tst_PatientListProcedures::columnsAsTheListsReadThem() {
    QFETCH(QString, command);
    QFETCH(QStringList, columns);
    // Exactly, letter case included: the lists show these names as headings.
    QCOMPARE(m_connection->open(command).fieldNames(), columns);
}

void tst_PatientListProcedures::nullsComeBackEmpty() {
    data::Recordset opd = m_connection->open("spGlobal_RegisteredOPD '0','1', 'OP3'");
    QCOMPARE(opd.recordCount(), 1);
    QCOMPARE(opd.field("FirstName").value().toString(), QString(""));
    QVERIFY(!opd.field("FirstName").isNull());
    QVERIFY(!opd.field("AccountNum").isNull());
    QCOMPARE(opd.field("Age").text(), QString("61"));
    QCOMPARE(opd.field("DcrDate").dateTime(), QDateTime(QDate::currentDate(), QTime(10, 0)));

    data::Recordset full = m_connection->open("spGlobal_RegisteredOPD '0','1', 'OP1'");
    QCOMPARE(full.field("AdmDate").dateTime(), QDateTime(QDate::currentDate(), QTime(8, 30)));
    QCOMPARE(full.field("Town").text(), QString("SAN PABLO"));
    QCOMPARE(full.field("Age").text(), QString("53")); // the age at the visit
    QVERIFY(full.field("DcrDate").isNull());

    data::Recordset nameless = m_connection->open("spGlobal_WalkIn '1', 'W3'");
    for (const QString name : {"LastName", "FirstName", "MiddleName"}) {
        QVERIFY2(!nameless.field(name).isNull(), qPrintable(name));
        QCOMPARE(nameless.field(name).text(), QString());
    }

    // The shown birth date is a date, and empty where none is on record.
    data::Recordset regular =
        m_connection->open("RADIOLOGY..spGlobal_RegularPatients '0','0', 'SANTOS'");
    QCOMPARE(regular.field("Birth Date").text(), QString()); // ANA: 1900-01-01
    regular.moveNext();
    QCOMPARE(regular.field("Birth Date").text(), QString("05/04/1970"));
    QCOMPARE(regular.field("BirthDate").date(), QDate(1970, 5, 4));
}

void tst_PatientListProcedures::nameSearchIsBounded() {
    QStringList values;
    for (int i = 0; i < 520; ++i)
        values
            << QString("('M%1', 'MANY', '%2')").arg(i, 3, 10, QChar('0')).arg(i, 3, 10, QChar('0'));
    m_db->load("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName) VALUES " +
               values.join(", "));
    data::Recordset rs = m_connection->open("RADIOLOGY..spGlobal_RegularPatients '1','0', 'MANY'");
    QCOMPARE(rs.recordCount(), 500);
    QCOMPARE(rs.field("FirstName").text(), QString("000"));
    // A number still finds its one patient beyond the bound.
    QCOMPARE(
        m_connection->open("RADIOLOGY..spGlobal_RegularPatients '0','1', 'M519'").recordCount(), 1);
}

void tst_PatientListProcedures::unknownFlagsAreRefused_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("current flag") << "spGlobal_RegisteredOPD '2','0', 'X'";
    QTest::newRow("kind") << "RADIOLOGY..spGlobal_CashPatients '1','5', 'X'";
    QTest::newRow("walk-in kind") << "spGlobal_WalkIn 'A', 'X'";
    QTest::newRow("too few values") << "spGlobal_Outpatient '0'";
}

void tst_PatientListProcedures::unknownFlagsAreRefused() {
    QFETCH(QString, command);
    QVERIFY_THROWS_EXCEPTION(data::DbError, m_connection->open(command));
}

QTEST_GUILESS_MAIN(tst_PatientListProcedures)
#include "tst_patientlistprocedures.moc"
