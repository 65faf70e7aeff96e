#pragma once

#include "src/data/SharedComponents.h"

namespace data {
class Recordset;
}

namespace his {

// The patient search component: finds an admission by its number or the
// current admissions by name (its picker window when several match), and
// reads a patient of the master file. A false answer leaves the records of
// earlier searches as they were.
class clsPatientSearch final : public data::IPatientSearch {
public:
    bool InitConnection(data::Connection& connection, const QString& text) override;
    // TEXT is an admission number (digits) or a name: "LAST" or "LAST, FIRST",
    // each the start of the name. The second text is not used.
    bool ValidateAdmission(const QString& text,
                           const std::optional<QString>& second = std::nullopt) override;
    const data::AdmissionInfo& Admission() const override { return m_admission; }

    bool LoadPatient(const QString& hospitalNumber) override;
    QString PatientMasterAge() const override { return m_master.Age; }
    QString PatientMasterSex() const override { return m_master.Sex; }
    data::PatientInfo PatientMaster() const override { return m_master; }

private:
    data::Connection& connection() const;
    bool findAdmission(const QString& number);
    bool pickAdmission(const QString& text);
    data::Recordset searchAdmissions(const QString& lastName, const QString& firstName) const;
    void take(const data::Recordset& r);

    data::Connection* m_connection = nullptr;
    data::AdmissionInfo m_admission;
    data::PatientInfo m_master;
};

} // namespace his
