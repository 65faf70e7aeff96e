#pragma once

#include "his/Authenticator.h"
#include "his/PasswordHasher.h"

#include "src/data/SharedComponents.h"

#include <QPointer>
#include <QWidget>

#include <memory>

namespace his {

// The session component: logs the user in through its dialog, holds the
// session connection and answers who the user is and what the user may do.
class clsCurrentUser final : public data::ICurrentUser {
public:
    clsCurrentUser();
    ~clsCurrentUser() override;

    void setPasswordDeptCode(const QString& code) override { m_deptCode = code; }
    void sethwndParentForm(QWidget* owner) override { m_owner = owner; }
    void ShowMain() override;
    bool Connected() const override;
    data::Connection& SQLConnection() override;
    bool HAVE_RIGHTS(const QString& rightCode) override;
    QString ServerName() const override;
    QString UserID() const override;
    QString ServerPassword() const override;
    QString EmployeeCode() const override { return m_user.employeeId; }
    QString EmployeeName() const override;

    // What the dialog's Log In does: opens the server when it is another than
    // the open one, checks the user and shows the refusal. True when logged in.
    bool logIn(const QString& server, const QString& userId, const QString& password);

    // For tests: the clock the lock is judged by and the password cost.
    void setClock(Authenticator::Clock clock) { m_clock = std::move(clock); }
    void setPasswordHasher(const PasswordHasher& hasher) { m_hasher = hasher; }

    // The server the dialog offers: the last one logged in to, else the
    // demonstration database.
    static QString offeredServer();

private:
    void openServer(const QString& server);

    QString m_deptCode;
    QPointer<QWidget> m_owner;
    PasswordHasher m_hasher;
    Authenticator::Clock m_clock;
    std::unique_ptr<data::Connection> m_connection;
    QString m_server;
    LoggedInUser m_user;
    bool m_loggedIn = false;
};

} // namespace his
