#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace data {

// One value of the current row of a result set.
class Field {
public:
    Field(QString name, QVariant value)
        : m_name(std::move(name))
        , m_value(std::move(value)) {}

    const QString& name() const { return m_name; }
    const QVariant& value() const { return m_value; }
    bool isNull() const { return m_value.isNull() || !m_value.isValid(); }

    // Null gives "": the value appended to an empty text.
    QString text() const;
    // Null (or text that is no number) gives 0.
    double number() const;
    // Null or an unreadable text gives an invalid date and time.
    QDateTime dateTime() const;
    QDate date() const { return dateTime().date(); }

private:
    QString m_name;
    QVariant m_value;
};

// Text of a stored value as the client shows and sends it.
QString valueText(const QVariant& value);

} // namespace data
