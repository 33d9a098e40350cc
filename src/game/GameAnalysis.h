#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "game/CpuStrategy.h"
#include "game/ExactSolver.h"
#include "game/OpeningBook.h"
#include "game/RecordedGame.h"

namespace vextal {

// What was proven about one position: its value for the player to move (final margin, own score
// minus the opponent's) lies in [Lower, Upper]; Lower == Upper once it is known. `Best` is a move
// proven to reach Lower, where one was found.
struct ProvenValue {
  int Lower = -ExactSolver::kUnbounded;
  int Upper = ExactSolver::kUnbounded;
  std::optional<Cell> Best;

  bool Exact() const { return Lower == Upper; }
  bool Proven() const {
    return Lower > -ExactSolver::kUnbounded || Upper < ExactSolver::kUnbounded;
  }
  // The same value seen from the opponent.
  ProvenValue Negated() const { return ProvenValue{-Upper, -Lower, std::nullopt}; }
  // Win, draw or loss is settled (a margin may still be open).
  bool OutcomeKnown() const { return Lower > 0 || Upper < 0 || (Lower == 0 && Upper == 0); }
};

// How a move changed the value for its mover.
enum class MoveJudgement : std::uint8_t {
  Unknown,  // the bounds do not settle it
  Kept,     // proven to keep the value the position had
  Lost,     // proven to give some of it away
};

// What the analysis says about one move of a recorded game, seen from its mover.
struct MoveVerdict {
  ProvenValue Before;  // the position before the move, for the mover
  ProvenValue After;   // the position after it, for the mover
  MoveJudgement Judgement = MoveJudgement::Unknown;
  // For a move that lost value: every move proven to give the mover at least KeepingValue (the
  // value before the move, or while its margin is open, the least of it proven), and the
  // opponent's reply that proves the loss (if the game goes on).
  std::vector<Cell> Keeping;
  int KeepingValue = 0;
  std::optional<Cell> Refutation;
  bool KeepingTested = false;  // the moves were tested (some perhaps not in time)
  // Every other move was tested for Keeping within the time; when false, Keeping may miss some.
  bool KeepingComplete = false;
};

struct GameAnalysis {
  // One per position: Values[i] after the first i moves, for the player to move there.
  std::vector<ProvenValue> Values;
  std::vector<MoveVerdict> Moves;  // one per move
  bool Complete = false;           // every position was looked at (not cancelled)
  // The value of position `ply` from player 1's side.
  ProvenValue ForPlayer1(const RecordedGame& game, int ply) const;
};

// How much work the analysis may do, in the order it is done:
// 1. each position a short search, from the end of the game back (so the table holds the later
//    positions when the earlier are asked);
// 2. the positions whose outcome (win, draw or loss) is still open: only the outcome, until
//    OutcomeTime from the start;
// 3. for each move proven to lose value, the moves that would have kept what is proven of it
//    (a person's moves first), in at least KeepingTime;
// 4. the margins still open, the positions around those moves first, until TotalTime; the moves
//    that keep a margin found larger are tested again in the time left.
// Budgets of positions (node counts) keep a run repeatable; the times bound it on the clock.
struct AnalysisSettings {
  int TableSizeLog2 = 22;
  int Threads = 1;  // of the solver; above 1, helpers share its table
  std::int64_t FirstPassNodes = 300'000;
  std::int64_t SecondPassNodes = 400'000'000;
  std::chrono::milliseconds FirstPassTime{300};
  std::chrono::milliseconds OutcomeTime{16'000};
  std::chrono::milliseconds TotalTime{26'000};
  std::chrono::milliseconds KeepingTime{4'000};
  // Each move tested as keeping the value, for each move that lost some.
  std::int64_t KeepingNodes = 2'000'000;
};

// How far an analysis has come: what is proven so far, and positions settled of all to settle
// (each position twice: its outcome, then its margin).
using AnalysisProgress = std::function<void(const GameAnalysis& sofar, int done, int total)>;

// Proves what it can about every position and move of `game`. `book` may be null. `progress` is
// called on the calling thread whenever something more is proven; `cancel` stops it, leaving
// what was proven so far (Complete false).
GameAnalysis AnalyseGame(const RecordedGame& game, const OpeningBook* book,
                         const AnalysisSettings& settings, const std::atomic<bool>& cancel,
                         const AnalysisProgress& progress = {});

}  // namespace vextal
