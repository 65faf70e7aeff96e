#pragma once

#include "src/data/Connection.h"
#include "src/data/RecordingSession.h"
#include "src/data/SessionValues.h"
#include "tests/support/TestDatabase.h"

namespace testsupport {

class FixedUser final : public data::CurrentUser {
public:
    FixedUser(QString code, QString name)
        : m_code(std::move(code))
        , m_name(std::move(name)) {}
    QString EmployeeCode() const override { return m_code; }
    QString EmployeeName() const override { return m_name; }

private:
    QString m_code;
    QString m_name;
};

// The program's session values over a test database: a session connection
// whose commands are recorded, and a logged-in user. It puts itself in place
// as the current session and takes itself out when it goes.
class SessionFixture {
public:
    explicit SessionFixture(const TestDatabase& database, const QString& employeeCode = "E001",
                            const QString& employeeName = "CLERK, TEST")
        : m_user(employeeCode, employeeName) {
        auto recording = std::make_unique<data::RecordingSession>(database.open());
        m_recorder = recording.get();
        m_connection = std::make_unique<data::Connection>(std::move(recording));
        data::SessionValues& values = data::currentSession();
        values.connection = m_connection.get();
        values.user = &m_user;
    }
    ~SessionFixture() { data::currentSession() = {}; }
    SessionFixture(const SessionFixture&) = delete;
    SessionFixture& operator=(const SessionFixture&) = delete;

    data::Connection& connection() { return *m_connection; }
    const QStringList& commands() const { return m_recorder->commands(); }
    void clearCommands() { m_recorder->clear(); }

private:
    FixedUser m_user;
    data::RecordingSession* m_recorder = nullptr;
    std::unique_ptr<data::Connection> m_connection;
};

} // namespace testsupport
