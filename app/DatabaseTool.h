#pragma once

#include <QStringList>
#include <QTextStream>

namespace app {

// The database's own command-line tool: create, upgrade, fill with demo data
// and run command text exactly as the client sends it.
int runDatabaseTool(const QStringList& arguments, QTextStream& out, QTextStream& err);

// Where the embedded demo database of this user lives.
QString defaultDemoFolder();

} // namespace app
