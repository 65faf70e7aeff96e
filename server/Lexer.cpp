#include "server/Lexer.h"

namespace server {

namespace {

bool isIdentifierStart(QChar c) {
    return c.isLetter() || c == '_' || c == '@' || c == '#';
}

bool isIdentifierPart(QChar c) {
    return c.isLetterOrNumber() || c == '_' || c == '@' || c == '#' || c == '$';
}

} // namespace

QList<Token> Lexer::tokenize(const QString& text) {
    QList<Token> tokens;
    const int n = text.size();
    int i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        const int start = i;
        if (c == '-' && i + 1 < n && text[i + 1] == '-') {
            while (i < n && text[i] != '\n')
                ++i;
            continue;
        }
        if (c == '/' && i + 1 < n && text[i + 1] == '*') {
            const int end = text.indexOf("*/", i + 2);
            if (end < 0)
                throw Failure{"Unclosed comment", start};
            i = end + 2;
            continue;
        }
        if (c == '\'') {
            QString value;
            ++i;
            bool closed = false;
            while (i < n) {
                if (text[i] == '\'') {
                    if (i + 1 < n && text[i + 1] == '\'') {
                        value += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                value += text[i++];
            }
            if (!closed)
                throw Failure{"Unclosed quotation mark", start};
            tokens << Token{Token::Kind::String, value, start};
            continue;
        }
        if (c == '[' || c == '"') {
            const QChar close = c == '[' ? ']' : '"';
            const int end = text.indexOf(close, i + 1);
            if (end < 0)
                throw Failure{c == '[' ? "Unclosed bracket" : "Unclosed quoted name", start};
            tokens << Token{Token::Kind::QuotedIdentifier, text.mid(i + 1, end - i - 1), start};
            i = end + 1;
            continue;
        }
        if (c.isDigit() || (c == '.' && i + 1 < n && text[i + 1].isDigit())) {
            while (i < n && (text[i].isDigit() || text[i] == '.'))
                ++i;
            tokens << Token{Token::Kind::Number, text.mid(start, i - start), start};
            continue;
        }
        if (isIdentifierStart(c)) {
            while (i < n && isIdentifierPart(text[i]))
                ++i;
            tokens << Token{Token::Kind::Identifier, text.mid(start, i - start), start};
            continue;
        }
        static const QStringList twoCharSymbols{"<>", "!=", "<=", ">=", "||"};
        const QString two = text.mid(i, 2);
        if (twoCharSymbols.contains(two)) {
            tokens << Token{Token::Kind::Symbol, two, start};
            i += 2;
            continue;
        }
        static const QString oneCharSymbols = "(),.*=<>+-/%;";
        if (oneCharSymbols.contains(c)) {
            tokens << Token{Token::Kind::Symbol, QString(c), start};
            ++i;
            continue;
        }
        throw Failure{QString("Unexpected character '%1'").arg(c), start};
    }
    return tokens;
}

} // namespace server
