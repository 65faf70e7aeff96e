#include "src/charges/WalkInBirthDate.h"

#include <QRegularExpression>

namespace charges {

QDate walkInBirthDate(const QString& typed) {
    static const QRegularExpression form(R"(^(\d{1,2})/(\d{1,2})/(\d{4})$)");
    const QRegularExpressionMatch m = form.match(typed.trimmed());
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
}

int walkInAge(const QDate& birthDate, const QDate& today) {
    return today.year() - birthDate.year();
}

} // namespace charges
