#pragma once

#include <QString>

namespace data {
class Connection;
}

namespace charges {

// A walk-in number: the prefix letter of the counter and the counter itself,
// written without leading zeros ("W100").
class WalkInNumber {
public:
    // The number that follows the last one given ("W0099" gives W100): the
    // first character of the trimmed text is the prefix, the number its rest
    // begins with is the counter (none counts as 0).
    static WalkInNumber following(const QString& lastNumber);

    // Draws a new walk-in number from the shared counter
    // PATIENT_DATA..tbLastWalkInNum: advances the counter with an optimistic
    // update (read again when another workstation changed it in between) and
    // skips numbers already registered in PATIENT_DATA..tbCashPatient.
    static WalkInNumber draw(data::Connection& connection);

    const QString& prefix() const { return m_prefix; }
    qint64 counter() const { return m_counter; }
    QString text() const { return m_prefix + QString::number(m_counter); }

private:
    WalkInNumber(QString prefix, qint64 counter)
        : m_prefix(std::move(prefix))
        , m_counter(counter) {}

    QString m_prefix;
    qint64 m_counter;
};

} // namespace charges
