#pragma once

#include <QString>
#include <stdexcept>

namespace data {

// A failed database command as the windows see it: the description shown to
// the user, the command text that failed and, where the condition has one,
// the number the hospital system's code tests for.
class DbError : public std::runtime_error {
public:
    enum Number {
        General = 0,
        NoCurrentRecord = 3021,      // read or write beyond the end of a result set
        ItemNotFound = 3265,         // no field of that name
        RowNotLocated = -2147217864, // optimistic update found the row changed
    };

    DbError(QString description, QString command = {}, int number = General)
        : std::runtime_error(description.toStdString())
        , m_description(std::move(description))
        , m_command(std::move(command))
        , m_number(number) {}

    const QString& description() const { return m_description; }
    const QString& command() const { return m_command; }
    int number() const { return m_number; }

private:
    QString m_description;
    QString m_command;
    int m_number;
};

} // namespace data
