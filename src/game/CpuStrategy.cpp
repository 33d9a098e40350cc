#include "game/CpuStrategy.h"

#include "game/ClassicStrategy.h"
#include "game/PerfectStrategy.h"
#include "game/SearchStrategy.h"

namespace vextal {

std::unique_ptr<CpuStrategy> MakeCpuStrategy(CpuLevel level, RandomSource& programRandom,
                                             std::uint64_t seed,
                                             std::shared_ptr<const OpeningBook> book) {
  if (level == CpuLevel::Classic) {
    return std::make_unique<ClassicStrategy>(programRandom);
  }
  if (level == CpuLevel::Perfect) {
    return std::make_unique<PerfectStrategy>(std::move(book), seed);
  }
  return std::make_unique<SearchStrategy>(SearchSettingsFor(level), seed);
}

}  // namespace vextal
