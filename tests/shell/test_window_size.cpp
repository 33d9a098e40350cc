// The window size: the size kept from the last run is there at start, and a size chosen in the
// menu changes the running window at once, on a screen of 1280 x 1024 (this test's own main).
#include <memory>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTimer>
#include <QtTest>

#include "game/Random.h"
#include "shell/Front.h"
#include "shell/ShellSettings.h"
#include "shell/WindowFakes.h"
#include "shell/frmChat.h"
#include "shell/frmMain.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

struct SizeRig {
  explicit SizeRig(ShellSettings& settings)
      : window(clock, random, dialogs, settings, folder.path()) {
    window.findChild<QTimer*>(QStringLiteral("tmrAI"))->stop();
    window.show();
  }
  QAction* Item(const char* id) { return window.findChild<QAction*>(QString::fromLatin1(id)); }
  Front& Board() { return *window.findChild<Front*>(QStringLiteral("Front")); }

  QTemporaryDir folder;
  FakeClock clock{kWindowClockStartMs};
  SeededRandom random{11};
  RecordingDialogs dialogs;
  frmMain window;
};

bool Write(const QString& path, const QByteArray& text) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// The pixel size of the text of the page the Help viewer shows.
int PageFontPixels() {
  for (const QWidget* window : QApplication::topLevelWidgets()) {
    if (const auto* page = window->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"))) {
      QTextCursor text(page->document());
      text.movePosition(QTextCursor::NextCharacter);
      return text.charFormat().intProperty(QTextFormat::FontPixelSize);
    }
  }
  return 0;
}

}  // namespace

class TestWindowSize : public QObject {
  Q_OBJECT

 private slots:
  void keptSizeIsThereAtStart() {
    QTemporaryDir folder;
    ShellSettings settings(folder.filePath(QStringLiteral("Vextal.conf")));
    settings.SetSize(WindowSize::Large);
    SizeRig rig(settings);
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
    QVERIFY(rig.Item("mnuSize1")->isChecked());
    // The designed layout at one and a half times its pixels, on a screen of ratio 1.
    QCOMPARE(rig.window.devicePixelRatioF(), 1.0);
    QCOMPARE(rig.window.centralWidget()->size(), QSize(512, 491));
    // The board is painted at that size, not enlarged: node (1,1)'s outline starts at pixel 75
    // (design 50).
    rig.Item("mnuSetup6")->trigger();
    const QImage& board = rig.Board().Image();
    QCOMPARE(board.size(), QSize(493, 418));
    QCOMPARE(board.pixel(75, 80), qRgb(0, 0, 0));
    QCOMPARE(board.pixel(80, 80), qRgb(150, 50, 200));
  }

  // Mid-game: the board, the fonts and the menus grow by the factor, the window fits its screen
  // from the corner it stood in, a click still plays the node under it, and Normal is the
  // designed look again.
  void chosenSizeTakesEffectAtOnce() {
    QTemporaryDir folder;
    ShellSettings settings(folder.filePath(QStringLiteral("Vextal.conf")));
    SizeRig rig(settings);
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
    rig.Item("mnuSetup6")->trigger();
    rig.window.game().PlayCell(1, 1);
    rig.window.chat().ShowChat();
    QVERIFY(Write(rig.folder.filePath("readme.css"), "body { font: 15px sans-serif; }") &&
            Write(rig.folder.filePath("readme_en.html"),
                  R"(<html><head><link rel="stylesheet" type="text/css" href="readme.css"></head>)"
                  "<body><p>Text</p></body></html>"));
    rig.Item("mnuReadmeEN")->trigger();
    QCOMPARE(PageFontPixels(), 15);
    const QImage normal = rig.Board().Image();
    const int menuFont = rig.window.menuBar()->fontInfo().pixelSize();
    const QRect screen = rig.window.screen()->availableGeometry();
    rig.window.move(screen.bottomRight() - QPoint(200, 200));

    rig.Item("mnuSize2")->trigger();  // Huge (200 %)
    QCOMPARE(settings.Size(), WindowSize::Huge);
    QVERIFY(rig.Item("mnuSize2")->isChecked());
    QCOMPARE(rig.window.centralWidget()->size(), QSize(682, 654));
    const QImage huge = rig.Board().Image();
    QCOMPARE(huge.size(), normal.size() * 2);
    QCOMPARE(huge.pixel(2 * 60, 2 * 60), normal.pixel(60, 60));  // the node played, (1,1)
    QCOMPARE(rig.window.findChild<QLabel*>(QStringLiteral("lblState"))->font().pixelSize(), 18);
    // The name of the player to move is bold, and as large as the rest of its row.
    QCOMPARE(rig.window.findChild<QLabel*>(QStringLiteral("lblPlayer2"))->fontInfo().pixelSize(),
             20);
    // The program's font arrives from the event loop, and with it the menu bar's new height.
    QTRY_VERIFY(rig.window.menuBar()->fontInfo().pixelSize() >= 2 * menuFont - 1);
    QCOMPARE(rig.window.chat().Window()->cmdMenu()->size(), QSize(36, 36));
    QCOMPARE(PageFontPixels(), 30);
    QVERIFY(screen.contains(rig.window.frameGeometry()));
    const int mover = rig.window.game().ActPlayer();
    QTest::mouseClick(&rig.Board(), Qt::LeftButton, {},
                      rig.Board().ToWidget(QRect(100, 50, 30, 30)).center());  // node (2,1)
    QCOMPARE(int(rig.window.game().Nodes()(2, 1).Owner), mover);

    rig.Item("mnuSize0")->trigger();
    QCOMPARE(rig.window.centralWidget()->size(), QSize(341, 327));
    QCOMPARE(rig.Board().Image().size(), normal.size());
    QTRY_COMPARE(rig.window.menuBar()->fontInfo().pixelSize(), menuFont);
  }
};

int main(int argc, char** argv) {
  // A screen large enough for every size.
  QTemporaryDir folder;
  const QString config = folder.filePath(QStringLiteral("screens.json"));
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(R"({"screens": [{"name": "big", "x": 0, "y": 0, "width": 1280, "height": 1024,
                     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0) {
    return 1;
  }
  file.close();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
  QApplication app(argc, argv);
  TestWindowSize test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_window_size.moc"
