#pragma once

#include <QString>
#include <stdexcept>

namespace server {

// An error raised by the section's database server. `description` is what the
// user is shown; `command` is the command text that failed, when there was one.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& description, const QString& command = {})
        : std::runtime_error(description.toStdString())
        , m_description(description)
        , m_command(command) {}

    const QString& description() const { return m_description; }
    const QString& command() const { return m_command; }

private:
    QString m_description;
    QString m_command;
};

} // namespace server
