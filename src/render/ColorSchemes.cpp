#include "render/ColorSchemes.h"

#include "render/BoardGeometry.h"

namespace vextal {

SchemeColors ColorsOf(ColorScheme scheme) {
  SchemeColors c;
  switch (scheme) {
    case ColorScheme::Original:
      c.P1 = kColorP1;
      c.P1Dark = kColorP1Dark;
      c.P2 = kColorP2;
      c.P2Dark = kColorP2Dark;
      // The players' own dark shades: the shapes are there without changing the look much.
      c.Mark1 = kColorP1Dark;
      c.Mark2 = kColorP2Dark;
      c.LastMove = RGB(255, 220, 0);
      c.Hint = RGB(255, 80, 255);
      break;
    case ColorScheme::ColorBlindSafe:
      // Blue and orange stay apart in every common kind of colour blindness, and their lightness
      // differs by half, so they stay apart in grey as well.
      c.P1 = RGB(0, 114, 178);
      c.P1Dark = RGB(0, 50, 80);
      c.P2 = RGB(230, 159, 0);
      c.P2Dark = RGB(110, 75, 0);
      c.Mark1 = RGB(0, 0, 0);
      c.Mark2 = RGB(0, 0, 0);
      c.LastMove = RGB(240, 228, 66);
      c.Hint = RGB(204, 121, 167);
      break;
    case ColorScheme::HighContrast:
      c.P1 = RGB(255, 255, 255);
      c.P1Dark = RGB(100, 100, 100);
      c.P2 = RGB(255, 96, 0);
      c.P2Dark = RGB(110, 40, 0);
      c.Mark1 = RGB(0, 0, 0);
      c.Mark2 = RGB(0, 0, 0);
      c.LastMove = RGB(255, 255, 0);
      c.Hint = RGB(0, 255, 255);
      break;
  }
  c.Refusal = RGB(255, 0, 0);
  c.Blocked = RGB(210, 210, 210);
  return c;
}

}  // namespace vextal
