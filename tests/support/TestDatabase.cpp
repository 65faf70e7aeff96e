#include "tests/support/TestDatabase.h"

#include "server/Backend.h"
#include "server/Error.h"
#include "server/Migrations.h"

#include <QUrl>
#include <QUuid>
#include <QtTest>

namespace testsupport {

namespace {

QString adminUrl() {
    return qEnvironmentVariable("MAMMO_TEST_PG_ADMIN");
}

QString withDatabase(const QString& url, const QString& database) {
    QUrl u(url);
    u.setPath("/" + database);
    return u.toString();
}

void adminExec(const QString& sql) {
    auto admin = server::Backend::open(adminUrl(), server::Backend::Mode::OpenExisting);
    admin->exec(sql);
}

} // namespace

QString testBackend() {
    const QString chosen = qEnvironmentVariable("MAMMO_TEST_BACKEND", "sqlite");
    return chosen == "postgresql" ? chosen : QString("sqlite");
}

bool testBackendAvailable() {
    return testBackend() == "sqlite" || !adminUrl().isEmpty();
}

TestDatabase::TestDatabase() {
    if (testBackend() == "sqlite") {
        m_folder = std::make_unique<QTemporaryDir>();
        m_target = m_folder->path();
        auto backend = server::Backend::open(m_target, server::Backend::Mode::CreateIfMissing);
        server::migrate(*backend);
        return;
    }
    m_pgName = "mammo_t_" + QUuid::createUuid().toString(QUuid::Id128).left(16);
    bool fromTemplate = true;
    try {
        adminExec("CREATE DATABASE " + m_pgName + " TEMPLATE mammo_template");
    } catch (const server::Error&) {
        fromTemplate = false;
        adminExec("CREATE DATABASE " + m_pgName);
    }
    m_target = withDatabase(adminUrl(), m_pgName);
    if (!fromTemplate) {
        auto backend = server::Backend::open(m_target, server::Backend::Mode::CreateIfMissing);
        server::migrate(*backend);
    }
}

TestDatabase::~TestDatabase() {
    if (m_pgName.isEmpty())
        return;
    try {
        adminExec("DROP DATABASE IF EXISTS " + m_pgName + " WITH (FORCE)");
    } catch (const server::Error& e) {
        qWarning("Test database %s was not dropped: %s", qPrintable(m_pgName),
                 qPrintable(e.description()));
    }
}

std::unique_ptr<server::EmbeddedSession> TestDatabase::open() const {
    return server::EmbeddedSession::open(m_target);
}

void TestDatabase::load(const QString& statements) const {
    auto backend = server::Backend::open(m_target, server::Backend::Mode::OpenExisting);
    server::Transaction tx(*backend);
    for (const QString& statement : statements.split(";\n", Qt::SkipEmptyParts))
        if (!statement.trimmed().isEmpty())
            backend->exec(statement.trimmed());
    tx.commit();
}

} // namespace testsupport
