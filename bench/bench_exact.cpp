// The exact solver beside the one it replaced (bench/BaselineExactSolver.h), on the same
// positions: the full solves of stages 1, 2, 4 and 5 and positions a few plies into stages 1, 3, 4
// and 6 reached by fixed lines of play. Each case is solved as the book tool solves a stage: the
// value, then every first move tested for whether it keeps it. Both solvers must agree on the
// value and on the set of moves that keep it; the program prints the seconds (median of the
// repetitions, the two solvers taking turns; each making its table counts, as it does for a
// program that solves once), the positions visited and the ratio.
//
//   bench_exact [--reps N] [--table LOG2] [--threads T] [--current-only] [CASE...]
//
// CASE is a name from the table below (stage2, stage5, stage1-ply6, ...); all by default.

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "BaselineExactSolver.h"
#include "game/ExactSolver.h"
#include "game/Random.h"
#include "game/Rules.h"
#include "stages/Stages.h"

using namespace vextal;

namespace {

using Clock = std::chrono::steady_clock;

struct Case {
  const char* Name;
  int Stage;
  int Plies;  // random moves from the start, by a generator seeded with the stage
};

constexpr Case kCases[] = {
    {"stage2", 2, 0},        {"stage5", 5, 0},        {"stage1", 1, 0},
    {"stage4", 4, 0},        {"stage1-ply6", 1, 6},   {"stage1-ply10", 1, 10},
    {"stage3-ply8", 3, 8},   {"stage3-ply12", 3, 12}, {"stage4-ply6", 4, 6},
    {"stage4-ply10", 4, 10}, {"stage6-ply12", 6, 12},
};

struct Outcome {
  int Value = 0;
  std::uint32_t KeepingMoves = 0;  // node bits
  double Seconds = 0;
  double Cpu = 0;  // processor seconds of the whole process: its threads and its page faults
  std::int64_t Positions = 0;
};

// The board of a case: the stage played `plies` moves by a fixed line.
Board CaseBoard(const Case& c, Player& toMove) {
  SeededRandom unused(1);
  Board board = BuildStage(c.Stage, unused);
  const auto reading = *ExactLayout::Read(board, 1);
  std::mt19937_64 engine(std::uint64_t(c.Stage) * 1000 + std::uint64_t(c.Plies));
  ExactState state = reading.State;
  toMove = 1;
  for (int p = 0; p < c.Plies; ++p) {
    std::vector<int> legal;
    for (std::uint32_t set = reading.Layout.LegalMoves(state); set != 0; set &= set - 1) {
      legal.push_back(std::countr_zero(set));
    }
    const int node = legal[engine() % legal.size()];
    const PackedCell cell = reading.Layout.CellOf(node);
    state = reading.Layout.Play(state, node);
    // Replayed on the board, so each solver reads the position into its own model.
    ApplyMove(board, ColumnOf(cell), RowOf(cell), toMove);
    toMove = Player(3 - toMove);
  }
  return board;
}

template <typename Layout, typename Solver>
Outcome Run(const Board& board, Player toMove, int tableLog2, int threads) {
  const auto began = Clock::now();
  timespec cpuStart{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpuStart);
  const double cpuBefore = double(cpuStart.tv_sec) + double(cpuStart.tv_nsec) * 1e-9;
  const auto reading = *Layout::Read(board, toMove);
  Solver solver = [&] {
    if constexpr (std::is_constructible_v<Solver, decltype(reading.Layout), int, int>) {
      return Solver(reading.Layout, tableLog2, threads);
    } else {
      return Solver(reading.Layout, tableLog2);
    }
  }();
  const std::atomic<bool> never{false};
  SearchStop stop(never, Clock::time_point::max(), std::int64_t(1) << 62, 1 << 20);
  Outcome outcome;
  const auto result = solver.Solve(reading.State, stop);
  outcome.Value = result.Lower;
  if constexpr (requires { solver.KeepingMoves(reading.State, outcome.Value, stop); }) {
    outcome.KeepingMoves = solver.KeepingMoves(reading.State, outcome.Value, stop).value_or(0);
  } else {
    for (std::uint32_t legal = reading.Layout.LegalMoves(reading.State); legal != 0;
         legal &= legal - 1) {
      const int node = std::countr_zero(legal);
      const auto beats =
          solver.AtLeast(reading.Layout.Play(reading.State, node), -outcome.Value + 1, stop);
      if (beats.has_value() && !*beats) {
        outcome.KeepingMoves |= 1u << node;
      }
    }
  }
  outcome.Seconds = std::chrono::duration<double>(Clock::now() - began).count();
  timespec cpu{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
  outcome.Cpu = double(cpu.tv_sec) + double(cpu.tv_nsec) * 1e-9 - cpuBefore;
  outcome.Positions = solver.Visited();
  return outcome;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int reps = 3;
  int tableLog2 = 22;
  int threads = 1;
  bool currentOnly = false;
  std::vector<std::string> names;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--reps" && i + 1 < argc) {
      reps = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--table" && i + 1 < argc) {
      tableLog2 = std::clamp(std::atoi(argv[++i]), 16, 28);
    } else if (arg == "--current-only") {
      currentOnly = true;
    } else if (arg == "--threads" && i + 1 < argc) {
      threads = std::clamp(std::atoi(argv[++i]), 1, 8);
    } else {
      names.push_back(arg);
    }
  }
  std::printf(
      "| Case | Value | Keeping moves | Baseline s (CPU) | Positions | Now s (CPU) | Positions | "
      "Ratio (CPU) |\n");
  std::printf("| --- | ---: | --- | ---: | ---: | ---: | ---: | ---: |\n");
  bool agree = true;
  for (const Case& c : kCases) {
    if (!names.empty() && std::find(names.begin(), names.end(), c.Name) == names.end()) {
      continue;
    }
    Player toMove = 1;
    const Board board = CaseBoard(c, toMove);
    std::vector<double> before;
    std::vector<double> after;
    std::vector<double> beforeCpu;
    std::vector<double> afterCpu;
    Outcome old;
    Outcome now;
    for (int r = 0; r < reps; ++r) {
      now = Run<ExactLayout, ExactSolver>(board, toMove, tableLog2, threads);
      old = currentOnly
                ? now
                : Run<baseline::ExactLayout, baseline::ExactSolver>(board, toMove, tableLog2, 1);
      before.push_back(old.Seconds);
      after.push_back(now.Seconds);
      beforeCpu.push_back(old.Cpu);
      afterCpu.push_back(now.Cpu);
      if (old.Value != now.Value || old.KeepingMoves != now.KeepingMoves) {
        agree = false;
        std::printf("%s: DIFFERENT: value %d against %d, moves %x against %x\n", c.Name, old.Value,
                    now.Value, old.KeepingMoves, now.KeepingMoves);
      }
    }
    const double b = Median(before);
    const double a = Median(after);
    const double bc = Median(beforeCpu);
    const double ac = Median(afterCpu);
    std::printf("| %s | %d | %x | %.3f (%.3f) | %lld | %.3f (%.3f) | %lld | %.2f (%.2f) |\n",
                c.Name, now.Value, now.KeepingMoves, b, bc, static_cast<long long>(old.Positions),
                a, ac, static_cast<long long>(now.Positions), b / a, bc / ac);
    std::fflush(stdout);
  }
  return agree ? 0 : 1;
}
