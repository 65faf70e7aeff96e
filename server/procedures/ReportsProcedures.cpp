#include "server/ProcedureRegistry.h"

namespace server {

void addReportsProcedures(ProcedureRegistry& /*registry*/) {}

} // namespace server
