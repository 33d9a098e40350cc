#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "game/ExactBoard.h"
#include "game/ExactTable.h"
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
  // Room for 2^(tableSizeLog2 + 1) entries of 16 bytes; the table begins small and grows as it
  // fills. With `threads` above 1, helpers search the same questions beside the caller's thread
  // and share the table, each putting off the positions another is searching; the values found
  // are the same.
  ExactSolver(const ExactLayout& layout, int tableSizeLog2, int threads = 1);
  ~ExactSolver();

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
  // The moves of `state` that reach at least `value` (after which the opponent reaches no more
  // than -value), as node bits; nothing when stopped first. With helpers, the threads test
  // different moves; only the caller's thread answers to `stop`.
  std::optional<std::uint32_t> KeepingMoves(const ExactState& state, int value, SearchStop& stop);

  // Whether the moves at the root are tried in rounds of growing numbers of positions each
  // (the default: a move that is cheap to prove is found before an expensive one fails), or
  // one after the other to the end, as a search on a tight position budget wants.
  void SetRootRounds(bool rounds) { rootRounds_ = rounds; }

  // Positions visited since this solver was made (or cleared), by every thread.
  std::int64_t Visited() const;
  // Forgets everything learnt: a new game.
  void Clear();
  const ExactLayout& Layout() const { return layout_; }

  static constexpr int kUnbounded = 127;

 private:
  class Worker;
  struct Busy;
  struct Helpers;

  // One null-window test at the root: a move reaching `beta`, or the best upper bound.
  struct RootTest {
    bool High = false;
    int Value = 0;
    int Move = -1;
  };
  RootTest TestRoot(Worker& worker, const ExactState& state, int beta, std::vector<int>& moves);
  // Runs `test` on the caller's worker while the helpers search the same question.
  template <typename Test>
  auto WithHelpers(const ExactState& state, int alpha, int beta, Test test);

  ExactLayout layout_;
  ExactTable table_;
  std::unique_ptr<Worker> main_;
  std::unique_ptr<Helpers> helpers_;
  int threads_;
  bool rootRounds_ = true;
};

}  // namespace vextal
