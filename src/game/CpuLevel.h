#pragma once

#include <array>
#include <optional>

#include <QString>

namespace vextal {

// How strongly the CPU plays, weakest first. Classic is the original player: a few random tries,
// then the first legal cell in column order. Good, Strong and Master search the game ahead, each
// a little deeper; Perfect plays solved positions perfectly and the others as Master.
enum class CpuLevel { Classic, Good, Strong, Master, Perfect };

inline constexpr std::array<CpuLevel, 5> kCpuLevels = {
    CpuLevel::Classic, CpuLevel::Good, CpuLevel::Strong, CpuLevel::Master, CpuLevel::Perfect};

// The level to ask for the best move there is (a hint, say).
inline constexpr CpuLevel kStrongestCpuLevel = kCpuLevels.back();

// The caption of a level in the "CPU strength" menu, also its name in the settings.
inline QString CpuLevelName(CpuLevel level) {
  switch (level) {
    case CpuLevel::Classic:
      return QStringLiteral("Classic");
    case CpuLevel::Good:
      return QStringLiteral("Good");
    case CpuLevel::Strong:
      return QStringLiteral("Strong");
    case CpuLevel::Master:
      return QStringLiteral("Master");
    case CpuLevel::Perfect:
      break;
  }
  return QStringLiteral("Perfect");
}

// The level of a name as CpuLevelName gives it, or nothing for any other text.
inline std::optional<CpuLevel> CpuLevelFromName(const QString& name) {
  for (const CpuLevel level : kCpuLevels) {
    if (CpuLevelName(level) == name) {
      return level;
    }
  }
  return std::nullopt;
}

}  // namespace vextal
