#pragma once

#include "src/controls/PatientPicker.h"

namespace controls {

// Picks a registered outpatient visit. Set PatientRecord, exec(), then read
// Valid() and ResultCode() (the visit's IdNum).
class frmRegisteredOPD final : public PatientPicker {
    Q_OBJECT
public:
    explicit frmRegisteredOPD(QWidget* parent = nullptr);

    void setPatientRecord(const QString& text) { m_patientRecord = text; }

protected:
    void load() override;
    void search() override;

private:
    QCheckBox* m_current;
    QString m_patientRecord;
};

} // namespace controls
