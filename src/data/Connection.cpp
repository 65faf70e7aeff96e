#include "src/data/Connection.h"

#include "server/Error.h"

namespace data {

namespace {

template <typename F> auto translated(const QString& text, F&& call) {
    try {
        return call();
    } catch (const server::Error& e) {
        throw DbError(e.description(), e.command().isEmpty() ? text : e.command());
    }
}

} // namespace

Connection::Connection(std::unique_ptr<server::Session> session)
    : m_session(std::move(session)) {}

Connection::~Connection() = default;

server::Session& Connection::session() {
    if (!m_session)
        throw DbError("Operation is not allowed when the object is closed.");
    return *m_session;
}

server::Result Connection::run(const QString& text) {
    server::Session& s = session();
    return translated(text, [&] { return s.run(text); });
}

void Connection::execute(const QString& text) {
    run(text);
}

Recordset Connection::open(const QString& text, CursorType cursor, LockType lock,
                           CursorLocation /*location*/) {
    return Recordset(this, run(text), cursor, lock);
}

QString Connection::defaultDatabase() const {
    return m_session ? m_session->defaultDatabase() : QString();
}

void Connection::setDefaultDatabase(const QString& name) {
    server::Session& s = session();
    translated(name, [&] {
        s.setDefaultDatabase(name);
        return 0;
    });
}

void Connection::close() {
    if (m_session) {
        while (m_session->transactionDepth() > 0)
            m_session->rollback();
    }
    m_session.reset();
}

void Connection::beginTrans() {
    server::Session& s = session();
    translated("BEGIN TRANSACTION", [&] {
        s.begin();
        return 0;
    });
}

void Connection::commitTrans() {
    server::Session& s = session();
    translated("COMMIT TRANSACTION", [&] {
        s.commit();
        return 0;
    });
}

void Connection::rollbackTrans() {
    server::Session& s = session();
    translated("ROLLBACK TRANSACTION", [&] {
        s.rollback();
        return 0;
    });
}

int Connection::transactionDepth() const {
    return m_session ? m_session->transactionDepth() : 0;
}

TransactionGuard::TransactionGuard(Connection& connection)
    : m_connection(connection) {
    m_connection.beginTrans();
}

void TransactionGuard::commit() {
    if (!m_done) {
        m_done = true;
        m_connection.commitTrans();
    }
}

TransactionGuard::~TransactionGuard() {
    if (m_done)
        return;
    try {
        m_connection.rollbackTrans();
    } catch (...) {
        // Nothing more can be done in a destructor; the connection stays usable.
    }
}

QDateTime ServerDate(Connection& connection) {
    Recordset rs = connection.open("SELECT getdate() as serverdate", adOpenDynamic, adLockReadOnly);
    const QDateTime now = rs.field("serverdate").dateTime();
    rs.close();
    return now;
}

} // namespace data
