#include "server/schema/Schema.h"

namespace server::schema {

Migration migration0003UsersAndLog() {
    return {
        3,
        "Log-in and the user log",
        {},
    };
}

} // namespace server::schema
