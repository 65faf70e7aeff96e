#include "his/PasswordHasher.h"

#include <QByteArray>

#include <sodium.h>

#include <atomic>
#include <stdexcept>

namespace his {

namespace {

std::atomic<PasswordHasher::Cost> g_defaultCost{PasswordHasher::Cost::Interactive};

void requireSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw std::runtime_error("The password library could not be started.");
}

} // namespace

PasswordHasher::PasswordHasher()
    : PasswordHasher(g_defaultCost.load()) {}

PasswordHasher::PasswordHasher(Cost cost)
    : m_cost(cost) {
    requireSodium();
    if (cost == Cost::Minimum) {
        m_opsLimit = crypto_pwhash_OPSLIMIT_MIN;
        m_memLimit = crypto_pwhash_MEMLIMIT_MIN;
    } else {
        m_opsLimit = crypto_pwhash_OPSLIMIT_INTERACTIVE;
        m_memLimit = crypto_pwhash_MEMLIMIT_INTERACTIVE;
    }
}

void PasswordHasher::setDefaultCost(Cost cost) {
    g_defaultCost = cost;
}

PasswordHasher::Cost PasswordHasher::defaultCost() {
    return g_defaultCost.load();
}

QString PasswordHasher::hash(const QString& password) const {
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                              m_opsLimit, m_memLimit, crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw std::runtime_error("There is not enough memory to protect the password.");
    return QString::fromLatin1(out);
}

bool PasswordHasher::verify(const QString& hash, const QString& password) const {
    const QByteArray stored = hash.toLatin1();
    if (stored.isEmpty() || stored.size() >= crypto_pwhash_STRBYTES)
        return false;
    const QByteArray utf8 = password.toUtf8();
    return crypto_pwhash_str_verify(stored.constData(), utf8.constData(),
                                    static_cast<unsigned long long>(utf8.size())) == 0;
}

bool PasswordHasher::needsRehash(const QString& hash) const {
    const QByteArray stored = hash.toLatin1();
    return crypto_pwhash_str_needs_rehash(stored.constData(), m_opsLimit, m_memLimit) != 0;
}

} // namespace his
