#pragma once

#include "server/Session.h"
#include "src/data/DbError.h"
#include "src/data/Quoting.h"
#include "src/data/Recordset.h"

#include <memory>

namespace data {

// The one connection of a run: every command of the program goes through it.
// Server errors arrive as DbError with the command text that failed.
class Connection {
public:
    explicit Connection(std::unique_ptr<server::Session> session);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs the text; rows it returns are ignored.
    void execute(const QString& text);
    // Runs the text and returns its rows.
    Recordset open(const QString& text, CursorType cursor = adOpenDynamic,
                   LockType lock = adLockOptimistic, CursorLocation location = adUseClient);
    server::Result run(const QString& text);

    QString defaultDatabase() const;
    void setDefaultDatabase(const QString& name);

    bool isOpen() const { return m_session != nullptr; }
    void close();

    // All-or-nothing saves; they nest.
    void beginTrans();
    void commitTrans();
    void rollbackTrans();
    int transactionDepth() const;

    server::Session& session();

private:
    std::unique_ptr<server::Session> m_session;
};

// A transaction of the connection that commits when commit() is called and
// rolls back when it is left any other way.
class TransactionGuard {
public:
    explicit TransactionGuard(Connection& connection);
    ~TransactionGuard();
    void commit();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

private:
    Connection& m_connection;
    bool m_done = false;
};

// The server's current date and time.
QDateTime ServerDate(Connection& connection);

} // namespace data
