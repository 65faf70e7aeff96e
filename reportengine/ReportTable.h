#pragma once

#include <QString>

namespace reportengine {

// Where a report's table is read: the server, the database and the account.
struct LogOnInfo {
    QString server;
    QString database;
    QString user;
    QString password;
};

// One database table of a report: its name in the definition and its
// location "database.owner.table", which log-on may point elsewhere.
class ReportTable {
public:
    ReportTable(QString name, QString location)
        : m_name(std::move(name))
        , m_location(std::move(location)) {}

    const QString& name() const { return m_name; }
    const QString& location() const { return m_location; }
    void setLocation(const QString& location) { m_location = location; }

    const LogOnInfo& logOnInfo() const { return m_logOn; }
    void setLogOnInfo(const QString& server, const QString& database, const QString& user,
                      const QString& password) {
        m_logOn = {server, database, user, password};
        m_loggedOn = true;
    }
    bool isLoggedOn() const { return m_loggedOn; }

private:
    QString m_name;
    QString m_location;
    LogOnInfo m_logOn;
    bool m_loggedOn = false;
};

} // namespace reportengine
