#include "server/ProcedureRegistry.h"

namespace server {

void addPasswordProcedures(ProcedureRegistry& /*registry*/) {}

} // namespace server
