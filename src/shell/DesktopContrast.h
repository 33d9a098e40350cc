#pragma once

#include <functional>

class QObject;

namespace vextal {

// Whether the desktop asks for high contrast, as far as this Qt tells: its icon theme, or the
// GTK theme named in the environment, is one of the high-contrast ones ("HighContrast",
// "HighContrastInverse", ...). False where nothing says so.
bool DesktopPrefersHighContrast();

// Asks the desktop's settings portal (org.freedesktop.portal.Settings, the "contrast" key of
// "org.freedesktop.appearance": 1 is higher contrast) without waiting for it. The answer comes
// once, from the event loop, while context lives: true where the desktop asks for higher
// contrast, false where it does not or nothing answers (no session bus, no portal, a portal too
// old to know the key).
void AskDesktopContrast(QObject* context, std::function<void(bool higher)> answer);

}  // namespace vextal
