#include "server/schema/Schema.h"

namespace server::schema {

Migration migration0002ChargeSlip() {
    return {
        2,
        "Charge slip dump lines",
        {},
    };
}

} // namespace server::schema
