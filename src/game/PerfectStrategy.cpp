#include "game/PerfectStrategy.h"

namespace vextal {

namespace {

// The clock is read once every this many positions: a few milliseconds of search.
constexpr int kExactClockStride = 2048;

bool KeepsResult(const ExactSolver::Result& result) {
  return result.Move >= 0 && (result.Exact() || result.OutcomeKnown());
}

// Identifies a layout by its size and the grid points holding nodes.
std::int64_t LayoutId(const ExactLayout& layout) {
  return std::int64_t(layout.GridCells()) | std::int64_t(layout.Width()) << 32 |
         std::int64_t(layout.Height()) << 40;
}

}  // namespace

PerfectMemory::Reach& PerfectMemory::ReachFor(const ExactLayout& layout) {
  const std::int64_t id = LayoutId(layout);
  for (Reach& reach : reach_) {
    if (reach.Layout == id) {
      return reach;
    }
  }
  // Random layouts are many: only the latest few are remembered.
  if (reach_.size() >= 16) {
    reach_.erase(reach_.begin());
  }
  reach_.push_back(Reach{id});
  return reach_.back();
}

PerfectStrategy::PerfectStrategy(std::shared_ptr<const OpeningBook> book, std::uint64_t seed,
                                 const PerfectSettings& settings,
                                 std::shared_ptr<PerfectMemory> memory)
    : memory_(memory ? std::move(memory) : std::make_shared<PerfectMemory>()),
      book_(std::move(book)),
      seed_(seed),
      settings_(settings),
      random_(seed) {}

std::optional<Cell> PerfectStrategy::SolveExactly(const ExactLayout::Reading& position,
                                                  std::chrono::steady_clock::time_point start,
                                                  const std::atomic<bool>& cancel) {
  PerfectMemory fresh;
  std::unique_lock lock(memory_->mutex_, std::try_to_lock);
  PerfectMemory& memory = lock.owns_lock() ? *memory_ : fresh;
  PerfectMemory::Reach& reach = memory.ReachFor(position.Layout);
  const int horizon = position.Layout.Horizon(position.State);
  const unsigned game = memory.game_.load(std::memory_order_relaxed);
  const bool sameGame = memory.solverGame_ == game;
  // Past the book, and after an answer that settled, the position is one move nearer the end of
  // a game the search already settles. Otherwise: a position no nearer the end than one whose
  // search failed, and not near one that settled, would fail too; after a failure the next move
  // is skipped and the one after tried again, in a shorter time.
  std::chrono::milliseconds exactTime = settings_.ExactTime;
  if (!(sameGame && memory.lastSettled_) && horizon > reach.Settled + 1) {
    if (horizon >= reach.Failed - 2) {
      return std::nullopt;
    }
    exactTime = settings_.TrialTime;
  }
  const std::int64_t layout = LayoutId(position.Layout);
  if (!memory.solver_ || memory.solverLayout_ != layout) {
    memory.solver_ = std::make_unique<ExactSolver>(position.Layout, settings_.TableSizeLog2);
    // Within the position budget, the first move searched gets all of it.
    memory.solver_->SetRootRounds(false);
    memory.solverLayout_ = layout;
  } else if (!sameGame) {
    memory.solver_->Clear();
  }
  memory.solverGame_ = game;
  SearchStop stop(cancel, start + exactTime, settings_.ExactBudget, kExactClockStride);
  const ExactSolver::Result result = memory.solver_->Solve(position.State, stop);
  if (!KeepsResult(result)) {
    if (!cancel.load(std::memory_order_relaxed)) {
      reach.Failed = std::min(reach.Failed, horizon);
    }
    return std::nullopt;
  }
  reach.Settled = std::max(reach.Settled, horizon);
  const PackedCell cell = position.Layout.CellOf(result.Move);
  return Cell{ColumnOf(cell), RowOf(cell)};
}

void PerfectStrategy::Answered(Source source) {
  source_ = source;
  std::unique_lock lock(memory_->mutex_, std::try_to_lock);
  if (lock.owns_lock()) {
    memory_->lastSettled_ = source == Source::Book || source == Source::Exact;
    const unsigned game = memory_->game_.load(std::memory_order_relaxed);
    if (source == Source::Book && memory_->solverGame_ != game) {
      // The book's answers begin the game too: the table is emptied for it.
      if (memory_->solver_) {
        memory_->solver_->Clear();
      }
      memory_->solverGame_ = game;
    }
  }
}

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
        Answered(Source::Book);
        return Cell{ColumnOf(*cell), RowOf(*cell)};
      }
    }
    if (const auto cell = SolveExactly(*position, start, cancel)) {
      Answered(Source::Exact);
      return cell;
    }
  }
  // Not settled in time, not worth starting, or a board the exact search does not take:
  // Master, in what is left of the answer's time.
  SearchSettings master = SearchSettingsFor(CpuLevel::Master);
  const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  master.TimeBudget = std::max(settings_.TotalTime - spent, std::chrono::milliseconds(1));
  Answered(Source::Master);
  return SearchStrategy(master, seed_).Choose(board, player, cancel);
}

ExactSolver::Result SolveWithinBudget(const ExactLayout::Reading& position,
                                      const PerfectSettings& settings) {
  const std::atomic<bool> never{false};
  ExactSolver solver(position.Layout, settings.TableSizeLog2);
  solver.SetRootRounds(false);  // as in the game
  SearchStop stop(never, std::chrono::steady_clock::time_point::max(), settings.ExactBudget,
                  kExactClockStride);
  return solver.Solve(position.State, stop);
}

}  // namespace vextal
