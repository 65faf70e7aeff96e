#pragma once

#include "src/controls/PatientPicker.h"

namespace controls {

// The list of the regular and walk-in patient searches. Set its properties,
// exec() it, then read Valid() and ResultCode().
class frmPatientList final : public PatientPicker {
    Q_OBJECT
public:
    explicit frmPatientList(QWidget* parent = nullptr);

    void setListCaption(const QString& caption);
    // "" hides the box, which then stays ticked.
    void setCurrentCaption(const QString& caption);
    void setPatientRecord(const QString& text);
    // The call, with "#1" the current flag, "#2" the kind and "#3" the text.
    void setPatientQuery(const QString& query);
    void setEnableAddPatient(bool on);

protected:
    void load() override;
    void search() override;

private:
    QCheckBox* m_current;
    QPushButton* m_add;
    QString m_listCaption;
    QString m_patientRecord;
    QString m_query;
};

} // namespace controls
