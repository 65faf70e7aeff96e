#pragma once

#include "src/charges/ChargeEntryWindow.h"
#include "src/controls/FlexGrid.h"
#include "tests/support/FakeComponents.h"
#include "tests/support/SessionFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace testsupport {

// A patient, an admission in a class B room, a special admission, a closed
// account, an outpatient visit, a walk-in, the markups and two receipts.
inline const char* const kChargeFixture = R"(
INSERT INTO PATIENT_DATA.tbHospitalInfo (Company, Address1, ClientName) VALUES ('CITY GENERAL HOSPITAL', '12 Rizal Avenue', 'TST');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex, BirthDate, Age, CivilStatus, HouseStreet, Barangay, ZipCode) VALUES ('H1', 'SANTOS', 'ANA', 'REYES', 'F', '1970-03-07 00:00:00', 56, '2', '12 RIZAL ST', 'SAN ROQUE', 'Z1');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex, BirthDate, Age, CivilStatus) VALUES ('H2', 'O''BRIEN', 'MAE', NULL, NULL, NULL, 40, NULL);
INSERT INTO BUILD_FILE.tbCoAddress (ZipCode, Town, Province) VALUES ('Z1', 'MARIKINA', 'METRO MANILA');
INSERT INTO BUILD_FILE.tbcoroom (RoomID, Description, RoomClassID) VALUES ('R1', 'WARD 1', 'B');
INSERT INTO BUILD_FILE.tbCoDoctor (DoctorID, LastName, FirstName) VALUES ('D010', 'CRUZ', 'JOSE');
INSERT INTO BUILD_FILE.tbCoDoctor (DoctorID, LastName, FirstName) VALUES ('D001', 'LIM', 'ROSA');
INSERT INTO BUILD_FILE.tbCoOtherRevenue (OtherRevenueID, OtherRevenue, RevenueID, RateA) VALUES ('MM01', 'SCREENING MAMMOGRAPHY', 'MM', 1500);
INSERT INTO BUILD_FILE.tbCoOtherRevenue (OtherRevenueID, OtherRevenue, RevenueID, RateA) VALUES ('MM02', 'SPOT VIEW', 'MM', 400);
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, RoomID, AttendingDr1) VALUES ('5001', 'H1', '2026-12-01 08:00:00', 'R1', 'D010');
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, RoomID, AttendingDr1) VALUES ('5009', 'H1', '2026-12-02 08:00:00', 'R1', 'D010');
INSERT INTO PATIENT_DATA.tbPatient2 (IDNum, AdmissionTypeID) VALUES ('5009', '9');
INSERT INTO PATIENT_DATA.tbOutPatient (IDNum, HospNum, AdmDate, DoctorID1, AccountNum, Age) VALUES ('OP77', 'H2', '2026-12-10 09:00:00', 'D001', 'ACME CORP', 40);
INSERT INTO PATIENT_DATA.tbCashPatient (HospNum, LastName, FirstName, MiddleName, Sex, CivilStatus, Age) VALUES ('W5', 'DIAZ', 'LEA', 'M', 'F', '1', 30);
INSERT INTO BUILD_FILE.tbcoMarkup (MarkupID, Percentage, Description) VALUES ('01', 10, 'HOLIDAY');
INSERT INTO BUILD_FILE.tbcoMarkup (MarkupID, Percentage, Description) VALUES ('02', 25, 'STAT');
INSERT INTO BILLING.tbCashAssessment (RefNum, RevenueID, ItemID, PatientName, Quantity, Amount, IdNum, HospNum, AssessDate, ORNumber, PaidDate) VALUES ('MM1', 'MM', 'MM01', 'DIAZ, LEA', NULL, 1500, 'W5', 'W5', '2026-12-11 08:00:00', 'OR1', '2026-12-11 08:30:00');
INSERT INTO BILLING.tbCashAssessment (RefNum, RevenueID, ItemID, PatientName, Quantity, Amount, IdNum, HospNum, AssessDate, ORNumber, PaidDate) VALUES ('MM1', 'MM', 'MM02', 'DIAZ, LEA', 2, 800, 'W5', 'W5', '2026-12-11 08:00:00', 'OR1', '2026-12-11 08:30:00');
INSERT INTO BILLING.tbCashAssessment (RefNum, RevenueID, ItemID, PatientName, Quantity, Amount, RequestingSection, IdNum, HospNum, AssessDate, ORNumber, PaidDate) VALUES ('MM2', 'MD', 'D001', 'DIAZ, LEA', 1, 500, 'MM', 'W5', 'W5', '2026-12-11 08:00:00', 'OR2', '2026-12-11 08:30:00');
UPDATE RADIOLOGY.tbMammoSlip SET RefNum = 1234
)";

