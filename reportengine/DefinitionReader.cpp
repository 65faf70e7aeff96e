#include "reportengine/DefinitionReader.h"

#include "reportengine/ReportError.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

namespace reportengine {

namespace {

const QStringList kSpecials{"PageNumber", "PageCount", "PrintDate",
                            "PrintTime",  "Title",     "RecordNumber"};

class Reader {
public:
    Reader(const QByteArray& content, QString fileName, QString folder)
        : m_xml(content)
        , m_fileName(std::move(fileName))
        , m_folder(std::move(folder)) {}

    ReportDefinition read() {
        if (!m_xml.readNextStartElement())
            failXml("the file holds no report");
        if (m_xml.name() != QLatin1String("report"))
            fail("the file must begin with <report>, not <" + m_xml.name().toString() + ">");
        allow({"title", "version"});
        m_def.title = attr("title");
        while (m_xml.readNextStartElement())
            readSection();
        failXml("");
        check();
        return m_def;
    }

private:
    int line() const { return int(m_xml.lineNumber()); }

    [[noreturn]] void fail(const QString& problem, int at = 0) const {
        const int where = at > 0 ? at : line();
        throw ReportError(m_fileName + ", line " + QString::number(where) + ": " + problem + ".",
                          where);
    }

    void failXml(const QString& fallback) {
        if (m_xml.hasError())
            fail(m_xml.errorString().trimmed().remove(QRegularExpression("\\.$")));
        if (!fallback.isEmpty())
            fail(fallback);
    }

    QString attr(const char* name) const {
        return m_xml.attributes().value(QLatin1String(name)).toString();
    }
    bool has(const char* name) const {
        return m_xml.attributes().hasAttribute(QLatin1String(name));
    }

    // Refuses attributes the element does not know, so that a misspelt one is not ignored.
    void allow(const QStringList& names) {
        for (const QXmlStreamAttribute& a : m_xml.attributes())
            if (!names.contains(a.name().toString()))
                fail("<" + m_xml.name().toString() + "> has no attribute '" + a.name().toString() +
                     "'");
    }

    void required(const char* name) {
        if (attr(name).trimmed().isEmpty())
            fail("<" + m_xml.name().toString() + "> needs the attribute '" + name + "'");
    }

    qreal length(const char* name, qreal fallback = 0) {
        if (!has(name))
            return fallback;
        const QString text = attr(name).trimmed().toLower();
        static const QRegularExpression form("^(-?[0-9]*\\.?[0-9]+)\\s*(pt|in|mm|cm|tw)?$");
        const QRegularExpressionMatch m = form.match(text);
        if (!m.hasMatch())
            fail("'" + attr(name) + "' is not a length (write e.g. 12pt, 0.5in, 10mm, 1cm, 720tw)");
        const qreal value = m.captured(1).toDouble();
        const QString unit = m.captured(2);
        if (unit == "in")
            return value * 72;
        if (unit == "mm")
            return value * 72 / 25.4;
        if (unit == "cm")
            return value * 72 / 2.54;
        if (unit == "tw")
            return value / 20;
        return value;
    }

    bool flag(const char* name, bool fallback = false) {
        if (!has(name))
            return fallback;
        const QString v = attr(name).trimmed().toLower();
        if (v == "true" || v == "yes" || v == "1")
            return true;
        if (v == "false" || v == "no" || v == "0")
            return false;
        fail("'" + attr(name) + "' is not true or false");
    }

    QColor color(const char* name, const QColor& fallback) {
        if (!has(name))
            return fallback;
        const QColor c = QColor::fromString(attr(name).trimmed());
        if (!c.isValid())
            fail("'" + attr(name) + "' is not a colour (write e.g. #336699 or gray)");
        return c;
    }

    QString text() {
        const QString t = m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        failXml("");
        return t;
    }

    Expression expression(const QString& text, int at) {
        try {
            return Expression::parse(text);
        } catch (const ReportError& e) {
            fail(e.description(), at);
        }
    }

