#pragma once

#include <QList>
#include <QString>

namespace server {

// One token of the command text the client sends (T-SQL as the hospital
// system writes it, or a procedure call).
struct Token {
    enum class Kind { Identifier, QuotedIdentifier, String, Number, Symbol };
    Kind kind;
    QString text; // identifiers as written; strings and quoted names without their quotes
    int position; // offset in the command text

    bool isSymbol(const QString& s) const { return kind == Kind::Symbol && text == s; }
    bool isWord(const QString& w) const {
        return kind == Kind::Identifier && text.compare(w, Qt::CaseInsensitive) == 0;
    }
};

// Splits command text into tokens. A string runs from a quote to the next
// quote that is not doubled; "''" inside it stands for one quote. Comments
// ("--" to the end of the line, "/* */") are dropped.
class Lexer {
public:
    struct Failure {
        QString problem;
        int position;
    };

    // Throws Failure on an unclosed string, bracket or comment, or a stray character.
    static QList<Token> tokenize(const QString& text);
};

} // namespace server
