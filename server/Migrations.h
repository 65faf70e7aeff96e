#pragma once

#include <QString>
#include <QStringList>

namespace server {

class Backend;

// One numbered schema change. Statements are portable DDL/DML addressed as
// DATABASE.table; the backend adapts the few spots that differ (index names,
// foreign key targets, {SERIAL} keys).
struct Migration {
    int version;
    QString description;
    QStringList statements;
};

// Every migration of the section's databases, in order.
const QList<Migration>& allMigrations();

// Applies the migrations the database has not seen yet, each in its own
// transaction, and records them in the version table. Returns how many ran.
int migrate(Backend& backend);
int schemaVersion(Backend& backend);

} // namespace server
