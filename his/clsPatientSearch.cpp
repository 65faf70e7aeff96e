#include "his/clsPatientSearch.h"

#include "his/PatientAge.h"
#include "his/frmSearchList.h"

#include "src/data/Connection.h"

#include <QApplication>
#include <QRegularExpression>

namespace his {

namespace {

data::PatientInfo patientOf(const data::Recordset& r, const QVariant& storedAge) {
    data::PatientInfo p;
    p.LastName = r["LastName"].text();
    p.FirstName = r["FirstName"].text();
    p.MiddleName = r["MiddleName"].text();
    p.Sex = r["Sex"].text();
    p.BirthDate = r["BirthDate"].dateTime();
    p.Age = ageText(p.BirthDate, storedAge, QDate::currentDate());
    p.CivilStatus = r["CivilStatus"].text();
    p.Address = {r["HouseStreet"].text(), r["Barangay"].text(), r["Town"].text(),
                 r["Province"].text()};
    return p;
}

// "LAST" or "LAST, FIRST" as the starts of the last and first names.
std::pair<QString, QString> nameParts(const QString& text) {
    const qsizetype comma = text.indexOf(',');
    if (comma < 0)
        return {text.trimmed(), QString()};
    return {text.left(comma).trimmed(), text.mid(comma + 1).trimmed()};
}

QString fullName(const data::Recordset& r) {
    QString name = r["LastName"].text() + ", " + r["FirstName"].text();
    if (!r["MiddleName"].text().isEmpty())
        name += " " + r["MiddleName"].text();
    return name;
}

} // namespace

bool clsPatientSearch::InitConnection(data::Connection& connection, const QString&) {
    m_connection = &connection;
    return connection.isOpen();
}

data::Connection& clsPatientSearch::connection() const {
    if (!m_connection || !m_connection->isOpen())
        throw data::DbError("The patient search has no open connection.");
    return *m_connection;
}

bool clsPatientSearch::ValidateAdmission(const QString& text, const std::optional<QString>&) {
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return false;
    static const QRegularExpression digits("^[0-9]+$");
    if (digits.match(typed).hasMatch())
        return findAdmission(typed);

    const auto [lastName, firstName] = nameParts(typed);
    if (lastName.isEmpty())
        return false;
    const data::Recordset found = searchAdmissions(lastName, firstName);
    if (found.recordCount() == 0)
        return false;
    if (found.recordCount() == 1) {
        take(found);
        return true;
    }
    return pickAdmission(typed);
}

data::Recordset clsPatientSearch::searchAdmissions(const QString& lastName,
                                                   const QString& firstName) const {
    return connection().open("PATIENT_DATA..spMaster_SearchAdmissions " + data::quoted(lastName) +
                             "," + data::quoted(firstName));
}

bool clsPatientSearch::findAdmission(const QString& number) {
    const data::Recordset found =
        connection().open("PATIENT_DATA..spMaster_FindAdmission " + data::quoted(number));
    if (found.eof())
        return false;
    take(found);
    return true;
}

bool clsPatientSearch::pickAdmission(const QString& text) {
    frmSearchList window(
        QApplication::activeWindow(), "Admitted Patients",
        {"Adm. No.", "Patient", "Hosp. No.", "Room", "Admitted"}, [&](const QString& typed) {
            const auto [last, first] = nameParts(typed);
            QList<QStringList> rows;
            if (last.isEmpty())
                return rows;
            data::Recordset r = searchAdmissions(last, first);
            for (; !r.eof(); r.moveNext())
                rows << QStringList{r["Idnumber"].text(), fullName(r), r["HospitalNumber"].text(),
                                    r["RoomID"].text(),
                                    r["AdmissionDate"].dateTime().toString("MM/dd/yyyy hh:mm")};
            return rows;
        });
    window.start(text);
    if (window.exec() != QDialog::Accepted || !window.Valid())
        return false;
    return findAdmission(window.ResultCode());
}

void clsPatientSearch::take(const data::Recordset& r) {
    data::AdmissionInfo a;
    a.Idnumber = r["Idnumber"].text();
    a.HospitalNumber = r["HospitalNumber"].text();
    a.AdmissionDate = r["AdmissionDate"].dateTime();
    a.DischargeDate = r["DischargeDate"].dateTime();
    a.BillingDate = r["BillingDate"].dateTime();
    a.Room = {r["RoomID"].text(), r["RoomClassID"].text()};
    a.Account = {r["AccountNum"].text(), r["Company"].text()};
    a.AttendingDoctor1 = {r["AttendingDr1"].text(), r["DoctorLastName"].text(),
                          r["DoctorFirstName"].text(), r["DoctorMiddleName"].text()};
    const QVariant admissionAge = r["AdmissionAge"].value();
    a.Patient = patientOf(r, admissionAge.isNull() ? r["Age"].value() : admissionAge);
    m_admission = a;
}

bool clsPatientSearch::LoadPatient(const QString& hospitalNumber) {
    const QString number = hospitalNumber.trimmed();
    if (number.isEmpty())
        return false;
    const data::Recordset found =
        connection().open("PATIENT_DATA..spMaster_LoadPatient " + data::quoted(number));
    if (found.eof())
        return false;
    m_master = patientOf(found, found["Age"].value());
    return true;
}

} // namespace his
