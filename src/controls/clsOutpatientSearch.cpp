#include "src/controls/clsOutpatientSearch.h"

#include "src/controls/PatientQueries.h"
#include "src/controls/frmRegisteredOPD.h"
#include "src/data/Connection.h"
#include "src/data/SessionValues.h"

namespace controls {

namespace {
const char* const kProcedure = "spGlobal_RegisteredOPD";
}

bool clsOutpatientSearch::ValidatePatient(const QString& AdmNum, bool /*blnView*/) {
    data::Connection& connection = data::currentSession().sessionConnection();
    const auto lookUp = [&connection](const QString& code) {
        return connection.open(PatientQueries::providerLookup(kProcedure, "0", code),
                               data::adOpenDynamic, data::adLockOptimistic, data::adUseClient);
    };
    data::Recordset rows = lookUp(AdmNum);
    bool found = rows.recordCount() == 1;
    if (!found) {
        frmRegisteredOPD picker(m_owner);
        picker.setPatientRecord(AdmNum);
        picker.exec();
        if (picker.Valid()) {
            rows.close();
            rows = lookUp(picker.ResultCode());
            // The visit may have gone since it was listed.
            found = !rows.eof();
        }
    }
    if (found) {
        readPatient(rows);
        m_idnumber = rows.field("IdNum").text();
        m_accountNum = rows.field("AccountNum").text();
        m_company = rows.field("Company").text();
        const QDateTime admitted = rows.field("AdmDate").dateTime();
        m_admDate = shownDate(admitted);
        m_admTime = shownTime(admitted);
        const QDateTime released = rows.field("DcrDate").dateTime();
        m_dcrDate = shownDate(released);
        m_dcrTime = shownTime(released);
        m_billingDate = shownDate(rows.field("BillingDate").dateTime());
    }
    rows.close();
    return found;
}

} // namespace controls
