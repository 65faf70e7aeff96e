#pragma once

#include "src/controls/PatientProperties.h"

class QWidget;

namespace controls {

// Finds a registered outpatient visit from a visit number; anything else is
// offered in the registered-outpatient picker.
class clsOutpatientSearch : public PatientProperties {
public:
    // `owner` owns the picker window.
    explicit clsOutpatientSearch(QWidget* owner = nullptr)
        : m_owner(owner) {}

    // True when a visit was found or picked; its particulars are then the
    // properties. `blnView` is not consulted: the picker is always offered.
    bool ValidatePatient(const QString& AdmNum, bool blnView = true);

    QString Idnumber() const { return m_idnumber; }
    QString AccountNum() const { return m_accountNum; }
    QString Company() const { return m_company; }
    QString AdmDate() const { return m_admDate; }
    QString AdmTime() const { return m_admTime; }
    QString DcrDate() const { return m_dcrDate; }
    QString DcrTime() const { return m_dcrTime; }
    QString BillingDate() const { return m_billingDate; }

private:
    QWidget* m_owner;
    QString m_idnumber;
    QString m_accountNum;
    QString m_company;
    QString m_admDate;
    QString m_admTime;
    QString m_dcrDate;
    QString m_dcrTime;
    QString m_billingDate;
};

} // namespace controls
