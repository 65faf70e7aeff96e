#include "his/PatientAge.h"
#include "his/clsPatientSearch.h"
#include "src/data/Connection.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/TestDatabase.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

// Three current admissions (two SANTOS, one SANTIAGO), a discharged and
// billed one, and a patient without any admission.
void loadAdmissions(const testsupport::TestDatabase& db) {
    db.load(
        "INSERT INTO BUILD_FILE.tbCoAddress (ZipCode, Town, Province) VALUES "
        "('4000', 'SAN PABLO', 'LAGUNA');\n"
        "INSERT INTO BUILD_FILE.tbcoroom (RoomID, Description, RoomClassID, Station) VALUES "
        "('301', 'PRIVATE', 'B', 'NS3'), ('WARD1', 'WARD', 'E', 'NS1');\n"
        "INSERT INTO BUILD_FILE.tbCoDoctor (DoctorID, LastName, FirstName, MiddleName) VALUES "
        "('D01', 'SMITH', 'JOHN', 'A');\n"
        "INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex, "
        "BirthDate, Age, CivilStatus, HouseStreet, Barangay, ZipCode) VALUES "
        "('H001', 'SANTOS', 'MARIA', 'LUZ', 'F', '1900-01-01 00:00:00', 52, '2', "
        "'12 RIZAL ST', 'POBLACION', '4000'), "
        "('H002', 'SANTOS', 'ANA', NULL, 'F', '1900-01-01 00:00:00', 30, '1', NULL, NULL, NULL), "
        "('H003', 'SANTIAGO', 'PEDRO', NULL, 'M', '1900-01-01 00:00:00', 61, '3', NULL, NULL, "
        "NULL), "
        "('H004', 'O''BRIEN', 'JUAN', NULL, 'M', '1900-01-01 00:00:00', 44, '2', NULL, NULL, "
        "NULL), "
        "('H005', 'REYES', 'LINA', NULL, 'F', '1900-01-01 00:00:00', 70, '3', NULL, NULL, NULL);\n"
        "INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, DischargeDate, "
        "BillingDate, RoomID, AttendingDr1, AccountNum, Company, Age) VALUES "
        "('1001', 'H001', '2025-03-01 08:30:00', NULL, NULL, '301', 'D01', 'AC7', "
        "'ACME INSURANCE', 51), "
        "('1002', 'H002', '2025-03-02 09:00:00', NULL, NULL, 'WARD1', NULL, NULL, NULL, NULL), "
        "('1003', 'H003', '2025-03-03 10:00:00', NULL, NULL, 'WARD1', NULL, NULL, NULL, 61), "
        "('1004', 'H004', '2025-02-01 10:00:00', '2025-02-05 11:00:00', '2025-02-05 15:00:00', "
        "'301', 'D01', NULL, NULL, 44)");
}

// Counts a window that opens while it lives, and closes it at once. Its
// watch ends with it, so that it cannot close a later test's window.
class NoWindow {
public:
    NoWindow() {
        testsupport::whenModalOpens([watching = m_watching, opened = m_opened](QWidget* w) {
            if (!*watching)
                return;
            ++*opened;
            w->close();
        });
    }
    ~NoWindow() { *m_watching = false; }
    int opened() const { return *m_opened; }

private:
    std::shared_ptr<bool> m_watching = std::make_shared<bool>(true);
    std::shared_ptr<int> m_opened = std::make_shared<int>(0);
};

} // namespace

class tst_PatientSearch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        MAMMO_REQUIRE_TEST_BACKEND();
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }
    void init();
    void cleanup();
    void acceptsTheConnection();
    void validateWithoutAWindow_data();
    void validateWithoutAWindow();
    void admissionCarriesEveryMember();
    void severalMatchesOpenThePicker_data();
    void severalMatchesOpenThePicker();
    void loadPatient();
    void ageFromTheRecords_data();
    void ageFromTheRecords();

private:
    std::unique_ptr<testsupport::TestDatabase> m_db;
    std::unique_ptr<data::Connection> m_connection;
    std::unique_ptr<his::clsPatientSearch> m_search;
};

void tst_PatientSearch::init() {
    m_db = std::make_unique<testsupport::TestDatabase>();
    loadAdmissions(*m_db);
    m_connection = std::make_unique<data::Connection>(m_db->open());
    m_search = std::make_unique<his::clsPatientSearch>();
    QVERIFY(m_search->InitConnection(*m_connection, ""));
}

