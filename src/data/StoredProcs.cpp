#include "src/data/StoredProcs.h"

#include "src/data/Connection.h"
#include "src/data/SessionValues.h"

namespace data::StoredProcs {

namespace {

const char* const kSection = "MM";
const char* const kDoctorsFee = "MD";
const int kCounterAttempts = 20;

// The fixed opening, the values joined by the separator, and the closing quote.
QString call(const QString& opening, const QStringList& values, const QString& separator = "','") {
    QStringList doubled;
    doubled.reserve(values.size());
    for (const QString& v : values)
        doubled << DoubleQuotes(v);
    return opening + doubled.join(separator) + "'";
}

QString search(const QString& procedure, int kind, const QString& text) {
    return call(procedure + " '", {QString::number(kind), text.trimmed()}, "', '");
}

QString employeeCode() {
    return currentSession().employeeCode();
}

} // namespace

QString chargeLineKind(const QString& department) {
    return department == kDoctorsFee ? "P" : "D";
}

QString spLoadRequest(const QString& requestNum) {
    return call("spMammo_LoadRequest '", {requestNum});
}

QString spCancelRequest(const QString& requestNum) {
    return call("spMammo_CancelRequest '", {requestNum});
}

QString spRequestList(const QString& searchText) {
    return call("spMammo_RequestList '", {searchText});
}

QString spOutMaster(const QString& patientType, const QString& hospNum) {
    return call("spGlobal_OutMaster '", {patientType, hospNum});
}

QString spCashExams(const QString& receiptNum) {
    return call("spGlobal_CashExams '", {receiptNum, kSection});
}

QString spCashUpdate(const QString& receiptNum, const QString& itemCode, const QString& flag) {
    return call("spGlobal_CashUpdate '", {receiptNum, kSection, itemCode, flag});
}

QString spCancelList(int kind, const QString& searchText) {
    return search("spMammo_CancelList", kind, searchText);
}

QString spCommunication(int kind, const QString& searchText) {
    return search("spMammo_Communication", kind, searchText);
}

QString spWalkIn(int kind, const QString& searchText) {
    return search("spGlobal_WalkIn", kind, searchText);
}

QString spOutpatientSearch(int kind, const QString& searchText) {
    return search("spGlobal_Outpatient", kind, searchText);
}

QString spSaveRequest(const QString& hospNum, const QString& idNum, const QString& slipNum,
                      const QString& itemCode, const QString& /*quantity: not sent*/,
                      const QString& amount, const QString& patientType, const QString& doctorCode,
                      const QString& room, const QString& department) {
    return call("spMammo_SaveRequest '",
                {idNum, hospNum, slipNum, itemCode, amount, doctorCode, patientType, room,
                 chargeLineKind(department), employeeCode()});
}

QString spSaveCharges(const QString& patientType, const QString& idNum, const QString& hospNum,
                      const QString& slipNum, const QString& department, const QString& itemCode,
                      const QString& quantity, const QString& amount, const QString& doctorCode,
                      const QString& room) {
    return call("spGlobal_SaveCharges '",
                {patientType, idNum, hospNum, slipNum, department, itemCode, quantity, amount,
                 doctorCode, employeeCode(), room, chargeLineKind(department),
                 department == kDoctorsFee ? QString(kSection) : QString()});
}

QString spAssess(const QString& assessmentNum, const QString& itemName, const QString& itemCode,
                 const QString& sectionCode, const QString& quantity, const QString& amount,
                 const QString& patientId, const QString& hospNum, const QString& doctorCode,
                 const QString& doctorName) {
    return call("spGlobal_Assess '",
                {assessmentNum, itemName, itemCode, sectionCode, quantity, amount,
                 sectionCode != kSection ? QString(kSection) : QString(), employeeCode(), patientId,
                 hospNum, doctorCode, doctorName});
}

QString spCheckPending() {
    return "RADIOLOGY..spRadio_CheckPending 'MM'";
}

QString NextChargeSlipNo() {
    Connection& connection = currentSession().sessionConnection();
    for (int attempt = 0; attempt < kCounterAttempts; ++attempt) {
        Recordset rs =
            connection.open("select RefNum from tbMammoSlip", adOpenDynamic, adLockOptimistic);
        if (rs.eof()) {
            // A new section starts its slips at 1.
            connection.execute("INSERT INTO tbMammoSlip (RefNum) VALUES ('2')");
            return "C1E";
        }
        const Field current = rs.field("RefNum");
        const qint64 n = current.isNull() ? 1 : qint64(current.number());
        rs.setField("RefNum", n + 1);
        try {
            rs.update();
        } catch (const DbError& e) {
            if (e.number() != DbError::RowNotLocated)
                throw;
            continue; // another workstation took this number: read the counter again
        }
        rs.close();
        return "C" + QString::number(n) + "E";
    }
    throw DbError("The charge slip number could not be drawn: the counter kept changing. "
                  "Please try again.");
}

void ClearChargeSlipDump() {
    currentSession().sessionConnection().execute("DELETE REPORTS..tbChargeSlip WHERE UserID = " +
                                                 quoted(employeeCode()));
}

bool CheckSectionID(const QString& itemCode) {
    Recordset rs = currentSession().sessionConnection().open(
        "Radiology..spRadio_CheckSectionID " + quoted(itemCode), adOpenDynamic, adLockOptimistic,
        adUseClient);
    const bool sectionH = !rs.eof() && rs.field("SectionID").text() == "H";
    rs.close();
    return sectionH;
}

} // namespace data::StoredProcs
