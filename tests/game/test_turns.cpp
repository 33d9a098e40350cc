// Turns, scores, the end of a game and the new game that follows.

#include <tuple>

#include <QRegularExpression>
#include <QTest>

#include "common/CoreRecorder.h"

using namespace vextal;
using namespace vextal::testing;

Q_DECLARE_METATYPE(vextal::Mode)

namespace {

const QStringList kFullGrid = {"XXXXX", "XXXXX", "XXXXX", "XXXXX"};

// Two nodes side by side, each of Degree 1, and nothing else.
const QStringList kPair = {"XX---", "-----", "-----", "-----"};

}  // namespace

class TurnsTest : public CoreRigTest {
  Q_OBJECT

  // Player 1 owns (1,1), player 2 owns (2,1), player 1 to move: expanding (1,1) brings (2,1)
  // down and leaves player 2 without a legal move. Scores then: 1 + 1 = 2 against 0.
  void PrepareLastMove() {
    rig->Place(kPair, 1);
    rig->EditBoard([](Board& b) {
      b(1, 1).Owner = 1;
      b(2, 1).Owner = 2;
    });
  }

 private slots:
  void newGameAlternatesTheFirstPlayer() {
    rig->Place(kFullGrid, 0);
    QCOMPARE(game().ActPlayer(), Player(0));
    game().NewGame();
    QCOMPARE(game().ActPlayer(), Player(1));
    game().NewGame();
    QCOMPARE(game().ActPlayer(), Player(2));
    game().NewGame();
    QCOMPARE(game().ActPlayer(), Player(1));
  }

  void switchPlayerFromNobodyGivesPlayerOne() {
    game().SwitchPlayer();
    QCOMPARE(game().ActPlayer(), Player(1));
    game().SwitchPlayer();
    QCOMPARE(game().ActPlayer(), Player(2));
  }

  void newGameClearsPlayAndKeepsTheLayout() {
    rig->Place({"XXXXX", "X-XXX", "XXXXX", "XXX-X"}, 1);
    rig->EditBoard([](Board& b) { b(3, 3).Kind = 4; });  // as a peer's board may carry
    QVERIFY(rig->PlayAs(1, 2, 1));
    QVERIFY(rig->PlayAs(1, 2, 1));
    QVERIFY(rig->PlayAs(2, 5, 4));
    QVERIFY(rig->PlayAs(2, 5, 4));
    Board layout = game().Nodes();
    for (int c = 0; c <= 6; ++c) {
      for (int r = 0; r <= 5; ++r) {
        Node& n = layout(c, r);
        n.Owner = 0;
        n.Expanded = kFalse16;
        n.LinkUp = n.LinkLeft = n.LinkRight = n.LinkDown = 0;
      }
    }
    QVERIFY(!rig->PlayAs(1, 5, 4));
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Refused);
    rig->rec.Clear();

