#pragma once

#include <cstdint>
#include <vector>

#include "game/ExactBoard.h"
#include "game/GameSearch.h"

namespace vextal {

// Solves positions of one layout exactly: the final margin (mover's score minus the opponent's)
// both sides can force, by alpha-beta with null windows on the whole rest of the game. A table of
// bounds, shared by mirror images of a position, carries what one question learnt to the next.
// Play never returns to an earlier position (a move either adds a node or an expansion, or
// neutralises, and searches of billions of positions on every fixed stage met no repetition), so
// a value from the table is the position's value whatever line reached it.
class ExactSolver {
 public:
  ExactSolver(const ExactLayout& layout, int tableSizeLog2);

  // What one Solve proved. The value lies in [Lower, Upper]; Lower == Upper once it is known.
  // `Move` (a node number, or -1) is a move proven to reach at least Lower.
  struct Result {
    int Lower = -kUnbounded;
    int Upper = kUnbounded;
    int Move = -1;
    bool Exact() const { return Lower == Upper; }
    // Win, draw or loss is settled, and `Move` keeps it (any move keeps a loss).
    bool OutcomeKnown() const {
      return (Lower > 0 && Move >= 0) || (Lower == 0 && Upper == 0 && Move >= 0) || Upper < 0;
    }
  };

  // First whether the mover wins, then draws, then the margin, until `stop` says stop; with
  // `outcomeOnly`, no further than win, draw or loss and a move that keeps it.
  Result Solve(const ExactState& state, SearchStop& stop, bool outcomeOnly = false);
  // Whether the value of `state` is at least `beta`; nothing when stopped first.
  std::optional<bool> AtLeast(const ExactState& state, int beta, SearchStop& stop);

  // Positions visited since this solver was made.
  std::int64_t Visited() const { return visited_; }

  static constexpr int kUnbounded = 127;

 private:
  struct Entry {
    std::uint64_t Key = 0;  // the canonical key plus one; 0 marks an empty slot
    std::int8_t Lower = -kUnbounded;
    std::int8_t Upper = kUnbounded;
    std::int8_t Move = -1;  // in the canonical image's numbering
    std::uint8_t Work = 0;  // log2 of the positions searched below; the larger stays
  };

  // One null-window test at the root: a move reaching `beta`, or the best upper bound.
  struct RootTest {
    bool High = false;
    int Value = 0;
    int Move = -1;
  };
  RootTest TestRoot(const ExactState& state, int beta, std::vector<int>& moves, SearchStop& stop);
  int Negamax(const ExactState& state, int alpha, int beta, SearchStop& stop);
  Entry* Probe(const ExactState& canonical);
  void Store(const ExactState& canonical, int symmetry, int value, int alpha, int beta, int move,
             std::int64_t work);
  void OrderedMoves(const ExactState& state, int first, int (&out)[kMaxExactNodes],
                    int& count) const;

  ExactLayout layout_;
  std::vector<Entry> table_;  // buckets of two: one kept for the larger work, one always replaced
  std::uint64_t mask_;
  std::int64_t visited_ = 0;
  std::array<std::int32_t, kMaxExactNodes> history_{};
};

}  // namespace vextal
