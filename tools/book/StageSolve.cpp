#include "StageSolve.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <deque>
#include <random>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "game/Random.h"
#include "stages/Stages.h"

namespace vextal::book {

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Of the moves that reach at least `value`, the one with the lowest node number, so the book
// does not depend on the order the search happened to try them in (with helper threads, on how
// the threads met). `fallback` when the search stops first.
int FirstKeepingMove(ExactSolver& solver, const ExactState& state, int value, SearchStop& stop,
                     int fallback) {
  const ExactLayout& layout = solver.Layout();
  for (std::uint32_t legal = layout.LegalMoves(state); legal != 0; legal &= legal - 1) {
    const int node = std::countr_zero(legal);
    const auto beats = solver.AtLeast(layout.Play(state, node), -value + 1, stop);
    if (!beats.has_value()) {
      return fallback;
    }
    if (!*beats) {
      return node;
    }
  }
  return fallback;
}

// How Perfect's own search ends on the positions next in the walk, worked out on several threads
// at once (each check has a solver and table of its own, so they are independent). The walk still
// takes the verdicts one by one in its own order, so the book does not depend on the threads.
class InGameVerdicts {
 public:
  // Positions `known` holds (the book being carried on) are never checked.
  InGameVerdicts(const ExactLayout& layout, const PerfectSettings& settings, int threads,
                 const std::unordered_map<std::uint64_t, OpeningBook::Entry>& known)
      : layout_(layout), settings_(settings), threads_(std::max(1, threads)), known_(known) {}

  // The verdict on `canonical`, the front of `queue`; the next positions of the queue that the
  // walk has not seen are checked along with it.
  ExactSolver::Result Of(const ExactState& canonical,
                         const std::deque<std::pair<ExactState, int>>& queue,
                         const std::unordered_set<std::uint64_t>& seen) {
    auto found = ready_.find(canonical.Key());
    if (found == ready_.end()) {
      CheckAhead(canonical, queue, seen);
      found = ready_.find(canonical.Key());
    }
    const ExactSolver::Result verdict = found->second;
    ready_.erase(found);
    return verdict;
  }

 private:
  static constexpr std::size_t kAhead = 256;

  void CheckAhead(const ExactState& first, const std::deque<std::pair<ExactState, int>>& queue,
                  const std::unordered_set<std::uint64_t>& seen) {
    std::vector<ExactState> batch{first};
    std::unordered_set<std::uint64_t> inBatch{first.Key()};
    for (std::size_t i = 0; i < queue.size() && batch.size() < kAhead; ++i) {
      int symmetry = 0;
      const ExactState canonical = layout_.Canonical(queue[i].first, symmetry);
      if (layout_.LegalMoves(canonical) != 0 && !seen.contains(canonical.Key()) &&
          !ready_.contains(canonical.Key()) && !known_.contains(canonical.Key()) &&
          inBatch.insert(canonical.Key()).second) {
        batch.push_back(canonical);
      }
    }
    std::vector<ExactSolver::Result> verdicts(batch.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
      for (std::size_t i = next++; i < batch.size(); i = next++) {
        verdicts[i] = SolveWithinBudget({layout_, batch[i]}, settings_);
      }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads_; ++t) {
      helpers.emplace_back(work);
    }
    work();
    for (std::thread& helper : helpers) {
      helper.join();
    }
    for (std::size_t i = 0; i < batch.size(); ++i) {
      ready_.emplace(batch[i].Key(), verdicts[i]);
    }
  }

  const ExactLayout& layout_;
  const PerfectSettings& settings_;
  const int threads_;
  const std::unordered_map<std::uint64_t, OpeningBook::Entry>& known_;
  std::unordered_map<std::uint64_t, ExactSolver::Result> ready_;
};

// Solves a position for the book unless Perfect's own search settles it (`inGame`, its verdict):
// false then. Otherwise `result` holds the bounds and the move the book keeps (none, -1, when
// nothing was proven in the time allowed).
bool SolveForBook(ExactSolver& solver, const ExactState& canonical, const BookWalk& walk,
                  const ExactSolver::Result& inGame, ExactSolver::Result& result) {
  if (walk.StartsOnly ? inGame.Move >= 0 && inGame.OutcomeKnown() : inGame.Exact()) {
    return false;
  }
  const std::atomic<bool> never{false};
  const auto deadline =
      walk.SecondsPerPosition > 0
          ? Clock::now() + std::chrono::duration_cast<Clock::duration>(
                               std::chrono::duration<double>(walk.SecondsPerPosition))
          : Clock::time_point::max();
  SearchStop stop(never, deadline, std::int64_t(1) << 62, 1 << 14);
  result = solver.Solve(canonical, stop, walk.StartsOnly);
  if (walk.StartsOnly && result.OutcomeKnown()) {
    // Only the result is settled: the bounds say just that, whatever the search passed by.
    result = result.Lower > 0   ? ExactSolver::Result{1, ExactSolver::kUnbounded, result.Move}
             : result.Upper < 0 ? ExactSolver::Result{-ExactSolver::kUnbounded, -1, result.Move}
                                : ExactSolver::Result{0, 0, result.Move};
  }
  if (result.Exact() || (walk.StartsOnly && result.OutcomeKnown())) {
    result.Move = FirstKeepingMove(
        solver, canonical, std::max(result.Lower, -ExactSolver::kUnbounded + 1), stop, result.Move);
  }
  return true;
}

}  // namespace

