#pragma once

#include "game/Board.h"

namespace vextal {

// The keyboard's place on the board: the node the arrow keys have framed. It is shown from the
// first arrow key on and hidden again by a mouse click, so a mouse player never sees it.
// It only ever rests on a node, and moves from node to node over the points without one.
class BoardCursor {
 public:
  enum class Step { Left, Right, Up, Down };

  bool Shown() const { return shown_; }
  int Column() const { return column_; }
  int Row() const { return row_; }

  // An arrow key: the first one shows the frame where the cursor rests, each further one moves
  // it to the nearest node in that direction; at the edge it stays. On a board without nodes
  // nothing is shown.
  void Move(const Board& board, Step step);
  // Shows the frame where the cursor rests (Tab reached the board); nothing on a board without
  // nodes.
  void Show(const Board& board) { shown_ = Settle(board); }
  // Shows the frame on the node at (column, row), as a hint does.
  void ShowAt(int column, int row) {
    shown_ = true;
    column_ = column;
    row_ = row;
  }
  // A mouse click on (column, row): the frame goes away and the next arrow key starts there.
  void HideAt(int column, int row);
  // The board changed: a frame left on a point without a node goes to the nearest node.
  void Follow(const Board& board);

 private:
  // Moves onto the node nearest to where the cursor rests; false when the board has none.
  bool Settle(const Board& board);

  bool shown_ = false;
  int column_ = 1;
  int row_ = 1;
};

}  // namespace vextal
