#pragma once

#include "server/Backend.h"

namespace server {

// The embedded server: a folder holding one SQLite file per logical database,
// all ATTACHed to one connection under their names so that "DB.table" works.
// The main file (section.db) keeps the version table; it must be a real file,
// because SQLite makes a transaction over several files atomic only then.
class SqliteBackend final : public Backend {
public:
    SqliteBackend(const QString& target, Mode mode);

    QString kind() const override { return "sqlite"; }
    QString nowExpression() const override;
    bool tableExists(const QString& database, const QString& table) override;

    static bool folderHoldsDatabase(const QString& folder);

protected:
    QString adaptDdl(const QString& ddl) const override;
    QString beginStatement() const override { return "BEGIN IMMEDIATE"; }
};

} // namespace server
