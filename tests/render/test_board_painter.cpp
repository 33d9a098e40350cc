#include <QImage>
#include <QPainter>
#include <QtTest>

#include "game/Board.h"
#include "render/BoardPainter.h"
#include "render/mPaint.h"

using namespace vextal;

namespace {

const QColor kGrey(128, 128, 128);
constexpr Rgb kP1 = RGB(0, 150, 240);
constexpr Rgb kP2 = RGB(240, 150, 0);

QImage Blank() {
  QImage image(329, 279, QImage::Format_RGB32);
  image.fill(kGrey);
  return image;
}

QImage Paint(const Board& board) {
  QImage image = Blank();
  QPainter dc(&image);
  PaintBoard(dc, board, BoardGeometry{}, kP1, kP2);
  return image;
}

QColor At(const QImage& image, int x, int y) {
  return QColor(image.pixel(x, y));
}

Board WithNodes(std::initializer_list<std::pair<int, int>> cells) {
  Board board(5, 4);
  for (const auto& [c, r] : cells) {
    board(c, r).Exists = kTrue16;
  }
  return board;
}

}  // namespace

class TestBoardPainter : public QObject {
  Q_OBJECT

 private slots:
  void fillBoxCoversHalfOpenRectangle() {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter dc(&image);
    const QPen pen(Qt::red);
    dc.setPen(pen);
    FillBox(dc, 1, 2, 4, 5, RGB(10, 20, 30));
    FillBox(dc, 6, 6, 6, 8, RGB(0, 0, 0));  // empty: nothing
    FillBox(dc, 7, 7, 5, 5, RGB(0, 0, 0));  // reversed: nothing
    QCOMPARE(dc.pen(), pen);                // the painter is left as it was
    dc.end();
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const bool inside = x >= 1 && x < 4 && y >= 2 && y < 5;
        QCOMPARE(At(image, x, y), inside ? QColor(10, 20, 30) : QColor(Qt::white));
      }
    }
  }

  void drawBoxOutlinesClosedRectangle() {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter dc(&image);
      dc.setRenderHint(QPainter::Antialiasing);  // must not blur the outline
      DrawBox(dc, 1, 2, 4, 5, RGB(0, 0, 0));
    }
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const bool inBox = x >= 1 && x <= 4 && y >= 2 && y <= 5;
        const bool border = inBox && (x == 1 || x == 4 || y == 2 || y == 5);
        QCOMPARE(At(image, x, y), border ? QColor(Qt::black) : QColor(Qt::white));
      }
    }
  }

  void placementOfTheElements() {
    const BoardGeometry g;
    QCOMPARE(NodeSquare(g, 1, 1), (BoxRect{50, 50, 80, 80}));
    QCOMPARE(InnerSquare(g, 1, 1), (BoxRect{55, 55, 75, 75}));
    QCOMPARE(RightBar(g, 1, 1), (BoxRect{80, 61, 100, 69}));
    QCOMPARE(LowerBar(g, 1, 1), (BoxRect{61, 80, 69, 100}));
    QCOMPARE(NodeSquare(g, 5, 4), (BoxRect{250, 200, 280, 230}));
    // An odd difference of node size and link width rounds half to even.
    BoardGeometry odd;
    odd.LinkWidth = 7;  // 0.5 * 23 = 11.5 -> 12, 0.5 * 37 = 18.5 -> 18
    QCOMPARE(RightBar(odd, 1, 1), (BoxRect{80, 62, 100, 68}));
  }

  void emptyBoardLeavesTheBackground() {
    QCOMPARE(Paint(Board(5, 4)), Blank());
    QCOMPARE(Paint(Board()), Blank());
  }

  void freeNodeSquareAndOutline() {
    const QImage image = Paint(WithNodes({{1, 1}}));
    // Filled x 50..79, y 50..79; the outline adds column 80 and row 80.
    QCOMPARE(At(image, 51, 51), QColor(150, 50, 200));
    QCOMPARE(At(image, 79, 54), QColor(150, 50, 200));
    QCOMPARE(At(image, 50, 65), QColor(Qt::black));
    QCOMPARE(At(image, 80, 65), QColor(Qt::black));
    QCOMPARE(At(image, 65, 80), QColor(Qt::black));
    QCOMPARE(At(image, 80, 80), QColor(Qt::black));
    QCOMPARE(At(image, 81, 65), kGrey);
    QCOMPARE(At(image, 65, 81), kGrey);
    QCOMPARE(At(image, 49, 49), kGrey);
    // Inner square 55..75 with its own outline, free colour inside.
    QCOMPARE(At(image, 55, 65), QColor(Qt::black));
    QCOMPARE(At(image, 75, 65), QColor(Qt::black));
    QCOMPARE(At(image, 56, 56), QColor(70, 20, 80));
    QCOMPARE(At(image, 74, 74), QColor(70, 20, 80));
    QCOMPARE(At(image, 76, 76), QColor(150, 50, 200));
    // No neighbour, no bar.
    QCOMPARE(At(image, 90, 65), kGrey);
    QCOMPARE(At(image, 65, 90), kGrey);
  }

  void barBetweenNeighboursByLinkSum() {
    Board board = WithNodes({{1, 1}, {2, 1}, {1, 2}});
    QImage image = Paint(board);
    // Right bar of (1,1): filled x 80..99, y 61..68, outlined through x 100 and y 69.
    QCOMPARE(At(image, 90, 62), QColor(60, 30, 70));
    QCOMPARE(At(image, 99, 68), QColor(60, 30, 70));
    QCOMPARE(At(image, 90, 61), QColor(Qt::black));
    QCOMPARE(At(image, 90, 69), QColor(Qt::black));
    QCOMPARE(At(image, 100, 65), QColor(Qt::black));  // meets the square of (2,1)
    QCOMPARE(At(image, 90, 60), kGrey);
    QCOMPARE(At(image, 90, 70), kGrey);
    // Lower bar of (1,1): x 61..68, y 80..99.
    QCOMPARE(At(image, 62, 90), QColor(60, 30, 70));
    QCOMPARE(At(image, 61, 90), QColor(Qt::black));
    QCOMPARE(At(image, 69, 90), QColor(Qt::black));
    QCOMPARE(At(image, 70, 90), kGrey);

    board(1, 1).LinkRight = 1;
    QCOMPARE(At(Paint(board), 90, 65), QColor(50, 100, 100));
    board(1, 1).LinkRight = 0;
    board(2, 1).LinkLeft = 1;
    QCOMPARE(At(Paint(board), 90, 65), QColor(50, 100, 100));
    board(1, 1).LinkRight = 1;
    QCOMPARE(At(Paint(board), 90, 65), QColor(100, 200, 50));
    // A link byte is set or not: 255 from a peer's board counts once, like 1.
    board(2, 1).LinkLeft = 0;
    board(1, 1).LinkRight = 255;
    QCOMPARE(At(Paint(board), 90, 65), QColor(50, 100, 100));
    board(1, 1).LinkRight = 1;
    board(2, 1).LinkLeft = 1;
    // The vertical bar reads the facing pair LinkDown / LinkUp only.
    QCOMPARE(At(Paint(board), 65, 90), QColor(60, 30, 70));
    board(1, 1).LinkDown = 1;
    board(1, 2).LinkUp = 1;
    QCOMPARE(At(Paint(board), 65, 90), QColor(100, 200, 50));
  }

  // A peer's board far larger than the picture costs what the picture shows, and looks the same
  // as its visible corner alone.
  void onlyWhatThePictureShowsIsPainted() {
    Board huge(255, 255);
    for (int c = 1; c <= 255; ++c) {
      for (int r = 1; r <= 255; ++r) {
        huge(c, r).Exists = kTrue16;
        huge(c, r).Owner = Player((c + r) % 3);
      }
    }
    const VisibleGrid visible = VisibleCells(huge, BoardGeometry{}, QSizeF(329, 279));
    QCOMPARE(visible.Columns, 6);
    QCOMPARE(visible.Rows, 5);
    // The corner with one more column and row, whose bars reach into the picture.
    QImage cornerImage = Blank();
    {
      Board withEdges(7, 6);
      for (int c = 1; c <= 7; ++c) {
        for (int r = 1; r <= 6; ++r) {
          withEdges(c, r) = huge(c, r);
        }
      }
      QPainter dc(&cornerImage);
      PaintBoard(dc, withEdges, BoardGeometry{}, kP1, kP2);
    }
    QCOMPARE(Paint(huge), cornerImage);
  }

  void noBarAcrossDiagonalsOrGaps() {
    const QImage image = Paint(WithNodes({{1, 1}, {2, 2}, {3, 1}}));
    QCOMPARE(At(image, 90, 65), kGrey);   // (1,1)-(2,1): (2,1) missing
    QCOMPARE(At(image, 140, 65), kGrey);  // (2,1)-(3,1)
    QCOMPARE(At(image, 65, 90), kGrey);   // (1,1)-(1,2)
    QCOMPARE(At(image, 90, 90), kGrey);   // the diagonal
    QCOMPARE(At(image, 115, 115), QColor(70, 20, 80));
  }

  void ownerAndKindColours() {
    Board board = WithNodes({{1, 1}, {3, 1}, {5, 1}, {1, 3}, {3, 3}, {5, 3}, {1, 4}});
    board(1, 1).Owner = 1;
    board(3, 1).Owner = 2;
    board(5, 1).Kind = 1;
    board(1, 3).Kind = 2;
    board(3, 3).Kind = 4;
    board(5, 3).Kind = 3;
    board(1, 4).Owner = 7;  // only foreign data could carry this
    const QImage image = Paint(board);
    QCOMPARE(At(image, 65, 65), QColor(0, 150, 240));
    QCOMPARE(At(image, 165, 65), QColor(240, 150, 0));
    QCOMPARE(At(image, 252, 52), QColor(100, 100, 200));
    QCOMPARE(At(image, 52, 152), QColor(0, 150, 100));
    QCOMPARE(At(image, 152, 152), QColor(200, 0, 50));
    const QColor unknownKind = At(image, 252, 152);
    for (const QColor& known : {QColor(150, 50, 200), QColor(100, 100, 200), QColor(0, 150, 100),
                                QColor(200, 0, 50), kGrey}) {
      QVERIFY(unknownKind != known);
    }
    QCOMPARE(At(image, 65, 215), QColor(70, 20, 80));
  }

  // In every scheme player 1's square carries a ring and player 2's four corner dots, the middle
  // keeping the player's colour; the players differ in grey too. A free node blocked for the
  // player the look names gets a cross; one blocked only for the other player does not.
  void schemeShapesAndBlockedMarks() {
    Board board = WithNodes({{1, 1}, {2, 1}, {1, 2}, {2, 2}});
    board(1, 1).Owner = 1;
    board(2, 1).Owner = 2;
    board(2, 1).LinkDown = 1;  // points at (2,2): blocked for player 1
    for (const ColorScheme scheme : kColorSchemes) {
      BoardLook look;
      look.Colors = ColorsOf(scheme);
      look.BlockedFor = 1;
      QImage image = Blank();
      QPainter dc(&image);
      PaintBoard(dc, board, BoardGeometry{}, look);
      dc.end();
      const SchemeColors& c = look.Colors;
      QCOMPARE(At(image, 65, 65), ToQColor(c.P1));     // the middle
      QCOMPARE(At(image, 58, 65), ToQColor(c.Mark1));  // the ring's left side
      QCOMPARE(At(image, 65, 58), ToQColor(c.Mark1));  // and its top
      QCOMPARE(At(image, 115, 65), ToQColor(c.P2));
      QCOMPARE(At(image, 108, 58), ToQColor(c.Mark2));  // a corner dot
      QCOMPARE(At(image, 115, 58), ToQColor(c.P2));     // between the dots: no ring
      QCOMPARE(At(image, 108, 65), ToQColor(c.P2));
      QVERIFY2(std::abs(qGray(ToQColor(c.P1).rgb()) - qGray(ToQColor(c.P2).rgb())) >= 40,
               qPrintable(QString::number(int(scheme))));
      QCOMPARE(At(image, 115, 115), ToQColor(c.Blocked));  // (2,2): the cross's middle
      QCOMPARE(At(image, 65, 115), QColor(70, 20, 80));    // (1,2) is free to play
    }
    // The plain painting has neither.
    const QImage plain = Paint(board);
    QCOMPARE(At(plain, 58, 65), QColor(0, 150, 240));
    QCOMPARE(At(plain, 115, 115), QColor(70, 20, 80));
  }

  void nodesLieOnTopOfBars() {
    // With squares wider than the grid step the nodes overlap and so do the bars' outlines;
    // the nodes, drawn after every bar, must cover them.
    BoardGeometry g;
    g.NodeSize = 60;
    Board board = WithNodes({{1, 1}, {2, 1}});
    QImage image = Blank();
    {
      QPainter dc(&image);
      PaintBoard(dc, board, g, kP1, kP2);
    }
    // The bar's outline runs along y = 76 from x 100 to 110, inside the square of (2,1).
    QCOMPARE(At(image, 102, 76), QColor(150, 50, 200));
  }
};

QTEST_GUILESS_MAIN(TestBoardPainter)
#include "test_board_painter.moc"
