#pragma once

#include "server/Session.h"

#include <QStringList>

#include <memory>

namespace data {

// A session that hands every command on to another and keeps its text, so
// that a test can assert exactly what a window sent.
class RecordingSession final : public server::Session {
public:
    explicit RecordingSession(std::unique_ptr<server::Session> inner)
        : m_inner(std::move(inner)) {}

    server::Result run(const QString& text) override {
        m_commands << text;
        return m_inner->run(text);
    }
    void begin() override { m_inner->begin(); }
    void commit() override { m_inner->commit(); }
    void rollback() override { m_inner->rollback(); }
    int transactionDepth() const override { return m_inner->transactionDepth(); }
    QString defaultDatabase() const override { return m_inner->defaultDatabase(); }
    void setDefaultDatabase(const QString& name) override { m_inner->setDefaultDatabase(name); }

    const QStringList& commands() const { return m_commands; }
    void clear() { m_commands.clear(); }
    server::Session& inner() { return *m_inner; }

private:
    std::unique_ptr<server::Session> m_inner;
    QStringList m_commands;
};

} // namespace data
