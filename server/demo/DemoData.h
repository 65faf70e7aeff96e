#pragma once

#include <QDate>
#include <QtGlobal>

namespace server {

class Backend;

// Fills a freshly migrated database with demonstration data: the hospital row,
// users with and without the right "A", patients with admissions and outpatient
// visits, walk-in patients, rooms of every class, doctors, addresses, the exam
// catalogue with its rates, markups, film sizes, interpretation templates, cash
// assessments, outpatient request lines and the section's request lines, and
// the counters that continue after them.
// Every name is synthetic. The same seed always gives the same rows; dates are
// counted back from today so the screens that open on today's date have work.
// Runs in one transaction; refuses a database that already has a hospital row.
void loadDemoData(Backend& backend, quint32 seed = 20261211);

// As above, with the day the dates count back from given explicitly, so two
// loads can be compared row for row.
void loadDemoData(Backend& backend, quint32 seed, const QDate& today);

} // namespace server
