#pragma once

#include "app/DatabaseTool.h"

#include <QStringList>
#include <QTextStream>

namespace testsupport {

// What one run of the database tool printed and answered.
struct ToolRun {
    int status;
    QString out;
    QString err;
};

// Runs mammo-db in this process with the given arguments.
inline ToolRun runTool(const QStringList& args)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = app::runDatabaseTool(QStringList{"mammo-db"} + args, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

} // namespace testsupport
