#pragma once

#include "reportengine/Expression.h"
#include "reportengine/ValueType.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <optional>

namespace reportengine {

// What a definition file describes, as read from it. Lengths are points
// (1/72 inch) measured from the top-left corner of the band an item is in.

struct FontStyle {
    QString family = "Sans Serif";
    qreal size = 9;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// How an item looks: the same for the item as defined and as placed on a page.
struct ElementStyle {
    FontStyle font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wrap = false;
    qreal penWidth = 0.75;
    Qt::PenStyle penStyle = Qt::SolidLine;
    QColor color = Qt::black;
    std::optional<QColor> fill;
};

struct ItemDef {
    enum Kind { Text, Field, Line, Box, Image };
    Kind kind = Text;
    int line = 0; // where it stands in the file, for messages
    QRectF rect;  // text, field, box, image
    QLineF segment;
    QString text; // static text, or the expression of a field
    Expression expression;
    QString format; // "0.00", "mm/dd/yyyy", "regional", …
    ElementStyle style;
    QImage image;
};

struct BandDef {
    qreal height = 0;
    QList<ItemDef> items;
    bool present = false;
};

struct ParameterDef {
    QString name; // without braces, as written ("@REFNUM")
    ValueType type = ValueType::Text;
    QString prompt;
    std::optional<QString> defaultValue;
    int line = 0;
};

struct TableDef {
    QString name;
    QString location; // database.owner.table
    int line = 0;
};

struct QueryDef {
    QString name;
    QStringList columns;
    QString text;
    int line = 0;
};

struct FormulaDef {
    QString name;
    QString text;
    Expression expression;
    int line = 0;
};

struct GroupDef {
    QString name;
    QString on; // expression whose change starts a new group
    Expression onExpression;
    BandDef header;
    BandDef footer;
    int line = 0;
};

struct TotalDef {
    enum Kind { Sum, Count };
    QString name;
    Kind kind = Sum;
    QString of; // expression summed, or counted when not empty
    Expression ofExpression;
    QString reset; // "" for the whole report, else a group's name
    int line = 0;
};

struct ReportDefinition {
    QString title;
    QPageSize pageSize = QPageSize(QPageSize::Letter);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{36, 36, 36, 36};
    FontStyle defaultFont;

    QList<ParameterDef> parameters;
    QList<TableDef> tables;
    QList<QueryDef> queries; // the first drives the detail band
    QList<FormulaDef> formulas;
    QList<TotalDef> totals;
    QList<GroupDef> groups; // outermost first

    BandDef reportHeader;
    BandDef pageHeader;
    BandDef detail;
    BandDef pageFooter;
    BandDef reportFooter;

    // The page, turned as the orientation says, in points.
    QSizeF pageSizePoints() const {
        const QSizeF portrait = pageSize.size(QPageSize::Point);
        return orientation == QPageLayout::Landscape ? portrait.transposed() : portrait;
    }
};

} // namespace reportengine
