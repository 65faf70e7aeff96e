#include "his/Authenticator.h"

#include "server/Backend.h"
#include "src/data/Connection.h"

#include <QSysInfo>

namespace his {

namespace {

QString call(const QString& procedure, const QStringList& values) {
    QStringList quotedValues;
    for (const QString& v : values)
        quotedValues << data::quoted(v);
    return procedure + " " + quotedValues.join(',');
}

QString workstation() {
    return QSysInfo::machineHostName();
}

} // namespace

Authenticator::Authenticator(data::Connection& connection, const PasswordHasher& hasher,
                             Clock clock)
    : m_connection(connection)
    , m_hasher(hasher)
    , m_clock(std::move(clock)) {}

QString Authenticator::refusedMessage() {
    return "The user ID or the password is not correct.";
}

QString Authenticator::lockedMessage(const QDateTime& until) {
    return "Five wrong passwords in a row have locked this account for fifteen minutes. "
           "Try again after " +
           until.toString("hh:mm") + ".";
}

Authenticator::Answer Authenticator::logIn(const QString& userId, const QString& password) {
    const QString id = userId.trimmed();
    data::Recordset user = m_connection.open(call("PASSWORD..spPassword_LogInUser", {id}));
    if (user.eof()) {
        spendVerification(password);
        return refuse(id, "NO SUCH USER");
    }
    const QDateTime lockedUntil = user["LockedUntil"].dateTime();
    if (lockedUntil.isValid() && lockedUntil > m_clock())
        return refuse(id, "LOCKED");
    const QString hash = user["PasswordHash"].text();
    if (user["Active"].text() != "Y" || hash.isEmpty()) {
        spendVerification(password);
        return refuse(id, hash.isEmpty() ? "NO PASSWORD" : "INACTIVE");
    }
    if (!m_hasher.verify(hash, password))
        return refuse(id, "WRONG PASSWORD");

    const QString newHash = m_hasher.needsRehash(hash) ? m_hasher.hash(password) : QString();
    m_connection.execute(call("PASSWORD..spPassword_LogInAccepted", {id, newHash, workstation()}));
    Answer answer;
    answer.outcome = Outcome::Accepted;
    answer.user = {user["EmployeeID"].text(), user["LastName"].text(), user["FirstName"].text(),
                   user["MiddleName"].text(), user["Position"].text()};
    return answer;
}

Authenticator::Answer Authenticator::refuse(const QString& userId, const QString& reason) {
    const QDateTime now = m_clock();
    data::Recordset state = m_connection.open(
        call("PASSWORD..spPassword_LogInRefused",
             {userId, reason, server::Backend::timestampText(now), workstation()}));
    const QDateTime lockedUntil = state.eof() ? QDateTime() : state["LockedUntil"].dateTime();
    if (lockedUntil.isValid() && lockedUntil > now)
        return {Outcome::Locked, lockedMessage(lockedUntil), {}};
    return {Outcome::Refused, refusedMessage(), {}};
}

// An unknown or unusable user costs the same time as a wrong password, so the
// time of the answer does not tell either.
void Authenticator::spendVerification(const QString& password) {
    static QString decoys[2];
    QString& decoy = decoys[m_hasher.cost() == PasswordHasher::Cost::Minimum ? 1 : 0];
    if (decoy.isEmpty())
        decoy = m_hasher.hash("no user has this password");
    m_hasher.verify(decoy, password);
}

} // namespace his
