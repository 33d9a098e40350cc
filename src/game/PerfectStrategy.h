#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <random>

#include "game/CpuStrategy.h"
#include "game/ExactSolver.h"
#include "game/OpeningBook.h"
#include "game/SearchStrategy.h"

namespace vextal {

// How long the Perfect level may look for an exact answer before it plays as Master.
struct PerfectSettings {
  std::int64_t ExactBudget = 400'000;  // positions of the exact search at most
  std::chrono::milliseconds ExactTime{300};
  std::chrono::milliseconds TotalTime{480};  // the exact search and Master's together
  int TableSizeLog2 = 17;
};

// The strongest level. It plays the book's move where the book knows the position; otherwise it
// solves the position exactly and plays a move that keeps the result (win, draw or loss) with
// the best margin it proved; where it cannot settle even the result in time it plays as Master.
class PerfectStrategy final : public CpuStrategy {
 public:
  PerfectStrategy(std::shared_ptr<const OpeningBook> book, std::uint64_t seed,
                  const PerfectSettings& settings = {});

  std::optional<Cell> Choose(const Board& board, Player player,
                             const std::atomic<bool>& cancel) override;

  // Where the last Choose found its move.
  enum class Source { None, Book, Exact, Master };
  Source LastSource() const { return source_; }

 private:
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
