#pragma once

#include <cstdint>
#include <optional>

#include "game/Board.h"
#include "game/CpuStrategy.h"
#include "render/Colors.h"

namespace vextal {

// The board's geometry in pixels of the board picture: node (column, row) has its square at
// (GridStep * column, GridStep * row). The hit test, the painter and the artwork all use it.
struct BoardGeometry {
  std::int32_t GridStep = 50;  // between neighbouring grid points, both ways
  std::int32_t NodeSize = 30;  // side of a node's square
  std::int32_t LinkWidth = 8;  // thickness of a link bar
  std::int32_t NodeInset = 5;  // inset of the owner square inside the node's square

  bool operator==(const BoardGeometry&) const = default;
};

// The geometry of the board picture as the window shows it.
inline constexpr BoardGeometry kBoardGeometry{};

// The grid position nearest to a pixel of the board picture, or nothing when it falls outside
// the board array (the border ring counts: a click there plays nothing).
std::optional<Cell> CellAt(const Board& nodes, const BoardGeometry& g, int x, int y);

// The player colours: bright while that player is to move (and on the board), dark otherwise.
inline constexpr Rgb kColorP1 = RGB(0, 150, 240);
inline constexpr Rgb kColorP1Dark = RGB(0, 60, 120);
inline constexpr Rgb kColorP2 = RGB(240, 150, 0);
inline constexpr Rgb kColorP2Dark = RGB(120, 60, 0);

}  // namespace vextal