    void readSection() {
        const QString name = m_xml.name().toString();
        if (name == "page")
            readPage();
        else if (name == "font")
            m_def.defaultFont = readFont({}, m_def.defaultFont, true);
        else if (name == "parameters")
            readList("parameter", [this] { readParameter(); });
        else if (name == "tables")
            readList("table", [this] { readTable(); });
        else if (name == "queries")
            readList("query", [this] { readQuery(); });
        else if (name == "formulas")
            readList("formula", [this] { readFormula(); });
        else if (name == "totals")
            readList("total", [this] { readTotal(); });
        else if (name == "reportHeader")
            readBand(m_def.reportHeader);
        else if (name == "pageHeader")
            readBand(m_def.pageHeader);
        else if (name == "group")
            readGroup();
        else if (name == "detail")
            readBand(m_def.detail);
        else if (name == "pageFooter")
            readBand(m_def.pageFooter);
        else if (name == "reportFooter")
            readBand(m_def.reportFooter);
        else
            fail("<" + name + "> is not a part of a report");
    }

    template <typename F> void readList(const char* child, F each) {
        allow({});
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() != QLatin1String(child))
                fail("<" + m_xml.name().toString() + "> does not belong here; <" + child +
                     "> was expected");
            each();
        }
        failXml("");
    }

    void readPage() {
        allow({"size", "orientation", "width", "height", "margin", "marginLeft", "marginTop",
               "marginRight", "marginBottom"});
        const QString size = attr("size").trimmed().toLower();
        static const QHash<QString, QPageSize::PageSizeId> sizes{
            {"letter", QPageSize::Letter}, {"halfletter", QPageSize::Statement},
            {"legal", QPageSize::Legal},   {"a4", QPageSize::A4},
            {"a5", QPageSize::A5},         {"executive", QPageSize::Executive},
        };
        if (has("width") || has("height")) {
            const qreal w = length("width");
            const qreal h = length("height");
            if (w <= 0 || h <= 0)
                fail("a page of its own size needs a width and a height");
            m_def.pageSize = QPageSize(QSizeF(w, h), QPageSize::Point, "Custom");
        } else if (!size.isEmpty()) {
            if (!sizes.contains(size))
                fail("the page size '" + attr("size") +
                     "' is not known (Letter, HalfLetter, Legal, A4, A5, Executive)");
            m_def.pageSize = QPageSize(sizes.value(size));
        }
        const QString orientation = attr("orientation").trimmed().toLower();
        if (orientation == "landscape")
            m_def.orientation = QPageLayout::Landscape;
        else if (orientation.isEmpty() || orientation == "portrait")
            m_def.orientation = QPageLayout::Portrait;
        else
            fail("the orientation must be portrait or landscape");
        const qreal all = length("margin", 36);
        m_def.margins = QMarginsF(length("marginLeft", all), length("marginTop", all),
                                  length("marginRight", all), length("marginBottom", all));
        skipEmpty();
    }

    void skipEmpty() {
        if (m_xml.readNextStartElement())
            fail("<" + m_xml.name().toString() + "> does not belong here");
        failXml("");
    }

    FontStyle readFont(const QString& prefix, const FontStyle& base, bool own) {
        FontStyle font = base;
        const QString familyName = own ? "family" : prefix + "font";
        if (has(familyName.toLatin1().constData()))
            font.family = attr(familyName.toLatin1().constData());
        if (has("size")) {
            font.size = length("size");
            if (font.size <= 0)
                fail("a font size must be above 0");
        }
        font.bold = flag("bold", font.bold);
        font.italic = flag("italic", font.italic);
        font.underline = flag("underline", font.underline);
        if (own) {
            allow({"family", "size", "bold", "italic", "underline"});
            skipEmpty();
        }
        return font;
    }

