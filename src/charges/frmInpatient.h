#pragma once

#include "src/charges/ChargeEntryWindow.h"

namespace charges {

// "Inpatient Request Entry": charges an admitted patient, found by last
// name, on the admission's account under a new charge slip number.
class frmInpatient final : public ChargeEntryWindow {
    Q_OBJECT

public:
    explicit frmInpatient(QWidget* parent = nullptr);

    // Set by the nursing-station hand-over; kept and otherwise unused.
    void setRequestingNurse(const QString& nurse) { m_requestingNurse = nurse; }
    void setNursingRequest(bool on) { m_nursingRequest = on; }
    void setIdNum(const QString& id) { m_idNum = id; }

protected:
    bool gridUsable() const override;
    double price(const data::OtherRevenueInfo& item) const override;
    QString feeQuantity() const override { return "1"; }
    QString requestPatientType() const override { return "I"; }
    QString chargePatientType() const override { return "I"; }
    void afterSave(const QString& slip) override;
    SlipOutput slipOutput() const override { return SlipOutput::PrinterWithDialog; }
    std::optional<QString> doctorSearchText(bool fromButton) const override;
    void prepareDoctorSearch(data::ICodeSearch& search) override { search.setSearchMode(true); }
    void clearAfterSave() override;
    void placeOnActivation() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void searchPatient();

    QString m_requestingNurse;
    bool m_nursingRequest = false;
    QString m_idNum;
};

} // namespace charges
