#pragma once

#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

#include "game/CpuStrategy.h"
#include "game/Evaluation.h"
#include "game/GameSearch.h"
#include "game/TranspositionTable.h"

namespace vextal {

// How hard a searching level thinks about one move. It stops at whichever limit comes first.
struct SearchSettings {
  int MaxDepth = 1;                        // plies looked ahead at most
  std::int64_t NodeBudget = 1;             // positions visited at most
  std::chrono::milliseconds TimeBudget{};  // wall-clock time at most
  // Moves valued within this much of the best (hundredths of a point) are taken as equally good:
  // a level that should not tell small differences apart chooses among them at random.
  int Tolerance = 0;
  EvalWeights Weights;
  int TableSizeLog2 = 16;
};

// The settings of the searching levels; Classic does not search and gets Good's.
SearchSettings SearchSettingsFor(CpuLevel level);

// Beyond this many grid points the search only weighs each move's immediate gain: a peer's board
// may be 255 x 255, and looking further there would take far too long.
inline constexpr int kMaxSearchedCells = 400;

// Iterative deepening alpha-beta on a copy of the board. Among moves that look equally good it
// picks one at random, from its own generator, so games vary. Not shared between threads: one
// Choose at a time per instance, on any thread.
class SearchStrategy final : public CpuStrategy {
 public:
  SearchStrategy(const SearchSettings& settings, std::uint64_t seed);

  std::optional<Cell> Choose(const Board& board, Player player,
                             const std::atomic<bool>& cancel) override;

  // What the last Choose did: the deepest search completed and the positions visited.
  struct Report {
    int Depth = 0;
    std::int64_t Nodes = 0;
    int Value = 0;
  };
  const Report& LastReport() const { return report_; }

 private:
  PackedCell Deepen(SearchPosition& position, std::vector<PackedCell>& moves, SearchStop& stop);
  PackedCell PickWithinTolerance(const std::vector<PackedCell>& moves,
                                 const GameSearch::RootResult& result);

  SearchSettings settings_;
  std::mt19937_64 random_;
  TranspositionTable table_;
  Report report_;
};

}  // namespace vextal
