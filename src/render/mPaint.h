#pragma once

#include <QColor>
#include <QPainter>

#include "render/Colors.h"

namespace vextal {

// The two drawing routines all board painting goes through. Both leave the painter's pen,
// brush and other state as they found it. Coordinates are the painter's logical pixels: on an
// image with device pixel ratio 2 each of them covers 2 x 2 image pixels, outlines included.

inline QColor ToQColor(Rgb colour) {
  return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

// Fills the pixels with x1 <= x < x2 and y1 <= y < y2.
void FillBox(QPainter& dc, int x1, int y1, int x2, int y2, Rgb colour);

// A 1-pixel outline through the corners (x1, y1), (x2, y1), (x2, y2), (x1, y2): it covers the
// border pixels of x1 <= x <= x2, y1 <= y <= y2, one pixel further right and down than the
// area FillBox fills for the same rectangle.
void DrawBox(QPainter& dc, int x1, int y1, int x2, int y2, Rgb colour);

}  // namespace vextal
