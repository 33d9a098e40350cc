// Start-up on the offscreen platform: constructing the window, showing it and painting it for
// the first time, timed until the paint is done.
// - BM_StartupBareWindow, the baseline: a QMainWindow holding one label.
// - BM_StartupFrmMain/0: the main window with a program folder without sounds or tunes, so the
//   sound system stays closed; the window's own cost.
// - BM_StartupFrmMain/1: the main window with the program's real folder: the first game's
//   "reset.wav" opens the audio device (SDL's dummy driver here), as the program does.
// The window is destroyed outside the timed part.

#include <chrono>
#include <cstdio>
#include <memory>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QTemporaryDir>

#include "QtBenchMain.h"
#include "common/NullView.h"
#include "game/Clock.h"
#include "game/Random.h"
#include "shell/frmMain.h"

using namespace vextal;
using namespace vextal::bench;
using vextal::testing::NullView;

namespace {

using BenchClock = std::chrono::steady_clock;

// The offscreen platform warns once for every window shown that it ignores size hints; thousands
// of windows are shown here. Every other message goes through as usual.
void DropSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text);
const QtMessageHandler gDefaultHandler = qInstallMessageHandler(DropSizeHintWarnings);

void DropSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.contains(QLatin1String("propagateSizeHints"))) {
    return;
  }
  if (gDefaultHandler != nullptr) {
    gDefaultHandler(type, context, text);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
  }
}

// Notes the first paint event of the widget it watches.
class PaintWatch final : public QObject {
 public:
  bool Painted = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      Painted = true;
    }
    return false;
  }
};

// Shows the window and runs the event loop until `painted` has been painted; the paint itself
// ends within the same pass of the loop.
bool ShowUntilPainted(QWidget& window, QWidget* painted) {
  PaintWatch watch;
  painted->installEventFilter(&watch);
  window.show();
  const auto deadline = BenchClock::now() + std::chrono::seconds(5);
  while (!watch.Painted && BenchClock::now() < deadline) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  painted->removeEventFilter(&watch);
  return watch.Painted;
}

// Lets the windows of the last iteration go completely before the next one is timed.
void Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

std::unique_ptr<QMainWindow> BareWindow() {
  auto window = std::make_unique<QMainWindow>();
  window->setWindowTitle(QStringLiteral("Vextal"));
  window->setCentralWidget(new QLabel(QStringLiteral("System ready."), window.get()));
  return window;
}

void BM_StartupBareWindow(benchmark::State& state) {
  {
    auto warm = BareWindow();
    ShowUntilPainted(*warm, warm->centralWidget());
  }
  Settle();
  for (auto _ : state) {
    const auto start = BenchClock::now();
    auto window = BareWindow();
    const bool painted = ShowUntilPainted(*window, window->centralWidget());
    state.SetIterationTime(std::chrono::duration<double>(BenchClock::now() - start).count());
    window.reset();
    Settle();
    if (!painted) {
      state.SkipWithError("the window was never painted");
      break;
    }
  }
}

struct Collaborators {
  SteadyClock clock;
  SeededRandom random{1};
  NullView dialogs;
};

std::unique_ptr<frmMain> MainWindow(Collaborators& with, const QString& folder) {
  return std::make_unique<frmMain>(with.clock, with.random, with.dialogs, folder);
}

void BM_StartupFrmMain(benchmark::State& state) {
  QTemporaryDir empty;
  const QString folder =
      state.range(0) == 0 ? empty.path() : QStringLiteral(VEXTAL_BENCH_PROGRAM_FOLDER);
  Collaborators with;
  {
    auto warm = MainWindow(with, folder);
    ShowUntilPainted(*warm, warm->findChild<QWidget*>(QStringLiteral("Front")));
  }
  Settle();
  for (auto _ : state) {
    const auto start = BenchClock::now();
    auto window = MainWindow(with, folder);
    const bool painted =
        ShowUntilPainted(*window, window->findChild<QWidget*>(QStringLiteral("Front")));
    state.SetIterationTime(std::chrono::duration<double>(BenchClock::now() - start).count());
    window.reset();
    Settle();
    if (!painted) {
      state.SkipWithError("the board was never painted");
      break;
    }
  }
}

BENCHMARK(BM_StartupBareWindow)->UseManualTime()->MinTime(0.2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupFrmMain)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->MinTime(0.2)
    ->Unit(benchmark::kMillisecond);

}  // namespace

VEXTAL_BENCH_MAIN(QApplication)
