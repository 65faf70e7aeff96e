#pragma once

#include "src/controls/PatientPicker.h"

namespace tracking {

// "Search Cash Communication": the communications the cashier left for the
// section (receipt, patient, paid exam). Run modally; the opener reads
// Valid, ResultCode (the receipt number) and Patient after it closes.
class frmCashComm final : public controls::PatientPicker {
    Q_OBJECT

public:
    explicit frmCashComm(QWidget* parent = nullptr);

    const QString& Patient() const { return m_patient; }

protected:
    // The window opens on what an empty search finds.
    void load() override;
    void search() override;
    void select() override;

private:
    void resetList();

    QString m_patient;
};

} // namespace tracking
