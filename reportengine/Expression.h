#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

namespace reportengine {

// What a `{…}` in an expression stands for.
struct Reference {
    enum Kind {
        Column,    // {Amount}, {hospital.Company}
        Parameter, // {?TITLE}
        Formula,   // {@patientLine}
        Total,     // {#grandTotal}
        Special,   // {!PageNumber}
    };
    Kind kind = Column;
    QString query; // for a column: the query's name, "" for the detail query
    QString name;
};

// Where an expression finds the values it refers to while a report renders.
class EvaluationContext {
public:
    virtual ~EvaluationContext() = default;
    virtual QVariant value(const Reference& reference) const = 0;
};

// A formula of a report: references, text and number literals, `&` (joins
// texts), `+ - * /`, parentheses and a few functions (Upper, Trim, Format,
// Coalesce, IIf, IsEmpty). Parsed once when the report is opened.
class Expression {
public:
    Expression() = default;
    // Throws ReportError (without a line) when the text is not an expression.
    static Expression parse(const QString& text);

    QVariant evaluate(const EvaluationContext& context) const;
    const QList<Reference>& references() const { return m_references; }
    bool isEmpty() const { return !m_root; }

    struct Node;

private:
    std::shared_ptr<const Node> m_root;
    QList<Reference> m_references;
};

// A value as text without a format: whole numbers without decimals, dates as mm/dd/yyyy.
QString plainText(const QVariant& value);
// A value as a number: null and "" give 0; `ok` is false for text that is no number.
double numberOf(const QVariant& value, bool* ok = nullptr);
// Parses the `{…}` body of a reference ("?TITLE", "hospital.Company").
Reference parseReference(const QString& body);

} // namespace reportengine
