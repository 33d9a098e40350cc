#pragma once

#include <cstdint>
#include <functional>
#include <random>
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

// One of the nodes of `legal` (not empty), each as likely, as the random lines of play draw them.
int RandomNode(std::uint32_t legal, std::mt19937_64& engine);

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
// How a stage's book is walked. With `StartsOnly`, only the games Perfect starts, and only a move
// that keeps the result (no margin): what a stage too large to solve to the margin can still be
// given. `CheckThreads` run Perfect's own search on the positions next in the walk at once.
// Positions that `Earlier` (a book an earlier walk of the same kind wrote, perhaps cut short)
// holds are taken from it instead of being solved again: the walk goes the same way, so a long
// walk can be carried on from the book it had written when it stopped. `Progress`, when set,
// is given the entries so far about once a minute, in the order the book lists them. With
// `MaxPly` at 0 or more, the walk goes no deeper than that ply: the plies it walks come out as a
// walk without the limit writes them, as it walks the plies in order.
struct BookWalk {
  using Entries = std::vector<std::pair<std::uint64_t, OpeningBook::Entry>>;
  double SecondsPerPosition = 0;
  bool StartsOnly = false;
  int MaxPly = -1;
  int CheckThreads = 1;
  const OpeningBook* Earlier = nullptr;
  std::function<void(const Entries&)> Progress;
};
BookStats AppendStageBook(QByteArray& out, int stage, ExactSolver& solver,
                          const PerfectSettings& settings, const BookWalk& walk);

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
