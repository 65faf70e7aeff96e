#pragma once

#include <QColor>
#include <QRect>
#include <QSize>

namespace ui {

// Pixels of a length given in twips (1440 to the inch) at the screen's logical DPI.
int twips(int value);
QSize twips(int width, int height);
QRect twipsRect(int left, int top, int width, int height);

// A colour given as &H00BBGGRR& (blue, green and red bytes, red lowest).
QColor bgr(quint32 value);

} // namespace ui
