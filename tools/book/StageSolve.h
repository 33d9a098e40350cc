#pragma once

#include <cstdint>
#include <vector>

#include <QByteArray>

#include "game/ExactSolver.h"
#include "game/PerfectStrategy.h"

namespace vextal::book {

// A fixed stage's position at the start, solved for the player who moves first.
struct StageValue {
  ExactSolver::Result Value;
  std::vector<PackedCell> BestFirstMoves;  // every first move that keeps the value
  double Seconds = 0;
  std::int64_t Positions = 0;
};
StageValue SolveStage(int stage, ExactSolver& solver);

// The layout and start position of a fixed stage.
ExactLayout::Reading StageStart(int stage);

// Book entries for one stage: every position Perfect meets in the first plies, whichever side
// starts and whatever the other plays, where its exact search within `settings` does not settle
// the value, with the move that keeps the value. `secondsPerPosition` bounds each offline solve
// (0: none); a position not solved in that time gets its proven bounds and best proven move.
struct BookStats {
  std::size_t Entries = 0;
  std::size_t Checked = 0;    // positions tried with the in-game budget
  int DeepestPly = -1;        // the deepest ply that needed an entry
  std::size_t Unsettled = 0;  // entries whose margin was not found within the time per position
  double Seconds = 0;
};
// With `startsOnly`, only the games Perfect starts, and only a move that keeps the result (no
// margin): what a stage too large to solve to the margin can still be given. `checkThreads`
// run Perfect's own search on the positions next in the walk at once.
BookStats AppendStageBook(QByteArray& out, int stage, ExactSolver& solver,
                          const PerfectSettings& settings, double secondsPerPosition,
                          bool startsOnly = false, int checkThreads = 1);

}  // namespace vextal::book

namespace vextal::book {

// From which ply on Perfect's own budget settles a position, over `games` random lines of play
// on a stage: for each line the first ply where the result (win, draw or loss) is settled, and
// the first where the margin is too.
struct SettlePlies {
  std::vector<int> Result;
  std::vector<int> Margin;
};
SettlePlies PliesToSettle(int stage, int games, const PerfectSettings& settings,
                          std::uint64_t seed);

}  // namespace vextal::book

namespace vextal::book {

// One position `ply` moves into a stage along a random line, solved to the margin (or, with
// `resultOnly`, to win, draw or loss) by a fresh solver (one thread), as far as `seconds` allow
// (0: no limit).
struct TimedSolve {
  ExactSolver::Result Value;
  double Seconds = 0;
  double CpuSeconds = 0;  // of the solving thread
  std::int64_t Positions = 0;
};
std::vector<TimedSolve> TimeSolves(int stage, int ply, int count, double seconds, bool resultOnly,
                                   int tableSizeLog2, std::uint64_t seed);

}  // namespace vextal::book
