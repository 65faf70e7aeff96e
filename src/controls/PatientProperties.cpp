#include "src/controls/PatientProperties.h"

#include "src/data/Recordset.h"

namespace controls {

void PatientProperties::readPatient(const data::Recordset& row) {
    m_hospitalNumber = row.field("HospNum").text();
    m_lastName = row.field("LastName").text();
    m_firstName = row.field("FirstName").text();
    m_middleName = row.field("MiddleName").text();
    m_civilStatus = row.field("CivilStatus").text();
    if (m_civilStatus.isEmpty())
        m_civilStatus = "1";
    m_sex = row.field("Sex").text();
    m_birthDate = row.field("BirthDate").text();
    m_age = row.field("Age").text();
    m_houseStreet = row.field("HouseStreet").text();
    m_barangay = row.field("Barangay").text();
    m_town = row.field("Town").text();
    m_province = row.field("Province").text();
}

QString shownDate(const QDateTime& when) {
    return when.isValid() ? when.toString("MM/dd/yyyy") : QString();
}

QString shownTime(const QDateTime& when) {
    return when.isValid() ? when.toString("hh:mmAP") : QString();
}

} // namespace controls
