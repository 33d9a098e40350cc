#pragma once

#include <cstdint>

#include "game/Board.h"
#include "game/Node.h"

namespace vextal {

// The rules of one move on a board, free of any window, sound or wire. Game plays every move
// through them; the CPU's search plays them on copies of the board.

// What an attempt to play a cell did.
enum class MoveOutcome : std::uint8_t {
  NoMove,       // no node there (a grid point without a node, the border, beyond the board)
  Refused,      // an opponent's node, an own expanded node or a blocked free node
  Claimed,      // a free node became the mover's
  Expanded,     // an own node got its links
  Neutralised,  // an expansion that also turned at least one opponent node free
};

// Why an attempt was refused.
enum class Refusal : std::uint8_t {
  None,          // not refused
  Blocked,       // a free node an opponent's link points at
  OpponentNode,  // a node the opponent owns
  ExpandedNode,  // one of the mover's own nodes, already expanded
};

inline bool MoveMade(MoveOutcome outcome) {
  return outcome != MoveOutcome::NoMove && outcome != MoveOutcome::Refused;
}

// Inside the playable grid: columns 1..NodesW, rows 1..NodesH.
bool IsPlayable(const Board& board, int column, int row);
// A free cell is blocked for a player when a hostile neighbour's link points at it.
bool IsBlocked(const Board& board, int column, int row, Player player);
// An existing node the player owns and has not expanded, or a free one not blocked for him.
bool IsLegalMove(const Board& board, int column, int row, Player player);
// The player has at least one legal move.
bool HasLegalMove(const Board& board, Player player);

// Turns the node at the cell free when the hostile links pointing at it reach two, or reach its
// Degree if that is smaller. True when it did.
bool CheckNeutralise(Board& board, int column, int row);

// Claims or expands (column, row) for the mover (1 or 2) by the rules. A refused attempt or one
// on a cell without a node leaves the board as it was; so does a mover other than 1 or 2
// (NoMove).
MoveOutcome ApplyMove(Board& board, int column, int row, Player mover);

// Why (column, row) would be refused to the mover on this board; None when it would not be.
Refusal RefusalOf(const Board& board, int column, int row, Player mover);

// Sets a node back to free: no owner, no links, not expanded.
void ClearPlay(Node& node);

// Nodes owned and links set on them, per player (index 1 and 2; index 0 is nobody). A link
// counts when its byte is non-zero, whatever value a peer's board gave it.
struct Tally {
  std::int32_t Nodes[3] = {0, 0, 0};
  std::int32_t Links[3] = {0, 0, 0};
  std::int32_t Score(Player player) const { return Nodes[player] + Links[player]; }
};
Tally CountScores(const Board& board);

}  // namespace vextal