// What the code search finds: two exams with their class rates and two doctors.
inline void addCatalogue(FakeCodeSearch& search) {
    data::OtherRevenueInfo screening;
    screening.ResultCode = "MM01";
    screening.OtherRevenue = "SCREENING MAMMOGRAPHY";
    screening.RateA = 1500;
    screening.RateB = 1200;
    screening.RateF = 2000;
    search.addItem(screening);
    data::OtherRevenueInfo spot;
    spot.ResultCode = "MM02";
    spot.OtherRevenue = "SPOT VIEW";
    spot.RateA = 400;
    spot.RateB = 350;
    spot.RateF = 450;
    search.addItem(spot);
    search.addDoctor({"D001", "LIM", "ROSA", ""});
    search.addDoctor({"D010", "CRUZ", "JOSE", ""});
}

inline data::AdmissionInfo admission(const QString& id, bool closed = false) {
    data::AdmissionInfo a;
    a.Idnumber = id;
    a.HospitalNumber = "H1";
    a.AdmissionDate = QDateTime(QDate(2026, 12, 1), QTime(8, 0));
    if (closed)
        a.BillingDate = QDateTime(QDate(2026, 12, 9), QTime(17, 0));
    a.Room = {"R1", "B"};
    a.Account = {"PHILHEALTH", "PHILHEALTH"};
    a.AttendingDoctor1 = {"D010", "CRUZ", "JOSE", ""};
    a.Patient.LastName = "SANTOS";
    a.Patient.FirstName = "ANA";
    a.Patient.MiddleName = "REYES";
    a.Patient.Sex = "F";
    a.Patient.Age = "56";
    a.Patient.CivilStatus = "2";
    a.Patient.BirthDate = QDateTime(QDate(1970, 3, 7), QTime(0, 0));
    a.Patient.Address = {"12 RIZAL ST", "SAN ROQUE", "MARIKINA", "METRO MANILA"};
    return a;
}

// The session, the components and a charge database for one test.
struct ChargeSession {
    TestDatabase db;
    SessionFixture session{db};
    FakeCodeSearch codeSearch;
    FakePatientSearch patientSearch;

    ChargeSession() {
        db.load(kChargeFixture);
        addCatalogue(codeSearch);
        patientSearch.admissions.insert("SANTOS", admission("5001"));
        patientSearch.admissions.insert("5001", admission("5001"));
        patientSearch.admissions.insert("SPECIAL", admission("5009"));
        patientSearch.admissions.insert("CLOSED", admission("5001", true));
        data::PatientInfo master = admission("5001").Patient;
        patientSearch.patients.insert("H1", master);
        data::SessionValues& values = data::currentSession();
        values.codeSearch = &codeSearch;
        values.patientSearch = &patientSearch;
        values.clientCode = "TST";
    }

    QStringList commandsStarting(const QString& prefix) const {
        QStringList found;
        for (const QString& c : session.commands())
            if (c.startsWith(prefix, Qt::CaseInsensitive))
                found << c;
        return found;
    }
    int count(const QString& table) {
        return session.connection().run("SELECT COUNT(*) FROM " + table).rows[0][0].toInt();
    }
    int slipCounter() {
        return session.connection()
            .run("SELECT RefNum FROM RADIOLOGY..tbMammoSlip")
            .rows[0][0]
            .toInt();
    }
};

// Drives a charge entry window as a clerk does: clicks cells and types into
// the floating editor.
class EntryDriver {
public:
    explicit EntryDriver(charges::ChargeEntryWindow& window)
        : m_window(window) {}

    template <typename T> T* find(const char* name) const {
        T* found = m_window.findChild<T*>(name);
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    controls::FlexGrid* grid() const { return find<controls::FlexGrid>("grdTable"); }
    QLineEdit* editor() const { return find<QLineEdit>("txtEntry"); }
    QString cell(int row, int col) const { return grid()->textMatrix(row, col); }
    bool editorOpenOn(int row, int col) const {
        return editor()->isVisible() && grid()->row() == row && grid()->col() == col;
    }

    void show() {
        m_window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
        m_window.activateWindow();
    }
    void click(int row, int col) {
        controls::FlexGrid* g = grid();
        const QRect rect = g->cellRect(row, col);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                          g->viewport()->mapFrom(g, rect.center()));
    }
    // Types into the editor (which must be open) and presses Enter.
    void type(const QString& text) {
        QLineEdit* e = editor();
        if (!e->isVisible())
            qWarning("typing while the editor is closed: %s", qPrintable(text));
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    void typeIn(const char* box, const QString& text) {
        QLineEdit* b = find<QLineEdit>(box);
        b->setFocus();
        QTest::keyClicks(b, text);
        QTest::keyClick(b, Qt::Key_Return);
    }
    void press(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    void tickHoliday() { QTest::mouseClick(find<QCheckBox>("chkHoliday"), Qt::LeftButton); }

private:
    charges::ChargeEntryWindow& m_window;
};

} // namespace testsupport
