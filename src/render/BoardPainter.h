#pragma once

#include <cstdint>

#include <QPainter>
#include <QSizeF>

#include "game/Board.h"
#include "render/BoardGeometry.h"
#include "render/ColorSchemes.h"
#include "render/Colors.h"

namespace vextal {

// A rectangle as FillBox and DrawBox take it: left, top, right, bottom.
struct BoxRect {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  bool operator==(const BoxRect&) const = default;
};

BoxRect NodeSquare(const BoardGeometry& g, int column, int row);
BoxRect InnerSquare(const BoardGeometry& g, int column, int row);
BoxRect RightBar(const BoardGeometry& g, int column, int row);  // toward (column + 1, row)
BoxRect LowerBar(const BoardGeometry& g, int column, int row);  // toward (column, row + 1)

// The colour of a link bar by the sum of the two facing link bytes.
Rgb LinkColor(int linkSum);
// The colour of a node's square by its kind.
Rgb KindColor(std::uint8_t kind);
// The colour of a node's inner square by its owner.
Rgb OwnerColor(Player owner, Rgb colorP1, Rgb colorP2);

inline constexpr Rgb kOutlineColor = RGB(0, 0, 0);

// The columns 1..Columns and rows 1..Rows whose squares start inside a surface of this logical
// size; what lies beyond is never drawn.
struct VisibleGrid {
  int Columns = 0;
  int Rows = 0;
};
VisibleGrid VisibleCells(const Board& nodes, const BoardGeometry& g, QSizeF surface);

// How the window wants the board drawn beyond its plain squares and bars.
struct BoardLook {
  SchemeColors Colors;
  // Each player's squares carry a shape of their own: a ring for player 1, four dots for
  // player 2, which leave the middle of the square in the player's colour.
  bool ShapeMarks = true;
  // Free nodes blocked for this player (1 or 2) carry a small cross; 0 marks none.
  Player BlockedFor = 0;
};

// Draws the board onto an already cleared surface: first every link bar between two
// orthogonally adjacent nodes, then every node on top.
void PaintBoard(QPainter& dc, const Board& nodes, const BoardGeometry& g, Rgb colorP1, Rgb colorP2);
// The same board with the scheme's colours and the marks the look asks for on the nodes.
void PaintBoard(QPainter& dc, const Board& nodes, const BoardGeometry& g, const BoardLook& look);

// The shapes inside a node's inner square.
void PaintOwnerShape(QPainter& dc, const BoxRect& inner, Player owner, Rgb color);
void PaintBlockedMark(QPainter& dc, const BoxRect& inner, Rgb color);

}  // namespace vextal
