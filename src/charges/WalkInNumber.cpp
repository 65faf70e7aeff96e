#include "src/charges/WalkInNumber.h"

#include "src/data/Connection.h"

#include <limits>

namespace charges {

namespace {

// Another workstation may change the counter between our read and our write;
// so many changes in a row mean something is wrong rather than busy.
constexpr int kCounterConflicts = 20;
// Every number skipped advances the counter, so the search ends; the bound
// only keeps a broken counter from spinning for ever.
constexpr int kNumbersTried = 100000;

// The number the text begins with, blanks ignored, as the counter part of a
// stored walk-in number is read ("0099" is 99, "" is 0, "12A" is 12).
qint64 leadingNumber(const QString& text) {
    constexpr qint64 kLargest = std::numeric_limits<qint64>::max() / 10 - 9;
    qint64 n = 0;
    for (const QChar c : text) {
        if (c == ' ' || c == '\t')
            continue;
        if (c < '0' || c > '9' || n > kLargest)
            break;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}

} // namespace

WalkInNumber WalkInNumber::following(const QString& lastNumber) {
    const QString last = lastNumber.trimmed();
    return WalkInNumber(last.left(1), leadingNumber(last.mid(1)) + 1);
}

WalkInNumber WalkInNumber::draw(data::Connection& connection) {
    int conflicts = 0;
    for (int tried = 0; tried < kNumbersTried; ++tried) {
        data::Recordset counter = connection.open("SELECT * FROM PATIENT_DATA..tbLastWalkInNum",
                                                  data::adOpenDynamic, data::adLockOptimistic);
        if (counter.eof())
            throw data::DbError("The walk-in counter PATIENT_DATA..tbLastWalkInNum has no row.");
        const WalkInNumber next = following(counter.field("lastopd").text());
        counter.setField("lastopd", next.text());
        counter.setField("transnum", next.counter());
        try {
            counter.update();
        } catch (const data::DbError& e) {
            if (e.number() != data::DbError::RowNotLocated)
                throw;
            if (++conflicts >= kCounterConflicts)
                throw data::DbError("The walk-in number could not be drawn: the counter kept "
                                    "changing. Please try again.");
            continue; // another workstation took this number: read the counter again
        }
        counter.close();

        data::Recordset taken = connection.open(
            "select Count(*) [RecCount] from PATIENT_DATA..tbCashPatient where Hospnum = " +
            data::quoted(next.text()));
        const bool free = taken.field("RecCount").number() == 0;
        taken.close();
        if (free)
            return next;
    }
    throw data::DbError("The walk-in number could not be drawn: every number tried is taken.");
}

} // namespace charges
