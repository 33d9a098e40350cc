#include "shell/HowToPictures.h"

#include <QPainter>
#include <QPainterPath>

#include "game/Board.h"
#include "game/Rules.h"
#include "render/BoardGeometry.h"
#include "render/BoardPainter.h"

namespace vextal {

namespace {

constexpr int kColumns = 3;
constexpr int kRows = 2;
constexpr int kArrowWidth = 60;                     // pixels between the two boards
const QColor kPictureBackground(0x1e, 0x0a, 0x2e);  // the Help pages' own background
const QColor kArrowColor(0xe6, 0xe0, 0xff);

Board FullBoard() {
  Board b(kColumns, kRows);
  for (int r = 1; r <= kRows; ++r) {
    for (int c = 1; c <= kColumns; ++c) {
      b(c, r).Exists = kTrue16;
    }
  }
  for (int r = 1; r <= kRows; ++r) {
    for (int c = 1; c <= kColumns; ++c) {
      b(c, r).Degree = std::uint8_t(bool(b(c - 1, r).Exists) + bool(b(c + 1, r).Exists) +
                                    bool(b(c, r - 1).Exists) + bool(b(c, r + 1).Exists));
    }
  }
  return b;
}

// A move of the game: a claim on a free node, an expansion on one's own.
void Play(Board& b, int c, int r, Player p) {
  ApplyMove(b, c, r, p);
}

constexpr int kMargin = 10;  // pixels around each board

// A board's size in the picture: the playable grid and the margin around it.
int BoardWidth() {
  return 2 * kMargin + (kColumns - 1) * kBoardGeometry.GridStep + kBoardGeometry.NodeSize;
}
int BoardHeight() {
  return 2 * kMargin + (kRows - 1) * kBoardGeometry.GridStep + kBoardGeometry.NodeSize;
}

void PaintAt(QPainter& dc, const Board& b, int left) {
  dc.save();
  // The painter puts node (1, 1) one grid step in; the pictures start it a short margin in.
  dc.translate(left + kMargin - kBoardGeometry.GridStep, kMargin - kBoardGeometry.GridStep);
  PaintBoard(dc, b, kBoardGeometry, kColorP1, kColorP2);
  dc.restore();
}

QImage BeforeAfter(const Board& before, const Board& after) {
  const int boardW = BoardWidth();
  const int boardH = BoardHeight();
  QImage picture(boardW * 2 + kArrowWidth, boardH, QImage::Format_RGB32);
  picture.fill(kPictureBackground);
  QPainter dc(&picture);
  PaintAt(dc, before, 0);
  PaintAt(dc, after, boardW + kArrowWidth);
  // The arrow from the position before to the one after.
  const int y = boardH / 2;
  const int x1 = boardW + 10;
  const int x2 = boardW + kArrowWidth - 10;
  dc.setRenderHint(QPainter::Antialiasing);
  dc.setPen(QPen(kArrowColor, 3));
  dc.drawLine(x1, y, x2 - 6, y);
  QPainterPath head;
  head.moveTo(x2, y);
  head.lineTo(x2 - 10, y - 7);
  head.lineTo(x2 - 10, y + 7);
  head.closeSubpath();
  dc.fillPath(head, kArrowColor);
  return picture;
}

}  // namespace

QImage HowToPicture(const QString& name) {
  // Each picture is a position and the move player 1 (blue) or 2 (orange) makes in it; the
  // game's own rules make the position after it.
  Board b = FullBoard();
  int c = 0;
  int r = 0;
  Player mover = 1;
  if (name == QLatin1String("claim")) {
    // A free node becomes the mover's, without links.
    Play(b, 3, 2, 2);
    c = 2, r = 1;
  } else if (name == QLatin1String("expansion")) {
    // One's own node gets a link toward every neighbour, whoever owns it.
    Play(b, 2, 1, 1);
    Play(b, 3, 1, 2);
    c = 2, r = 1;
  } else if (name == QLatin1String("block")) {
    // Orange cannot claim the free nodes blue's links point at; the one beside them is open.
    Play(b, 1, 1, 1);
    Play(b, 1, 1, 1);
    Play(b, 3, 1, 2);
    c = 3, r = 2, mover = 2;
  } else if (name == QLatin1String("neutralisation")) {
    // The second blue link toward the orange node frees it and clears its links.
    Play(b, 1, 2, 1);
    Play(b, 1, 2, 1);
    Play(b, 2, 1, 1);
    Play(b, 2, 2, 2);
    Play(b, 2, 2, 2);
    c = 2, r = 1;
  } else {
    return QImage();
  }
  Board after = b;
  ApplyMove(after, c, r, mover);
  return BeforeAfter(b, after);
}

}  // namespace vextal
