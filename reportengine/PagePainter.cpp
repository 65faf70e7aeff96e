#include "reportengine/PagePainter.h"

#include "reportengine/ReportError.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextOption>

namespace reportengine {

namespace {

QFont fontFor(const FontStyle& style, qreal dpi, QPaintDevice* device) {
    QFont font(style.family);
    // The painter is scaled to points, so the font is sized in points at 72 dpi
    // of the device's own resolution.
    font.setPointSizeF(style.size * 72.0 / (device ? device->logicalDpiY() : dpi));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

void paintElements(QPainter& painter, const Page& page, qreal dpi) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(dpi / 72.0, dpi / 72.0);
    for (const PageElement& e : page.elements) {
        switch (e.kind) {
        case PageElement::Text: {
            painter.setFont(fontFor(e.style.font, dpi, painter.device()));
            painter.setPen(e.style.color);
            QTextOption option(e.style.alignment);
            option.setWrapMode(e.style.wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
            painter.save();
            painter.setClipRect(e.rect.adjusted(-1, -1, 1, 1));
            painter.drawText(e.rect, e.text, option);
            painter.restore();
            break;
        }
        case PageElement::Line:
            painter.setPen(QPen(e.style.color, e.style.penWidth, e.style.penStyle));
            painter.drawLine(e.segment);
            break;
        case PageElement::Box:
            painter.setPen(e.style.penWidth > 0
                               ? QPen(e.style.color, e.style.penWidth, e.style.penStyle)
                               : QPen(Qt::NoPen));
            painter.setBrush(e.style.fill ? QBrush(*e.style.fill) : QBrush(Qt::NoBrush));
            painter.drawRect(e.rect);
            painter.setBrush(Qt::NoBrush);
            break;
        case PageElement::Image: {
            const QSizeF fitted = QSizeF(e.image.size()).scaled(e.rect.size(), Qt::KeepAspectRatio);
            QRectF target(QPointF(), fitted);
            target.moveCenter(e.rect.center());
            painter.drawImage(target, e.image);
            break;
        }
        }
    }
    painter.restore();
}

} // namespace

void PagePainter::paintPage(QPainter& painter, const Page& page, qreal dpi) {
    paintElements(painter, page, dpi);
}

void PagePainter::preparePrinter(QPrinter& printer, const PageModel& model) {
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(model.pageSize, model.orientation, QMarginsF(0, 0, 0, 0)));
    printer.setDocName(model.title);
}

void PagePainter::print(const PageModel& model, QPrinter& printer, int from, int to) {
    const int first = from > 0 ? from - 1 : 0;
    const int last = to > 0 ? qMin(to, model.pageCount()) - 1 : model.pageCount() - 1;
    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError("The printer " + printer.printerName() + " cannot be opened.");
    for (int i = first; i <= last; ++i) {
        if (i > first)
            printer.newPage();
        paintElements(painter, model.pages[i], printer.resolution());
    }
    painter.end();
}

void PagePainter::writePdf(const PageModel& model, const QString& path) {
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setTitle(model.title);
    writer.setCreator("Mammo");
    writer.setPageLayout(QPageLayout(model.pageSize, model.orientation, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer))
        throw ReportError("The file " + path + " cannot be written.");
    for (int i = 0; i < model.pageCount(); ++i) {
        if (i > 0)
            writer.newPage();
        paintElements(painter, model.pages[i], writer.resolution());
    }
    painter.end();
    if (!QFile::exists(path))
        throw ReportError("The file " + path + " cannot be written.");
}

QImage PagePainter::pageImage(const PageModel& model, int index, qreal dpi) {
    const QSize pixels = (model.size * dpi / 72.0).toSize();
    QImage image(pixels, QImage::Format_RGB32);
    image.setDotsPerMeterX(int(dpi / 0.0254));
    image.setDotsPerMeterY(int(dpi / 0.0254));
    image.fill(Qt::white);
    if (index >= 0 && index < model.pageCount()) {
        QPainter painter(&image);
        paintElements(painter, model.pages[index], dpi);
    }
    return image;
}

} // namespace reportengine
