#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace server {

class Backend;

// The database functions the client calls inside plain statements, defined by
// the section's server as portable SQL expressions over its own tables.
class ServerFunctions {
public:
    // The expression for DATABASE.name(args), or nothing when no such function exists.
    static std::optional<QString> expand(const QString& database, const QString& name,
                                         const QStringList& args, const Backend& dialect);
};

} // namespace server
