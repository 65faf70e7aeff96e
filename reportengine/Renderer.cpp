#include "reportengine/Renderer.h"

#include "reportengine/Expression.h"
#include "reportengine/ReportError.h"
#include "reportengine/ValueFormat.h"

namespace reportengine {

namespace {

class Layout final : public EvaluationContext {
public:
    Layout(const RenderInput& input, int pageCount)
        : m_in(input)
        , m_def(*input.definition)
        , m_pageCount(pageCount) {
        if (!m_def.queries.isEmpty()) {
            const auto main = m_in.results.constFind(m_def.queries.first().name.toUpper());
            if (main != m_in.results.constEnd())
                m_main = &*main;
        }
        m_totals.fill(0.0, m_def.totals.size());
        const QSizeF size = m_def.pageSizePoints();
        m_model.pageSize = m_def.pageSize;
        m_model.orientation = m_def.orientation;
        m_model.size = size;
        m_model.title = m_in.title;
        m_bodyTop = m_def.margins.top();
        m_bodyBottom = size.height() - m_def.margins.bottom() -
                       (m_def.pageFooter.present ? m_def.pageFooter.height : 0);
    }

    PageModel run() {
        startPage(true);
        const int rows = m_main ? int(m_main->rows.size()) : 0;
        QList<QVariant> previous;
        for (int i = 0; i < rows; ++i) {
            m_row = i;
            QList<QVariant> keys;
            for (const GroupDef& g : m_def.groups)
                keys << evaluate(g.onExpression, g.line);
            int changed = -1;
            if (i == 0 && !m_def.groups.isEmpty()) {
                changed = 0;
            } else {
                for (int g = 0; g < keys.size() && changed < 0; ++g)
                    if (plainText(keys[g]) != plainText(previous[g]))
                        changed = g;
            }
            if (changed >= 0 && i > 0) {
                m_row = i - 1;
                for (int g = int(m_def.groups.size()) - 1; g >= changed; --g)
                    place(m_def.groups[g].footer);
                m_row = i;
            }
            if (changed >= 0) {
                for (int g = changed; g < m_def.groups.size(); ++g) {
                    resetTotals(m_def.groups[g].name);
                    place(m_def.groups[g].header, int(g), plainText(keys[g]));
                }
            }
            accumulate();
            place(m_def.detail);
            previous = keys;
        }
        if (rows > 0) {
            m_row = rows - 1;
            for (int g = int(m_def.groups.size()) - 1; g >= 0; --g)
                place(m_def.groups[g].footer);
        }
        place(m_def.reportFooter);
        finishPage();
        return m_model;
    }

    QVariant value(const Reference& r) const override {
        switch (r.kind) {
        case Reference::Column:
            return column(r.query, r.name);
        case Reference::Parameter:
            return parameter(r.name);
        case Reference::Formula:
            for (const FormulaDef& f : m_def.formulas)
                if (f.name.compare(r.name, Qt::CaseInsensitive) == 0)
                    return f.expression.evaluate(*this);
            return {};
        case Reference::Total:
            for (int i = 0; i < m_def.totals.size(); ++i)
                if (m_def.totals[i].name.compare(r.name, Qt::CaseInsensitive) == 0)
                    return m_totals[i];
            return {};
        case Reference::Special:
            return special(r.name);
        }
        return {};
    }

private:
    QVariant parameter(const QString& name) const {
        const QString key = name.toUpper();
        if (m_in.parameters.contains(key))
            return m_in.parameters.value(key);
        for (const ParameterDef& p : m_def.parameters)
            if (p.name.compare(name, Qt::CaseInsensitive) == 0 && p.defaultValue)
                return *p.defaultValue;
        return {};
    }

    QVariant column(const QString& query, const QString& name) const {
        const bool isMain = query.isEmpty() ||
                            (!m_def.queries.isEmpty() &&
                             m_def.queries.first().name.compare(query, Qt::CaseInsensitive) == 0);
        const QString queryName =
            isMain && !m_def.queries.isEmpty() ? m_def.queries.first().name : query;
        const auto found = m_in.results.constFind(queryName.toUpper());
        if (found == m_in.results.constEnd())
            return {};
        const server::Result& result = *found;
        const int index = result.columnIndex(name);
        if (index < 0)
            throw ReportError("the query '" + queryName + "' returned no column '" + name +
                              "' (it returned " + result.columns.join(", ") + ")");
        // Before the first row (the report and page headers) the first row stands.
        const int row = isMain ? qMax(m_row, 0) : 0;
        if (row < 0 || row >= result.rows.size())
            return {};
        return result.rows[row].value(index);
    }

