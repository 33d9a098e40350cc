// The CPU player: the gate, the pause since the last move, the random tries and the fallback
// scan, and the one sound after its move.

#include <QRegularExpression>
#include <QTest>

#include "common/CoreRecorder.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

const QStringList kFullGrid = {"XXXXX", "XXXXX", "XXXXX", "XXXXX"};

// A random pair that lands on the border corner (6, 5): 5 * 0.99 + 1 and 4 * 0.99 + 1 round up.
constexpr double kToBorder = 0.99;

}  // namespace

class CpuPlayerTest : public CoreRigTest {
  Q_OBJECT

  void AllTriesToBorder() {
    for (int i = 0; i < 2 * kClassicRandomTries; ++i) {
      rig->random.Push(kToBorder);
    }
  }
  // After the moves that set up a position: the CPU's turn, long after the last move.
  void ReadyForCpu() {
    game().SetActPlayer(2);
    rig->clock.Advance(1000);
    rig->rec.Clear();
  }
  // Against a person, the CPU's turn, long after the last move.
  void CpuToMove(const QStringList& layout) {
    rig->Place(layout, 2);
    game().ToggleCpuPlayer();
    rig->clock.SetNowMs(10000);
  }

 private slots:
  void fallbackScanIsColumnMajorFromTheTopLeft() {
    CpuToMove({"-XXXX", "XXXXX", "XXXXX", "XXXXX"});
    QVERIFY(rig->PlayAs(1, 1, 2));  // (1,1) has no node, (1,2) is the opponent's ...
    QVERIFY(rig->PlayAs(1, 2, 3));
    QVERIFY(rig->PlayAs(1, 2, 3));  // ... (1,3) is blocked by (2,3)'s link: (1,4) comes first
    ReadyForCpu();
    AllTriesToBorder();
    rig->random.Push({0.1, 0.5});  // would be (2, 3): never drawn, the scan decides

    game().CpuTick();
    QCOMPARE(rig->random.Remaining(), std::size_t(2));
    QCOMPARE(game().Nodes()(1, 4).Owner, Player(2));
    QCOMPARE(rig->rec.Take(), QStringList({"turn:1|2 + 4 = 6|1 + 0 = 1", "moved:2,1,4"}));
  }

  void triesOnRefusedCellsAreNotPlayed() {
    CpuToMove(kFullGrid);
    QVERIFY(rig->PlayAs(1, 2, 3));  // (2,3): the opponent's node
    ReadyForCpu();
    // Every try lands on (2,3), the opponent's; the scan then claims (1,1).
    for (int i = 0; i < kClassicRandomTries; ++i) {
      rig->random.Push({0.2, 0.5});
    }
    game().CpuTick();
    QCOMPARE(game().Nodes()(1, 1).Owner, Player(2));
    const QStringList effects = rig->rec.Take();
    QCOMPARE(effects, QStringList({"turn:1|1 + 0 = 1|1 + 0 = 1", "moved:2,1,1"}));
  }

  // Column = round(5a + 1), row = round(4b + 1), exact halves to the even neighbour.
  void randomTryMapping_data() {
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("0, 0") << 0.0 << 0.0 << 1 << 1;
    QTest::newRow("1.5 and 2.5 round to 2") << 0.1 << 0.375 << 2 << 2;
    QTest::newRow("3.5 rounds to 4") << 0.5 << 0.625 << 4 << 4;
    QTest::newRow("just below 5.5 and 4.5") << 0.89 << 0.874 << 5 << 4;
  }
  void randomTryMapping() {
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(int, column);
    QFETCH(int, row);
    CpuToMove(kFullGrid);
    rig->random.Push({a, b});
    game().CpuTick();
    QCOMPARE(rig->random.Draws(), 2);
    QCOMPARE(game().Nodes()(column, row).Owner, Player(2));
  }

  void pauseOf200MsSinceTheLastMove() {
    CpuToMove(kFullGrid);
    rig->clock.SetNowMs(1000);
    game().SetActPlayer(1);
    game().PlayCell(1, 1);  // the person's move at 1000 ms
    QCOMPARE(game().LastMoveTick(), std::int64_t(1000));
    rig->rec.Clear();

    rig->clock.SetNowMs(1199);
    game().CpuTick();
    QCOMPARE(game().ActPlayer(), Player(2));
    QCOMPARE(rig->random.Draws(), 0);
    QCOMPARE(rig->rec.Take(), QStringList());

    rig->clock.SetNowMs(1200);
    game().CpuTick();
    QCOMPARE(game().ActPlayer(), Player(1));
    QCOMPARE(game().LastMoveTick(), std::int64_t(1200));
  }

