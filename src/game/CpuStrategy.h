#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "game/Board.h"
#include "game/CpuLevel.h"
#include "game/Node.h"
#include "game/Random.h"

namespace vextal {

// A grid position to play: column 1..NodesW, row 1..NodesH.
struct Cell {
  int Column = 0;
  int Row = 0;
  bool operator==(const Cell&) const = default;
};

// How the CPU chooses its move. A strategy works on its own copy of the board and never plays:
// the caller plays the chosen cell through the game's one move entry.
class CpuStrategy {
 public:
  virtual ~CpuStrategy() = default;

  // The cell `player` (1 or 2) should play on `board`, or nothing when he has no legal move.
  // Returns soon after `cancel` becomes true, with the best cell found so far.
  virtual std::optional<Cell> Choose(const Board& board, Player player,
                                     const std::atomic<bool>& cancel) = 0;
};

class OpeningBook;
class PerfectMemory;

// What the Perfect level carries from one question of a game to the next (its exact solver
// and table); `NewPerfectGame` empties it for a new game.
std::shared_ptr<PerfectMemory> MakePerfectMemory();
void NewPerfectGame(PerfectMemory& memory);

// The strategy of a level. Classic draws from `programRandom`, so it must be asked on the thread
// that owns that source; the searching levels use a generator of their own, seeded with `seed`,
// and may be asked on any thread (one question at a time per strategy). Perfect reads `book`
// where it has one, and keeps what it learns in `memory` (its own when none is given).
std::unique_ptr<CpuStrategy> MakeCpuStrategy(CpuLevel level, RandomSource& programRandom,
                                             std::uint64_t seed,
                                             std::shared_ptr<const OpeningBook> book = nullptr,
                                             std::shared_ptr<PerfectMemory> memory = nullptr);

}  // namespace vextal
