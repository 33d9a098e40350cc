#pragma once

#include <array>

#include "game/ChoiceTable.h"
#include "render/Colors.h"

namespace vextal {

// The players' colours and the colours of the marks drawn over the board. The players can also be
// told apart by a shape inside their squares (BoardLook::ShapeMarks), so no choice relies on
// colour alone.
enum class ColorScheme {
  Original,        // blue and orange, as the game has always looked
  ColorBlindSafe,  // a blue and an orange that differ in lightness for every kind of colour vision
  HighContrast,    // white and a deep orange, far apart from each other and from a free node
};

// The schemes in menu order, with their names in the settings and their captions.
inline constexpr ChoiceTable<ColorScheme, 3> kColorSchemeChoices = {{
    {ColorScheme::Original, "original", QT_TRANSLATE_NOOP("vextal::frmMain", "Original")},
    {ColorScheme::ColorBlindSafe, "colorBlindSafe",
     QT_TRANSLATE_NOOP("vextal::frmMain", "Colour-blind safe")},
    {ColorScheme::HighContrast, "highContrast",
     QT_TRANSLATE_NOOP("vextal::frmMain", "High contrast")},
}};
inline constexpr std::array<ColorScheme, 3> kColorSchemes = ChoiceValues(kColorSchemeChoices);

struct SchemeColors {
  Rgb P1 = 0;      // player 1's squares, and the marker of the player row while 1 is to move
  Rgb P1Dark = 0;  // the marker while player 2 is to move
  Rgb P2 = 0;
  Rgb P2Dark = 0;
  Rgb Mark1 = 0;     // the shape inside player 1's squares
  Rgb Mark2 = 0;     // the shape inside player 2's squares
  Rgb LastMove = 0;  // the ring around the node played last
  Rgb Hint = 0;      // the dashed ring around a hinted node
  Rgb Refusal = 0;   // the cross over a node whose move was just refused
  Rgb Blocked = 0;   // the small cross on a free node blocked for the player to move
};

SchemeColors ColorsOf(ColorScheme scheme);

}  // namespace vextal
