#pragma once

#include "src/charges/ChargeEntryWindow.h"

namespace charges {

// "Oupatient Request Entry": charges a registered outpatient whose record the
// caller names; as "Paid Request Entry" it takes the items a patient paid at
// the cashier under the official receipt number instead.
class frmOutpatient final : public ChargeEntryWindow {
    Q_OBJECT

public:
    explicit frmOutpatient(QWidget* parent = nullptr);

    // Set before the window is shown; the patient is loaded as it shows.
    void setPatientType(const QString& type) { m_patientType = type; }
    void setIdnumber(const QString& id) { m_idnumber = id; }
    void setIdNum(const QString& id) { m_idnumber = id; }
    void setCashPatient(bool paid) { m_cashPatient = paid; }
    void setORNumber(const QString& receipt) { m_orNumber = receipt; }
    void setRequestingNurse(const QString& nurse) { m_requestingNurse = nurse; }
    void setNursingRequest(bool on) { m_nursingRequest = on; }
    const QString& PatientType() const { return m_patientType; }
    const QString& Idnumber() const { return m_idnumber; }
    bool CashPatient() const { return m_cashPatient; }
    const QString& ORNumber() const { return m_orNumber; }

    // Loads the patient (and the paid items); done once, when first shown.
    void load();

protected:
    double price(const data::OtherRevenueInfo& item) const override;
    QString requestPatientType() const override { return "O"; }
    QString chargePatientType() const override { return "O"; }
    QString slipNumber() override;
    void afterRequest(int line, const QString& slip) override;
    SlipOutput slipOutput() const override { return SlipOutput::ModalViewer; }
    void placeOnActivation() override;
    void showEvent(QShowEvent* event) override;

private:
    void loadOutpatientRecord();
    void loadPaidItems();

    QString m_patientType;
    QString m_idnumber;
    bool m_cashPatient = false;
    QString m_orNumber;
    QString m_requestingNurse;
    bool m_nursingRequest = false;
    bool m_loaded = false;
};

} // namespace charges