    game().NewGame();
    QVERIFY(game().Nodes() == layout);
    QCOMPARE(rig->rec.Take(),
             QStringList({"turn:2|0 + 0 = 0|0 + 0 = 0", "newgame", "newgame:shown"}));
  }

  // The new game is reported after the switch, so whoever sends the board sends the new one.
  void newGameIsReportedAfterTheSwitch() {
    rig->Place(kFullGrid, 2);
    QVERIFY(rig->PlayAs(1, 3, 3));
    rig->rec.Clear();
    game().NewGame();  // player 2 was to move: player 1 begins
    QCOMPARE(rig->rec.Take(),
             QStringList({"turn:1|0 + 0 = 0|0 + 0 = 0", "newgame", "newgame:shown"}));
  }

  void setActPlayerReportsTheTurn() {
    rig->Place(kFullGrid, 1);
    game().SetActPlayer(2);
    QCOMPARE(rig->rec.LastTurn.ToMove, Player(2));
    game().SetActPlayer(1);
    QCOMPARE(rig->rec.LastTurn.ToMove, Player(1));
  }

  void scoreIsNodesPlusLinks() {
    rig->Place(kFullGrid, 1);
    QVERIFY(rig->PlayAs(1, 2, 1));
    QVERIFY(rig->PlayAs(1, 2, 1));  // Degree 3: 1 + 3 = 4
    QCOMPARE(rig->rec.Effects.filter("turn:").last(), QStringLiteral("turn:2|1 + 3 = 4|0 + 0 = 0"));
    QCOMPARE(game().Score1(), 4);
    QVERIFY(rig->PlayAs(2, 3, 3));
    QVERIFY(rig->PlayAs(2, 3, 3));  // Degree 4
    QVERIFY(rig->PlayAs(2, 5, 4));  // claimed only
    QVERIFY(rig->PlayAs(1, 1, 4));
    QCOMPARE(rig->rec.Effects.filter("turn:").last(), QStringLiteral("turn:2|2 + 3 = 5|2 + 4 = 6"));
    QCOMPARE(rig->rec.LastMove.Score1, 5);
    QCOMPARE(rig->rec.LastMove.Score2, 6);
    QCOMPARE(game().Score1(), 5);
    QCOMPARE(game().Score2(), 6);
  }

  void gameOverTestUsesTheLegalMoveRule() {
    rig->Place(kPair, 1);
    QVERIFY(!game().CheckGameOver(1));
    rig->EditBoard([](Board& b) { b(1, 1).Owner = 1; });
    rig->EditBoard([](Board& b) { b(2, 1).Owner = 2; });
    QVERIFY(!game().CheckGameOver(1));  // an own unexpanded node is a move
    rig->EditBoard([](Board& b) {
      b(1, 1).Expanded = kTrue16;
      b(1, 1).LinkRight = 1;
    });
    QVERIFY(game().CheckGameOver(1));  // only an expanded node and an opponent node
    QVERIFY(!game().CheckGameOver(2));
    rig->EditBoard([](Board& b) { b(2, 1).Owner = 0; });
    QVERIFY(game().CheckGameOver(2));  // the free cell is blocked for player 2
    QVERIFY(!game().CheckGameOver(1));
  }

  // The move that ends a game in a network game with a connected peer, from the click to the
  // next game being shown, in the order a peer and a person meet it.
  void fullSequenceOfTheLastMoveInANetworkGame() {
    PrepareLastMove();
    rig->SetNet(true, true, true);
    rig->rec.Clear();
    rig->clock.SetNowMs(777);

    game().PlayCell(1, 1);
    // The next game is set up with the last move and reported before the result: a peer meets
    // it at the same point of the move stream. What a person sees of it waits for the result.
    QCOMPARE(rig->rec.Take(), QStringList({
                                  "turn:2|1 + 1 = 2|0 + 0 = 0",
                                  "moved:1,1,1",
                                  "newgame:end",
                                  "result:open",
                                  "ended:2/0",
                                  "result:closed",
                                  "turn:1|0 + 0 = 0|0 + 0 = 0",
                                  "newgame:shown",
                              }));
    QVERIFY(rig->rec.LastMove.EndedGame);
    QCOMPARE(rig->rec.LastMove.Score1, 2);
    QCOMPARE(rig->rec.LastResult.Seats, Mode::Network);
    QCOMPARE(game().ActPlayer(), Player(1));  // the mover begins the next game
    QCOMPARE(game().LastMoveTick(), std::int64_t(777));
  }

  void gameEndsEvenWhenTheMoverStillHasMoves() {
    rig->Place({"XX-XX", "-----", "-----", "-----"}, 1);
    rig->EditBoard([](Board& b) {
      b(1, 1).Owner = 1;
      b(2, 1).Owner = b(4, 1).Owner = b(5, 1).Owner = 2;
      b(4, 1).Expanded = b(5, 1).Expanded = kTrue16;
      b(4, 1).LinkRight = b(5, 1).LinkLeft = 1;
    });
    // After this expansion player 1 could still claim (2,1); player 2 has nothing left.
    QVERIFY(game().DoMove(1, 1, MoveSource::Peer));
    QVERIFY(rig->rec.Effects.contains(QStringLiteral("ended:2/4")));
    QCOMPARE(game().ActPlayer(), Player(1));
  }

  // The result carries the seats the game was played in, so the right names announce it.
  void gameOverReportsSeatsAndScores_data() {
    QTest::addColumn<bool>("netMode");
    QTest::addColumn<bool>("cpuOn");
    QTest::addColumn<bool>("demoOn");
    QTest::addColumn<int>("score1");
    QTest::addColumn<int>("score2");
    QTest::addColumn<Mode>("seats");
    QTest::newRow("draw") << false << false << false << 9 << 9 << Mode::TwoPersons;
    QTest::newRow("against the CPU") << false << true << false << 6 << 11 << Mode::PersonAgainstCpu;
    QTest::newRow("demo checked but CPU off")
        << false << false << true << 12 << 7 << Mode::TwoPersons;
    QTest::newRow("demo") << false << true << true << 4 << 10 << Mode::Demo;
    QTest::newRow("network, CPU switch on") << true << true << false << 3 << 5 << Mode::Network;
  }
  void gameOverReportsSeatsAndScores() {
    QFETCH(bool, netMode);
    QFETCH(bool, cpuOn);
    QFETCH(bool, demoOn);
    QFETCH(int, score1);
    QFETCH(int, score2);
    QFETCH(Mode, seats);
    // Unexpanded nodes score one point each: the first score1 points go to player 1, the
    // next score2 to player 2.
    Board board = MakeBoard(kFullGrid);
    for (int i = 0; i < score1 + score2; ++i) {
      board(1 + i % 5, 1 + i / 5).Owner = i < score1 ? 1 : 2;
    }
    rig->Place(board, 1);
    rig->SetNet(netMode, false, false);
    if (cpuOn) {
      game().ToggleCpuPlayer();
    }
    if (demoOn) {
      game().ToggleDemoPlayer();
    }
    rig->rec.Clear();

    game().ShowGameOver();
    QCOMPARE(rig->rec.Take(),
             QStringList({"newgame:end", "result:open",
                          QStringLiteral("ended:%1/%2").arg(score1).arg(score2), "result:closed",
                          "turn:2|0 + 0 = 0|0 + 0 = 0", "newgame:shown"}));
    QCOMPARE(rig->rec.LastResult.Seats, seats);
  }

  // While the result is announced the next game is set up but neither shown nor played: the
  // CPU waits, and the time of the last move is taken only when the announcement is over.
  // What the window shows meanwhile is a copy of the final position, with its last move.
  void nextGameWaitsForTheBoxToClose() {
    PrepareLastMove();
    game().ToggleCpuPlayer();
    game().ToggleDemoPlayer();
    rig->clock.SetNowMs(5000);
    QStringList effectsBeforeClose;
    rig->rec.WhileResultShown = [&] {
      QVERIFY(game().ResultShowing());
      QCOMPARE(game().Score1(), 0);
      game().CpuTick();
      QVERIFY(game().Nodes() == MakeBoard(kPair));
      QVERIFY(game().ShownNodes()(1, 1).Expanded && game().ShownNodes()(2, 1).Owner == 0);
      QVERIFY(game().ShownLastMove() == Cell({1, 1}) && !game().Undo() && !game().CanHint());
      rig->clock.SetNowMs(9000);
      effectsBeforeClose = rig->rec.Effects;
    };
    QVERIFY(game().DoMove(1, 1, MoveSource::Person));
    QVERIFY(!effectsBeforeClose.contains(QStringLiteral("newgame:shown")));
    QVERIFY(rig->rec.Effects.contains(QStringLiteral("newgame:shown")));
    QCOMPARE(game().LastMoveTick(), std::int64_t(9000));
    QVERIFY(!game().ResultShowing());
    QVERIFY(game().ShownNodes() == game().Nodes() && !game().ShownLastMove());
  }

  // Every move taken back returns the position before it exactly: owners, links, expansions,
  // a neutralised node, the scores shown, the player to move, the last move. No move is reported.
  void undoReturnsEachPositionExactly() {
    rig->Place({"XX-XX", "-----", "-----", "-----"}, 1);
    const auto now = [this] {
      const TurnReport& shown = rig->rec.LastTurn;
      return std::make_tuple(game().Nodes(), game().ActPlayer(), shown.ToMove,
                             shown.Holdings.Score(1), shown.Holdings.Score(2),
                             game().ShownLastMove());
    };
    QList<decltype(now())> seen;
    // Claims on both sides, then (1,1) expanded brings (2,1) down; player 2 can still claim.
    for (const Cell cell : {Cell{1, 1}, Cell{2, 1}, Cell{4, 1}, Cell{5, 1}, Cell{1, 1}}) {
      seen.append(now());
      QVERIFY(game().DoMove(cell.Column, cell.Row, MoveSource::Person));
    }
    QCOMPARE(game().Nodes()(2, 1).Owner, Player(0));
    rig->rec.Clear();
    while (!seen.isEmpty()) {
      QVERIFY(game().Undo());
      QVERIFY(now() == seen.takeLast());
    }
    QVERIFY(!game().CanUndo() && !game().Undo());
    QVERIFY(
        rig->rec.Effects.filter(QRegularExpression("^(moved|refused|newgame|board)")).isEmpty());
  }

  // Refused where it is not allowed or nothing of this game is left to take back.
  void undoRefused_data() {
    QTest::addColumn<QString>("where");
    for (const char* where : {"network", "demo", "cpu opened", "new game", "loaded board"}) {
      QTest::newRow(where) << QString::fromLatin1(where);
    }
  }
  void undoRefused() {
    QFETCH(QString, where);
    rig->Place(kFullGrid, where == "cpu opened" ? 2 : 1);
    if (where == "cpu opened") {
      game().ToggleCpuPlayer();  // no turn of the person before the CPU's first move
    }
    QVERIFY(game().DoMove(3, 3, MoveSource::Person));
    if (where == "network") {
      rig->SetNet(true, true, true);
    } else if (where == "demo") {
      game().ToggleCpuPlayer();
      game().ToggleDemoPlayer();
    } else if (where == "new game") {
      game().NewGame();
    } else if (where == "loaded board") {
      game().LoadBoard(game().Nodes(), game().ActPlayer());
    }
    const Board before = game().Nodes();
    QVERIFY(!game().CanUndo() && !game().Undo());
    QVERIFY(game().Nodes() == before);
  }
};

QTEST_GUILESS_MAIN(TurnsTest)
#include "test_turns.moc"
