#include "game/CpuStrategy.h"

#include "game/ClassicStrategy.h"
#include "game/PerfectStrategy.h"
#include "game/SearchStrategy.h"

namespace vextal {

std::shared_ptr<PerfectMemory> MakePerfectMemory() {
  return std::make_shared<PerfectMemory>();
}

void NewPerfectGame(PerfectMemory& memory) {
  memory.NewGame();
}

std::unique_ptr<CpuStrategy> MakeCpuStrategy(CpuLevel level, RandomSource& programRandom,
                                             std::uint64_t seed,
                                             std::shared_ptr<const OpeningBook> book,
                                             std::shared_ptr<PerfectMemory> memory) {
  if (level == CpuLevel::Classic) {
    return std::make_unique<ClassicStrategy>(programRandom);
  }
  if (level == CpuLevel::Perfect) {
    return std::make_unique<PerfectStrategy>(std::move(book), seed, PerfectSettings{},
                                             std::move(memory));
  }
  return std::make_unique<SearchStrategy>(SearchSettingsFor(level), seed);
}

}  // namespace vextal
