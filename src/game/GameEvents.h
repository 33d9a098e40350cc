#pragma once

#include <cstdint>

#include <QMetaType>

#include "game/Node.h"
#include "game/Rules.h"
#include "game/Seats.h"

namespace vextal {

// The data of the game's events (the signals of Game). Numbers and enums only: what a person
// sees and hears of them, and what goes to the peer, is decided by whoever listens.

// Who made a move attempt: a person here by a click or a key, the CPU, or the peer's message.
enum class MoveSource : std::uint8_t { Person, Cpu, Peer };

// One attempt on a cell that holds a node: made (claimed, expanded, neutralised) or refused.
struct MoveReport {
  Player Mover = 0;
  int Column = 0;
  int Row = 0;
  MoveOutcome Outcome = MoveOutcome::NoMove;
  Refusal Why = Refusal::None;
  MoveSource By = MoveSource::Person;
  // The scores right after the move; for the last move of a game, its final scores.
  std::int32_t Score1 = 0;
  std::int32_t Score2 = 0;
  // The move ended the game: the next game is already set up and its result follows.
  bool EndedGame = false;

  bool Made() const { return MoveMade(Outcome); }
};

// The player to move and what each player holds, as the player row shows it.
struct TurnReport {
  Player ToMove = 0;
  Tally Holdings;
};

// A finished game: the seats it was played in and the final scores.
struct GameResult {
  Mode Seats = Mode::TwoPersons;
  std::int32_t Score1 = 0;
  std::int32_t Score2 = 0;

  // 1 or 2, or 0 for a draw.
  Player Winner() const { return Score1 == Score2 ? 0 : Score1 > Score2 ? 1 : 2; }
};

}  // namespace vextal

Q_DECLARE_METATYPE(vextal::MoveReport)
Q_DECLARE_METATYPE(vextal::TurnReport)
Q_DECLARE_METATYPE(vextal::GameResult)
