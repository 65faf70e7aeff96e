#pragma once

#include "reportengine/ValueType.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace reportengine {

// A parameter field of a report: its name (without braces), its value type
// and the current values given to it. A field of type date or date and time
// takes only dates; a number field only numbers.
class ParameterField {
public:
    ParameterField(QString name, ValueType type)
        : m_name(std::move(name))
        , m_type(type) {}

    const QString& name() const { return m_name; }
    ValueType valueType() const { return m_type; }

    // Both throw ReportError when the value does not suit the field's type.
    void addCurrentValue(const QVariant& value);
    void setCurrentValue(const QVariant& value);
    void clearCurrentValues() { m_values.clear(); }

    bool hasCurrentValue() const { return !m_values.isEmpty(); }
    const QList<QVariant>& currentValues() const { return m_values; }
    // The first current value; null when there is none.
    QVariant currentValue() const { return m_values.isEmpty() ? QVariant() : m_values.first(); }

private:
    QVariant checked(const QVariant& value) const;

    QString m_name;
    ValueType m_type;
    QList<QVariant> m_values;
};

} // namespace reportengine
