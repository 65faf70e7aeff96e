#pragma once

#include "server/Backend.h"
#include "server/Lexer.h"
#include "server/ProcedureRegistry.h"
#include "server/Session.h"

#include <memory>

namespace server {

// The section's own server, running inside the client's process over a
// SQLite folder or a PostgreSQL database. It reads the command text the
// client sends: procedure calls go to the C++ procedures of the registry,
// plain statements are translated for the backend.
class EmbeddedSession final : public Session {
public:
    // Opens TARGET (a folder, ":memory:" or a postgresql:// URL), creating
    // the databases when asked to, and brings the schema up to date.
    static std::unique_ptr<EmbeddedSession> open(const QString& target,
                                                 Backend::Mode mode = Backend::Mode::OpenExisting);

    explicit EmbeddedSession(std::unique_ptr<Backend> backend,
                             const ProcedureRegistry& registry = ProcedureRegistry::standard());

    Result run(const QString& text) override;
    void begin() override { m_backend->begin(); }
    void commit() override { m_backend->commit(); }
    void rollback() override { m_backend->rollback(); }
    int transactionDepth() const override { return m_backend->transactionDepth(); }
    QString defaultDatabase() const override { return m_defaultDatabase; }
    void setDefaultDatabase(const QString& name) override;

    Backend& backend() { return *m_backend; }

private:
    Result runStatement(const QString& text, const QList<Token>& tokens);
    Result runProcedure(const QString& text, const QList<Token>& tokens);

    std::unique_ptr<Backend> m_backend;
    const ProcedureRegistry& m_registry;
    QString m_defaultDatabase = "RADIOLOGY";
};

} // namespace server
