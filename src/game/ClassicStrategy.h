#pragma once

#include "game/CpuStrategy.h"

namespace vextal {

inline constexpr int kClassicRandomTries = 6;

// The original CPU player: six random grid positions, each drawn as a column then a row, and the
// first of them that is a legal move; failing that, the first legal cell in column order from
// (1, 1). It draws from the program's random source exactly as it always has, so the same seed
// gives the same games.
class ClassicStrategy final : public CpuStrategy {
 public:
  explicit ClassicStrategy(RandomSource& random) : random_(random) {}

  std::optional<Cell> Choose(const Board& board, Player player,
                             const std::atomic<bool>& cancel) override;

 private:
  RandomSource& random_;
};

}  // namespace vextal
