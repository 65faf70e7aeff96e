#include "server/Translator.h"

#include "server/Backend.h"
#include "server/Error.h"
#include "server/ServerFunctions.h"

#include <QSet>

namespace server {

namespace {

const QSet<QString>& keywords() {
    static const QSet<QString> words{
        "SELECT", "FROM",    "WHERE",  "AND",    "OR",     "NOT",      "IS",     "NULL",
        "AS",     "ORDER",   "BY",     "ASC",    "DESC",   "GROUP",    "HAVING", "IN",
        "LIKE",   "BETWEEN", "SET",    "INTO",   "VALUES", "DISTINCT", "JOIN",   "INNER",
        "LEFT",   "RIGHT",   "OUTER",  "ON",     "CASE",   "WHEN",     "THEN",   "ELSE",
        "END",    "UPDATE",  "DELETE", "INSERT", "EXISTS", "UNION",    "ALL",    "TOP"};
    return words;
}

// Functions that mean the same on every backend and pass through unchanged.
const QSet<QString>& portableFunctions() {
    static const QSet<QString> names{"COUNT", "SUM",   "MIN",   "MAX",   "AVG", "COALESCE",
                                     "UPPER", "LOWER", "LTRIM", "RTRIM", "ABS", "ROUND"};
    return names;
}

// Words after which the next name is a table.
const QSet<QString>& tableIntroducers() {
    static const QSet<QString> words{"FROM", "JOIN", "UPDATE", "INTO"};
    return words;
}

// Words that end a FROM list.
const QSet<QString>& clauseWords() {
    static const QSet<QString> words{"WHERE", "GROUP", "ORDER", "HAVING", "UNION", "SET",
                                     "ON",    "JOIN",  "INNER", "LEFT",   "RIGHT"};
    return words;
}

QString canonicalDatabase(const QString& name) {
    for (const QString& db : logicalDatabases())
        if (db.compare(name, Qt::CaseInsensitive) == 0)
            return db;
    return {};
}

QString quoteIdentifier(const QString& name) {
    QString escaped = name;
    escaped.replace('"', "\"\"");
    return '"' + escaped + '"';
}

QString quoteString(const QString& value) {
    QString escaped = value;
    escaped.replace('\'', "''");
    return '\'' + escaped + '\'';
}

class Walker {
public:
    Walker(const QString& text, const QList<Token>& tokens, const Backend& dialect,
           const QString& defaultDatabase)
        : m_text(text)
        , m_tokens(tokens)
        , m_dialect(dialect)
        , m_default(defaultDatabase) {}

    Translation run() {
        int end = m_tokens.size();
        while (end > 0 && m_tokens[end - 1].isSymbol(";"))
            --end;
        for (int k = 0; k < end; ++k)
            if (m_tokens[k].isSymbol(";"))
                refuse("only one statement can be sent at a time");

        m_isSelect = m_tokens.first().isWord("SELECT");
        QString sql = range(0, end, true);
        if (!m_limit.isEmpty())
            sql += " LIMIT " + m_limit;

        Translation t;
        t.sql = sql;
        if (m_isSelect && m_tables.size() == 1 && m_plainSelectList && !m_sawJoinOrGroup &&
            m_limit.isEmpty())
            t.sourceTable = m_tables.first();
        return t;
    }

private:
    [[noreturn]] void refuse(const QString& problem) const {
        throw Error("The statement cannot be run by the section's server: " + problem + ".",
                    m_text);
    }

    // Reads a dotted name starting at i; empty parts stand for a missing owner.
    QStringList dottedName(int& i, int end) const {
        QStringList parts{m_tokens[i++].text};
        while (i < end && m_tokens[i].isSymbol(".")) {
            ++i;
            if (i < end && m_tokens[i].isSymbol(".")) {
                parts << QString();
                continue;
            }
            if (i >= end || m_tokens[i].kind == Token::Kind::Symbol ||
                m_tokens[i].kind == Token::Kind::String) {
                if (i < end && m_tokens[i].isSymbol("*")) {
                    parts << "*";
                    ++i;
                    break;
                }
                refuse("a name was expected after a dot");
            }
            parts << (m_tokens[i].kind == Token::Kind::QuotedIdentifier
                          ? quoteIdentifier(m_tokens[i].text)
                          : m_tokens[i].text);
            ++i;
        }
        return parts;
    }

