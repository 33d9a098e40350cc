#pragma once

#include <array>
#include <optional>

#include <QString>

#include "game/ChoiceTable.h"

namespace vextal {

// How strongly the CPU plays, weakest first. Classic is the original player: a few random tries,
// then the first legal cell in column order. Good, Strong and Master search the game ahead, each
// a little deeper; Perfect plays solved positions perfectly and the others as Master.
enum class CpuLevel { Classic, Good, Strong, Master, Perfect };

// The levels with their names in the settings and their captions in the "CPU strength" menu.
inline constexpr ChoiceTable<CpuLevel, 5> kCpuLevelChoices = {{
    {CpuLevel::Classic, "Classic", QT_TRANSLATE_NOOP("vextal::frmMain", "Classic")},
    {CpuLevel::Good, "Good", QT_TRANSLATE_NOOP("vextal::frmMain", "Good")},
    {CpuLevel::Strong, "Strong", QT_TRANSLATE_NOOP("vextal::frmMain", "Strong")},
    {CpuLevel::Master, "Master", QT_TRANSLATE_NOOP("vextal::frmMain", "Master")},
    {CpuLevel::Perfect, "Perfect", QT_TRANSLATE_NOOP("vextal::frmMain", "Perfect")},
}};

inline constexpr std::array<CpuLevel, 5> kCpuLevels = ChoiceValues(kCpuLevelChoices);

// The name of a level in the settings and on the tools' command lines.
inline QString CpuLevelName(CpuLevel level) {
  return ChoiceName(kCpuLevelChoices, level);
}

// The level of a name as CpuLevelName gives it, or nothing for any other text.
inline std::optional<CpuLevel> CpuLevelFromName(const QString& name) {
  return ChoiceFromName(kCpuLevelChoices, name);
}

}  // namespace vextal
