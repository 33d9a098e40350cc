#include "game/CpuStrategy.h"

#include "game/ClassicStrategy.h"
#include "game/SearchStrategy.h"

namespace vextal {

std::unique_ptr<CpuStrategy> MakeCpuStrategy(CpuLevel level, RandomSource& programRandom,
                                             std::uint64_t seed) {
  if (level == CpuLevel::Classic) {
    return std::make_unique<ClassicStrategy>(programRandom);
  }
  return std::make_unique<SearchStrategy>(SearchSettingsFor(level), seed);
}

}  // namespace vextal
