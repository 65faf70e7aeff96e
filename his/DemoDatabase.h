#pragma once

#include <QList>
#include <QString>

namespace server {
class Backend;
}

namespace his {

// The embedded demonstration database of this user, which the log-in offers
// until another server is given.
QString defaultDemoFolder();

// Creates the demonstration database in FOLDER when it holds none yet: the
// schema, the demonstration data and the demonstration users' passwords. A
// folder that already holds a database is only brought up to date.
void prepareDemoDatabase(const QString& folder);

struct DemoUser {
    QString employeeId;
    QString password;
};

// The demonstration users and their passwords, for the README and the tools.
const QList<DemoUser>& demoUsers();

// Gives every demonstration user present in the database its password, hashed.
void setDemoPasswords(server::Backend& backend);

} // namespace his
