#pragma once

#include "his/PasswordHasher.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace data {
class Connection;
}

namespace his {

struct LoggedInUser {
    QString employeeId;
    QString lastName;
    QString firstName;
    QString middleName;
    QString position;
};

// Checks a user id and password against the password table, keeps the count
// of wrong passwords and the lock, and writes every log-in and every refusal
// to the user log. Widgets stay out of it.
class Authenticator {
public:
    using Clock = std::function<QDateTime()>;
    enum class Outcome { Accepted, Refused, Locked };
    struct Answer {
        Outcome outcome = Outcome::Refused;
        QString message; // what the user is told when refused
        LoggedInUser user;
    };

    Authenticator(data::Connection& connection, const PasswordHasher& hasher, Clock clock);

    Answer logIn(const QString& userId, const QString& password);

    // The same for an unknown user, an inactive one and a wrong password, so
    // that the answer does not tell which user ids exist.
    static QString refusedMessage();
    static QString lockedMessage(const QDateTime& until);

private:
    Answer refuse(const QString& userId, const QString& reason);
    void spendVerification(const QString& password);

    data::Connection& m_connection;
    const PasswordHasher& m_hasher;
    Clock m_clock;
};

} // namespace his
