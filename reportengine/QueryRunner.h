#pragma once

#include "server/Result.h"

#include <QString>

#include <functional>

namespace reportengine {

// Runs one query of a report: the command text in the section's command
// grammar, with the database its tables are logged on to as the default
// database ("" for the connection's own default). The engine knows no
// connection; whoever opens a report hands it one of these.
using QueryRunner =
    std::function<server::Result(const QString& commandText, const QString& defaultDatabase)>;

} // namespace reportengine
