#pragma once

#include <QStringList>
#include <QTextStream>

namespace server {
class Backend;
}

namespace app {

// mammo-db user add|passwd|grant|revoke|unlock ...: ARGS are the words after
// "user" and the target. Returns the exit status.
int runUserCommand(const QStringList& args, const QString& target, QTextStream& out,
                   QTextStream& err);

// Help text of the user commands, for mammo-db --help.
QString userCommandsHelp();

// Gives the demonstration users their demonstration passwords.
void setDemoPasswords(server::Backend& backend);

} // namespace app
