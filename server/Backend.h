#pragma once

#include "server/Result.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>

#include <memory>

namespace server {

// The logical databases of the section, in the order they are created.
const QStringList& logicalDatabases();

// One open connection to the storage behind the section's databases. Every
// difference between SQLite and PostgreSQL lives in the two subclasses; the
// rest of the server writes portable SQL and asks the backend only for the
// few expressions that differ.
class Backend {
public:
    enum class Mode { OpenExisting, CreateIfMissing };

    // TARGET is a folder (embedded SQLite), ":memory:" (embedded, in memory,
    // for tests) or a postgresql:// URL.
    static std::unique_ptr<Backend> open(const QString& target, Mode mode);
    static bool isPostgresTarget(const QString& target);

    virtual ~Backend();
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;

    virtual QString kind() const = 0;
    const QString& target() const { return m_target; }

    // Runs one SQL statement with named bound parameters (":name").
    Result query(const QString& sql, const QVariantMap& params = {});
    int exec(const QString& sql, const QVariantMap& params = {});
    QVariant scalar(const QString& sql, const QVariantMap& params = {});

    // Runs schema text of the migrations after adapting it to this backend.
    void execDdl(const QString& ddl);

    // Nesting transactions: the outermost level is a real transaction, inner
    // levels are savepoints.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return m_depth; }

    // Dialect: the few expressions that differ between backends.
    virtual QString nowExpression() const = 0;              // local date and time of the server
    virtual QString concat(const QStringList& parts) const; // string concatenation
    virtual bool tableExists(const QString& database, const QString& table) = 0;

    // Text form of a date and time as both backends store and compare it.
    static QString timestampText(const QDateTime& when);

protected:
    Backend(QString target, QString connectionName);
    QSqlDatabase database() const;
    virtual QString adaptDdl(const QString& ddl) const = 0;
    virtual QString beginStatement() const = 0;
    [[noreturn]] void fail(const QString& what, const QString& driverText,
                           const QString& sql) const;

    QString m_target;
    QString m_connectionName;

private:
    int m_depth = 0;
};

// RAII transaction over a backend: commits when it goes out of scope normally
// (or when commit() is called), rolls back when an exception unwinds it.
class Transaction {
public:
    explicit Transaction(Backend& backend);
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Backend& m_backend;
    int m_exceptionsAtStart;
    bool m_done = false;
};

} // namespace server
