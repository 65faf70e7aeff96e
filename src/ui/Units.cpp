#include "src/ui/Units.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace ui {

namespace {

double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

} // namespace

int twips(int value) {
    return int(std::lround(value * logicalDpi() / 1440.0));
}

QSize twips(int width, int height) {
    return {twips(width), twips(height)};
}

QRect twipsRect(int left, int top, int width, int height) {
    return {twips(left), twips(top), twips(width), twips(height)};
}

QColor bgr(quint32 value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace ui