int RandomNode(std::uint32_t legal, std::mt19937_64& engine) {
  for (auto skip = engine() % std::uint64_t(std::popcount(legal)); skip > 0; --skip) {
    legal &= legal - 1;
  }
  return std::countr_zero(legal);
}

ExactLayout::Reading StageStart(int stage) {
  SeededRandom unused(1);  // fixed stages draw nothing
  return *ExactLayout::Read(BuildStage(stage, unused), 1);
}

StageValue SolveStage(int stage, ExactSolver& solver) {
  const ExactLayout::Reading start = StageStart(stage);
  const ExactLayout& layout = start.Layout;
  const std::atomic<bool> never{false};
  const auto began = Clock::now();
  const std::int64_t visitedBefore = solver.Visited();
  SearchStop unlimited(never, Clock::time_point::max(), std::int64_t(1) << 62, 1 << 20);
  StageValue value;
  value.Value = solver.Solve(start.State, unlimited);
  const std::uint32_t keeping =
      solver.KeepingMoves(start.State, value.Value.Lower, unlimited).value_or(0);
  for (std::uint32_t set = keeping; set != 0; set &= set - 1) {
    value.BestFirstMoves.push_back(layout.CellOf(std::countr_zero(set)));
  }
  value.Seconds = SecondsSince(began);
  value.Positions = solver.Visited() - visitedBefore;
  return value;
}

BookStats AppendStageBook(QByteArray& out, int stage, ExactSolver& solver,
                          const PerfectSettings& settings, const BookWalk& walk) {
  const bool startsOnly = walk.StartsOnly;
  const ExactLayout::Reading start = StageStart(stage);
  const ExactLayout& layout = start.Layout;
  const auto began = Clock::now();
  BookStats stats;
  BookWalk::Entries entries;
  std::unordered_set<std::uint64_t> seen;
  std::unordered_map<std::uint64_t, OpeningBook::Entry> earlier;
  if (walk.Earlier != nullptr) {
    for (const auto& [key, entry] : walk.Earlier->EntriesFor(layout)) {
      earlier.emplace(key, entry);
    }
  }
  auto progressShown = Clock::now();
  // Positions with Perfect to move, by ply: the start (Perfect moves first) and every reply to
  // each first move (the other side moved first).
  std::deque<std::pair<ExactState, int>> queue;
  InGameVerdicts verdicts(layout, settings, walk.CheckThreads, earlier);
  queue.emplace_back(start.State, 0);
  const bool bothSides = !startsOnly && walk.MaxPly != 0;
  for (std::uint32_t legal = bothSides ? layout.LegalMoves(start.State) : 0; legal != 0;
       legal &= legal - 1) {
    queue.emplace_back(layout.Play(start.State, std::countr_zero(legal)), 1);
  }
  while (!queue.empty()) {
    const auto [state, ply] = queue.front();
    queue.pop_front();
    int symmetry = 0;
    const ExactState canonical = layout.Canonical(state, symmetry);
    if (layout.LegalMoves(state) == 0 || !seen.insert(canonical.Key()).second) {
      continue;
    }
    ++stats.Checked;
    ExactSolver::Result result;
    if (const auto found = earlier.find(canonical.Key()); found != earlier.end()) {
      result = {found->second.Lower, found->second.Upper, found->second.Move};
    } else if (!SolveForBook(solver, canonical, walk, verdicts.Of(canonical, queue, seen),
                             result)) {
      continue;  // the level settles this one itself
    }
    if (result.Move < 0) {
      std::fprintf(stderr, "stage %d ply %d: no move proven, left out\n", stage, ply);
      continue;
    }
    stats.Unsettled += result.Exact() ? 0 : 1;
    entries.emplace_back(canonical.Key(),
                         OpeningBook::Entry{std::int8_t(result.Move), std::int8_t(result.Lower),
                                            std::int8_t(result.Upper)});
    stats.DeepestPly = std::max(stats.DeepestPly, ply);
    const ExactState after = layout.Play(canonical, result.Move);
    const bool deeper = walk.MaxPly < 0 || ply + 2 <= walk.MaxPly;
    for (std::uint32_t replies = deeper ? layout.LegalMoves(after) : 0; replies != 0;
         replies &= replies - 1) {
      queue.emplace_back(layout.Play(after, std::countr_zero(replies)), ply + 2);
    }
    if (walk.Progress && Clock::now() - progressShown > std::chrono::minutes(1)) {
      walk.Progress(entries);
      progressShown = Clock::now();
    }
    if (entries.size() % 50 == 0) {
      std::fprintf(stderr, "\rstage %d: %zu entries, ply %d, %zu queued, %.0f s   ", stage,
                   entries.size(), ply, queue.size(), SecondsSince(began));
    }
  }
  std::fprintf(stderr, "\n");
  OpeningBook::AppendLayout(out, layout, entries);
  stats.Entries = entries.size();
  stats.Seconds = SecondsSince(began);
  return stats;
}

}  // namespace vextal::book

