// The main window started with "Large (150 %)" remembered: the program reads the size before Qt
// starts, so this test does too, in its own main. Every window then scales as a whole.
#include <memory>

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QtTest>

#include "game/Random.h"
#include "shell/Front.h"
#include "shell/ShellSettings.h"
#include "shell/WindowFakes.h"
#include "shell/frmMain.h"

using namespace vextal;
using namespace vextal::testing;

class TestWindowSize : public QObject {
  Q_OBJECT

 public:
  explicit TestWindowSize(QString settingsFile) : settingsFile_(std::move(settingsFile)) {}

 private slots:
  void largeScalesTheWholeWindow() {
    QTemporaryDir folder;
    FakeClock clock{kWindowClockStartMs};
    SeededRandom random{11};
    RecordingDialogs dialogs;
    ShellSettings settings(settingsFile_);
    frmMain window(clock, random, dialogs, settings, folder.path());
    window.findChild<QTimer*>(QStringLiteral("tmrAI"))->stop();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.findChild<QAction*>(QStringLiteral("mnuSize1"))->isChecked());

    // The designed layout, one and a half screen pixels to each of its pixels.
    QCOMPARE(window.devicePixelRatioF(), 1.5);
    QCOMPARE(window.centralWidget()->size(), QSize(341, 327));
    QCOMPARE(window.centralWidget()->grab().size(), QSize(512, 491));
    // The board is painted at that density, not enlarged: node (1,1)'s outline starts at screen
    // pixel 75 (logical 50).
    window.findChild<QAction*>(QStringLiteral("mnuSetup6"))->trigger();
    const QImage& board = window.findChild<Front*>(QStringLiteral("Front"))->Image();
    QCOMPARE(board.size(), QSize(494, 419));
    QCOMPARE(board.pixel(75, 80), qRgb(0, 0, 0));
    QCOMPARE(board.pixel(80, 80), qRgb(150, 50, 200));
  }

 private:
  QString settingsFile_;
};

int main(int argc, char** argv) {
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("Vextal.conf"));
  ShellSettings(file).SetSize(WindowSize::Large);
  // As the program's main does, before the application exists.
  qunsetenv("QT_SCALE_FACTOR");
  ApplyWindowSizeBeforeStart(ShellSettings(file).Size());
  QApplication app(argc, argv);
  TestWindowSize test(file);
  return QTest::qExec(&test, argc, argv);
}

#include "test_window_size.moc"
