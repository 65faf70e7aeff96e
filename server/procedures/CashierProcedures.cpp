#include "server/ProcedureRegistry.h"

// The cashier's side: walk-in registration, communications, billed patients.

namespace server {

void addCashierProcedures(ProcedureRegistry&) {}

} // namespace server
