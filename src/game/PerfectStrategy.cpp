#include "game/PerfectStrategy.h"

namespace vextal {

namespace {

// The clock is read once every this many positions: a few milliseconds of search.
constexpr int kExactClockStride = 2048;

bool KeepsResult(const ExactSolver::Result& result) {
  return result.Move >= 0 && (result.Exact() || result.OutcomeKnown());
}

}  // namespace

PerfectStrategy::PerfectStrategy(std::shared_ptr<const OpeningBook> book, std::uint64_t seed,
                                 const PerfectSettings& settings)
    : book_(std::move(book)), seed_(seed), settings_(settings), random_(seed) {}

std::optional<Cell> PerfectStrategy::Choose(const Board& board, Player player,
                                            const std::atomic<bool>& cancel) {
  const auto start = std::chrono::steady_clock::now();
  source_ = Source::None;
  if (const auto position = ExactLayout::Read(board, player)) {
    if (position->Layout.LegalMoves(position->State) == 0) {
      return std::nullopt;
    }
    if (book_) {
      if (const auto cell = book_->Find(*position, random_)) {
        source_ = Source::Book;
        return Cell{ColumnOf(*cell), RowOf(*cell)};
      }
    }
    ExactSolver solver(position->Layout, settings_.TableSizeLog2);
    SearchStop stop(cancel, start + settings_.ExactTime, settings_.ExactBudget, kExactClockStride);
    const ExactSolver::Result result = solver.Solve(position->State, stop);
    if (KeepsResult(result)) {
      source_ = Source::Exact;
      const PackedCell cell = position->Layout.CellOf(result.Move);
      return Cell{ColumnOf(cell), RowOf(cell)};
    }
  }
  // Not settled in time, or a board the exact search does not take: Master, in the time left.
  SearchSettings master = SearchSettingsFor(CpuLevel::Master);
  const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  master.TimeBudget = std::max(settings_.TotalTime - spent, std::chrono::milliseconds(1));
  source_ = Source::Master;
  return SearchStrategy(master, seed_).Choose(board, player, cancel);
}

ExactSolver::Result SolveWithinBudget(const ExactLayout::Reading& position,
                                      const PerfectSettings& settings) {
  const std::atomic<bool> never{false};
  ExactSolver solver(position.Layout, settings.TableSizeLog2);
  SearchStop stop(never, std::chrono::steady_clock::time_point::max(), settings.ExactBudget,
                  kExactClockStride);
  return solver.Solve(position.State, stop);
}

}  // namespace vextal
