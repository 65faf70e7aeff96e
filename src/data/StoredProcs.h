#pragma once

#include <QString>

namespace data::StoredProcs {

// Command builders of the procedure calls that several windows send. Each
// returns the exact text; the caller sends it. Every value has its quotes
// doubled once, so it arrives as typed.
QString spLoadRequest(const QString& requestNum);
QString spCancelRequest(const QString& requestNum);
QString spRequestList(const QString& searchText);
QString spOutMaster(const QString& patientType, const QString& hospNum);
QString spCashExams(const QString& receiptNum);
QString spCashUpdate(const QString& receiptNum, const QString& itemCode, const QString& flag);

// The four searches: `kind` is the position in the window's search-by list;
// the text is trimmed.
QString spCancelList(int kind, const QString& searchText);
QString spCommunication(int kind, const QString& searchText);
QString spWalkIn(int kind, const QString& searchText);
QString spOutpatientSearch(int kind, const QString& searchText);

QString spSaveRequest(const QString& hospNum, const QString& idNum, const QString& slipNum,
                      const QString& itemCode, const QString& quantity, const QString& amount,
                      const QString& patientType, const QString& doctorCode, const QString& room,
                      const QString& department);
QString spSaveCharges(const QString& patientType, const QString& idNum, const QString& hospNum,
                      const QString& slipNum, const QString& department, const QString& itemCode,
                      const QString& quantity, const QString& amount, const QString& doctorCode,
                      const QString& room);
QString spAssess(const QString& assessmentNum, const QString& itemName, const QString& itemCode,
                 const QString& sectionCode, const QString& quantity, const QString& amount,
                 const QString& patientId, const QString& hospNum, const QString& doctorCode,
                 const QString& doctorName);
QString spCheckPending();

// Line kind of a charge line: "P" for a doctor's fee (department "MD"), else "D".
QString chargeLineKind(const QString& department);

// Routines that talk to the session connection themselves.
QString NextChargeSlipNo();
void ClearChargeSlipDump();
bool CheckSectionID(const QString& itemCode);

} // namespace data::StoredProcs
