#pragma once

#include <cstdint>

namespace vextal {

// Stored booleans keep their 16-bit width: true is -1, false is 0.
using Bool16 = std::int16_t;
inline constexpr Bool16 kTrue16 = -1;
inline constexpr Bool16 kFalse16 = 0;

// Player numbers: 1 and 2; 0 is nobody (a free node, or nobody to move yet).
using Player = std::uint8_t;

// One grid point. The field order is also the order of a node record in the board snapshot.
struct Node {
  Bool16 Exists = kFalse16;  // a node stands here on the current stage
  std::uint8_t Kind = 0;     // picks the node colour; 0 on every locally built board
  std::uint8_t LinkUp = 0;   // link toward (column, row - 1)
  std::uint8_t LinkLeft = 0;
  std::uint8_t LinkRight = 0;
  std::uint8_t LinkDown = 0;
  std::uint8_t Degree = 0;  // existing orthogonal neighbours, fixed when the stage is built
  Player Owner = 0;         // 0 free, 1 or 2
  Bool16 Expanded = kFalse16;

  bool operator==(const Node&) const = default;
};

}  // namespace vextal
