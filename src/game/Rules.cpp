#include "game/Rules.h"

namespace vextal {

namespace {

enum class Side { Left, Up, Right, Down };

struct Neighbour {
  int dc;
  int dr;
  Side side;
};

// Neighbours in the order the rules always visit them: left, up, right, down.
constexpr Neighbour kNeighbours[] = {
    {-1, 0, Side::Left}, {0, -1, Side::Up}, {1, 0, Side::Right}, {0, 1, Side::Down}};

// The link flag of `node` that points toward its neighbour on `side`.
std::uint8_t& LinkToward(Node& node, Side side) {
  switch (side) {
    case Side::Left:
      return node.LinkLeft;
    case Side::Up:
      return node.LinkUp;
    case Side::Right:
      return node.LinkRight;
    case Side::Down:
      break;
  }
  return node.LinkDown;
}

// The link of a neighbour on `side` that points back at the cell: the left neighbour's
// LinkRight, the upper one's LinkDown, and so on.
std::uint8_t LinkBack(const Node& neighbour, Side side) {
  switch (side) {
    case Side::Left:
      return neighbour.LinkRight;
    case Side::Up:
      return neighbour.LinkDown;
    case Side::Right:
      return neighbour.LinkLeft;
    case Side::Down:
      break;
  }
  return neighbour.LinkUp;
}

bool IsHostile(const Node& node, Player player) {
  return node.Owner != 0 && node.Owner != player;
}

// Hostile links pointing at (column, row) for a node owned by `owner`.
int HostileLinksAt(const Board& board, int column, int row, Player owner) {
  int count = 0;
  for (const Neighbour& n : kNeighbours) {
    const Node& neighbour = board(column + n.dc, row + n.dr);
    if (IsHostile(neighbour, owner) && LinkBack(neighbour, n.side) != 0) {
      ++count;
    }
  }
  return count;
}

}  // namespace

bool IsPlayable(const Board& board, int column, int row) {
  return column >= 1 && row >= 1 && column <= board.NodesW() && row <= board.NodesH();
}

bool IsBlocked(const Board& board, int column, int row, Player player) {
  return IsPlayable(board, column, row) && HostileLinksAt(board, column, row, player) > 0;
}

bool IsLegalMove(const Board& board, int column, int row, Player player) {
  if (!IsPlayable(board, column, row)) {
    return false;
  }
  const Node& node = board(column, row);
  if (!node.Exists) {
    return false;
  }
  if (node.Owner == player) {
    return !node.Expanded;
  }
  return node.Owner == 0 && !IsBlocked(board, column, row, player);
}

bool HasLegalMove(const Board& board, Player player) {
  for (int c = 1; c <= board.NodesW(); ++c) {
    for (int r = 1; r <= board.NodesH(); ++r) {
      if (IsLegalMove(board, c, r, player)) {
        return true;
      }
    }
  }
  return false;
}

void ClearPlay(Node& node) {
  node.Expanded = kFalse16;
  node.LinkUp = node.LinkLeft = node.LinkRight = node.LinkDown = 0;
  node.Owner = 0;
}

bool CheckNeutralise(Board& board, int column, int row) {
  // Only playable cells hold a node; the border ring's cells have no neighbours to look at.
  if (!IsPlayable(board, column, row)) {
    return false;
  }
  Node& node = board(column, row);
  if (node.Owner == 0 || !node.Exists) {
    return false;
  }
  const int hostileLinks = HostileLinksAt(board, column, row, node.Owner);
  if (hostileLinks > 1 || hostileLinks >= node.Degree) {
    ClearPlay(node);
    return true;
  }
  return false;
}

MoveOutcome ApplyMove(Board& board, int column, int row, Player mover) {
  if (!IsPlayable(board, column, row) || !board(column, row).Exists) {
    return MoveOutcome::NoMove;
  }
  // A peer's move message names its mover; a number other than 1 or 2 never becomes an owner.
  if (mover != 1 && mover != 2) {
    return MoveOutcome::NoMove;
  }
  Node& node = board(column, row);
  if (node.Owner == 0) {
    if (IsBlocked(board, column, row, mover)) {
      return MoveOutcome::Refused;
    }
    node.Owner = mover;
    return MoveOutcome::Claimed;
  }
  if (node.Owner != mover || node.Expanded) {
    return MoveOutcome::Refused;
  }
  // Expand: a link toward every existing neighbour, whoever owns it.
  for (const Neighbour& n : kNeighbours) {
    if (board(column + n.dc, row + n.dr).Exists) {
      LinkToward(node, n.side) = 1;
    }
  }
  node.Expanded = kTrue16;
  MoveOutcome outcome = MoveOutcome::Expanded;
  // All four checks run, even after one has neutralised.
  for (const Neighbour& n : kNeighbours) {
    if (CheckNeutralise(board, column + n.dc, row + n.dr)) {
      outcome = MoveOutcome::Neutralised;
    }
  }
  return outcome;
}

Refusal RefusalOf(const Board& board, int column, int row, Player mover) {
  if (!IsPlayable(board, column, row) || !board(column, row).Exists) {
    return Refusal::None;
  }
  const Node& node = board(column, row);
  if (node.Owner == 0) {
    return IsBlocked(board, column, row, mover) ? Refusal::Blocked : Refusal::None;
  }
  if (node.Owner != mover) {
    return Refusal::OpponentNode;
  }
  return node.Expanded ? Refusal::ExpandedNode : Refusal::None;
}

Tally CountScores(const Board& board) {
  Tally tally;
  for (int c = 1; c <= board.NodesW(); ++c) {
    for (int r = 1; r <= board.NodesH(); ++r) {
      const Node& node = board(c, r);
      // Boards from a peer are checked before they are taken, so an owner is always 0..2.
      const Player owner = node.Owner <= 2 ? node.Owner : 0;
      tally.Nodes[owner] += 1;
      tally.Links[owner] +=
          (node.LinkUp != 0) + (node.LinkRight != 0) + (node.LinkDown != 0) + (node.LinkLeft != 0);
    }
  }
  return tally;
}

}  // namespace vextal