void tst_PatientSearch::cleanup() {
    m_search.reset();
    m_connection.reset();
    m_db.reset();
}

void tst_PatientSearch::acceptsTheConnection() {
    his::clsPatientSearch search;
    data::Connection closed(m_db->open());
    closed.close();
    QVERIFY(!search.InitConnection(closed, ""));
    QVERIFY_THROWS_EXCEPTION(data::DbError, search.ValidateAdmission("1001"));
}

void tst_PatientSearch::validateWithoutAWindow_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("idnumber");

    QTest::newRow("admission number") << "1001" << true << "1001";
    QTest::newRow("number, blanks around") << " 1003 " << true << "1003";
    QTest::newRow("number of a discharged admission") << "1004" << true << "1004";
    QTest::newRow("unknown number") << "9999" << false << "";
    QTest::newRow("one current admission by name") << "SANTI" << true << "1003";
    QTest::newRow("name typed in small letters") << "santiago" << true << "1003";
    QTest::newRow("last and first name narrow it") << "SANTOS, AN" << true << "1002";
    QTest::newRow("only a discharged admission") << "O'BRIEN" << false << "";
    QTest::newRow("a patient never admitted") << "REYES" << false << "";
    QTest::newRow("no such name") << "XAVIER" << false << "";
    QTest::newRow("wildcard taken literally") << "SANT%" << false << "";
    QTest::newRow("empty") << "  " << false << "";
}

void tst_PatientSearch::validateWithoutAWindow() {
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(QString, idnumber);
    NoWindow window;
    QCOMPARE(m_search->ValidateAdmission(text, QString()), found);
    QCOMPARE(window.opened(), 0);
    QCOMPARE(m_search->Admission().Idnumber, idnumber);
}

void tst_PatientSearch::admissionCarriesEveryMember() {
    QVERIFY(m_search->ValidateAdmission("1001"));
    const data::AdmissionInfo& a = m_search->Admission();
    QCOMPARE(a.Idnumber, QString("1001"));
    QCOMPARE(a.HospitalNumber, QString("H001"));
    QCOMPARE(a.AdmissionDate, QDateTime(QDate(2025, 3, 1), QTime(8, 30)));
    QVERIFY(data::isUnset(a.DischargeDate));
    QVERIFY(data::isUnset(a.BillingDate));
    QCOMPARE(a.Room.Room, QString("301"));
    QCOMPARE(a.Room.RoomClassID, QString("B"));
    QCOMPARE(a.Account.Account, QString("AC7"));
    QCOMPARE(a.Account.Company, QString("ACME INSURANCE"));
    QCOMPARE(a.AttendingDoctor1.ResultCode, QString("D01"));
    QCOMPARE(a.AttendingDoctor1.LastName, QString("SMITH"));
    QCOMPARE(a.AttendingDoctor1.FirstName, QString("JOHN"));
    const data::PatientInfo& p = a.Patient;
    QCOMPARE(QStringList({p.LastName, p.FirstName, p.MiddleName, p.Sex, p.Age, p.CivilStatus}),
             QStringList({"SANTOS", "MARIA", "LUZ", "F", "51", "2"}));
    QCOMPARE(p.BirthDate.date(), QDate(1900, 1, 1));
    QCOMPARE(QStringList(
                 {p.Address.HouseStreet, p.Address.Barangay, p.Address.Town, p.Address.Province}),
             QStringList({"12 RIZAL ST", "POBLACION", "SAN PABLO", "LAGUNA"}));

    QVERIFY(m_search->ValidateAdmission("1004"));
    const data::AdmissionInfo& closed = m_search->Admission();
    QCOMPARE(closed.DischargeDate, QDateTime(QDate(2025, 2, 5), QTime(11, 0)));
    QCOMPARE(closed.BillingDate, QDateTime(QDate(2025, 2, 5), QTime(15, 0)));
    QCOMPARE(closed.Patient.LastName, QString("O'BRIEN"));
    QCOMPARE(closed.Patient.Sex, QString("M"));

    // Without an age at admission the master file's age stands; an admission
    // without doctor, account or address gives empty members.
    QVERIFY(m_search->ValidateAdmission("1002"));
    const data::AdmissionInfo& ward = m_search->Admission();
    QCOMPARE(ward.Patient.Age, QString("30"));
    QCOMPARE(ward.Room.RoomClassID, QString("E"));
    QCOMPARE(ward.AttendingDoctor1.LastName, QString());
    QCOMPARE(ward.Account.Company, QString());
    QCOMPARE(ward.Patient.Address.Town, QString());
}

