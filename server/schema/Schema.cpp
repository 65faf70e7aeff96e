#include "server/schema/Schema.h"

namespace server {

QList<Migration> schemaMigrations() {
    // Append new migrations here; never reorder or remove one.
    return {
        schema::migration0001MasterData(),
        schema::migration0002ChargeSlip(),
        schema::migration0003UsersAndLog(),
        schema::migration0004SectionMonitors(),
        schema::migration0005Charges(),
    };
}

} // namespace server
