// The CPU levels in the game: the searching ones think off the user-interface thread, their
// answer is played on the tick, and an answer to a question that was dropped is never played.

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include "common/CoreRecorder.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

// A board large enough that Master thinks for a good while about it: every point a node.
Board FullBoard(int size) {
  Board board(static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size));
  for (int c = 1; c <= size; ++c) {
    for (int r = 1; r <= size; ++r) {
      board(c, r).Exists = kTrue16;
    }
  }
  ComputeDegrees(board);
  return board;
}

// Lets queued answers arrive for a while.
void RunEvents(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

class CpuLevelsTest : public QObject {
  Q_OBJECT

 private slots:
  // Master thinks for a few hundred milliseconds about a big board. A switch turned off drops
  // the question: however long one then waits, turning it on again and ticking at once plays
  // nothing, since the new question has had no time. A new game or board drops it as well.
  void droppedAnswerIsNeverPlayed_data() {
    QTest::addColumn<QString>("trigger");
    QTest::newRow("CPU switched off and on") << "cpu";
    QTest::newRow("demo switched off and on") << "demo";
    QTest::newRow("another level and back") << "level";
    QTest::newRow("program closing") << "close";
    QTest::newRow("new game") << "new game";
    QTest::newRow("board replaced") << "board";
  }
  void droppedAnswerIsNeverPlayed() {
    QFETCH(QString, trigger);
    CoreRig rig;
    rig.Place(FullBoard(12), 1);
    rig.game.ToggleCpuPlayer();
    rig.game.ToggleDemoPlayer();
    rig.game.SetCpuLevel(CpuLevel::Master);
    QVERIFY(rig.game.CpuThinking());

    const bool switchOff = trigger != "new game" && trigger != "board";
    if (trigger == "cpu") {
      rig.game.ToggleCpuPlayer();
    } else if (trigger == "demo") {
      rig.game.ToggleDemoPlayer();
    } else if (trigger == "level") {
      rig.game.SetCpuLevel(CpuLevel::Classic);
    } else if (trigger == "close") {
      rig.game.StopCpu();
    } else if (trigger == "new game") {
      rig.game.NewGame();
    } else {
      rig.Place(FullBoard(12), 1);
    }
    if (switchOff) {
      // The switch joined the search, whose answer is already posted: delivered here, unused.
      QCoreApplication::sendPostedEvents();
    } else {
      RunEvents(30);
    }
    if (trigger == "cpu") {
      rig.game.ToggleCpuPlayer();
    } else if (trigger == "demo") {
      rig.game.ToggleDemoPlayer();
    } else if (trigger == "level") {
      rig.game.SetCpuLevel(CpuLevel::Master);
    }
    rig.rec.Clear();
    rig.clock.Advance(5000);
    rig.game.CpuTick();
    QVERIFY2(rig.rec.Effects.filter(QStringLiteral("moved:")).isEmpty(),
             qPrintable(rig.rec.Effects.join(QLatin1Char(' '))));
  }

  // While Master thinks, the user-interface thread goes on: a timer keeps firing, and the answer
  // is played on the next tick once it has arrived.
  void windowStaysResponsiveWhileMasterThinks() {
    CoreRig rig;
    rig.Place(FullBoard(12), 1);
    rig.game.ToggleCpuPlayer();
    rig.game.ToggleDemoPlayer();
    rig.game.SetCpuLevel(CpuLevel::Master);
    int fired = 0;
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [&] { ++fired; });
    heartbeat.start(5);
    QElapsedTimer waited;
    waited.start();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.game.CpuThinking(), 5000);
    QVERIFY2(fired >= waited.elapsed() / 5 / 4, qPrintable(QString::number(fired)));
    rig.rec.Clear();
    rig.clock.Advance(5000);
    rig.game.CpuTick();
    QCOMPARE(rig.rec.Effects.filter(QStringLiteral("moved:1")).size(), 1);
  }

  // A hint thinks like the strongest level and never plays; a change of the position drops it
  // unseen. It is only for a person at this machine whose turn it is. Taking a move back drops
  // the CPU's search too.
  void hintFramesAMoveWithoutPlayingIt() {
    CoreRig rig;
    rig.Place(FullBoard(12), 1);
    std::optional<Cell> shown;
    const auto show = [&shown](Cell cell) { shown = cell; };
    QVERIFY(rig.game.AskHint(show));
    QVERIFY(rig.game.DoMove(6, 6, MoveSource::Person));
    QVERIFY(!rig.game.HintThinking());
    QCoreApplication::sendPostedEvents();  // the dropped hint's answer, joined and posted
    QVERIFY(!shown);

    const Board before = rig.game.Nodes();
    QVERIFY(rig.game.AskHint(show));
    QTRY_VERIFY_WITH_TIMEOUT(shown.has_value(), 5000);
    QVERIFY(rig.game.IsLegalMove(shown->Column, shown->Row, 2));
    QVERIFY(rig.game.Nodes() == before && rig.game.ActPlayer() == 2);

    rig.game.ToggleCpuPlayer();  // player 2, to move, is the CPU now
    QVERIFY(!rig.game.CanHint() && !rig.game.AskHint(show));
    rig.game.SetCpuLevel(CpuLevel::Master);
    QVERIFY(rig.game.CpuThinking());
    QVERIFY(rig.game.Undo());
    QVERIFY(!rig.game.CpuThinking());
    QVERIFY(rig.game.CanHint());
    rig.SetNet(true, true, true);
    QVERIFY(!rig.game.CanHint() && !rig.game.AskHint(show));
  }

  // A demo at each searching level plays whole games on a stage through the ticks.
  void everyLevelFinishesGamesThroughTheTicks() {
    for (const CpuLevel level : {CpuLevel::Good, CpuLevel::Strong, CpuLevel::Master}) {
      CoreRig rig;
      SetupStage(rig.game, 1, rig.random);
      rig.game.ToggleCpuPlayer();
      rig.game.ToggleDemoPlayer();
      rig.game.SetCpuLevel(level);
      for (int tick = 0; tick < 400 && rig.rec.GamesEnded < 2; ++tick) {
        QTRY_VERIFY_WITH_TIMEOUT(!rig.game.CpuThinking(), 5000);
        rig.clock.Advance(1000);
        rig.game.CpuTick();
      }
      QCOMPARE(rig.rec.GamesEnded, 2);
    }
  }

  // Perfect without a usable book still plays whole games, and says once that it has no book.
  void perfectWithoutBookSaysSoOnce() {
    CoreRig rig;
    rig.game.SetOpeningBookFile(QStringLiteral("/nonexistent/perfect.book"));
    rig.Place({"XXX", "X-X"}, 1);
    rig.game.ToggleCpuPlayer();
    rig.game.ToggleDemoPlayer();
    rig.game.SetCpuLevel(CpuLevel::Perfect);
    for (int tick = 0; tick < 100 && rig.rec.GamesEnded < 2; ++tick) {
      QTRY_VERIFY_WITH_TIMEOUT(!rig.game.CpuThinking(), 5000);
      rig.clock.Advance(1000);
      rig.game.CpuTick();
    }
    QCOMPARE(rig.rec.GamesEnded, 2);
    QCOMPARE(rig.rec.Effects.filter(QStringLiteral("book:unusable")).size(), 1);
  }
};

QTEST_GUILESS_MAIN(CpuLevelsTest)
#include "test_cpu_levels.moc"
