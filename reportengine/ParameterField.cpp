#include "reportengine/ParameterField.h"

#include "reportengine/Expression.h"
#include "reportengine/ReportError.h"

#include <QDateTime>

namespace reportengine {

QVariant ParameterField::checked(const QVariant& value) const {
    auto wrongType = [&](const QString& wanted) {
        return ReportError("The parameter field " + m_name + " takes " + wanted + "; '" +
                           plainText(value) + "' was given.");
    };
    switch (m_type) {
    case ValueType::Date:
        if (value.typeId() == QMetaType::QDate)
            return value;
        if (value.typeId() == QMetaType::QDateTime)
            return value.toDateTime().date();
        throw wrongType("a date");
    case ValueType::DateTime:
        if (value.typeId() == QMetaType::QDateTime)
            return value;
        if (value.typeId() == QMetaType::QDate)
            return QDateTime(value.toDate(), QTime(0, 0));
        throw wrongType("a date and time");
    case ValueType::Number:
    case ValueType::Currency: {
        bool ok = false;
        const double number = numberOf(value, &ok);
        if (!ok || value.isNull())
            throw wrongType("a number");
        return number;
    }
    case ValueType::Boolean:
        return value.toBool();
    case ValueType::Time:
    case ValueType::Text:
        break;
    }
    return plainText(value);
}

void ParameterField::addCurrentValue(const QVariant& value) {
    m_values << checked(value);
}

void ParameterField::setCurrentValue(const QVariant& value) {
    const QVariant v = checked(value);
    m_values = {v};
}

} // namespace reportengine
