#include "his/PatientAge.h"

namespace his {

QString ageText(const QDateTime& birthDate, const QVariant& storedAge, const QDate& today) {
    const QDate birth = birthDate.date();
    if (birth.isValid() && birth > QDate(1900, 1, 1) && birth <= today) {
        int years = today.year() - birth.year();
        if (today.month() < birth.month() ||
            (today.month() == birth.month() && today.day() < birth.day()))
            --years;
        return QString::number(years);
    }
    if (storedAge.isNull() || !storedAge.isValid())
        return {};
    bool ok = false;
    const double age = storedAge.toDouble(&ok);
    return ok ? QString::number(qRound(age)) : storedAge.toString().trimmed();
}

} // namespace his
