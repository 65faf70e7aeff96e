#include "server/schema/Schema.h"

namespace server::schema {

Migration migration0004SectionMonitors() {
    return {
        4,
        "Nurse requests, discharge notices and the section set-up",
        {},
    };
}

} // namespace server::schema
