#pragma once

#include "src/charges/ChargeEntryWindow.h"

namespace charges {

// "Receivable Entry": charges exams to the receivable of a billed patient,
// admitted or outpatient, chosen in the billed-patient search.
class frmReceivableEntry final : public ChargeEntryWindow {
    Q_OBJECT

public:
    explicit frmReceivableEntry(QWidget* parent = nullptr);

    void setIdnumber(const QString& id) { m_idnumber = id; }
    void setCashPatient(bool paid) { m_cashPatient = paid; }
    void setORNumber(const QString& receipt) { m_orNumber = receipt; }
    void setPatientType(const QString& type) { m_patientType = type; }
    const QString& Idnumber() const { return m_idnumber; }
    bool CashPatient() const { return m_cashPatient; }
    const QString& ORNumber() const { return m_orNumber; }
    const QString& PatientType() const { return m_patientType; }

    // Loads the patient; done once, when first shown.
    void load();

protected:
    double price(const data::OtherRevenueInfo& item) const override;
    QString requestPatientType() const override { return "O"; }
    QString chargePatientType() const override;
    SlipOutput slipOutput() const override { return SlipOutput::PrinterWithDialog; }
    QString slipCompany() const override { return {}; }
    void placeOnActivation() override;
    void showEvent(QShowEvent* event) override;

private:
    void loadAdmission();
    void loadVisit();
    void loadMasterFields(const QString& hospNum);

    QString m_idnumber;
    bool m_cashPatient = false;
    QString m_orNumber;
    QString m_patientType;
    bool m_loaded = false;
};

} // namespace charges
