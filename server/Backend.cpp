#include "server/Backend.h"

#include "server/Error.h"
#include "server/PostgresBackend.h"
#include "server/SqliteBackend.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace server {

const QStringList& logicalDatabases() {
    static const QStringList names{"RADIOLOGY",     "PATIENT_DATA", "BILLING",
                                   "REPORTS",       "BUILD_FILE",   "LABORATORY",
                                   "CLINICAL_AREA", "PASSWORD",     "CARDIO"};
    return names;
}

bool Backend::isPostgresTarget(const QString& target) {
    return target.startsWith("postgresql://", Qt::CaseInsensitive) ||
           target.startsWith("postgres://", Qt::CaseInsensitive);
}

std::unique_ptr<Backend> Backend::open(const QString& target, Mode mode) {
    if (isPostgresTarget(target))
        return std::make_unique<PostgresBackend>(target, mode);
    return std::make_unique<SqliteBackend>(target, mode);
}

Backend::Backend(QString target, QString connectionName)
    : m_target(std::move(target))
    , m_connectionName(std::move(connectionName)) {}

Backend::~Backend() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase Backend::database() const {
    return QSqlDatabase::database(m_connectionName, false);
}

void Backend::fail(const QString& what, const QString& driverText, const QString& sql) const {
    QString text = what;
    if (!driverText.trimmed().isEmpty())
        text += ": " + driverText.trimmed();
    throw Error(text, sql);
}

Result Backend::query(const QString& sql, const QVariantMap& params) {
    QSqlQuery q(database());
    q.setForwardOnly(true);
    bool ok = false;
    if (params.isEmpty()) {
        ok = q.exec(sql);
    } else {
        if (!q.prepare(sql))
            fail("The statement could not be prepared", q.lastError().text(), sql);
        for (auto it = params.cbegin(); it != params.cend(); ++it)
            q.bindValue(":" + it.key(), it.value());
        ok = q.exec();
    }
    if (!ok)
        fail("The statement failed", q.lastError().text(), sql);

    Result result;
    if (q.isSelect()) {
        const QSqlRecord record = q.record();
        for (int i = 0; i < record.count(); ++i)
            result.columns << record.fieldName(i);
        while (q.next()) {
            Row row;
            row.reserve(record.count());
            for (int i = 0; i < record.count(); ++i)
                row << q.value(i);
            result.rows << row;
        }
        if (q.lastError().isValid())
            fail("Reading the rows failed", q.lastError().text(), sql);
    } else {
        result.rowsAffected = q.numRowsAffected();
    }
    return result;
}

int Backend::exec(const QString& sql, const QVariantMap& params) {
    return query(sql, params).rowsAffected;
}

QVariant Backend::scalar(const QString& sql, const QVariantMap& params) {
    const Result r = query(sql, params);
    if (r.rows.isEmpty() || r.rows.first().isEmpty())
        return {};
    return r.rows.first().first();
}

void Backend::execDdl(const QString& ddl) {
    const QString adapted = adaptDdl(ddl);
    QSqlQuery q(database());
    if (!q.exec(adapted))
        fail("The schema change failed", q.lastError().text(), adapted);
}

QString Backend::concat(const QStringList& parts) const {
    return "(" + parts.join(" || ") + ")";
}

QString Backend::timestampText(const QDateTime& when) {
    return when.toString("yyyy-MM-dd hh:mm:ss");
}

void Backend::begin() {
    const QString sql = m_depth == 0 ? beginStatement() : QString("SAVEPOINT sp%1").arg(m_depth);
    QSqlQuery q(database());
    if (!q.exec(sql))
        fail("The transaction could not be started", q.lastError().text(), sql);
    ++m_depth;
}

void Backend::commit() {
    if (m_depth == 0)
        throw Error("There is no transaction to commit.");
    const QString sql =
        m_depth == 1 ? QString("COMMIT") : QString("RELEASE SAVEPOINT sp%1").arg(m_depth - 1);
    QSqlQuery q(database());
    if (!q.exec(sql)) {
        const QString text = q.lastError().text();
        rollback();
        fail("The transaction could not be committed", text, sql);
    }
    --m_depth;
}

void Backend::rollback() {
    if (m_depth == 0)
        return;
    QSqlQuery q(database());
    if (m_depth == 1) {
        q.exec("ROLLBACK");
    } else {
        const QString name = QString("sp%1").arg(m_depth - 1);
        q.exec("ROLLBACK TO SAVEPOINT " + name);
        q.exec("RELEASE SAVEPOINT " + name);
    }
    --m_depth;
}

Transaction::Transaction(Backend& backend)
    : m_backend(backend)
    , m_exceptionsAtStart(std::uncaught_exceptions()) {
    m_backend.begin();
}

void Transaction::commit() {
    if (!m_done) {
        m_done = true;
        m_backend.commit();
    }
}

Transaction::~Transaction() {
    if (m_done)
        return;
    m_done = true;
    if (std::uncaught_exceptions() > m_exceptionsAtStart) {
        m_backend.rollback();
    } else {
        try {
            m_backend.commit();
        } catch (...) {
            // A destructor must not throw; the commit failure already rolled back.
        }
    }
}

} // namespace server
