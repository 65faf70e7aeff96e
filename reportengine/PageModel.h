#pragma once

#include "reportengine/ReportDefinition.h"

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QStringList>

namespace reportengine {

// One thing placed on a page; positions are points from the paper's top-left corner.
struct PageElement {
    enum Kind { Text, Line, Box, Image };
    Kind kind = Text;
    QRectF rect;
    QLineF segment;
    QString text;
    ElementStyle style;
    QImage image;
};

struct Page {
    QList<PageElement> elements;

    // The texts of the page, top to bottom and left to right.
    QStringList texts() const;
    bool hasText(const QString& text) const { return texts().contains(text); }
};

// A heading of the group tree: a group's value and the page it starts on.
struct OutlineEntry {
    int level = 0;
    QString text;
    int page = 0; // from 0
};

// A rendered report: its pages, ready for the preview, a printer or a PDF.
struct PageModel {
    QPageSize pageSize = QPageSize(QPageSize::Letter);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QSizeF size; // the paper in points, turned
    QList<Page> pages;
    QList<OutlineEntry> outline;
    QString title;

    int pageCount() const { return int(pages.size()); }
};

} // namespace reportengine
