#include "render/BoardPainter.h"

#include <algorithm>

#include "game/Rounding.h"
#include "game/Rules.h"
#include "render/mPaint.h"

namespace vextal {

namespace {

// Where a bar starts or ends across its length: base + half of (NodeSize -/+ LinkWidth),
// rounded half to even so odd differences still land on a whole pixel.
int HalfOffset(std::int32_t base, double span) {
  return int(RoundHalfEven(base + 0.5 * span));
}

// The links that face each other across a bar; a link is set when its byte is non-zero, whatever
// value a peer's board gave it.
int LinkSum(std::uint8_t a, std::uint8_t b) {
  return (a != 0 ? 1 : 0) + (b != 0 ? 1 : 0);
}

void FillAndOutline(QPainter& dc, const BoxRect& box, Rgb fill) {
  FillBox(dc, box.x1, box.y1, box.x2, box.y2, fill);
  DrawBox(dc, box.x1, box.y1, box.x2, box.y2, kOutlineColor);
}

}  // namespace

BoxRect NodeSquare(const BoardGeometry& g, int column, int row) {
  const int left = g.GridStep * column;
  const int top = g.GridStep * row;
  return {left, top, left + g.NodeSize, top + g.NodeSize};
}

BoxRect InnerSquare(const BoardGeometry& g, int column, int row) {
  const BoxRect outer = NodeSquare(g, column, row);
  return {outer.x1 + g.NodeInset, outer.y1 + g.NodeInset, outer.x2 - g.NodeInset,
          outer.y2 - g.NodeInset};
}

BoxRect RightBar(const BoardGeometry& g, int column, int row) {
  const int top = g.GridStep * row;
  return {g.GridStep * column + g.NodeSize, HalfOffset(top, g.NodeSize - g.LinkWidth),
          g.GridStep * (column + 1), HalfOffset(top, g.NodeSize + g.LinkWidth)};
}

BoxRect LowerBar(const BoardGeometry& g, int column, int row) {
  const int left = g.GridStep * column;
  return {HalfOffset(left, g.NodeSize - g.LinkWidth), g.GridStep * row + g.NodeSize,
          HalfOffset(left, g.NodeSize + g.LinkWidth), g.GridStep * (row + 1)};
}

Rgb LinkColor(int linkSum) {
  switch (linkSum) {
    case 0:
      return RGB(60, 30, 70);
    case 1:
      return RGB(50, 100, 100);
    default:
      // 2 is links both ways; larger sums only come from foreign board data and look the same.
      return RGB(100, 200, 50);
  }
}

Rgb KindColor(std::uint8_t kind) {
  switch (kind) {
    case 0:
      return RGB(150, 50, 200);
    case 1:
      return RGB(100, 100, 200);
    case 2:
      return RGB(0, 150, 100);
    case 4:
      return RGB(200, 0, 50);
    default:
      // No local board has other kinds; a neutral grey keeps foreign ones visible.
      return RGB(160, 160, 160);
  }
}

Rgb OwnerColor(Player owner, Rgb colorP1, Rgb colorP2) {
  switch (owner) {
    case 1:
      return colorP1;
    case 2:
      return colorP2;
    default:
      // Free; an invalid owner (never taken from a peer) is shown as free as well.
      return RGB(70, 20, 80);
  }
}

VisibleGrid VisibleCells(const Board& nodes, const BoardGeometry& g, QSizeF surface) {
  // A node's square starts at GridStep * index; anything starting past the surface is unseen.
  const auto last = [&](double extent, int count) {
    return std::clamp(int(extent / g.GridStep), 0, count);
  };
  return {last(surface.width(), nodes.NodesW()), last(surface.height(), nodes.NodesH())};
}

void PaintBoard(QPainter& dc, const Board& nodes, const BoardGeometry& g, Rgb colorP1,
                Rgb colorP2) {
  BoardLook look;
  look.Colors.P1 = colorP1;
  look.Colors.P2 = colorP2;
  look.ShapeMarks = false;
  PaintBoard(dc, nodes, g, look);
}

void PaintOwnerShape(QPainter& dc, const BoxRect& inner, Player owner, Rgb color) {
  // Both shapes keep two pixels of the player's colour along the outline and the middle free, so
  // the colour still reads at a glance; they differ in grey and to any colour vision.
  const int side = inner.x2 - inner.x1;
  const int dot = std::max(2, side / 7);
  const int in = std::max(2, side / 6);
  if (owner == 1) {  // a ring
    const BoxRect r{inner.x1 + in, inner.y1 + in, inner.x2 - in, inner.y2 - in};
    FillBox(dc, r.x1, r.y1, r.x2, r.y1 + dot, color);
    FillBox(dc, r.x1, r.y2 - dot, r.x2, r.y2, color);
    FillBox(dc, r.x1, r.y1, r.x1 + dot, r.y2, color);
    FillBox(dc, r.x2 - dot, r.y1, r.x2, r.y2, color);
  } else if (owner == 2) {  // four dots, one in each corner
    for (const int x : {inner.x1 + in, inner.x2 - in - dot}) {
      for (const int y : {inner.y1 + in, inner.y2 - in - dot}) {
        FillBox(dc, x, y, x + dot, y + dot, color);
      }
    }
  }
}

void PaintBlockedMark(QPainter& dc, const BoxRect& inner, Rgb color) {
  // A small diagonal cross in the middle of the free square, one pixel wide.
  const int side = inner.x2 - inner.x1;
  const int arm = std::max(2, side / 4);
  const int cx = inner.x1 + side / 2;
  const int cy = inner.y1 + (inner.y2 - inner.y1) / 2;
  for (int i = -arm; i < arm; ++i) {
    FillBox(dc, cx + i, cy + i, cx + i + 1, cy + i + 1, color);
    FillBox(dc, cx + i, cy - i - 1, cx + i + 1, cy - i, color);
  }
}

void PaintBoard(QPainter& dc, const Board& nodes, const BoardGeometry& g, const BoardLook& look) {
  const Rgb colorP1 = look.Colors.P1;
  const Rgb colorP2 = look.Colors.P2;
  // A peer's board may be far larger than the picture: only what can be seen is drawn, so the
  // cost follows the window, not the board.
  QSizeF surface(0, 0);
  if (const QPaintDevice* device = dc.device()) {
    surface = QSizeF(device->width(), device->height()) / device->devicePixelRatioF();
  }
  const VisibleGrid visible = VisibleCells(nodes, g, surface);
  const int w = visible.Columns;
  const int h = visible.Rows;

  // Links pass. The border ring never holds a node, so the last column and row draw nothing
  // outward.
  for (int c = 1; c <= w; ++c) {
    for (int r = 1; r <= h; ++r) {
      const Node& node = nodes(c, r);
      if (!node.Exists) {
        continue;
      }
      const Node& right = nodes(c + 1, r);
      if (right.Exists) {
        FillAndOutline(dc, RightBar(g, c, r), LinkColor(LinkSum(right.LinkLeft, node.LinkRight)));
      }
      const Node& below = nodes(c, r + 1);
      if (below.Exists) {
        FillAndOutline(dc, LowerBar(g, c, r), LinkColor(LinkSum(below.LinkUp, node.LinkDown)));
      }
    }
  }

  // Nodes pass, on top of the bars.
  for (int c = 1; c <= w; ++c) {
    for (int r = 1; r <= h; ++r) {
      const Node& node = nodes(c, r);
      if (!node.Exists) {
        continue;
      }
      const BoxRect square = NodeSquare(g, c, r);
      const BoxRect inner = InnerSquare(g, c, r);
      FillBox(dc, square.x1, square.y1, square.x2, square.y2, KindColor(node.Kind));
      FillBox(dc, inner.x1, inner.y1, inner.x2, inner.y2, OwnerColor(node.Owner, colorP1, colorP2));
      DrawBox(dc, square.x1, square.y1, square.x2, square.y2, kOutlineColor);
      DrawBox(dc, inner.x1, inner.y1, inner.x2, inner.y2, kOutlineColor);
      if (look.ShapeMarks && (node.Owner == 1 || node.Owner == 2)) {
        PaintOwnerShape(dc, inner, node.Owner,
                        node.Owner == 1 ? look.Colors.Mark1 : look.Colors.Mark2);
      }
      if (look.BlockedFor != 0 && node.Owner == 0 && IsBlocked(nodes, c, r, look.BlockedFor)) {
        PaintBlockedMark(dc, inner, look.Colors.Blocked);
      }
    }
  }
}

}  // namespace vextal
