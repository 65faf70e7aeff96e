#pragma once

#include <QString>

namespace controls::PatientQueries {

// The command texts of the patient search providers and their list windows.
// Every value placed between quotes has its quotes doubled.

// "spGlobal_RegisteredOPD '<current>','<kind>', '<text>'": the registered
// outpatient list of the visit picker.
QString spOutpatient(const QString& current, const QString& kind, const QString& text);

// The list window's call: the template with "#1" the current flag, "#2" the
// kind and "#3" the text.
QString spPatientList(const QString& query, const QString& current, const QString& kind,
                      const QString& text);

// A provider's call: the procedure, the current flag and kind as given, then
// the text (e.g. "RADIOLOGY..spGlobal_RegularPatients '','1', 'H001'").
QString providerLookup(const QString& procedure, const QString& current, const QString& text);

} // namespace controls::PatientQueries
