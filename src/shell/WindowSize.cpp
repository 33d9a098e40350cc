#include "shell/WindowSize.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QFont>

namespace vextal {

double WindowSizeFactor(WindowSize size) {
  switch (size) {
    case WindowSize::Normal:
      return 1.0;
    case WindowSize::Large:
      return 1.5;
    case WindowSize::Huge:
      break;
  }
  return 2.0;
}

int ScaledPixels(int design, double factor) {
  return int(std::lround(design * factor));
}

QRect ScaledRect(const QRect& design, double factor) {
  const int left = ScaledPixels(design.left(), factor);
  const int top = ScaledPixels(design.top(), factor);
  return QRect(left, top, ScaledPixels(design.left() + design.width(), factor) - left,
               ScaledPixels(design.top() + design.height(), factor) - top);
}

void ApplyApplicationFontScale(double factor) {
  // The font the desktop gave the program, before any size was applied.
  static const QFont designed = QApplication::font();
  QFont font = designed;
  if (factor != 1.0) {
    if (designed.pixelSize() > 0) {
      font.setPixelSize(ScaledPixels(designed.pixelSize(), factor));
    } else {
      font.setPointSizeF(designed.pointSizeF() * factor);
    }
  }
  if (font != QApplication::font()) {
    QApplication::setFont(font);
  }
}

QPoint KeptOnScreen(const QRect& frame, const QRect& screen) {
  // Right and bottom edges first, then left and top, so the top-left corner wins.
  const int x = std::max(screen.left(), std::min(frame.left(), screen.right() - frame.width() + 1));
  const int y = std::max(screen.top(), std::min(frame.top(), screen.bottom() - frame.height() + 1));
  return QPoint(x, y);
}

}  // namespace vextal
