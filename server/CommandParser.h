#pragma once

#include "server/Lexer.h"

#include <QList>
#include <QString>

#include <optional>

namespace server {

// A procedure call as the client writes it: [database..]name [value {, value}].
struct ProcedureCall {
    QString database; // empty: the session's default database
    QString name;
    QList<std::optional<QString>> values; // nullopt is an unquoted NULL
};

class CommandParser {
public:
    enum class Kind { Empty, PlainStatement, ProcedureCall };

    // Plain statements begin with SELECT, UPDATE, DELETE or INSERT; anything
    // else is taken as a procedure call.
    static Kind classify(const QList<Token>& tokens);

    // Throws server::Error naming the problem and the procedure.
    static ProcedureCall parseCall(const QString& text);
    static ProcedureCall parseCall(const QString& text, const QList<Token>& tokens);

    // A procedure's name as far as it can be read from malformed text, for error messages.
    static QString guessName(const QString& text);
};

} // namespace server