void tst_PatientSearch::severalMatchesOpenThePicker_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row"); // -1 closes the picker
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("idnumber");

    // Listed by last name, then first name.
    const QStringList both{"1002", "1001"};
    QTest::newRow("first of two") << "SANTOS" << 0 << both << true << "1002";
    QTest::newRow("second of two") << "SANTOS" << 1 << both << true << "1001";
    QTest::newRow("three by a shorter start")
        << "SANT" << 2 << QStringList{"1003", "1002", "1001"} << true << "1001";
    QTest::newRow("closed without choosing") << "SANTOS" << -1 << both << false << "1003";
}

void tst_PatientSearch::severalMatchesOpenThePicker() {
    QFETCH(QString, text);
    QFETCH(int, row);
    QFETCH(QStringList, listed);
    QFETCH(bool, found);
    QFETCH(QString, idnumber);
    // The admission found before stays when the picker is closed.
    QVERIFY(m_search->ValidateAdmission("1003"));

    QStringList seen;
    QString boxText;
    testsupport::whenModalOpens([&](QWidget* window) {
        auto* list = window->findChild<QTreeWidget*>("grdList");
        if (!list)
            return;
        boxText = window->findChild<QLineEdit*>("txtSearch")->text();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            seen << list->topLevelItem(i)->text(0);
        if (row < 0) {
            window->findChild<QPushButton*>("cmdClose")->click();
            return;
        }
        list->setFocus();
        list->setCurrentItem(list->topLevelItem(row));
        QTest::keyClick(list, Qt::Key_Return);
    });
    QCOMPARE(m_search->ValidateAdmission(text, QString()), found);
    QCOMPARE(boxText, text);
    QCOMPARE(seen, listed);
    QCOMPARE(m_search->Admission().Idnumber, idnumber);
    if (found)
        QVERIFY(m_search->Admission().Patient.LastName.startsWith(text));
}

void tst_PatientSearch::loadPatient() {
    QVERIFY(m_search->LoadPatient("H003"));
    QCOMPARE(m_search->PatientMasterAge(), QString("61"));
    QCOMPARE(m_search->PatientMasterSex(), QString("M"));
    QCOMPARE(m_search->PatientMaster().LastName, QString("SANTIAGO"));

    QVERIFY(m_search->LoadPatient(" H001 "));
    QCOMPARE(m_search->PatientMasterAge(), QString("52")); // the master file's, not the admission's
    QCOMPARE(m_search->PatientMasterSex(), QString("F"));
    QCOMPARE(m_search->PatientMaster().Address.Town, QString("SAN PABLO"));

    QVERIFY(!m_search->LoadPatient("H999"));
    QVERIFY(!m_search->LoadPatient("H0'01"));
    QCOMPARE(m_search->PatientMasterSex(), QString("F"));
}

void tst_PatientSearch::ageFromTheRecords_data() {
    QTest::addColumn<QDateTime>("birth");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("age");
    QTest::newRow("birthday passed")
        << QDateTime(QDate(1980, 6, 14), QTime()) << QVariant(1) << "45";
    QTest::newRow("birthday today") << QDateTime(QDate(1980, 6, 15), QTime()) << QVariant() << "45";
    QTest::newRow("birthday tomorrow")
        << QDateTime(QDate(1980, 6, 16), QTime()) << QVariant() << "44";
    QTest::newRow("earlier month") << QDateTime(QDate(1980, 7, 1), QTime()) << QVariant() << "44";
    QTest::newRow("not on record: stored age")
        << QDateTime(QDate(1900, 1, 1), QTime()) << QVariant(52) << "52";
    QTest::newRow("no birth date: stored age") << QDateTime() << QVariant(7) << "7";
    QTest::newRow("stored as text") << QDateTime() << QVariant("33.00") << "33";
    QTest::newRow("nothing known") << QDateTime() << QVariant() << "";
    QTest::newRow("born after today: stored age")
        << QDateTime(QDate(2026, 1, 1), QTime()) << QVariant(0) << "0";
}

void tst_PatientSearch::ageFromTheRecords() {
    QFETCH(QDateTime, birth);
    QFETCH(QVariant, stored);
    QFETCH(QString, age);
    QCOMPARE(his::ageText(birth, stored, QDate(2025, 6, 15)), age);
}

QTEST_MAIN(tst_PatientSearch)
#include "tst_patientsearch.moc"
