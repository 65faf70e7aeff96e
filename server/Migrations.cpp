#include "server/Migrations.h"

#include "server/Backend.h"
#include "server/Error.h"
#include "server/schema/Schema.h"

#include <QDateTime>

namespace server {

namespace {

// The version table lives outside the logical databases: in the main file of
// the embedded server, in the public schema of PostgreSQL.
void ensureVersionTable(Backend& backend) {
    if (backend.tableExists(backend.kind() == "sqlite" ? "main" : "public", "schema_migrations"))
        return;
    backend.execDdl("CREATE TABLE schema_migrations (version INTEGER PRIMARY KEY, "
                    "description VARCHAR(200) NOT NULL, applied_at VARCHAR(19) NOT NULL)");
}

} // namespace

const QList<Migration>& allMigrations() {
    static const QList<Migration> migrations = [] {
        QList<Migration> list = schemaMigrations();
        for (int i = 0; i < list.size(); ++i)
            if (list[i].version != i + 1)
                throw Error(QString("Migration %1 is out of order.").arg(list[i].version));
        return list;
    }();
    return migrations;
}

int schemaVersion(Backend& backend) {
    ensureVersionTable(backend);
    return backend.scalar("SELECT COALESCE(MAX(version), 0) FROM schema_migrations").toInt();
}

int migrate(Backend& backend) {
    const int current = schemaVersion(backend);
    const int known = int(allMigrations().size());
    if (current > known)
        throw Error(QString("The database has schema version %1, newer than this program knows "
                            "(%2). Please install the newer program.")
                        .arg(current)
                        .arg(known));
    int applied = 0;
    for (const Migration& m : allMigrations()) {
        if (m.version <= current)
            continue;
        Transaction tx(backend);
        for (const QString& statement : m.statements)
            backend.execDdl(statement);
        backend.exec("INSERT INTO schema_migrations (version, description, applied_at) "
                     "VALUES (:v, :d, :t)",
                     {{"v", m.version},
                      {"d", m.description},
                      {"t", Backend::timestampText(QDateTime::currentDateTime())}});
        tx.commit();
        ++applied;
    }
    return applied;
}

} // namespace server
