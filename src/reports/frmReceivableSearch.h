#pragma once

#include "src/controls/PatientPicker.h"

class QCheckBox;

namespace reports {

// "Registered Patients (Master File Search)": finds the billed patients
// (admissions and outpatient visits with a closed account) by last name or
// admission number, the way into receivable entry. Run modally. Choosing a
// row emits admissionChosen with that row's admission number; the caller
// opens the receivable entry modally inside its slot, and this window closes
// once the slot returns. Valid, ResultCode (the admission number) and
// Patient tell the choice afterwards.
class frmReceivableSearch final : public controls::PatientPicker {
    Q_OBJECT

public:
    explicit frmReceivableSearch(QWidget* parent = nullptr);

    const QString& Patient() const { return m_patient; }

signals:
    void admissionChosen(const QString& idnumber);

protected:
    // The list stays empty until the first search.
    void load() override {}
    void search() override;
    void select() override;

private:
    void layOutList();

    QCheckBox* m_currentOnly;
    QString m_patient;
};

} // namespace reports