  void gate_data() {
    QTest::addColumn<bool>("netMode");
    QTest::addColumn<bool>("cpuOn");
    QTest::addColumn<bool>("demoOn");
    QTest::addColumn<int>("actPlayer");
    QTest::addColumn<bool>("moves");
    QTest::newRow("CPU off") << false << false << false << 2 << false;
    QTest::newRow("person's turn") << false << true << false << 1 << false;
    QTest::newRow("CPU's turn") << false << true << false << 2 << true;
    QTest::newRow("demo, seat 1") << false << true << true << 1 << true;
    QTest::newRow("demo, seat 2") << false << true << true << 2 << true;
    QTest::newRow("CPU off, demo checked") << false << false << true << 1 << false;
    QTest::newRow("network") << true << true << false << 2 << false;
    QTest::newRow("network, demo") << true << true << true << 1 << false;
  }
  void gate() {
    QFETCH(bool, netMode);
    QFETCH(bool, cpuOn);
    QFETCH(bool, demoOn);
    QFETCH(int, actPlayer);
    QFETCH(bool, moves);
    // The other player owns (1,1).
    Board board = MakeBoard(kFullGrid);
    board(1, 1).Owner = Player(3 - actPlayer);
    rig->Place(board, Player(actPlayer));
    QVERIFY(!rig->PlayAs(Player(actPlayer), 1, 1));
    rig->SetNet(netMode, false, netMode);
    if (cpuOn) {
      game().ToggleCpuPlayer();
    }
    if (demoOn) {
      game().ToggleDemoPlayer();
    }
    rig->rec.Clear();
    rig->clock.SetNowMs(10000);

    game().CpuTick();
    QCOMPARE(game().ActPlayer() != Player(actPlayer), moves);
    QCOMPARE(game().LastMoveTick(), moves ? std::int64_t(10000) : std::int64_t(0));
    if (!moves) {
      QCOMPARE(rig->random.Draws(), 0);
      QCOMPARE(rig->rec.Take(), QStringList());
    } else {
      QVERIFY(!rig->rec.Take().contains(QStringLiteral("moved:%1").arg(3 - actPlayer)));
    }
  }

  // A turn past the gate and the pause renews the tick even when the CPU finds nothing to play;
  // it spends its six random pairs and scans, and reports nothing.
  void turnWithoutAnyMoveResetsTheTick() {
    CpuToMove({"-----", "-----", "-----", "-----"});
    rig->rec.Clear();
    game().CpuTick();
    QCOMPARE(game().LastMoveTick(), std::int64_t(10000));
    QCOMPARE(rig->random.Draws(), 2 * kClassicRandomTries);
    QCOMPARE(rig->rec.Take(), QStringList());
  }

  // The seat without a legal move (the game is over, its result not yet announced): every attempt
  // is refused, each reported as the CPU's.
  void refusedTurnWithoutAMoveIsTheCpus() {
    CpuToMove({"XX---", "-----", "-----", "-----"});
    QVERIFY(rig->PlayAs(1, 1, 1));
    rig->EditBoard([](Board& b) {
      b(1, 1).Expanded = kTrue16;  // (1,1) expanded, its link blocks (2,1)
      b(1, 1).LinkRight = 1;
    });
    ReadyForCpu();
    QVERIFY(game().CheckGameOver(2));
    for (int i = 0; i < kClassicRandomTries; ++i) {
      rig->random.Push({0.0, 0.0});  // (1,1): the opponent's node
    }
    game().CpuTick();
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Refused);
    QCOMPARE(game().ActPlayer(), Player(2));
    const QStringList effects = rig->rec.Take();
    QVERIFY(!effects.isEmpty());
    QCOMPARE(effects.filter(QRegularExpression("^refused:2,\\d,\\d,cpu$")), effects);
  }

  void demoPlaysBothSeatsOneMovePerTick() {
    rig->Place(kFullGrid, 1);
    game().ToggleCpuPlayer();
    game().ToggleDemoPlayer();
    rig->clock.SetNowMs(1000);
    game().CpuTick();
    QCOMPARE(game().ActPlayer(), Player(2));
    rig->clock.Advance(1000);
    game().CpuTick();
    QCOMPARE(game().ActPlayer(), Player(1));
    int owned1 = 0;
    int owned2 = 0;
    for (int c = 1; c <= 5; ++c) {
      for (int r = 1; r <= 4; ++r) {
        owned1 += game().Nodes()(c, r).Owner == 1 ? 1 : 0;
        owned2 += game().Nodes()(c, r).Owner == 2 ? 1 : 0;
      }
    }
    QCOMPARE(owned1, 1);
    QCOMPARE(owned2, 1);
  }

  void demoRunsWholeGamesToTheBox() {
    rig->Place(kFullGrid, 1);
    game().ToggleCpuPlayer();
    game().ToggleDemoPlayer();
    for (int tick = 0; tick < 400 && rig->rec.GamesEnded < 2; ++tick) {
      rig->clock.Advance(1000);
      game().CpuTick();
    }
    QCOMPARE(rig->rec.GamesEnded, 2);
  }

  void madeMoveIsReportedOnceAtTheEnd() {
    CpuToMove(kFullGrid);
    QVERIFY(rig->PlayAs(1, 3, 1));  // the person's Degree-3 node above (3,2) ...
    QVERIFY(rig->PlayAs(2, 2, 1));
    QVERIFY(rig->PlayAs(2, 2, 1));  // ... with one link from the CPU's (2,1) already
    QVERIFY(rig->PlayAs(2, 3, 2));
    ReadyForCpu();
    rig->random.Push({0.4, 0.25});  // (3, 2): expanding it neutralises (3,1)
    game().CpuTick();
    QCOMPARE(game().Nodes()(3, 1).Owner, Player(0));
    const QStringList effects = rig->rec.Take();
    QCOMPARE(effects.filter(QStringLiteral("moved:")), QStringList({"moved:2,3,2"}));
    QCOMPARE(effects.last(), QStringLiteral("moved:2,3,2"));
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Neutralised);
  }
};

QTEST_GUILESS_MAIN(CpuPlayerTest)
#include "test_cpu_player.moc"
