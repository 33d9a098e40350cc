#include "shell/BoardCursor.h"

#include <cstdlib>
#include <limits>

namespace vextal {

namespace {

bool HasNode(const Board& board, int column, int row) {
  return column >= 1 && row >= 1 && column <= board.NodesW() && row <= board.NodesH() &&
         board(column, row).Exists;
}

}  // namespace

bool BoardCursor::Settle(const Board& board) {
  if (HasNode(board, column_, row_)) {
    return true;
  }
  long best = std::numeric_limits<long>::max();
  bool found = false;
  for (int r = 1; r <= board.NodesH(); ++r) {
    for (int c = 1; c <= board.NodesW(); ++c) {
      const long distance = long(c - column_) * (c - column_) + long(r - row_) * (r - row_);
      if (board(c, r).Exists && distance < best) {
        best = distance;
        column_ = c;
        row_ = r;
        found = true;
      }
    }
  }
  return found;
}

void BoardCursor::Move(const Board& board, Step step) {
  if (!Settle(board)) {
    shown_ = false;
    return;
  }
  if (!shown_) {
    shown_ = true;
    return;
  }
  const int fromColumn = column_;
  const int fromRow = row_;
  const int dc = step == Step::Left ? -1 : step == Step::Right ? 1 : 0;
  const int dr = step == Step::Up ? -1 : step == Step::Down ? 1 : 0;
  // Among the nodes ahead, the one with the least distance ahead plus twice the distance aside:
  // a node straight ahead behind a gap wins over a neighbour one row off, a much nearer node off
  // the line wins over one far along it. Ties go to the node nearer the line.
  long bestCost = std::numeric_limits<long>::max();
  long bestAside = 0;
  for (int r = 1; r <= board.NodesH(); ++r) {
    for (int c = 1; c <= board.NodesW(); ++c) {
      const long ahead = long(c - fromColumn) * dc + long(r - fromRow) * dr;
      const long aside = std::labs(dc != 0 ? r - fromRow : c - fromColumn);
      const long cost = ahead + 2 * aside;
      if (ahead > 0 && board(c, r).Exists &&
          (cost < bestCost || (cost == bestCost && aside < bestAside))) {
        bestCost = cost;
        bestAside = aside;
        column_ = c;
        row_ = r;
      }
    }
  }
}

void BoardCursor::HideAt(int column, int row) {
  shown_ = false;
  column_ = column;
  row_ = row;
}

void BoardCursor::Follow(const Board& board) {
  if (shown_ && !Settle(board)) {
    shown_ = false;
  }
}

}  // namespace vextal
