#include "render/mPaint.h"

#include <algorithm>

namespace vextal {

void FillBox(QPainter& dc, int x1, int y1, int x2, int y2, Rgb colour) {
  if (x2 <= x1 || y2 <= y1) {
    return;
  }
  dc.save();
  dc.setCompositionMode(QPainter::CompositionMode_Source);
  dc.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), ToQColor(colour));
  dc.restore();
}

void DrawBox(QPainter& dc, int x1, int y1, int x2, int y2, Rgb colour) {
  // The four sides are drawn as 1-pixel filled strips rather than with a pen, so no pen width,
  // cap style or antialiasing rule can move a pixel. A closed outline covers the same border
  // pixels whichever corner it starts from, so the corners may be given in any order.
  const int left = std::min(x1, x2);
  const int right = std::max(x1, x2);
  const int top = std::min(y1, y2);
  const int bottom = std::max(y1, y2);
  const QColor c = ToQColor(colour);
  dc.save();
  dc.setCompositionMode(QPainter::CompositionMode_Source);
  dc.fillRect(QRect(left, top, right - left + 1, 1), c);
  dc.fillRect(QRect(left, bottom, right - left + 1, 1), c);
  dc.fillRect(QRect(left, top, 1, bottom - top + 1), c);
  dc.fillRect(QRect(right, top, 1, bottom - top + 1), c);
  dc.restore();
}

}  // namespace vextal
