#pragma once

#include "server/Backend.h"

namespace server {

// The shared server for a section of several workstations: one PostgreSQL
// database with one schema per logical database.
class PostgresBackend final : public Backend {
public:
    PostgresBackend(const QString& url, Mode mode);

    QString kind() const override { return "postgresql"; }
    QString nowExpression() const override;
    bool tableExists(const QString& database, const QString& table) override;

protected:
    QString adaptDdl(const QString& ddl) const override;
    QString beginStatement() const override { return "BEGIN"; }
};

} // namespace server
