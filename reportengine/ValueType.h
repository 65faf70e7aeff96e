#pragma once

#include <QString>

namespace reportengine {

// Value types of parameter fields, numbered as the hospital system numbers them.
enum class ValueType {
    Number = 7,
    Currency = 8,
    Boolean = 9,
    Date = 10,
    Time = 11,
    Text = 12,
    DateTime = 16,
};

// The type named in a definition file ("text", "number", "date", …, or its number);
// false when the name is not known.
bool valueTypeFromName(const QString& name, ValueType& type);
QString valueTypeName(ValueType type);

} // namespace reportengine
