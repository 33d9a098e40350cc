#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <random>
#include <vector>

#include "game/CpuStrategy.h"
#include "game/ExactSolver.h"
#include "game/OpeningBook.h"
#include "game/SearchStrategy.h"

namespace vextal {

// How long the Perfect level may look for an exact answer before it plays as Master. Every
// answer, the exact search and Master's together, takes at most `TotalTime`.
struct PerfectSettings {
  std::int64_t ExactBudget = 400'000;  // positions of the exact search at most
  // The exact search's time where it is expected to settle the position: the previous answer of
  // the game came from the book or settled, or one as near the end settled before.
  std::chrono::milliseconds ExactTime{100};
  // Its time where it may not: a try nearer the end than the last that failed. Master keeps the
  // rest of the answer's time.
  std::chrono::milliseconds TrialTime{45};
  std::chrono::milliseconds TotalTime{125};
  int TableSizeLog2 = 17;
};

// What Perfect carries from move to move: one exact solver with its table per game (emptied
// when a new game begins), and for each layout how far into a game its exact search has settled
// positions and where it has failed (kept for the whole run), so it does not start a search
// where it cannot settle the position. Shared by the questions of one game, asked one at a time;
// a question that finds it busy works without it.
class PerfectMemory {
 public:
  // A new game begins: the table is emptied before the next question. Any thread.
  void NewGame() { game_.fetch_add(1, std::memory_order_relaxed); }

 private:
  friend class PerfectStrategy;
  struct Reach {
    std::int64_t Layout = -1;
    int Settled = -1;      // the largest horizon at which a search settled the result
    int Failed = 1 << 30;  // the smallest at which one did not
  };
  Reach& ReachFor(const ExactLayout& layout);

  std::mutex mutex_;
  std::atomic<unsigned> game_{0};
  unsigned solverGame_ = ~0u;
  // Whether the game's previous answer came from the book or from a search that settled it.
  bool lastSettled_ = false;
  std::unique_ptr<ExactSolver> solver_;
  std::int64_t solverLayout_ = -1;
  std::vector<Reach> reach_;
};

// The strongest level. It plays the book's move where the book knows the position; otherwise it
// solves the position exactly and plays a move that keeps the result (win, draw or loss) with
// the best margin it proved; where it cannot settle even the result in time it plays as Master.
class PerfectStrategy final : public CpuStrategy {
 public:
  // Without `memory`, the strategy keeps one of its own for as long as it lives.
  PerfectStrategy(std::shared_ptr<const OpeningBook> book, std::uint64_t seed,
                  const PerfectSettings& settings = {},
                  std::shared_ptr<PerfectMemory> memory = nullptr);

  std::optional<Cell> Choose(const Board& board, Player player,
                             const std::atomic<bool>& cancel) override;

  // Where the last Choose found its move.
  enum class Source { None, Book, Exact, Master };
  Source LastSource() const { return source_; }

 private:
  // The exact search's answer, or nothing where it was not started or did not settle.
  std::optional<Cell> SolveExactly(const ExactLayout::Reading& position,
                                   std::chrono::steady_clock::time_point start,
                                   const std::atomic<bool>& cancel);
  // Notes in the memory where this answer came from.
  void Answered(Source source);
  std::shared_ptr<PerfectMemory> memory_;
  std::shared_ptr<const OpeningBook> book_;
  std::uint64_t seed_;
  PerfectSettings settings_;
  std::mt19937_64 random_;
  Source source_ = Source::None;
};

// The exact search Perfect runs within its positions budget (no clock): what it settles on a
// position. The book tool uses it to find the positions the level needs the book for.
ExactSolver::Result SolveWithinBudget(const ExactLayout::Reading& position,
                                      const PerfectSettings& settings);

}  // namespace vextal
