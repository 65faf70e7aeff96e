#pragma once

#include <QDate>
#include <QString>

namespace charges {

// The birth date of a walk-in patient as typed: month/day/year with a
// four-digit year ("12/31/2000", "1/2/2000"), blanks around it ignored. Any
// other text, or a day the calendar does not have, gives an invalid date.
QDate walkInBirthDate(const QString& typed);

// The age the registration records: the calendar years between the birth
// year and this year, whatever the day ("12/31/2000" on 01/01/2012 is 12).
int walkInAge(const QDate& birthDate, const QDate& today);

} // namespace charges
