#include "reportengine/Expression.h"

#include "reportengine/ReportError.h"
#include "reportengine/ValueFormat.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

namespace reportengine {

struct Expression::Node {
    enum Kind { Literal, Ref, Binary, Negate, Call };
    Kind kind = Literal;
    QVariant literal;
    Reference reference;
    QChar op;
    QString function;
    QList<std::shared_ptr<const Node>> operands;
};

namespace {

using NodePtr = std::shared_ptr<const Expression::Node>;

struct Token {
    enum Kind { End, Number, String, Ref, Name, Symbol };
    Kind kind = End;
    QString text;
};

class Parser {
public:
    Parser(const QString& text, QList<Reference>& references)
        : m_text(text)
        , m_references(references) {
        advance();
    }

    NodePtr parseAll() {
        NodePtr root = parseSum();
        if (m_token.kind != Token::End)
            fail("'" + m_token.text + "' is not expected here");
        return root;
    }

private:
    [[noreturn]] void fail(const QString& problem) const {
        throw ReportError("the expression \"" + m_text.trimmed() + "\" cannot be read: " + problem);
    }

    void advance() {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
        m_token = {};
        if (m_pos >= m_text.size())
            return;
        const QChar c = m_text[m_pos];
        if (c == '{') {
            const qsizetype close = m_text.indexOf('}', m_pos);
            if (close < 0)
                fail("a '{' is not closed");
            m_token = {Token::Ref, m_text.mid(m_pos + 1, close - m_pos - 1)};
            m_pos = close + 1;
        } else if (c == '"' || c == '\'') {
            QString value;
            qsizetype i = m_pos + 1;
            for (;;) {
                if (i >= m_text.size())
                    fail("a text is not closed");
                if (m_text[i] == c) {
                    if (i + 1 < m_text.size() && m_text[i + 1] == c) {
                        value += c;
                        i += 2;
                        continue;
                    }
                    break;
                }
                value += m_text[i++];
            }
            m_token = {Token::String, value};
            m_pos = i + 1;
        } else if (c.isDigit() ||
                   (c == '.' && m_pos + 1 < m_text.size() && m_text[m_pos + 1].isDigit())) {
            qsizetype i = m_pos;
            while (i < m_text.size() && (m_text[i].isDigit() || m_text[i] == '.'))
                ++i;
            m_token = {Token::Number, m_text.mid(m_pos, i - m_pos)};
            m_pos = i;
        } else if (c.isLetter() || c == '_') {
            qsizetype i = m_pos;
            while (i < m_text.size() && (m_text[i].isLetterOrNumber() || m_text[i] == '_'))
                ++i;
            m_token = {Token::Name, m_text.mid(m_pos, i - m_pos)};
            m_pos = i;
        } else if (QString("&+-*/(),").contains(c)) {
            m_token = {Token::Symbol, QString(c)};
            ++m_pos;
        } else {
            fail("the character '" + QString(c) + "' is not understood");
        }
    }

    bool isSymbol(const char* s) const {
        return m_token.kind == Token::Symbol && m_token.text == s;
    }

    NodePtr binary(QChar op, NodePtr left, NodePtr right) {
        auto node = std::make_shared<Expression::Node>();
        node->kind = Expression::Node::Binary;
        node->op = op;
        node->operands = {std::move(left), std::move(right)};
        return node;
    }

    NodePtr parseSum() {
        NodePtr left = parseProduct();
        while (isSymbol("&") || isSymbol("+") || isSymbol("-")) {
            const QChar op = m_token.text[0];
            advance();
            left = binary(op, left, parseProduct());
        }
        return left;
    }

    NodePtr parseProduct() {
        NodePtr left = parseUnary();
        while (isSymbol("*") || isSymbol("/")) {
            const QChar op = m_token.text[0];
            advance();
            left = binary(op, left, parseUnary());
        }
        return left;
    }

    NodePtr parseUnary() {
        if (isSymbol("-")) {
            advance();
            auto node = std::make_shared<Expression::Node>();
            node->kind = Expression::Node::Negate;
            node->operands = {parseUnary()};
            return node;
        }
        return parsePrimary();
    }

    NodePtr parsePrimary() {
        auto node = std::make_shared<Expression::Node>();
        switch (m_token.kind) {
        case Token::End:
            fail("it ends too early");
        case Token::Number:
            node->literal = m_token.text.toDouble();
            advance();
            return node;
        case Token::String:
            node->literal = m_token.text;
            advance();
            return node;
        case Token::Ref:
            node->kind = Expression::Node::Ref;
            node->reference = parseReference(m_token.text);
            if (node->reference.name.isEmpty())
                fail("{" + m_token.text + "} names nothing");
            m_references << node->reference;
            advance();
            return node;
        case Token::Name: {
            static const QStringList known{"Upper", "Trim", "Format", "Coalesce", "IIf", "IsEmpty"};
            QString function;
            for (const QString& k : known)
                if (k.compare(m_token.text, Qt::CaseInsensitive) == 0)
                    function = k;
            if (function.isEmpty())
                fail("the function '" + m_token.text + "' is not known");
            advance();
            if (!isSymbol("("))
                fail(function + " must be followed by '('");
            advance();
            node->kind = Expression::Node::Call;
            node->function = function;
            if (!isSymbol(")")) {
                for (;;) {
                    node->operands << parseSum();
                    if (isSymbol(")"))
                        break;
                    if (!isSymbol(","))
                        fail("a ',' or ')' is missing in " + function);
                    advance();
                }
            }
            advance();
            const qsizetype count = node->operands.size();
            if ((function == "Format" && count != 2) || (function == "Coalesce" && count < 1) ||
                (function == "IIf" && count != 3) || (function == "IsEmpty" && count != 1) ||
                ((function == "Upper" || function == "Trim") && count != 1))
                fail(function + " is given the wrong number of values");
            return node;
        }
        case Token::Symbol:
            if (isSymbol("(")) {
                advance();
                NodePtr inner = parseSum();
                if (!isSymbol(")"))
                    fail("a '(' is not closed");
                advance();
                return inner;
            }
            fail("'" + m_token.text + "' is not expected here");
        }
        fail("it cannot be read");
    }

