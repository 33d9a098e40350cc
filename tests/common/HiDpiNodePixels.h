#pragma once

#include <QColor>

namespace vextal::testing {

// Node (1,1) of player 1, Kind 0, painted at device pixel ratio 2. In logical pixels its square
// covers 50..79 with the outline at 50 and 80, the owner square 55..74 with its outline at 55 and
// 75; each logical pixel is a 2 x 2 block of image pixels, so every outline is two image pixels
// wide and nothing is blended.
enum class HiDpiPaint { Outside, Outline, Kind, Owner };

// Image pixels x1..x2 by y1..y2 (inclusive), all of one paint.
struct HiDpiSpan {
  int x1;
  int x2;
  int y1;
  int y2;
  HiDpiPaint paint;
};

inline constexpr HiDpiSpan kNodeOneOneAtRatioTwo[] = {
    // Across the square's top part (logical y 52): left outline, kind, right outline.
    {99, 99, 104, 105, HiDpiPaint::Outside},
    {100, 101, 104, 105, HiDpiPaint::Outline},
    {102, 159, 104, 105, HiDpiPaint::Kind},
    {160, 161, 104, 105, HiDpiPaint::Outline},  // one logical pixel right of the fill
    {162, 162, 104, 105, HiDpiPaint::Outside},
    // Down through the middle (logical x 65): top and bottom outlines.
    {130, 130, 99, 99, HiDpiPaint::Outside},
    {130, 130, 100, 101, HiDpiPaint::Outline},
    {130, 130, 102, 109, HiDpiPaint::Kind},
    {130, 130, 110, 111, HiDpiPaint::Outline},
    {130, 130, 112, 149, HiDpiPaint::Owner},
    {130, 130, 150, 151, HiDpiPaint::Outline},
    {130, 130, 152, 159, HiDpiPaint::Kind},
    {130, 130, 160, 161, HiDpiPaint::Outline},
    {130, 130, 162, 162, HiDpiPaint::Outside},
    // Across the middle (logical y 65): the owner square inside the kind.
    {109, 109, 130, 131, HiDpiPaint::Kind},
    {110, 111, 130, 131, HiDpiPaint::Outline},
    {112, 149, 130, 131, HiDpiPaint::Owner},
    {150, 151, 130, 131, HiDpiPaint::Outline},
    {152, 152, 130, 131, HiDpiPaint::Kind},
};

// The colour of a paint on the node; Outside is whatever lies under the board.
inline QRgb HiDpiColour(HiDpiPaint paint) {
  switch (paint) {
    case HiDpiPaint::Outline:
      return qRgb(0, 0, 0);
    case HiDpiPaint::Kind:
      return qRgb(150, 50, 200);
    case HiDpiPaint::Owner:
      return qRgb(0, 150, 240);
    case HiDpiPaint::Outside:
      break;
  }
  return qRgb(0, 0, 0);
}

}  // namespace vextal::testing