    int matchingParen(int open, int end) const {
        int depth = 0;
        for (int k = open; k < end; ++k) {
            if (m_tokens[k].isSymbol("("))
                ++depth;
            else if (m_tokens[k].isSymbol(")") && --depth == 0)
                return k;
        }
        refuse("a parenthesis is not closed");
    }

    QStringList arguments(int open, int close) {
        QStringList args;
        int depth = 0;
        int start = open + 1;
        for (int k = open + 1; k < close; ++k) {
            if (m_tokens[k].isSymbol("("))
                ++depth;
            else if (m_tokens[k].isSymbol(")"))
                --depth;
            else if (depth == 0 && m_tokens[k].isSymbol(",")) {
                args << range(start, k, false);
                start = k + 1;
            }
        }
        if (start < close)
            args << range(start, close, false);
        return args;
    }

    QString tableName(const QStringList& parts) {
        QString database;
        QString table;
        if (parts.size() == 1) {
            database = m_default;
            table = parts[0];
        } else if (parts.size() == 3 || parts.size() == 2) {
            database = canonicalDatabase(parts[0]);
            if (database.isEmpty())
                refuse("the database '" + parts[0] + "' does not exist");
            if (parts.size() == 3 && !parts[1].isEmpty() &&
                parts[1].compare("dbo", Qt::CaseInsensitive) != 0)
                refuse("the owner '" + parts[1] + "' is not known");
            table = parts.last();
        } else {
            refuse("the table name '" + parts.join('.') + "' has too many parts");
        }
        m_tables << database + ".." + table;
        return database + "." + table;
    }

    QString functionCall(const QStringList& parts, int open, int close) {
        const QString name = parts.last().toUpper();
        const QStringList args = arguments(open, close);
        if (parts.size() > 1) {
            QString database = canonicalDatabase(parts[0]);
            if (database.isEmpty())
                refuse("the database '" + parts[0] + "' does not exist");
            const auto expansion = ServerFunctions::expand(database, parts.last(), args, m_dialect);
            if (!expansion)
                refuse("the function '" + parts.join('.') + "' is not known");
            m_plainSelectList = false;
            return *expansion;
        }
        m_plainSelectList = false;
        if (name == "GETDATE") {
            if (!args.isEmpty())
                refuse("GETDATE takes no values");
            return m_dialect.nowExpression();
        }
        if (name == "ISNULL") {
            if (args.size() != 2)
                refuse("ISNULL takes two values");
            return "COALESCE(" + args.join(", ") + ")";
        }
        if (portableFunctions().contains(name)) {
            return name + "(" + args.join(", ") + ")";
        }
        refuse("the function '" + parts.last() + "' is not known");
    }

