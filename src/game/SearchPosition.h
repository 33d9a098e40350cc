#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/Board.h"
#include "game/Node.h"
#include "game/Rules.h"

namespace vextal {

// A cell packed into 16 bits: column in the high byte, row in the low one.
using PackedCell = std::uint16_t;
inline PackedCell PackCell(int column, int row) {
  return PackedCell((column << 8) | row);
}
inline int ColumnOf(PackedCell cell) {
  return cell >> 8;
}
inline int RowOf(PackedCell cell) {
  return cell & 0xFF;
}

// The search's own copy of a board with the player to move and a hash of both. Moves are played
// by the rules and taken back from a saved copy of the five cells a move can change, so a search
// never copies the whole board.
class SearchPosition {
 public:
  // What a played move needs to be taken back.
  struct Undo {
    PackedCell Played = 0;
    std::array<Node, 5> Saved{};
    std::uint64_t Key = 0;
    MoveOutcome Outcome = MoveOutcome::NoMove;
  };

  SearchPosition(const Board& board, Player toMove);

  const Board& Nodes() const { return board_; }
  Player ToMove() const { return toMove_; }
  Player Opponent() const { return Player(3 - toMove_); }
  // Identifies the board and the player to move (different positions collide only by chance).
  std::uint64_t Key() const { return key_; }
  int PlayableCells() const { return board_.NodesW() * board_.NodesH(); }

  // Every legal move of the player to move, column 1..NodesW outer, row 1..NodesH inner.
  void LegalMoves(std::vector<PackedCell>& out) const;

  // Plays a legal move of the player to move and passes the turn.
  void Play(PackedCell cell, Undo& undo);
  void TakeBack(const Undo& undo);

  // How much a played move raised the mover's score minus the opponent's, from the five cells
  // it changed (the player to move is already the opponent).
  int ScoreGain(const Undo& undo) const;

 private:
  std::uint64_t CellKey(int column, int row) const;

  Board board_;
  Player toMove_;
  std::uint64_t key_ = 0;
};

}  // namespace vextal