    QVariant special(const QString& name) const {
        if (name.compare("PageNumber", Qt::CaseInsensitive) == 0)
            return double(m_model.pages.size());
        if (name.compare("PageCount", Qt::CaseInsensitive) == 0)
            return double(m_pageCount);
        if (name.compare("PrintDate", Qt::CaseInsensitive) == 0)
            return m_in.printedAt.date();
        if (name.compare("PrintTime", Qt::CaseInsensitive) == 0)
            return m_in.printedAt.time().toString("hh:mm AP");
        if (name.compare("Title", Qt::CaseInsensitive) == 0)
            return m_in.title;
        if (name.compare("RecordNumber", Qt::CaseInsensitive) == 0)
            return double(m_row + 1);
        return {};
    }

    QVariant evaluate(const Expression& e, int line) const {
        try {
            return e.evaluate(*this);
        } catch (const ReportError& error) {
            throw ReportError(m_in.fileName + ", line " + QString::number(line) + ": " +
                                  error.description(),
                              line);
        }
    }

    void resetTotals(const QString& group) {
        for (int i = 0; i < m_def.totals.size(); ++i)
            if (m_def.totals[i].reset.compare(group, Qt::CaseInsensitive) == 0)
                m_totals[i] = 0;
    }

    void accumulate() {
        for (int i = 0; i < m_def.totals.size(); ++i) {
            const TotalDef& t = m_def.totals[i];
            const QVariant v = evaluate(t.ofExpression, t.line);
            if (t.kind == TotalDef::Count) {
                if (t.ofExpression.isEmpty() || !plainText(v).isEmpty())
                    m_totals[i] += 1;
                continue;
            }
            bool ok = false;
            const double n = numberOf(v, &ok);
            if (!ok)
                throw ReportError(m_in.fileName + ", line " + QString::number(t.line) +
                                      ": the total '" + t.name + "' cannot add '" + plainText(v) +
                                      "', which is not a number",
                                  t.line);
            m_totals[i] += n;
        }
    }

    void startPage(bool first) {
        m_model.pages << Page{};
        m_y = m_bodyTop;
        if (first)
            emitBand(m_def.reportHeader);
        emitBand(m_def.pageHeader);
        m_pageBodyTop = m_y;
    }

    void finishPage() {
        if (m_def.pageFooter.present) {
            m_y = m_bodyBottom;
            emitBand(m_def.pageFooter);
        }
    }

    // A body band: on the next page when it does not fit under what this page holds.
    void place(const BandDef& band, int outlineLevel = -1, const QString& outlineText = {}) {
        if (!band.present)
            return;
        if (m_y + band.height > m_bodyBottom + 0.01 && m_y > m_pageBodyTop + 0.01) {
            finishPage();
            startPage(false);
        }
        if (outlineLevel >= 0)
            m_model.outline << OutlineEntry{outlineLevel, outlineText,
                                            int(m_model.pages.size()) - 1};
        emitBand(band);
    }

    void emitBand(const BandDef& band) {
        if (!band.present)
            return;
        const QPointF origin(m_def.margins.left(), m_y);
        Page& page = m_model.pages.last();
        for (const ItemDef& item : band.items) {
            PageElement e;
            e.rect = item.rect.translated(origin);
            e.style = item.style;
            switch (item.kind) {
            case ItemDef::Text:
                e.kind = PageElement::Text;
                e.text = item.text;
                break;
            case ItemDef::Field:
                e.kind = PageElement::Text;
                e.text = formatValue(evaluate(item.expression, item.line), item.format);
                if (e.text.isEmpty())
                    continue;
                break;
            case ItemDef::Line:
                e.kind = PageElement::Line;
                e.segment = item.segment.translated(origin);
                break;
            case ItemDef::Box:
                e.kind = PageElement::Box;
                break;
            case ItemDef::Image:
                e.kind = PageElement::Image;
                e.image = item.image;
                break;
            }
            page.elements << e;
        }
        m_y += band.height;
    }

    const RenderInput& m_in;
    const ReportDefinition& m_def;
    const int m_pageCount;
    const server::Result* m_main = nullptr;
    PageModel m_model;
    QList<double> m_totals;
    int m_row = -1;
    qreal m_y = 0;
    qreal m_bodyTop = 0;
    qreal m_bodyBottom = 0;
    qreal m_pageBodyTop = 0;
};

} // namespace

PageModel Renderer::render(const RenderInput& input) {
    // The page count is known once the pages are laid out; the second pass prints it.
    const int pages = Layout(input, 0).run().pageCount();
    return Layout(input, pages).run();
}

} // namespace reportengine
