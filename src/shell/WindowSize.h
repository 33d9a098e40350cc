#pragma once

#include <array>
#include <optional>

#include <QRect>
#include <QString>

#include "game/ChoiceTable.h"

namespace vextal {

// How large the program is drawn: the designed size, or enlarged as a whole (the main window's
// controls, the board, the fonts of every window and the menus), each pixel of the design
// becoming factor x factor pixels. It changes at once, on top of a scale factor the user set
// for all Qt programs.
enum class WindowSize { Normal, Large, Huge };

// The sizes with their names in the settings and their captions in the "Window size" menu.
inline constexpr ChoiceTable<WindowSize, 3> kWindowSizeChoices = {{
    {WindowSize::Normal, "Normal", QT_TRANSLATE_NOOP("vextal::frmMain", "Normal")},
    {WindowSize::Large, "Large", QT_TRANSLATE_NOOP("vextal::frmMain", "Large (150 %)")},
    {WindowSize::Huge, "Huge", QT_TRANSLATE_NOOP("vextal::frmMain", "Huge (200 %)")},
}};

inline constexpr std::array<WindowSize, 3> kWindowSizes = ChoiceValues(kWindowSizeChoices);

// 1, 1.5 or 2.
double WindowSizeFactor(WindowSize size);

// A rectangle of the design at a factor: its edges are scaled and rounded, not its size, so
// controls that touch in the design still touch.
QRect ScaledRect(const QRect& design, double factor);
int ScaledPixels(int design, double factor);

// Scales the application's font, and so every window's text and the menus, from the font the
// program started with. At 1 the font is that one again; Qt tells every window of the change.
void ApplyApplicationFontScale(double factor);

// Where a window's frame goes so that as much of it as can be lies on the screen: it stays
// where it is if it fits; otherwise it is pushed inside, and where it is larger than the screen
// its top-left corner is kept on it. Returns the frame's top-left corner.
QPoint KeptOnScreen(const QRect& frame, const QRect& screen);

}  // namespace vextal
