#include "server/EmbeddedSession.h"

#include "server/CommandParser.h"
#include "server/Error.h"
#include "server/Migrations.h"
#include "server/Translator.h"

namespace server {

std::unique_ptr<EmbeddedSession> EmbeddedSession::open(const QString& target, Backend::Mode mode) {
    auto backend = Backend::open(target, mode);
    migrate(*backend);
    return std::make_unique<EmbeddedSession>(std::move(backend));
}

EmbeddedSession::EmbeddedSession(std::unique_ptr<Backend> backend,
                                 const ProcedureRegistry& registry)
    : m_backend(std::move(backend))
    , m_registry(registry) {}

void EmbeddedSession::setDefaultDatabase(const QString& name) {
    for (const QString& db : logicalDatabases()) {
        if (db.compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            m_defaultDatabase = db;
            return;
        }
    }
    throw Error("Database '" + name + "' does not exist.");
}

Result EmbeddedSession::run(const QString& text) {
    QList<Token> tokens;
    try {
        tokens = Lexer::tokenize(text);
    } catch (const Lexer::Failure& f) {
        if (CommandParser::classify(Lexer::tokenize(text.left(f.position))) ==
            CommandParser::Kind::ProcedureCall)
            CommandParser::parseCall(text); // reports the problem with the procedure's name
        throw Error(
            QString("%1 at character %2 of the statement.").arg(f.problem).arg(f.position + 1),
            text);
    }
    switch (CommandParser::classify(tokens)) {
    case CommandParser::Kind::Empty:
        throw Error("The command text is empty.", text);
    case CommandParser::Kind::PlainStatement:
        return runStatement(text, tokens);
    case CommandParser::Kind::ProcedureCall:
        break;
    }
    return runProcedure(text, tokens);
}

Result EmbeddedSession::runStatement(const QString& text, const QList<Token>& tokens) {
    const Translation t = Translator(*m_backend, m_defaultDatabase).translate(text, tokens);
    try {
        Result r = m_backend->query(t.sql);
        r.sourceTable = t.sourceTable;
        return r;
    } catch (const Error& e) {
        throw Error(e.description(), text);
    }
}

Result EmbeddedSession::runProcedure(const QString& text, const QList<Token>& tokens) {
    const ProcedureCall call = CommandParser::parseCall(text, tokens);
    const QString database = call.database.isEmpty() ? m_defaultDatabase : call.database;
    const ProcedureSpec* procedure = m_registry.find(database, call.name);
    if (!procedure)
        throw Error("Could not find stored procedure '" + database + ".." + call.name + "'.", text);
    if (!procedure->arities.contains(int(call.values.size()))) {
        QStringList counts;
        for (int n : procedure->arities)
            counts << QString::number(n);
        throw Error(QString("Procedure '%1' expects %2 value(s), but %3 were given.")
                        .arg(procedure->name, counts.join(" or "))
                        .arg(call.values.size()),
                    text);
    }
    ProcedureContext context(*m_backend, procedure->name);
    try {
        Transaction tx(*m_backend);
        Result r = procedure->body(context, Arguments(call.values));
        tx.commit();
        return r;
    } catch (const Error& e) {
        QString description = e.description();
        if (!description.contains(procedure->name))
            description = "Procedure '" + procedure->name + "': " + description;
        throw Error(description, text);
    }
}

} // namespace server
