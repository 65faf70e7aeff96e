#pragma once

#include <QString>

#include <stdexcept>

namespace reportengine {

// A report that cannot be opened, filled or rendered. `description` is what
// the user is shown; for a definition file it names the line and the problem.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& description, int line = 0)
        : std::runtime_error(description.toStdString())
        , m_description(description)
        , m_line(line) {}

    const QString& description() const { return m_description; }
    // The line of the definition file the problem is on; 0 when it is not about one.
    int line() const { return m_line; }

private:
    QString m_description;
    int m_line;
};

} // namespace reportengine
