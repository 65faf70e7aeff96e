#include "server/schema/Schema.h"

namespace server {

QList<Migration> schemaMigrations() {
    // Append new migrations here; never reorder or remove one.
    return {
        schema::migration0001MasterData(),
    };
}

} // namespace server
