#pragma once

#include <array>
#include <optional>

#include <QString>

namespace vextal {

// How large every window of the program is drawn: the designed size, or enlarged as a whole
// (controls, fonts, the board and the chat), each pixel of the design becoming factor x factor
// screen pixels. Qt scales all windows of a run alike, so the size is chosen for the next start.
enum class WindowSize { Normal, Large, Huge };

inline constexpr std::array<WindowSize, 3> kWindowSizes = {WindowSize::Normal, WindowSize::Large,
                                                           WindowSize::Huge};

// The caption in the "Window size" menu: "Normal", "Large (150 %)", "Huge (200 %)".
QString WindowSizeCaption(WindowSize size);
// The name in the settings: "Normal", "Large", "Huge".
QString WindowSizeName(WindowSize size);
// The size of a name as WindowSizeName gives it, or nothing for any other text.
std::optional<WindowSize> WindowSizeFromName(const QString& name);
// 1, 1.5 or 2.
double WindowSizeFactor(WindowSize size);

// Scales every window of this run by the size's factor, on top of a scale factor the user set
// for all Qt programs. Must run before the QApplication is created; Normal changes nothing.
void ApplyWindowSizeBeforeStart(WindowSize size);

}  // namespace vextal
