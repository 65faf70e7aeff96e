#include "reportengine/ValueType.h"

#include <QList>
#include <QPair>

namespace reportengine {

namespace {

const QList<QPair<QString, ValueType>>& names() {
    static const QList<QPair<QString, ValueType>> list{
        {"number", ValueType::Number},     {"currency", ValueType::Currency},
        {"boolean", ValueType::Boolean},   {"date", ValueType::Date},
        {"time", ValueType::Time},         {"text", ValueType::Text},
        {"datetime", ValueType::DateTime},
    };
    return list;
}

} // namespace

bool valueTypeFromName(const QString& name, ValueType& type) {
    bool isNumber = false;
    const int number = name.toInt(&isNumber);
    for (const auto& [n, t] : names()) {
        if ((isNumber && int(t) == number) ||
            (!isNumber && n.compare(name.trimmed(), Qt::CaseInsensitive) == 0)) {
            type = t;
            return true;
        }
    }
    return false;
}

QString valueTypeName(ValueType type) {
    for (const auto& [n, t] : names())
        if (t == type)
            return n;
    return "text";
}

} // namespace reportengine
