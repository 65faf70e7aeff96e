#pragma once

#include "server/Result.h"

#include <QString>

namespace server {

// A connection to the section's databases. Command text goes in exactly as the
// client writes it (procedure calls and plain T-SQL statements); rows come out.
class Session {
public:
    virtual ~Session() = default;

    virtual Result run(const QString& text) = 0;

    // Explicit transactions of the client; they nest (inner levels are savepoints).
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual int transactionDepth() const = 0;

    virtual QString defaultDatabase() const = 0;
    virtual void setDefaultDatabase(const QString& name) = 0;
};

} // namespace server
