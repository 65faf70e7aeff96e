#include "server/ProcedureRegistry.h"

namespace server {

namespace {

// The section an exam item belongs to ("H" marks items whose results carry a
// file number of their own).
Result spRadio_CheckSectionID(ProcedureContext& ctx, const Arguments& args) {
    return ctx.query("SELECT SectionID FROM BUILD_FILE.tbCoOtherRevenue "
                     "WHERE OtherRevenueID = :item",
                     {{"item", args.trimmed(0)}});
}

} // namespace

void addRadiologyProcedures(ProcedureRegistry& registry) {
    registry.add({"RADIOLOGY", "spRadio_CheckSectionID", {1}, spRadio_CheckSectionID});
}

} // namespace server
