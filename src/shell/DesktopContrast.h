#pragma once

namespace vextal {

// Whether the desktop asks for high contrast, as far as this Qt tells: its icon theme, or the
// GTK theme named in the environment, is one of the high-contrast ones ("HighContrast",
// "HighContrastInverse", ...). False where nothing says so.
bool DesktopPrefersHighContrast();

}  // namespace vextal
