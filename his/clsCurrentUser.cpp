#include "his/clsCurrentUser.h"

#include "his/DemoDatabase.h"
#include "his/frmLogIn.h"

#include "server/Backend.h"
#include "server/EmbeddedSession.h"
#include "src/data/Connection.h"
#include "src/ui/MsgBox.h"

#include <QDir>
#include <QSettings>
#include <QUrl>

namespace his {

namespace {

const char* const kLastServerKey = "LogIn/LastServer";

QSettings settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "mammo", "session");
}

bool sameFolder(const QString& a, const QString& b) {
    return QDir::cleanPath(QDir::fromNativeSeparators(a)) ==
           QDir::cleanPath(QDir::fromNativeSeparators(b));
}

// A server address without the database password it may carry.
QString withoutPassword(const QString& server) {
    if (!server::Backend::isPostgresTarget(server))
        return server;
    QUrl url(server);
    url.setPassword(QString());
    return url.toString();
}

} // namespace

clsCurrentUser::clsCurrentUser()
    : m_clock([] { return QDateTime::currentDateTime(); }) {}

clsCurrentUser::~clsCurrentUser() = default;

QString clsCurrentUser::offeredServer() {
    const QString last = settings().value(kLastServerKey).toString();
    return last.isEmpty() ? defaultDemoFolder() : last;
}

void clsCurrentUser::ShowMain() {
    frmLogIn dialog(m_owner, defaultDemoFolder(),
                    [this](const QString& server, const QString& userId, const QString& password) {
                        return logIn(server, userId, password);
                    });
    dialog.setServer(offeredServer());
    if (dialog.exec() != QDialog::Accepted) {
        m_loggedIn = false;
        m_connection.reset();
    }
}

bool clsCurrentUser::logIn(const QString& server, const QString& userId, const QString& password) {
    m_loggedIn = false;
    m_user = {};
    if (userId.trimmed().isEmpty()) {
        ui::MsgBox("Type your user ID and password.", ui::vbExclamation);
        return false;
    }
    openServer(server);
    Authenticator authenticator(*m_connection, m_hasher, m_clock);
    const Authenticator::Answer answer = authenticator.logIn(userId, password);
    if (answer.outcome != Authenticator::Outcome::Accepted) {
        ui::MsgBox(answer.message, answer.outcome == Authenticator::Outcome::Locked
                                       ? ui::vbCritical
                                       : ui::vbExclamation);
        return false;
    }
    m_user = answer.user;
    m_loggedIn = true;
    settings().setValue(kLastServerKey, withoutPassword(m_server));
    return true;
}

void clsCurrentUser::openServer(const QString& server) {
    const QString target = server.trimmed().isEmpty() ? defaultDemoFolder() : server.trimmed();
    if (m_connection && m_connection->isOpen() && target == m_server)
        return;
    m_connection.reset();
    m_server.clear();
    if (sameFolder(target, defaultDemoFolder()))
        prepareDemoDatabase(defaultDemoFolder());
    m_connection = std::make_unique<data::Connection>(server::EmbeddedSession::open(target));
    m_server = target;
}

bool clsCurrentUser::Connected() const {
    return m_loggedIn && m_connection && m_connection->isOpen();
}

data::Connection& clsCurrentUser::SQLConnection() {
    if (!m_connection)
        throw data::DbError("The session is not connected to a database.");
    return *m_connection;
}

bool clsCurrentUser::HAVE_RIGHTS(const QString& rightCode) {
    if (!Connected())
        return false;
    const data::Recordset rights = m_connection->open(
        "SELECT RightCode FROM PASSWORD..tbPasswordRights WHERE EmployeeID = " +
        data::quoted(m_user.employeeId) + " AND DeptCode = " + data::quoted(m_deptCode) +
        " AND RightCode = " + data::quoted(rightCode));
    return rights.recordCount() > 0;
}

QString clsCurrentUser::ServerName() const {
    return withoutPassword(m_server);
}

QString clsCurrentUser::UserID() const {
    return m_user.employeeId;
}

// The database's own credential; the embedded server has none, and a user's
// log-in password is never kept.
QString clsCurrentUser::ServerPassword() const {
    if (!server::Backend::isPostgresTarget(m_server))
        return {};
    return QUrl(m_server).password();
}

QString clsCurrentUser::EmployeeName() const {
    if (m_user.employeeId.isEmpty())
        return {};
    return m_user.lastName + ", " + m_user.firstName;
}

} // namespace his
