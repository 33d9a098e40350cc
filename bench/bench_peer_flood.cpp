// A peer flooding the program on a 255 x 255 board full of nodes: the time the program's side
// takes to handle what arrives, through the real main window (offscreen, fake dialogs) and its
// network side, until the windows show the result. Each iteration hands the messages to
// NetGame::wsReceive as cSocket does after one read that held them all, reads the board
// picture (the board paints lazily: reading it paints it, once however many messages came),
// then runs the event loop until the board, and the chat box where a line arrived, have been
// painted on screen.
// - BM_FloodRepaintOnly, the baseline: the board invalidated and painted once, nothing received.
// - BM_FloodUnlisted: a burst of 100 messages of a type the program does not know (item 0 "99"
//   and a 396-byte item, 402 bytes each on the wire).
// - BM_FloodChatLine/0: one chat line of 1 MB of letters; /1: 1 MB of line breaks ("\r\n"),
//   the hardest text for the chat box. The chat window is open (the first line opens it) and
//   the transcript full, so each line also pushes the oldest ones out.

#include <chrono>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QPlainTextEdit>

#include "QtBenchMain.h"
#include "game/Board.h"
#include "net/Message.h"
#include "shell/Front.h"
#include "shell/WindowFakes.h"
#include "shell/frmChat.h"
#include "shell/frmMain.h"
#include "stages/Stages.h"

using namespace vextal;
using vextal::testing::WindowRig;

namespace {

using BenchClock = std::chrono::steady_clock;

constexpr int kBoardSide = 255;
constexpr int kBurst = 100;
constexpr qsizetype kUnlistedItemBytes = 396;
constexpr qsizetype kChatLineBytes = 1'000'000;

// Counts the paint events of the widgets it watches.
class PaintWatch final : public QObject {
 public:
  int Paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++Paints;
    }
    return false;
  }
};

Board FullBoard() {
  Board board(kBoardSide, kBoardSide);
  for (int c = 1; c <= kBoardSide; ++c) {
    for (int r = 1; r <= kBoardSide; ++r) {
      board(c, r).Exists = kTrue16;
    }
  }
  ComputeDegrees(board);
  return board;
}

// The shown main window on the full board, its board and pending events settled.
struct FloodRig : WindowRig {
  Front* front = nullptr;
  PaintWatch boardPaints;

  FloodRig() {
    window->game().LoadBoard(FullBoard(), 1);
    front = window->findChild<Front*>(QStringLiteral("Front"));
    front->installEventFilter(&boardPaints);
    window->show();
    Settle();
  }

  void Receive(const Message& message) { window->net().wsReceive(&window->socket(), message); }

  static void Settle() {
    for (int i = 0; i < 3; ++i) {
      QCoreApplication::processEvents();
    }
  }

  // Paints the board picture, then runs the event loop until every watch has seen a paint.
  bool ShowResult(std::initializer_list<PaintWatch*> watches) {
    benchmark::DoNotOptimize(front->Image().constBits());
    const auto deadline = BenchClock::now() + std::chrono::seconds(5);
    const auto unpainted = [&] {
      for (const PaintWatch* watch : watches) {
        if (watch->Paints == 0) {
          return true;
        }
      }
      return false;
    };
    while (unpainted() && BenchClock::now() < deadline) {
      QCoreApplication::processEvents();
    }
    return !unpainted();
  }
};

// Times one round: receive() hands the messages over, then the result is shown. The counter
// receive_ms is the first part alone, the handlers without any painting.
template <typename Receive>
void TimeRounds(benchmark::State& state, FloodRig& rig, std::initializer_list<PaintWatch*> watches,
                Receive receive) {
  double receiveSeconds = 0;
  for (auto _ : state) {
    for (PaintWatch* watch : watches) {
      watch->Paints = 0;
    }
    const auto start = BenchClock::now();
    receive();
    const auto received = BenchClock::now();
    const bool shown = rig.ShowResult(watches);
    state.SetIterationTime(std::chrono::duration<double>(BenchClock::now() - start).count());
    receiveSeconds += std::chrono::duration<double>(received - start).count();
    if (!shown) {
      state.SkipWithError("the result was never painted");
      break;
    }
    FloodRig::Settle();
  }
  state.counters["receive_ms"] =
      benchmark::Counter(receiveSeconds * 1e3, benchmark::Counter::kAvgIterations);
}

void BM_FloodRepaintOnly(benchmark::State& state) {
  FloodRig rig;
  TimeRounds(state, rig, {&rig.boardPaints}, [&] { rig.window->DrawBoard(); });
}

void BM_FloodUnlisted(benchmark::State& state) {
  FloodRig rig;
  const Message unlisted{"99", QByteArray(kUnlistedItemBytes, 'u')};
  const std::vector<Message> burst(kBurst, unlisted);
  TimeRounds(state, rig, {&rig.boardPaints}, [&] {
    for (const Message& message : burst) {
      rig.Receive(message);
    }
  });
  state.SetItemsProcessed(state.iterations() * kBurst);
}

void BM_FloodChatLine(benchmark::State& state) {
  FloodRig rig;
  QByteArray text(kChatLineBytes, '\0');
  if (state.range(0) == 0) {
    for (qsizetype i = 0; i < text.size(); ++i) {
      text[i] = char('a' + i % 26);
    }
  } else {
    for (qsizetype i = 0; i < text.size(); ++i) {
      text[i] = i % 2 == 0 ? '\r' : '\n';
    }
  }
  const Message line{"36", text};
  // Opens the chat window and fills the transcript, so every timed line pushes old ones out.
  const qsizetype lineLength = ChatLog::kMaxLineLength + 1;
  for (qsizetype kept = 0; kept <= ChatLog::kMaxTranscriptLength; kept += lineLength) {
    rig.Receive(line);
  }
  FloodRig::Settle();
  frmChat* chat = rig.window->chat().Window();
  if (chat == nullptr) {
    state.SkipWithError("no chat window opened");
    return;
  }
  PaintWatch chatPaints;
  chat->txtLog()->viewport()->installEventFilter(&chatPaints);
  TimeRounds(state, rig, {&rig.boardPaints, &chatPaints}, [&] { rig.Receive(line); });
  state.SetBytesProcessed(state.iterations() * kChatLineBytes);
}

BENCHMARK(BM_FloodRepaintOnly)->UseManualTime()->MinTime(0.2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodUnlisted)->UseManualTime()->MinTime(0.2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodChatLine)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->MinTime(0.2)
    ->Unit(benchmark::kMillisecond);

}  // namespace

VEXTAL_BENCH_MAIN(QApplication)
