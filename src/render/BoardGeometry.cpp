#include "render/BoardGeometry.h"

#include "game/Rounding.h"

namespace vextal {

std::optional<Cell> CellAt(const Board& nodes, const BoardGeometry& g, int x, int y) {
  // The node whose centre is nearest, in each axis.
  const double centre = 0.5 * g.NodeSize;
  const double column = RoundHalfEven((x - centre) / g.GridStep);
  const double row = RoundHalfEven((y - centre) / g.GridStep);
  if (!nodes.Contains(int(column), int(row)) || column < 0 || row < 0) {
    return std::nullopt;
  }
  return Cell{int(column), int(row)};
}

}  // namespace vextal
