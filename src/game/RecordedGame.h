#pragma once

#include <cstdint>
#include <vector>

#include <QDate>
#include <QString>

#include "game/Board.h"
#include "game/CpuLevel.h"
#include "game/GameEvents.h"
#include "game/Seats.h"
#include "game/UndoHistory.h"

namespace vextal {

// One move of a recorded game: who made it, where, what it did and the scores right after it.
struct RecordedMove {
  Player Mover = 0;
  int Column = 0;
  int Row = 0;
  MoveOutcome Outcome = MoveOutcome::NoMove;
  MoveSource By = MoveSource::Person;
  std::int32_t Score1 = 0;
  std::int32_t Score2 = 0;
  bool operator==(const RecordedMove&) const = default;
};

// A game as a list of moves from a start position. Any position of it is the start with the
// first moves played again by the rules, so the list is all that needs keeping.
struct RecordedGame {
  // A long game stops being recorded here; the moves made so far stay.
  static constexpr std::size_t kMaxMoves = 2000;

  Board Start;             // the position before the first move (a stage's empty board, as a rule)
  Player FirstToMove = 0;  // 1 or 2
  std::vector<RecordedMove> Moves;
  bool Finished = false;  // the last move ended the game
  QDate Date;
  // Who sat in the seats: the mode, the CPU's level, and this side's seat in a network game.
  Mode Seats = Mode::TwoPersons;
  CpuLevel Level = CpuLevel::Classic;
  bool NetServer = false;
  // The players' names as a saved file gave them (index 1 and 2); empty for a game played here.
  QString Names[3];

  int Plies() const { return int(Moves.size()); }
  // The position after the first `ply` moves (0: the start), with the cell played last.
  Position At(int ply) const;
  // The player to move after the first `ply` moves.
  Player ToMoveAt(int ply) const;
  // The final scores: those after the last move, or of the start position without moves.
  std::int32_t FinalScore(Player player) const;
};

}  // namespace vextal
