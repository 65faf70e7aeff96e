#include "server/ProcedureRegistry.h"

// Charge entry: requests, charges, paid items, patient particulars.

namespace server {

void addChargeProcedures(ProcedureRegistry&) {}

} // namespace server