    // Translates tokens [begin, end). `top` is true for the statement itself,
    // false for a function's argument.
    QString range(int begin, int end, bool top) {
        QStringList out;
        bool expectTable = false;
        bool inFromList = false;
        bool inSelectList = false;
        int depth = 0;
        for (int i = begin; i < end;) {
            const Token& t = m_tokens[i];
            switch (t.kind) {
            case Token::Kind::String:
                out << quoteString(t.text);
                ++i;
                if (inSelectList && top && depth == 0)
                    m_plainSelectList = false;
                continue;
            case Token::Kind::Number:
                out << t.text;
                ++i;
                if (inSelectList && top && depth == 0)
                    m_plainSelectList = false;
                continue;
            case Token::Kind::QuotedIdentifier:
                if (expectTable) {
                    out << tableName({quoteIdentifier(t.text)});
                    expectTable = false;
                } else {
                    out << quoteIdentifier(t.text);
                }
                ++i;
                continue;
            case Token::Kind::Symbol:
                if (t.isSymbol("(")) {
                    ++depth;
                    if (inSelectList && top)
                        m_plainSelectList = false;
                } else if (t.isSymbol(")")) {
                    --depth;
                } else if (t.isSymbol(",") && inFromList && depth == 0) {
                    expectTable = true;
                } else if (!t.isSymbol(",") && !t.isSymbol("*") && inSelectList && top) {
                    m_plainSelectList = false;
                }
                out << (t.isSymbol("!=") ? QString("<>") : t.text);
                ++i;
                continue;
            case Token::Kind::Identifier:
                break;
            }

            const QString upper = t.text.toUpper();
            const bool followedByDot = i + 1 < end && m_tokens[i + 1].isSymbol(".");

            if (keywords().contains(upper) && !followedByDot) {
                ++i;
                if (upper == "TOP") {
                    if (!top || depth != 0 || m_sawTop)
                        refuse("TOP is only understood at the start of the statement");
                    m_sawTop = true;
                    bool paren = i < end && m_tokens[i].isSymbol("(");
                    if (paren)
                        ++i;
                    if (i >= end || m_tokens[i].kind != Token::Kind::Number)
                        refuse("TOP must be followed by a number");
                    m_limit = m_tokens[i++].text;
                    if (paren) {
                        if (i >= end || !m_tokens[i].isSymbol(")"))
                            refuse("TOP ( n ) is not closed");
                        ++i;
                    }
                    continue;
                }
                if (upper == "SELECT") {
                    if (depth == 0 && top)
                        inSelectList = true;
                    else
                        refuse("a select inside a statement is not understood");
                } else if (upper == "FROM") {
                    inSelectList = false;
                    inFromList = true;
                } else if (upper == "DISTINCT" || upper == "GROUP" || upper == "JOIN" ||
                           upper == "UNION") {
                    m_sawJoinOrGroup = true;
                }
                if (clauseWords().contains(upper))
                    inFromList = upper == "JOIN";
                if (upper == "DELETE" && top && i == begin + 1 &&
                    !(i < end && m_tokens[i].isWord("FROM"))) {
                    out << "DELETE FROM";
                    expectTable = true;
                    continue;
                }
                out << upper;
                if (tableIntroducers().contains(upper))
                    expectTable = true;
                continue;
            }

            QStringList parts = dottedName(i, end);
            if (expectTable) { // INSERT INTO t (cols) names a table, not a function
                out << tableName(parts);
                expectTable = false;
                continue;
            }
            if (i < end && m_tokens[i].isSymbol("(")) {
                const int close = matchingParen(i, end);
                out << functionCall(parts, i, close);
                i = close + 1;
                continue;
            }
            if (inSelectList && top && depth == 0 && parts.size() > 1)
                m_plainSelectList = false;
            out << parts.join('.');
        }
        if (top && depth != 0)
            refuse("the parentheses do not match");
        return out.join(' ');
    }

    const QString& m_text;
    const QList<Token>& m_tokens;
    const Backend& m_dialect;
    QString m_default;
    QStringList m_tables;
    QString m_limit;
    bool m_isSelect = false;
    bool m_sawTop = false;
    bool m_sawJoinOrGroup = false;
    bool m_plainSelectList = true;
};

} // namespace

Translator::Translator(const Backend& dialect, QString defaultDatabase)
    : m_dialect(dialect)
    , m_defaultDatabase(std::move(defaultDatabase)) {}

Translation Translator::translate(const QString& text) const {
    QList<Token> tokens;
    try {
        tokens = Lexer::tokenize(text);
    } catch (const Lexer::Failure& f) {
        throw Error(
            QString("%1 at character %2 of the statement.").arg(f.problem).arg(f.position + 1),
            text);
    }
    return translate(text, tokens);
}

Translation Translator::translate(const QString& text, const QList<Token>& tokens) const {
    if (tokens.isEmpty())
        throw Error("The command text is empty.", text);
    return Walker(text, tokens, m_dialect, m_defaultDatabase).run();
}

} // namespace server
