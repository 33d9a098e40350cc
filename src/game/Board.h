#pragma once

#include <cstdint>
#include <vector>

#include "game/Node.h"

namespace vextal {

// The board `Nodes`: columns 0..NodesW + 1 by rows 0..NodesH + 1, 1-based playable grid inside a
// ring of border cells that stay zero, so every neighbour of a playable cell is inside the array.
// A value type: replacing the board is assigning a new one.
class Board {
 public:
  Board() : Board(0, 0) {}
  Board(std::uint8_t nodesW, std::uint8_t nodesH)
      : w_(nodesW), h_(nodesH), cells_(std::size_t(nodesW + 2) * std::size_t(nodesH + 2)) {}

  std::uint8_t NodesW() const { return w_; }
  std::uint8_t NodesH() const { return h_; }

  // True for every cell of the array, border ring included.
  bool Contains(int column, int row) const {
    return column >= 0 && row >= 0 && column <= w_ + 1 && row <= h_ + 1;
  }

  // Cell access; the caller keeps (column, row) inside the array (see Contains).
  Node& operator()(int column, int row) { return cells_[Index(column, row)]; }
  const Node& operator()(int column, int row) const { return cells_[Index(column, row)]; }

  bool operator==(const Board&) const = default;

 private:
  std::size_t Index(int column, int row) const {
    return std::size_t(row) * std::size_t(w_ + 2) + std::size_t(column);
  }

  std::uint8_t w_;
  std::uint8_t h_;
  std::vector<Node> cells_;
};

}  // namespace vextal
