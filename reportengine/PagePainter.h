#pragma once

#include "reportengine/PageModel.h"

#include <QImage>

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace reportengine {

// Paints rendered pages on any device: the preview, a printer, a PDF, an image.
class PagePainter {
public:
    // One page with the painter's origin at the paper's top-left corner and
    // `dpi` device pixels to the inch.
    static void paintPage(QPainter& painter, const Page& page, qreal dpi);

    // Gives the printer the report's paper and orientation, margins of 0.
    static void preparePrinter(QPrinter& printer, const PageModel& model);
    // Every page (or pages `from` to `to`, counted from 1) on the printer.
    static void print(const PageModel& model, QPrinter& printer, int from = 0, int to = 0);
    // Throws ReportError when the file cannot be written.
    static void writePdf(const PageModel& model, const QString& path);
    // One page as a picture, white paper, at `dpi` pixels to the inch.
    static QImage pageImage(const PageModel& model, int index, qreal dpi = 150);
};

} // namespace reportengine
