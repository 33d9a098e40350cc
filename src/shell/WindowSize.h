#pragma once

#include <array>
#include <optional>

#include <QString>

#include "game/ChoiceTable.h"

namespace vextal {

// How large every window of the program is drawn: the designed size, or enlarged as a whole
// (controls, fonts, the board and the chat), each pixel of the design becoming factor x factor
// screen pixels. Qt scales all windows of a run alike, so the size is chosen for the next start.
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

// Scales every window of this run by the size's factor, on top of a scale factor the user set
// for all Qt programs. Must run before the QApplication is created; Normal changes nothing.
void ApplyWindowSizeBeforeStart(WindowSize size);

}  // namespace vextal
