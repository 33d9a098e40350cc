// Painting the board into an image of a high-density screen: the same picture as at ratio 1,
// each logical pixel a solid block of image pixels, never a smoothed enlargement.
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QtTest>

#include "common/HiDpiNodePixels.h"
#include "game/Board.h"
#include "render/BoardPainter.h"
#include "render/mPaint.h"

using namespace vextal;

namespace {

const QColor kGrey(128, 128, 128);
constexpr Rgb kP1 = RGB(0, 150, 240);
constexpr Rgb kP2 = RGB(240, 150, 0);
constexpr int kWidth = 329;
constexpr int kHeight = 279;

// The board image of the window at a device pixel ratio: logical size x ratio image pixels.
QImage Paint(const Board& board, qreal ratio) {
  QImage image((QSizeF(kWidth, kHeight) * ratio).toSize(), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(kGrey);
  QPainter dc(&image);
  PaintBoard(dc, board, BoardGeometry{}, kP1, kP2);
  return image;
}

// Every colour the painter knows: owners, kinds (one foreign), and all three link sums.
Board Varied() {
  Board board(5, 4);
  for (int c = 1; c <= 5; ++c) {
    for (int r = 1; r <= 4; ++r) {
      board(c, r).Exists = (c == 4 && r == 1) || (c == 3 && r == 3) ? kFalse16 : kTrue16;
    }
  }
  board(1, 1).Owner = 1;
  board(1, 1).LinkRight = 1;  // (1,1)-(2,1): one way
  board(2, 1).Owner = 2;
  board(2, 2).LinkDown = 1;  // (2,2)-(2,3): both ways
  board(2, 3).LinkUp = 1;
  board(5, 4).Kind = 4;
  board(4, 2).Kind = 9;
  board(5, 4).Owner = 2;
  return board;
}

QRgb At(const QImage& image, int x, int y) {
  return image.pixel(x, y);
}

}  // namespace

class TestBoardPainterHiDpi : public QObject {
  Q_OBJECT

 private slots:
  void nodeSquareAtRatioTwoCoversDoublePixels() {
    Board board(5, 4);
    board(1, 1).Exists = kTrue16;
    board(1, 1).Owner = 1;
    const QImage image = Paint(board, 2.0);
    QCOMPARE(image.size(), QSize(658, 558));

    for (const testing::HiDpiSpan& span : testing::kNodeOneOneAtRatioTwo) {
      const QRgb expected = span.paint == testing::HiDpiPaint::Outside
                                ? kGrey.rgb()
                                : testing::HiDpiColour(span.paint);
      for (int y = span.y1; y <= span.y2; ++y) {
        for (int x = span.x1; x <= span.x2; ++x) {
          QVERIFY2(At(image, x, y) == expected,
                   qPrintable(QStringLiteral("image pixel (%1, %2)").arg(x).arg(y)));
        }
      }
    }
  }

  void ratioTwoIsRatioOneInBlocks() {
    const Board board = Varied();
    const QImage one = Paint(board, 1.0);
    const QImage two = Paint(board, 2.0);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const QRgb expected = At(one, x, y);
        for (int dy = 0; dy < 2; ++dy) {
          for (int dx = 0; dx < 2; ++dx) {
            if (At(two, 2 * x + dx, 2 * y + dy) != expected) {
              QFAIL(qPrintable(QStringLiteral("logical pixel (%1, %2) differs").arg(x).arg(y)));
            }
          }
        }
      }
    }
  }

  void fractionalRatioBlendsNoColours() {
    // At 150 % the blocks are uneven, but every image pixel still has one of the board's own
    // colours: no smoothing, no half-covered pixels mixed with their neighbours.
    const Board board = Varied();
    const QImage one = Paint(board, 1.0);
    const QImage wide = Paint(board, 1.5);
    QCOMPARE(wide.size(), QSize(494, 419));
    QSet<QRgb> colours;
    for (int y = 0; y < one.height(); ++y) {
      for (int x = 0; x < one.width(); ++x) {
        colours.insert(At(one, x, y));
      }
    }
    for (int y = 0; y < wide.height(); ++y) {
      for (int x = 0; x < wide.width(); ++x) {
        if (!colours.contains(At(wide, x, y))) {
          QFAIL(qPrintable(QStringLiteral("image pixel (%1, %2) is blended").arg(x).arg(y)));
        }
      }
    }
    // Node (1,1)'s left outline starts at image pixel 75 (logical 50).
    QCOMPARE(At(wide, 74, 80), kGrey.rgb());
    QCOMPARE(At(wide, 75, 80), qRgb(0, 0, 0));
  }
};

QTEST_MAIN(TestBoardPainterHiDpi)
#include "test_board_painter_hidpi.moc"