    void readParameter() {
        allow({"name", "type", "prompt", "default"});
        required("name");
        ParameterDef p;
        p.line = line();
        p.name = attr("name").trimmed();
        if (p.name.contains('}') || p.name.contains('{'))
            fail("a parameter name cannot hold braces");
        const QString type = attr("type").trimmed();
        if (!type.isEmpty() && !valueTypeFromName(type, p.type))
            fail("the value type '" + type +
                 "' is not known (text, number, currency, boolean, date, time, datetime)");
        p.prompt = attr("prompt");
        if (has("default"))
            p.defaultValue = attr("default");
        m_def.parameters << p;
        skipEmpty();
    }

    void readTable() {
        allow({"name", "location"});
        required("name");
        TableDef t;
        t.line = line();
        t.name = attr("name").trimmed();
        t.location = attr("location").trimmed();
        if (t.location.isEmpty())
            t.location = t.name;
        m_def.tables << t;
        skipEmpty();
    }

    void readQuery() {
        allow({"name", "columns"});
        required("name");
        required("columns");
        QueryDef q;
        q.line = line();
        q.name = attr("name").trimmed();
        q.columns = attr("columns").split(QRegularExpression("[\\s,]+"), Qt::SkipEmptyParts);
        q.text = text().trimmed();
        if (q.text.isEmpty())
            fail("the query '" + q.name + "' has no command text", q.line);
        m_def.queries << q;
    }

    void readFormula() {
        allow({"name"});
        required("name");
        FormulaDef f;
        f.line = line();
        f.name = attr("name").trimmed();
        f.text = text();
        f.expression = expression(f.text, f.line);
        m_def.formulas << f;
    }

    void readTotal() {
        allow({"name", "kind", "of", "reset"});
        required("name");
        TotalDef t;
        t.line = line();
        t.name = attr("name").trimmed();
        const QString kind = attr("kind").trimmed().toLower();
        if (kind == "count")
            t.kind = TotalDef::Count;
        else if (kind.isEmpty() || kind == "sum")
            t.kind = TotalDef::Sum;
        else
            fail("a total is a sum or a count, not '" + attr("kind") + "'");
        t.of = attr("of");
        if (t.kind == TotalDef::Sum && t.of.trimmed().isEmpty())
            fail("a sum needs 'of', the value it adds up");
        t.ofExpression = expression(t.of, t.line);
        t.reset = attr("reset").trimmed();
        m_def.totals << t;
        skipEmpty();
    }

