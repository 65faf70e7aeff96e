#pragma once

#include "src/controls/PatientPicker.h"

namespace controls {

// Picks the patient of a paid request: a walk-in, a registered outpatient or
// an admitted inpatient. Set PatientRecord (the text shown above the fields),
// exec(), then read Valid(), ResultCode() and PatientType() ("C", "O" or "I").
class frmCashPatients final : public PatientPicker {
    Q_OBJECT
public:
    enum Type { WalkIn = 0, Outpatient = 1, Inpatient = 2 };

    explicit frmCashPatients(QWidget* parent = nullptr);

    void setPatientRecord(const QString& text);
    QString PatientType() const { return m_patientType; }

protected:
    void load() override;
    void search() override;
    void select() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillList(const QString& command, bool withAdmDate);

    QLabel* m_record;
    QComboBox* m_type;
    QPushButton* m_add;
    QString m_patientType;
};

} // namespace controls
