#pragma once

#include <QString>

namespace his {

// Passwords are kept only as Argon2id strings (algorithm, cost, salt and hash
// in one text). The cost of new hashes is the interactive one; tests lower it
// for the whole process, since every log-in checks the hash at its own cost.
class PasswordHasher {
public:
    enum class Cost { Interactive, Minimum };

    // A hasher at the process's default cost.
    PasswordHasher();
    explicit PasswordHasher(Cost cost);

    static void setDefaultCost(Cost cost);
    static Cost defaultCost();
    Cost cost() const { return m_cost; }

    QString hash(const QString& password) const;
    // False as well for a text that is no hash of ours.
    bool verify(const QString& hash, const QString& password) const;
    // True when the hash was made at another cost than this hasher's.
    bool needsRehash(const QString& hash) const;

private:
    Cost m_cost;
    unsigned long long m_opsLimit;
    size_t m_memLimit;
};

} // namespace his
