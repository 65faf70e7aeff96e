#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace his {

// A patient's age as the records give it: full years from the birth date to
// TODAY when the birth date is on record, else the age as stored. A birth
// date of 1900-01-01 means "not on record".
QString ageText(const QDateTime& birthDate, const QVariant& storedAge, const QDate& today);

} // namespace his
