#pragma once

#include "src/controls/PatientProperties.h"

#include <utility>

class QWidget;

namespace controls {

// The search of a file of registered patients: the typed text is tried
// first; several matches (or none) are offered in the patient list.
class RegisteredPatientSearch : public PatientProperties {
public:
    // True when one patient matched, or one was picked from the list
    // (offered only when `ViewList` is true).
    bool ValidatePatient(const QString& AdmNum, bool ViewList);

protected:
    RegisteredPatientSearch(QWidget* owner, QString procedure, QString listCaption,
                            bool enableAddPatient)
        : m_owner(owner)
        , m_procedure(std::move(procedure))
        , m_listCaption(std::move(listCaption))
        , m_enableAddPatient(enableAddPatient) {}

private:
    QWidget* m_owner;
    QString m_procedure;
    QString m_listCaption;
    bool m_enableAddPatient;
};

} // namespace controls
