#include "src/controls/RegisteredPatientSearch.h"

#include "src/controls/PatientQueries.h"
#include "src/controls/frmPatientList.h"
#include "src/data/Connection.h"
#include "src/data/SessionValues.h"

namespace controls {

bool RegisteredPatientSearch::ValidatePatient(const QString& AdmNum, bool ViewList) {
    data::Connection& connection = data::currentSession().sessionConnection();
    const auto lookUp = [&](const QString& current, const QString& code) {
        return connection.open(PatientQueries::providerLookup(m_procedure, current, code),
                               data::adOpenDynamic, data::adLockOptimistic, data::adUseClient);
    };
    data::Recordset rows = lookUp("", AdmNum);
    bool found = rows.recordCount() == 1;
    if (!found && ViewList) {
        frmPatientList list(m_owner);
        list.setListCaption(m_listCaption);
        list.setCurrentCaption("");
        list.setPatientRecord(AdmNum);
        list.setPatientQuery(m_procedure + " '#1','#2','#3'");
        list.setEnableAddPatient(m_enableAddPatient);
        list.exec();
        if (list.Valid()) {
            rows.close();
            rows = lookUp("0", list.ResultCode());
            // The patient may have gone since it was listed.
            found = !rows.eof();
        }
    }
    if (found)
        readPatient(rows);
    rows.close();
    return found;
}

} // namespace controls