namespace vextal::book {

SettlePlies PliesToSettle(int stage, int games, const PerfectSettings& settings,
                          std::uint64_t seed) {
  std::mt19937_64 engine(seed);
  SettlePlies plies;
  for (int g = 0; g < games; ++g) {
    SeededRandom stageRandom(engine());
    const auto start = ExactLayout::Read(BuildStage(stage, stageRandom), 1);
    ExactState state = start->State;
    bool resultSettled = false;
    for (int ply = 0;; ++ply) {
      const std::uint32_t legal = start->Layout.LegalMoves(state);
      const ExactSolver::Result result = legal == 0
                                             ? ExactSolver::Result{0, 0, -1}
                                             : SolveWithinBudget({start->Layout, state}, settings);
      if (!resultSettled && (legal == 0 || result.OutcomeKnown())) {
        plies.Result.push_back(ply);
        resultSettled = true;
      }
      if (legal == 0 || result.Exact()) {
        plies.Margin.push_back(ply);
        break;
      }
      state = start->Layout.Play(state, RandomNode(legal, engine));
    }
  }
  return plies;
}

}  // namespace vextal::book

namespace vextal::book {

std::vector<TimedSolve> TimeSolves(int stage, int ply, int count, double seconds, bool resultOnly,
                                   int tableSizeLog2, std::uint64_t seed) {
  std::mt19937_64 engine(seed * 1000 + std::uint64_t(stage) * 100 + std::uint64_t(ply));
  const ExactLayout::Reading start = StageStart(stage);
  const ExactLayout& layout = start.Layout;
  const std::atomic<bool> never{false};
  std::vector<TimedSolve> solves;
  // A ply past the end of most games finds few positions: give up after a hundred lines each.
  for (int lines = 0; int(solves.size()) < count && lines < 100 * count; ++lines) {
    ExactState state = start.State;
    for (int p = 0; p < ply && layout.LegalMoves(state) != 0; ++p) {
      state = layout.Play(state, RandomNode(layout.LegalMoves(state), engine));
    }
    if (layout.LegalMoves(state) == 0) {
      continue;  // the game ended before the ply: another line
    }
    timespec cpuBefore{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuBefore);
    const auto began = Clock::now();
    ExactSolver solver(layout, tableSizeLog2);
    const auto deadline = seconds > 0 ? began + std::chrono::duration_cast<Clock::duration>(
                                                    std::chrono::duration<double>(seconds))
                                      : Clock::time_point::max();
    SearchStop stop(never, deadline, std::int64_t(1) << 62, 1 << 14);
    TimedSolve solve;
    solve.Value = solver.Solve(state, stop, resultOnly);
    solve.Seconds = SecondsSince(began);
    timespec cpu{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    solve.CpuSeconds =
        double(cpu.tv_sec - cpuBefore.tv_sec) + double(cpu.tv_nsec - cpuBefore.tv_nsec) * 1e-9;
    solve.Positions = solver.Visited();
    solves.push_back(solve);
  }
  return solves;
}

}  // namespace vextal::book
