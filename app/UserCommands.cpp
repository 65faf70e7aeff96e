#include "app/UserCommands.h"

namespace app {

int runUserCommand(const QStringList&, const QString&, QTextStream&, QTextStream& err) {
    err << "mammo-db: user commands are not available yet.\n";
    return 1;
}

QString userCommandsHelp() {
    return {};
}

void setDemoPasswords(server::Backend&) {}

} // namespace app