    void readGroup() {
        allow({"name", "on"});
        required("name");
        required("on");
        GroupDef g;
        g.line = line();
        g.name = attr("name").trimmed();
        g.on = attr("on");
        g.onExpression = expression(g.on, g.line);
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("groupHeader"))
                readBand(g.header);
            else if (m_xml.name() == QLatin1String("groupFooter"))
                readBand(g.footer);
            else
                fail("<" + m_xml.name().toString() +
                     "> does not belong in a group; <groupHeader> or <groupFooter> was expected");
        }
        failXml("");
        m_def.groups << g;
    }

    void readBand(BandDef& band) {
        allow({"height"});
        if (band.present)
            fail("<" + m_xml.name().toString() + "> is given twice");
        band.present = true;
        band.height = length("height");
        while (m_xml.readNextStartElement())
            band.items << readItem();
        failXml("");
    }

    ItemDef readItem() {
        ItemDef item;
        item.line = line();
        const QString name = m_xml.name().toString();
        const QStringList box{"x", "y", "w", "h"};
        const QStringList style{"font",  "size",   "bold", "italic", "underline",
                                "align", "valign", "wrap", "color"};
        auto readRect = [&] {
            item.rect = QRectF(length("x"), length("y"), length("w"), length("h"));
            if (item.rect.width() <= 0 || item.rect.height() <= 0)
                fail("<" + name + "> needs a width w and a height h above 0");
        };
        auto readStyle = [&] {
            item.style.font = readFont("", m_def.defaultFont, false);
            item.style.color = color("color", Qt::black);
            item.style.wrap = flag("wrap");
            Qt::Alignment h = Qt::AlignLeft;
            const QString a = attr("align").trimmed().toLower();
            if (a == "center")
                h = Qt::AlignHCenter;
            else if (a == "right")
                h = Qt::AlignRight;
            else if (a == "justify")
                h = Qt::AlignJustify;
            else if (!a.isEmpty() && a != "left")
                fail("align is left, center, right or justify");
            Qt::Alignment v = Qt::AlignTop;
            const QString va = attr("valign").trimmed().toLower();
            if (va == "middle")
                v = Qt::AlignVCenter;
            else if (va == "bottom")
                v = Qt::AlignBottom;
            else if (!va.isEmpty() && va != "top")
                fail("valign is top, middle or bottom");
            item.style.alignment = h | v;
        };
        auto readPen = [&] {
            item.style.penWidth = length("width", 0.75);
            item.style.color = color("color", Qt::black);
            const QString s = attr("style").trimmed().toLower();
            if (s == "dash")
                item.style.penStyle = Qt::DashLine;
            else if (s == "dot")
                item.style.penStyle = Qt::DotLine;
            else if (!s.isEmpty() && s != "solid")
                fail("a line style is solid, dash or dot");
        };
        if (name == "text") {
            item.kind = ItemDef::Text;
            allow(box + style);
            readRect();
            readStyle();
            item.text = text().trimmed();
        } else if (name == "field") {
            item.kind = ItemDef::Field;
            allow(box + style + QStringList{"format"});
            readRect();
            readStyle();
            item.format = attr("format");
            item.text = text().trimmed();
            if (item.text.isEmpty())
                fail("a <field> needs an expression, e.g. {Amount}", item.line);
            item.expression = expression(item.text, item.line);
        } else if (name == "line") {
            item.kind = ItemDef::Line;
            allow({"x1", "y1", "x2", "y2", "width", "style", "color"});
            readPen();
            item.segment = QLineF(length("x1"), length("y1"), length("x2"), length("y2"));
            skipEmpty();
        } else if (name == "box") {
            item.kind = ItemDef::Box;
            allow(box + QStringList{"width", "style", "color", "fill"});
            readRect();
            readPen();
            if (has("fill"))
                item.style.fill = color("fill", Qt::white);
            skipEmpty();
        } else if (name == "image") {
            item.kind = ItemDef::Image;
            allow(box + QStringList{"src"});
            readRect();
            required("src");
            const QString path = QDir(m_folder).filePath(attr("src"));
            if (!item.image.load(path))
                fail("the image '" + attr("src") + "' cannot be read from " +
                     QDir::toNativeSeparators(m_folder));
            skipEmpty();
        } else {
            fail("<" + name + "> is not an item of a band (text, field, line, box, image)");
        }
        return item;
    }

    // Everything a definition names must exist.
    void check() {
        unique(m_def.parameters, "parameter");
        unique(m_def.tables, "table");
        unique(m_def.queries, "query");
        unique(m_def.formulas, "formula");
        unique(m_def.totals, "total");
        unique(m_def.groups, "group");

        for (const QueryDef& q : m_def.queries)
            checkQueryText(q);
        if (m_def.detail.present && m_def.queries.isEmpty())
            fail("the report has a detail band but no query to fill it", 1);

        for (const FormulaDef& f : m_def.formulas)
            checkReferences(f.expression, f.line);
        for (const GroupDef& g : m_def.groups)
            checkReferences(g.onExpression, g.line);
        for (const TotalDef& t : m_def.totals) {
            checkReferences(t.ofExpression, t.line);
            if (!t.reset.isEmpty() && !findByName(m_def.groups, t.reset))
                fail("the total '" + t.name + "' is reset by the group '" + t.reset +
                         "', which the report does not have",
                     t.line);
        }
        auto checkBand = [this](const BandDef& band) {
            for (const ItemDef& item : band.items)
                if (item.kind == ItemDef::Field)
                    checkReferences(item.expression, item.line);
        };
        checkBand(m_def.reportHeader);
        checkBand(m_def.pageHeader);
        checkBand(m_def.detail);
        checkBand(m_def.pageFooter);
        checkBand(m_def.reportFooter);
        for (const GroupDef& g : m_def.groups) {
            checkBand(g.header);
            checkBand(g.footer);
        }
        for (const FormulaDef& f : m_def.formulas) {
            QStringList path;
            checkCycle(f, path);
        }
    }

    template <typename T> static const T* findByName(const QList<T>& list, const QString& name) {
        for (const T& item : list)
            if (item.name.compare(name, Qt::CaseInsensitive) == 0)
                return &item;
        return nullptr;
    }

    template <typename T> void unique(const QList<T>& list, const QString& what) {
        QSet<QString> seen;
        for (const T& item : list) {
            if (item.name.isEmpty())
                fail("a " + what + " needs a name", item.line);
            if (seen.contains(item.name.toUpper()))
                fail("there are two of the " + what + " '" + item.name + "'", item.line);
            seen.insert(item.name.toUpper());
        }
    }

    void checkQueryText(const QueryDef& q) {
        static const QRegularExpression ref("\\{([^{}]*)\\}");
        for (auto it = ref.globalMatch(q.text); it.hasNext();) {
            const QString body = it.next().captured(1).trimmed();
            if (body.startsWith('?')) {
                if (!findByName(m_def.parameters, body.mid(1).trimmed()))
                    fail("the query '" + q.name + "' uses the parameter {" + body +
                             "}, which the report does not have",
                         q.line);
            } else if (!findByName(m_def.tables, body)) {
                fail("the query '" + q.name + "' uses the table {" + body +
                         "}, which the report does not have",
                     q.line);
            }
        }
    }

    void checkReferences(const Expression& e, int at) {
        for (const Reference& r : e.references()) {
            switch (r.kind) {
            case Reference::Column: {
                const QueryDef* q =
                    r.query.isEmpty() ? (m_def.queries.isEmpty() ? nullptr : &m_def.queries.first())
                                      : findByName(m_def.queries, r.query);
                if (!q)
                    fail(r.query.isEmpty()
                             ? "the column {" + r.name + "} is used but the report has no query"
                             : "the query '" + r.query + "' of {" + r.query + "." + r.name +
                                   "} is not in the report",
                         at);
                bool found = false;
                for (const QString& c : q->columns)
                    found = found || c.compare(r.name, Qt::CaseInsensitive) == 0;
                if (!found)
                    fail("the column '" + r.name + "' is not one of the columns of the query '" +
                             q->name + "' (" + q->columns.join(", ") + ")",
                         at);
                break;
            }
            case Reference::Parameter:
                if (!findByName(m_def.parameters, r.name))
                    fail("the parameter {?" + r.name + "} is not in the report", at);
                break;
            case Reference::Formula:
                if (!findByName(m_def.formulas, r.name))
                    fail("the formula {@" + r.name + "} is not in the report", at);
                break;
            case Reference::Total:
                if (!findByName(m_def.totals, r.name))
                    fail("the total {#" + r.name + "} is not in the report", at);
                break;
            case Reference::Special: {
                bool known = false;
                for (const QString& s : kSpecials)
                    known = known || s.compare(r.name, Qt::CaseInsensitive) == 0;
                if (!known)
                    fail("{!" + r.name + "} is not known (" + kSpecials.join(", ") + ")", at);
                break;
            }
            }
        }
    }

    void checkCycle(const FormulaDef& f, QStringList& path) {
        if (path.contains(f.name.toUpper()))
            fail("the formula '" + f.name + "' uses itself", f.line);
        path << f.name.toUpper();
        for (const Reference& r : f.expression.references())
            if (r.kind == Reference::Formula)
                checkCycle(*findByName(m_def.formulas, r.name), path);
        path.removeLast();
    }

    QXmlStreamReader m_xml;
    QString m_fileName;
    QString m_folder;
    ReportDefinition m_def;
};

} // namespace

ReportDefinition DefinitionReader::read(const QByteArray& content, const QString& fileName,
                                        const QString& folder) {
    return Reader(content, fileName, folder).read();
}

} // namespace reportengine
