#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <utility>

#include "game/Board.h"
#include "game/CpuStrategy.h"

namespace vextal {

// A position of the game in progress: everything a move changes, so putting it back returns the
// game exactly (the scores follow from the board).
struct Position {
  Board Nodes;
  Player ActPlayer = 0;
  std::optional<Cell> LastMove;  // the cell played last on this board, if any
};

// The positions before each move of the current game, newest last, so moves can be taken back.
// Bounded: a very long game forgets its oldest positions first.
class UndoHistory {
 public:
  static constexpr std::size_t kDepth = 1000;

  void Push(Position position) {
    if (positions_.size() == kDepth) {
      positions_.pop_front();
    }
    positions_.push_back(std::move(position));
  }
  // The newest position, taken out of the history; the history must not be empty.
  Position Pop() {
    Position newest = std::move(positions_.back());
    positions_.pop_back();
    return newest;
  }
  void Clear() { positions_.clear(); }
  bool Empty() const { return positions_.empty(); }
  const std::deque<Position>& Positions() const { return positions_; }

 private:
  std::deque<Position> positions_;
};

}  // namespace vextal
