#include "server/ProcedureRegistry.h"

namespace server {

void addMonitorProcedures(ProcedureRegistry& /*registry*/) {}

} // namespace server
