// Turns, scores, the end of a game and the new game that follows.

#include <tuple>

#include <QRegularExpression>
#include <QTest>

#include "common/CoreRecorder.h"

using namespace vextal;
using namespace vextal::testing;

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
    QVERIFY(!rig->PlayAs(1, 5, 4));  // refused: the beep stays pending
    QCOMPARE(game().PendingSound(), QStringLiteral("beep2.wav"));
    rig->rec.Clear();

    game().NewGame();
    QVERIFY(game().Nodes() == layout);
    QVERIFY(game().PendingSound().isEmpty());
    QCOMPARE(rig->rec.Take(), QStringList({"panel:2|0 + 0 = 0|0 + 0 = 0", "log:New game started.",
                                           "newgame", "draw", "wave:reset.wav"}));
  }

  // The new game is reported after the switch, so whoever sends the board sends the new one.
  void newGameIsReportedAfterTheSwitch() {
    rig->Place(kFullGrid, 2);
    QVERIFY(rig->PlayAs(1, 3, 3));
    rig->rec.Clear();
    game().NewGame();  // player 2 was to move: player 1 begins
    QCOMPARE(rig->rec.Take(), QStringList({"panel:1|0 + 0 = 0|0 + 0 = 0", "log:New game started.",
                                           "newgame", "draw", "wave:reset.wav"}));
  }

  void setActPlayerHighlightsAndCounts() {
    rig->Place(kFullGrid, 1);
    game().SetActPlayer(2);
    const PlayerPanel& panel = rig->rec.LastPanel;
    QCOMPARE(panel.Marker1, kColorP1Dark);
    QCOMPARE(panel.Marker2, kColorP2);
    QVERIFY(!panel.Bold1);
    QVERIFY(panel.Bold2);
    game().SetActPlayer(1);
    QCOMPARE(panel.Marker1, RGB(0, 150, 240));
    QCOMPARE(panel.Marker2, RGB(120, 60, 0));
    QVERIFY(panel.Bold1);
    QVERIFY(!panel.Bold2);
  }

  void scoreIsNodesPlusLinks() {
    rig->Place(kFullGrid, 1);
    QVERIFY(rig->PlayAs(1, 2, 1));
    QVERIFY(rig->PlayAs(1, 2, 1));  // Degree 3: 1 + 3 = 4
    QCOMPARE(rig->rec.LastPanel.Sum1, QStringLiteral("1 + 3 = 4"));
    QCOMPARE(rig->rec.LastPanel.Sum2, QStringLiteral("0 + 0 = 0"));
    QCOMPARE(game().Score1(), 4);
    QVERIFY(rig->PlayAs(2, 3, 3));
    QVERIFY(rig->PlayAs(2, 3, 3));  // Degree 4
    QVERIFY(rig->PlayAs(2, 5, 4));  // claimed only
    QVERIFY(rig->PlayAs(1, 1, 4));
    QCOMPARE(rig->rec.LastPanel.Sum1, QStringLiteral("2 + 3 = 5"));
    QCOMPARE(rig->rec.LastPanel.Sum2, QStringLiteral("2 + 4 = 6"));
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
  // reset sound of the next game, in the order a peer and a person see it.
  void fullSequenceOfTheLastMoveInANetworkGame() {
    PrepareLastMove();
    rig->SetNet(true, true, true);
    game().UpdatePlayerNames();
    rig->rec.Clear();
    rig->clock.SetNowMs(777);

    game().BoardClick(65, 65);
    // The next game is set up with the last move and reported before the result: a peer meets
    // it at the same point of the move stream. What a person sees of it waits for the box.
    QCOMPARE(rig->rec.Take(), QStringList({
                                  "panel:2|1 + 1 = 2|0 + 0 = 0",
                                  "draw",
                                  "moved:1,1,1",
                                  "newgame:end",
                                  "log:Server wins (2/0)",
                                  "wave:over1.wav",
                                  "result:open",
                                  "box:Information|Game Over|Server wins! 2 to 0 points.",
                                  "result:closed",
                                  "panel:1|0 + 0 = 0|0 + 0 = 0",
                                  "log:New game started.",
                                  "draw",
                                  "wave:reset.wav",
                              }));
    QCOMPARE(game().ActPlayer(), Player(1));  // the mover begins the next game
    QVERIFY(game().PendingSound().isEmpty());
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
    QVERIFY(game().DoMove(1, 1, false));
    QCOMPARE(rig->rec.BoxCount, 1);
    QVERIFY(rig->rec.Effects.contains(QStringLiteral("log:Player 2 wins (2/4)")));
    QCOMPARE(game().ActPlayer(), Player(1));
  }

  void gameOverTexts_data() {
    QTest::addColumn<bool>("netMode");
    QTest::addColumn<bool>("cpuOn");
    QTest::addColumn<bool>("demoOn");
    QTest::addColumn<int>("score1");
    QTest::addColumn<int>("score2");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("draw") << false << false << false << 9 << 9
                          << QStringList{"log:Game Over: Draw (9/9)", "wave:over2.wav",
                                         "box:Exclamation|Game Over|Draw - both have 9 points!"};
    QTest::newRow("draw against the CPU")
        << false << true << false << 9 << 9
        << QStringList{"log:Game Over: Draw (9/9)", "wave:over2.wav",
                       "box:Exclamation|Game Over|Draw - both have 9 points!"};
    QTest::newRow("person loses to the CPU")
        << false << true << false << 6 << 11
        << QStringList{"log:CPU wins (6/11)", "wave:over1.wav",
                       "box:Information|Game Over|You lose... 6 to 11 points."};
    QTest::newRow("person beats the CPU")
        << false << true << false << 11 << 6
        << QStringList{"log:Player wins (11/6)", "wave:over1.wav",
                       "box:Information|Game Over|You win! 11 to 6 points."};
    QTest::newRow("two persons") << false << false << false << 7 << 12
                                 << QStringList{"log:Player 2 wins (7/12)", "wave:over1.wav",
                                                "box:Information|Game Over|Player 2 wins! 7 "
                                                "to 12 points."};
    QTest::newRow("two persons, demo checked but CPU off")
        << false << false << true << 12 << 7
        << QStringList{"log:Player 1 wins (12/7)", "wave:over1.wav",
                       "box:Information|Game Over|Player 1 wins! 12 to 7 points."};
    QTest::newRow("demo") << false << true << true << 4 << 10
                          << QStringList{"log:CPU 2 wins (4/10)", "wave:over1.wav",
                                         "box:Information|Game Over|CPU 2 wins! 4 to 10 points."};
    QTest::newRow("network, CPU switch on")
        << true << true << false << 3 << 5
        << QStringList{"log:Client wins (3/5)", "wave:over1.wav",
                       "box:Information|Game Over|Client wins! 3 to 5 points."};
  }
  void gameOverTexts() {
    QFETCH(bool, netMode);
    QFETCH(bool, cpuOn);
    QFETCH(bool, demoOn);
    QFETCH(int, score1);
    QFETCH(int, score2);
    QFETCH(QStringList, expected);
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
    game().UpdatePlayerNames();
    rig->rec.Clear();

    game().ShowGameOver();
    QStringList effects = rig->rec.Take();
    effects.removeAll(QStringLiteral("result:open"));
    effects.removeAll(QStringLiteral("result:closed"));
    QCOMPARE(effects.first(), QStringLiteral("newgame:end"));
    QCOMPARE(effects.mid(1, 3), expected);
    QCOMPARE(effects.mid(4, 2),
             QStringList({"panel:2|0 + 0 = 0|0 + 0 = 0", "log:New game started."}));
  }

  // While the result box is open the next game is set up but neither shown nor played: the
  // CPU waits, and the time of the last move is taken only when the box is closed.
  // What the window shows meanwhile is a copy of the final position, with its last move.
  void nextGameWaitsForTheBoxToClose() {
    PrepareLastMove();
    game().ToggleCpuPlayer();
    game().ToggleDemoPlayer();
    rig->clock.SetNowMs(5000);
    QStringList effectsBeforeClose;
    rig->rec.WhileBoxOpen = [&] {
      QVERIFY(game().ResultShowing());
      QCOMPARE(game().Score1(), 0);
      game().CpuTick();
      QVERIFY(game().Nodes() == MakeBoard(kPair));
      QVERIFY(game().ShownNodes()(1, 1).Expanded && game().ShownNodes()(2, 1).Owner == 0);
      QVERIFY(game().ShownLastMove() == Cell({1, 1}) && !game().Undo() && !game().CanHint());
      rig->clock.SetNowMs(9000);
      effectsBeforeClose = rig->rec.Effects;
    };
    QVERIFY(game().DoMove(1, 1, true));
    QVERIFY(!effectsBeforeClose.contains(QStringLiteral("log:New game started.")));
    QCOMPARE(effectsBeforeClose.count(QStringLiteral("draw")), 1);  // the final position
    QVERIFY(rig->rec.Effects.contains(QStringLiteral("log:New game started.")));
    QCOMPARE(game().LastMoveTick(), std::int64_t(9000));
    QVERIFY(!game().ResultShowing());
    QVERIFY(game().ShownNodes() == game().Nodes() && !game().ShownLastMove());
  }

  // Every move taken back returns the position before it exactly: owners, links, expansions,
  // a neutralised node, the sums, the player to move, the last move. Nothing is sent or heard.
  void undoReturnsEachPositionExactly() {
    rig->Place({"XX-XX", "-----", "-----", "-----"}, 1);
    const auto now = [this] {
      return std::make_tuple(game().Nodes(), game().ActPlayer(), rig->rec.LastPanel.Sum1,
                             rig->rec.LastPanel.Sum2, game().ShownLastMove());
    };
    QList<decltype(now())> seen;
    // Claims on both sides, then (1,1) expanded brings (2,1) down; player 2 can still claim.
    for (const Cell cell : {Cell{1, 1}, Cell{2, 1}, Cell{4, 1}, Cell{5, 1}, Cell{1, 1}}) {
      seen.append(now());
      QVERIFY(game().DoMove(cell.Column, cell.Row, true));
    }
    QCOMPARE(game().Nodes()(2, 1).Owner, Player(0));
    rig->rec.Clear();
    while (!seen.isEmpty()) {
      QVERIFY(game().Undo());
      QVERIFY(now() == seen.takeLast());
    }
    QVERIFY(!game().CanUndo() && !game().Undo());
    QVERIFY(rig->rec.Effects.filter(QRegularExpression("^(moved|log|wave|newgame)")).isEmpty());
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
    QVERIFY(game().DoMove(3, 3, true));
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
