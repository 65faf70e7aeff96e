#include "server/ProcedureRegistry.h"

// Patient lists: registered outpatients, regular, walk-in and outpatient searches.

namespace server {

void addPatientListProcedures(ProcedureRegistry&) {}

} // namespace server
