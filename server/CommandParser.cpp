#include "server/CommandParser.h"

#include "server/Backend.h"
#include "server/Error.h"

namespace server {

namespace {

bool isKnownDatabase(const QString& name) {
    for (const QString& db : logicalDatabases())
        if (db.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString canonicalDatabase(const QString& name) {
    for (const QString& db : logicalDatabases())
        if (db.compare(name, Qt::CaseInsensitive) == 0)
            return db;
    return name;
}

} // namespace

CommandParser::Kind CommandParser::classify(const QList<Token>& tokens) {
    if (tokens.isEmpty())
        return Kind::Empty;
    const Token& first = tokens.first();
    for (const char* word : {"SELECT", "UPDATE", "DELETE", "INSERT"})
        if (first.isWord(word))
            return Kind::PlainStatement;
    return Kind::ProcedureCall;
}

QString CommandParser::guessName(const QString& text) {
    QString name;
    for (const QChar c : text.trimmed()) {
        if (c.isSpace() || c == '\'' || c == ',')
            break;
        name += c;
    }
    return name;
}

ProcedureCall CommandParser::parseCall(const QString& text) {
    QList<Token> tokens;
    try {
        tokens = Lexer::tokenize(text);
    } catch (const Lexer::Failure& f) {
        throw Error(QString("%1 at character %2 in the call of procedure '%3'.")
                        .arg(f.problem)
                        .arg(f.position + 1)
                        .arg(guessName(text)),
                    text);
    }
    return parseCall(text, tokens);
}

ProcedureCall CommandParser::parseCall(const QString& text, const QList<Token>& tokens) {
    const QString shownName = guessName(text);
    auto malformed = [&](const QString& problem) {
        return Error(
            QString("Incorrect syntax in the call of procedure '%1': %2.").arg(shownName, problem),
            text);
    };

    // The name: parts separated by dots, an empty part standing for the owner.
    QStringList parts;
    int i = 0;
    if (i >= tokens.size() || tokens[i].kind != Token::Kind::Identifier)
        throw malformed("a procedure name was expected");
    parts << tokens[i++].text;
    while (i < tokens.size() && tokens[i].isSymbol(".")) {
        ++i;
        if (i < tokens.size() && tokens[i].isSymbol(".")) {
            parts << QString();
            continue;
        }
        if (i >= tokens.size() || tokens[i].kind != Token::Kind::Identifier)
            throw malformed("a name was expected after the dot");
        parts << tokens[i++].text;
    }

    ProcedureCall call;
    switch (parts.size()) {
    case 1:
        call.name = parts[0];
        break;
    case 2:
        if (!isKnownDatabase(parts[0]))
            throw malformed("the database '" + parts[0] + "' does not exist");
        call.database = canonicalDatabase(parts[0]);
        call.name = parts[1];
        break;
    case 3:
        if (!isKnownDatabase(parts[0]))
            throw malformed("the database '" + parts[0] + "' does not exist");
        call.database = canonicalDatabase(parts[0]);
        call.name = parts[2];
        break;
    default:
        throw malformed("the name has too many parts");
    }
    if (call.name.isEmpty())
        throw malformed("a procedure name was expected");

    // The values: a quoted string, NULL or a number, separated by commas.
    if (i == tokens.size())
        return call;
    while (true) {
        if (i >= tokens.size())
            throw malformed("a value was expected after the last comma");
        const Token& t = tokens[i];
        if (t.kind == Token::Kind::String) {
            call.values << t.text;
            ++i;
        } else if (t.isWord("NULL")) {
            call.values << std::nullopt;
            ++i;
        } else if (t.kind == Token::Kind::Number) {
            call.values << t.text;
            ++i;
        } else if (t.isSymbol("-") && i + 1 < tokens.size() &&
                   tokens[i + 1].kind == Token::Kind::Number) {
            call.values << "-" + tokens[i + 1].text;
            i += 2;
        } else {
            throw malformed(
                QString("unexpected '%1' at character %2").arg(t.text).arg(t.position + 1));
        }
        if (i == tokens.size())
            break;
        if (!tokens[i].isSymbol(","))
            throw malformed(
                QString("a comma was expected at character %1").arg(tokens[i].position + 1));
        ++i;
    }
    return call;
}

} // namespace server
