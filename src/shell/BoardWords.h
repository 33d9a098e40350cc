#pragma once

#include <optional>

#include <QString>

#include "game/Board.h"
#include "game/CpuStrategy.h"
#include "game/GameEvents.h"
#include "game/Seats.h"

namespace vextal {

// The board in words, for those who do not see it: what a screen reader says of a node, of a
// move the other side made and of a refused move. Built from the board and the seats here, in
// the shell, so every word can be translated.

// Whose eyes the words are for: the seats' captions, and the player at this machine, who is
// "you" (0 when the CPU plays both seats).
struct BoardViewer {
  Mode Seats = Mode::TwoPersons;
  Player You = 0;

  // The person here: player 1 against the CPU, this side's seat in a network game, the player
  // to move when two people share the machine, nobody in a demo.
  static BoardViewer Of(Mode mode, bool netServer, Player toMove);
};

// "Column 3, row 2: yours, expanded, 2 links", "Column 1, row 4: free, blocked for you".
QString CellName(const Board& board, int column, int row, const BoardViewer& viewer,
                 const std::optional<Cell>& lastMove);

// What the status line tells a screen reader of a move made by the CPU or the peer.
QString MoveAnnouncement(const MoveReport& move, Mode seats);

// Why a move was refused, for the status line: "Column 2, row 1 is blocked for you."
QString RefusalText(const MoveReport& move);

// The accessible name of a score label: "Player 1: 3 nodes, 2 links, 5 points".
QString ScoreName(const QString& seat, std::int32_t nodes, std::int32_t links);

}  // namespace vextal
