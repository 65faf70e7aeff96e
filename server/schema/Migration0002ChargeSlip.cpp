#include "server/schema/Schema.h"

namespace server::schema {

// The position of each line within its user's slip, so that a slip prints
// its lines in the order they were entered on either backend.
Migration migration0002ChargeSlip() {
    return {
        2,
        "Charge slip dump lines",
        {
            "ALTER TABLE REPORTS.tbChargeSlip ADD COLUMN LineNo INTEGER",
        },
    };
}

} // namespace server::schema
