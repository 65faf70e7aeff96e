#pragma once

#include "server/EmbeddedSession.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace testsupport {

// The backend a database test runs on, chosen by MAMMO_TEST_BACKEND
// ("sqlite", the default, or "postgresql").
QString testBackend();

// Skips the test (QSKIP) where the chosen backend is not available; call it
// from initTestCase().
#define MAMMO_REQUIRE_TEST_BACKEND()                                                               \
    do {                                                                                           \
        if (!testsupport::testBackendAvailable())                                                  \
            QSKIP("PostgreSQL tests need MAMMO_TEST_PG_ADMIN (scripts/test.sh sets it)");          \
    } while (0)
bool testBackendAvailable();

// A fresh, migrated section database for one test, removed when it goes.
// Declare it before any session on it, so that the sessions close first.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const QString& target() const { return m_target; }

    // A new session of the section's server on this database.
    std::unique_ptr<server::EmbeddedSession> open() const;

    // Runs portable SQL statements (separated by ";\n") to build a fixture.
    void load(const QString& statements) const;

private:
    QString m_target;
    QString m_pgName;
    std::unique_ptr<QTemporaryDir> m_folder;
};

} // namespace testsupport
