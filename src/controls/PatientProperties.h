#pragma once

#include <QDateTime>
#include <QString>

namespace data {
class Recordset;
}

namespace controls {

// The patient's particulars every search provider exposes after a
// successful search, read from the current row of its result.
class PatientProperties {
public:
    QString HospitalNumber() const { return m_hospitalNumber; }
    QString LastName() const { return m_lastName; }
    QString FirstName() const { return m_firstName; }
    QString MiddleName() const { return m_middleName; }
    // "1" (single) when the record has none.
    QString CivilStatus() const { return m_civilStatus; }
    QString Sex() const { return m_sex; }
    QString BirthDate() const { return m_birthDate; }
    QString Age() const { return m_age; }
    QString HouseStreet() const { return m_houseStreet; }
    QString Barangay() const { return m_barangay; }
    QString Town() const { return m_town; }
    QString Province() const { return m_province; }

protected:
    void readPatient(const data::Recordset& row);

private:
    QString m_hospitalNumber;
    QString m_lastName;
    QString m_firstName;
    QString m_middleName;
    QString m_civilStatus;
    QString m_sex;
    QString m_birthDate;
    QString m_age;
    QString m_houseStreet;
    QString m_barangay;
    QString m_town;
    QString m_province;
};

// "mm/dd/yyyy" and "hh:mmAM/PM" of a stored date; "" when it is null.
QString shownDate(const QDateTime& when);
QString shownTime(const QDateTime& when);

} // namespace controls