    const QString& m_text;
    QList<Reference>& m_references;
    qsizetype m_pos = 0;
    Token m_token;
};

// A condition holds unless it is empty, false or 0.
bool isTrue(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const QString text = plainText(value).trimmed();
    bool isNumber = false;
    const double number = text.toDouble(&isNumber);
    return !text.isEmpty() && !(isNumber && number == 0) &&
           text.compare("false", Qt::CaseInsensitive) != 0;
}

QVariant evaluateNode(const Expression::Node& node, const EvaluationContext& context) {
    switch (node.kind) {
    case Expression::Node::Literal:
        return node.literal;
    case Expression::Node::Ref:
        return context.value(node.reference);
    case Expression::Node::Negate:
        return -numberOf(evaluateNode(*node.operands[0], context));
    case Expression::Node::Call: {
        QList<QVariant> values;
        for (const auto& operand : node.operands)
            values << evaluateNode(*operand, context);
        if (node.function == "Upper")
            return plainText(values[0]).toUpper();
        if (node.function == "Trim")
            return plainText(values[0]).trimmed();
        if (node.function == "Format")
            return formatValue(values[0], plainText(values[1]));
        if (node.function == "IsEmpty")
            return plainText(values[0]).trimmed().isEmpty();
        if (node.function == "IIf")
            return isTrue(values[0]) ? values[1] : values[2];
        for (const QVariant& v : values)
            if (!plainText(v).isEmpty())
                return v;
        return QString();
    }
    case Expression::Node::Binary: {
        const QVariant a = evaluateNode(*node.operands[0], context);
        const QVariant b = evaluateNode(*node.operands[1], context);
        if (node.op == '&')
            return plainText(a) + plainText(b);
        bool okA = true;
        bool okB = true;
        const double x = numberOf(a, &okA);
        const double y = numberOf(b, &okB);
        if (!okA || !okB)
            throw ReportError("'" + plainText(okA ? b : a) +
                              "' is not a number and cannot be used with '" + node.op + "'");
        switch (node.op.unicode()) {
        case '+':
            return x + y;
        case '-':
            return x - y;
        case '*':
            return x * y;
        default:
            return y == 0 ? 0.0 : x / y;
        }
    }
    }
    return {};
}

} // namespace

Reference parseReference(const QString& body) {
    const QString text = body.trimmed();
    Reference reference;
    if (text.isEmpty())
        return reference;
    const QChar first = text[0];
    const QString rest = text.mid(1).trimmed();
    if (first == '?') {
        reference.kind = Reference::Parameter;
        reference.name = rest;
    } else if (first == '@') {
        reference.kind = Reference::Formula;
        reference.name = rest;
    } else if (first == '#') {
        reference.kind = Reference::Total;
        reference.name = rest;
    } else if (first == '!') {
        reference.kind = Reference::Special;
        reference.name = rest;
    } else {
        const qsizetype dot = text.indexOf('.');
        if (dot >= 0) {
            reference.query = text.left(dot).trimmed();
            reference.name = text.mid(dot + 1).trimmed();
        } else {
            reference.name = text;
        }
    }
    return reference;
}

Expression Expression::parse(const QString& text) {
    Expression expression;
    if (text.trimmed().isEmpty())
        return expression;
    Parser parser(text, expression.m_references);
    expression.m_root = parser.parseAll();
    return expression;
}

QVariant Expression::evaluate(const EvaluationContext& context) const {
    return m_root ? evaluateNode(*m_root, context) : QVariant();
}

QString plainText(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        return d == qint64(d) ? QString::number(qint64(d))
                              : QLocale::c().toString(d, 'f', QLocale::FloatingPointShortest);
    }
    case QMetaType::QDate:
        return value.toDate().toString("MM/dd/yyyy");
    case QMetaType::QDateTime:
        return value.toDateTime().toString("MM/dd/yyyy hh:mm:ss");
    case QMetaType::Bool:
        return value.toBool() ? "True" : "False";
    default:
        return value.toString();
    }
}

double numberOf(const QVariant& value, bool* ok) {
    if (ok)
        *ok = true;
    if (!value.isValid() || value.isNull())
        return 0;
    if (value.typeId() == QMetaType::QString) {
        QString text = value.toString().trimmed();
        if (text.isEmpty())
            return 0;
        text.remove(',');
        bool parsed = false;
        const double d = text.toDouble(&parsed);
        if (ok)
            *ok = parsed;
        return parsed ? d : 0;
    }
    bool parsed = false;
    const double d = value.toDouble(&parsed);
    if (ok)
        *ok = parsed;
    return d;
}

} // namespace reportengine
