#pragma once

#include "server/Result.h"

#include <QList>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace server {

class Backend;

// The values of one procedure call, in order. NULL arrives as nullopt.
class Arguments {
public:
    explicit Arguments(QList<std::optional<QString>> values)
        : m_values(std::move(values)) {}

    int size() const { return int(m_values.size()); }
    bool isNull(int i) const { return !m_values.at(i).has_value(); }
    // The value as text; NULL gives "".
    QString text(int i) const { return m_values.at(i).value_or(QString()); }
    QString trimmed(int i) const { return text(i).trimmed(); }
    // The value for binding: NULL stays a null.
    QVariant value(int i) const { return m_values.at(i) ? QVariant(*m_values.at(i)) : QVariant(); }
    // The value as a number; NULL and "" give 0, anything else not a number is an error.
    double number(int i) const;

private:
    QList<std::optional<QString>> m_values;
};

// What a procedure body sees: the backend to run portable SQL on, the
// session's default database and the server's clock.
class ProcedureContext {
public:
    ProcedureContext(Backend& backend, QString procedure)
        : m_backend(backend)
        , m_procedure(std::move(procedure)) {}

    Backend& backend() { return m_backend; }
    const QString& procedure() const { return m_procedure; }

    Result query(const QString& sql, const QVariantMap& params = {});
    int exec(const QString& sql, const QVariantMap& params = {});
    QVariant scalar(const QString& sql, const QVariantMap& params = {});

    // The server's local time as stored in timestamp columns.
    QString now() const;

    // Raises an error of this procedure that the client shows as it stands.
    [[noreturn]] void raise(const QString& message) const;

private:
    Backend& m_backend;
    QString m_procedure;
};

using ProcedureBody = std::function<Result(ProcedureContext&, const Arguments&)>;

struct ProcedureSpec {
    QString database;
    QString name;
    QList<int> arities; // the numbers of values the procedure takes
    ProcedureBody body;
};

} // namespace server
