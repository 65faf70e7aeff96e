#include "src/data/Field.h"

#include <QMetaType>

namespace data {

QString valueText(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime().toString("yyyy-MM-dd hh:mm:ss");
    case QMetaType::QDate:
        return value.toDate().toString("yyyy-MM-dd");
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}

QString Field::text() const {
    return valueText(m_value);
}

double Field::number() const {
    if (isNull())
        return 0;
    bool ok = false;
    const double n = m_value.toString().trimmed().toDouble(&ok);
    return ok ? n : 0;
}

QDateTime Field::dateTime() const {
    if (isNull())
        return {};
    if (m_value.typeId() == QMetaType::QDateTime)
        return m_value.toDateTime();
    if (m_value.typeId() == QMetaType::QDate)
        return m_value.toDate().startOfDay();
    const QString t = m_value.toString().trimmed();
    for (const char* format : {"yyyy-MM-dd hh:mm:ss", "yyyy-MM-ddThh:mm:ss", "yyyy-MM-dd hh:mm",
                               "yyyy-MM-dd", "MM/dd/yyyy hh:mm:ss", "MM/dd/yyyy"}) {
        QDateTime when = QDateTime::fromString(t.left(QString(format).size()), format);
        if (when.isValid())
            return when;
    }
    return QDateTime::fromString(t, Qt::ISODateWithMs);
}

} // namespace data
