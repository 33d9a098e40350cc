// The main window on a screen at 200 % scaling (run with QT_SCALE_FACTOR=2): the board, its
// background and the icon are painted at the screen's density, and clicks still land on the
// logical pixels of the board.
#include <memory>

#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "common/HiDpiNodePixels.h"
#include "game/Random.h"
#include "shell/Artwork.h"
#include "shell/Front.h"
#include "shell/WindowFakes.h"
#include "shell/frmMain.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

constexpr qreal kRatio = 2.0;

struct Rig {
  QTemporaryDir folder;
  FakeClock clock{kWindowClockStartMs};
  SeededRandom random{7};
  RecordingDialogs dialogs;
  std::unique_ptr<frmMain> window;
  Front* front = nullptr;

  Rig() {
    window = std::make_unique<frmMain>(clock, random, dialogs, folder.path());
    window->findChild<QTimer*>(QStringLiteral("tmrAI"))->stop();
    front = window->findChild<Front*>(QStringLiteral("Front"));
    window->show();
  }
  void Stage(int n) { window->findChild<QAction*>(QStringLiteral("mnuSetup%1").arg(n))->trigger(); }
  void ClickNode(int c, int r) {
    const QPoint at = front->ClientOrigin() + QPoint(50 * c + 15, 50 * r + 15);
    QTest::mousePress(front, Qt::LeftButton, {}, at);
    QTest::mouseRelease(front, Qt::LeftButton, {}, at);
  }
  QRgb Device(int x, int y) const { return front->Image().pixel(x, y); }
};

bool Near(QRgb a, QRgb b, int tolerance) {
  return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
         qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

}  // namespace

class TestWindowHiDpi : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (!qFuzzyCompare(qApp->devicePixelRatio(), kRatio)) {
      QSKIP("needs QT_SCALE_FACTOR=2 in the environment");
    }
  }

  void boardIsPaintedAtTheScreenRatio() {
    Rig rig;
    QCOMPARE(rig.front->devicePixelRatioF(), kRatio);
    QCOMPARE(rig.front->Image().devicePixelRatio(), kRatio);
    QCOMPARE(rig.front->Image().size(), QSize(658, 558));
    QCOMPARE(rig.front->contentsRect().size(), QSize(329, 279));  // logical size unchanged

    rig.Stage(6);
    rig.Stage(6);         // player 1 to move
    rig.ClickNode(1, 1);  // a click at logical (65, 65) claims node (1,1)
    QCOMPARE(rig.window->game().Nodes()(1, 1).Owner, Player(1));

    // The same pixels as the painter gives at this ratio; around the node lies the background,
    // and the player's ring lies inside the owner's square in the player's dark shade.
    for (const HiDpiSpan& span : kNodeOneOneAtRatioTwo) {
      for (int y = span.y1; y <= span.y2; ++y) {
        for (int x = span.x1; x <= span.x2; ++x) {
          const QRgb at = rig.Device(x, y);
          const bool ok = span.paint == HiDpiPaint::Outside ? at != HiDpiColour(HiDpiPaint::Outline)
                          : span.paint == HiDpiPaint::Owner
                              ? at == HiDpiColour(span.paint) || at == qRgb(0, 60, 120)
                              : at == HiDpiColour(span.paint);
          QVERIFY2(ok, qPrintable(QStringLiteral("image pixel (%1, %2)").arg(x).arg(y)));
        }
      }
    }

    // The window shows the image pixel for pixel, not enlarged from a smaller one (without the
    // last move's mark, which lies over it).
    rig.window->findChild<QAction*>(QStringLiteral("mnuMarkLastMove"))->trigger();
    const QImage shown = rig.front->grab().toImage();
    QCOMPARE(shown.devicePixelRatio(), kRatio);
    const QPoint origin = rig.front->ClientOrigin() * 2;
    for (int x = 98; x <= 164; ++x) {
      QCOMPARE(shown.pixel(origin + QPoint(x, 104)), rig.Device(x, 104));
    }
  }

  void backgroundIsPaintedAtTheScreenRatio() {
    Rig rig;
    rig.window->mnuSetup_Click(0);  // no nodes: the background alone
    const QImage one = BoardBackground(1.0);
    const QImage& two = rig.front->Image();
    QCOMPARE(two.size(), one.size() * 2);
    // Every logical pixel is a 2 x 2 block of its ratio-1 colour; the sky's gradient may step
    // a shade differently at the finer resolution, the grid lines and slots may not move.
    for (int y = 0; y < one.height(); ++y) {
      for (int x = 0; x < one.width(); ++x) {
        for (const QPoint& d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
          const QPoint at = QPoint(x, y) * 2 + d;
          if (!Near(two.pixel(at), one.pixel(x, y), 2)) {
            QFAIL(qPrintable(QStringLiteral("logical pixel (%1, %2) differs").arg(x).arg(y)));
          }
        }
      }
    }
  }

  void anotherRatioRepaintsTheBoard() {
    Rig rig;
    rig.Stage(6);
    const QImage sharp = rig.front->Image();
    // As if the window had come from a screen of ratio 1: the next repaint notices and the
    // window paints the board again at the screen's ratio.
    rig.front->Image() = QImage(329, 279, QImage::Format_RGB32);
    QSignalSpy spy(rig.front, &Front::DevicePixelRatioChanged);
    rig.front->grab();
    QCOMPARE(spy.size(), 1);
    QCOMPARE(rig.front->Image().devicePixelRatio(), kRatio);
    QCOMPARE(rig.front->Image(), sharp);
    rig.front->grab();
    QCOMPARE(spy.size(), 1);  // once in step, no more
  }

  void iconsAreSharp() {
    Rig rig;
    const QPixmap held = rig.window->findChild<QLabel*>(QStringLiteral("imgIcon"))->pixmap();
    QCOMPARE(held.devicePixelRatio(), kRatio);
    QCOMPARE(held.size(), QSize(64, 64));
    // Every pixel of the 32-pixel design is a solid 2 x 2 block: not a smoothed enlargement,
    // which would blend the outlines into their neighbours.
    const QImage design = ProgramIconImage(32);
    const QImage shown = held.toImage().convertToFormat(design.format());
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        if (shown.pixel(x, y) != design.pixel(x / 2, y / 2)) {
          QFAIL(qPrintable(QStringLiteral("icon pixel (%1, %2) is blended").arg(x).arg(y)));
        }
      }
    }
    // The window's icon at the classic sizes and at twice them for this screen.
    const QList<QSize> sizes = rig.window->windowIcon().availableSizes();
    for (int size : kWindowIconSizes) {
      QVERIFY(sizes.contains(QSize(size, size)));
      QVERIFY(sizes.contains(QSize(2 * size, 2 * size)));
    }
  }

  void largeIconsAreTheSmallOneEnlarged() {
    // Laid out on a 32-pixel grid: at every multiple of 32 the icon is the 32-pixel one with
    // each pixel a solid block, outlines included.
    const QImage base = ProgramIconImage(32);
    for (int size : {64, 128, 256}) {
      QCOMPARE(ProgramIconImage(size), base.scaled(size, size));
    }
    const QImage odd = ProgramIconImage(48);
    QCOMPARE(odd.size(), QSize(48, 48));
    QCOMPARE(odd.pixel(24, 24), base.pixel(16, 16));
  }
};

QTEST_MAIN(TestWindowHiDpi)
#include "test_window_hidpi.moc"
