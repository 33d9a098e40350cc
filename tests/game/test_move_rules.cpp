// The rules of one move: claims, refusals, expansions, neutralisation, blocking, the sound each
// attempt chooses and the move message sent in a network game.

#include <QTest>

#include "common/CoreRecorder.h"

using namespace vextal;
using namespace vextal::testing;

Q_DECLARE_METATYPE(vextal::Refusal)

namespace {

const QStringList kFullGrid = {"XXXXX", "XXXXX", "XXXXX", "XXXXX"};

// One node as "o<owner> e<expanded> L<left>U<up>R<right>D<down>", so a failure shows it all.
QString Describe(const Node& n) {
  return QStringLiteral("o%1 e%2 L%3U%4R%5D%6")
      .arg(n.Owner)
      .arg(n.Expanded ? 1 : 0)
      .arg(n.LinkLeft)
      .arg(n.LinkUp)
      .arg(n.LinkRight)
      .arg(n.LinkDown);
}

}  // namespace

class MoveRulesTest : public CoreRigTest {
  Q_OBJECT

  // The node at (column, row), described.
  QString At(int column, int row) { return Describe(game().Nodes()(column, row)); }

 private slots:
  void init() {
    CoreRigTest::init();
    rig->clock.SetNowMs(5000);
  }

  void claimNextToUnexpandedOpponentNode() {
    rig->Place(kFullGrid, 1);
    QVERIFY(rig->PlayAs(2, 2, 2));
    rig->clock.SetNowMs(6000);
    rig->rec.Clear();

    // Ownership alone blocks nothing: only links do.
    QVERIFY(rig->PlayAs(1, 3, 2));
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Claimed);
    QCOMPARE(At(3, 2), QStringLiteral("o1 e0 L0U0R0D0"));
    QCOMPARE(game().ActPlayer(), Player(2));
    QCOMPARE(game().LastMoveTick(), std::int64_t(6000));
    QCOMPARE(rig->rec.Take(), QStringList({"turn:2|1 + 0 = 1|1 + 0 = 1",
                                           "moved:1,3,2,peer"}));  // replayed: not to be sent
  }

  void refusedMoves_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<Refusal>("why");
    QTest::newRow("opponent's node") << 2 << 1 << Refusal::OpponentNode;
    QTest::newRow("own expanded node") << 1 << 1 << Refusal::ExpandedNode;
    QTest::newRow("free node blocked by a hostile link") << 1 << 3 << Refusal::Blocked;
  }
  void refusedMoves() {
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(Refusal, why);
    rig->Place(kFullGrid, 1);
    QVERIFY(rig->PlayAs(1, 1, 1));  // player 1 claims (1,1) ...
    QVERIFY(rig->PlayAs(2, 2, 1));  // ... player 2 claims (2,1) ...
    QVERIFY(rig->PlayAs(1, 1, 1));  // ... player 1 expands (1,1)
    QVERIFY(rig->PlayAs(2, 1, 4));
    QVERIFY(rig->PlayAs(2, 1, 4));  // player 2 expands (1,4): (1,3) is blocked for player 1
    game().SetActPlayer(1);
    rig->SetNet(true, false, true);
    rig->clock.SetNowMs(6000);
    const Board before = game().Nodes();
    rig->rec.Clear();

    QVERIFY(!game().DoMove(column, row, MoveSource::Person));
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Refused);
    QCOMPARE(rig->rec.LastMove.Why, why);
    QVERIFY(game().Nodes() == before);
    QCOMPARE(game().ActPlayer(), Player(1));
    QCOMPARE(game().LastMoveTick(), std::int64_t(5000));
    // Reported as refused, and nothing else: no turn passed, nothing to send.
    QCOMPARE(rig->rec.Take(),
             QStringList({QStringLiteral("refused:1,%1,%2").arg(column).arg(row)}));
  }

  void noNodeIsNoMoveAndReportsNothing_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("grid point without a node") << 1 << 1;
    QTest::newRow("border corner") << 0 << 0;
    QTest::newRow("border column right") << 6 << 2;
    QTest::newRow("border row below") << 3 << 5;
    QTest::newRow("beyond the array") << 7 << 6;
    QTest::newRow("far beyond") << 255 << 255;
    QTest::newRow("negative") << -1 << 2;
  }
  void noNodeIsNoMoveAndReportsNothing() {
    QFETCH(int, column);
    QFETCH(int, row);
    Board board = MakeBoard({"-XXXX", "XXXXX", "XXXXX", "XXXXX"});
    board(2, 1).Owner = 1;
    rig->Place(board, 2);
    const Board before = game().Nodes();

    QVERIFY(!game().DoMove(column, row, MoveSource::Person));
    QVERIFY(!game().DoMove(column, row, MoveSource::Peer));
    QVERIFY(game().Nodes() == before);
    QCOMPARE(game().ActPlayer(), Player(2));
    QCOMPARE(rig->rec.Take(), QStringList());
  }

  // A peer's move message sets the player to move from its own bytes; a mover other than 1 or 2
  // must not play (it would write an owner the board cannot hold).
  void moverOutsideOneAndTwoIsNoMove_data() {
    QTest::addColumn<int>("mover");
    QTest::newRow("nobody") << 0;
    QTest::newRow("3") << 3;
    QTest::newRow("255") << 255;
  }
  void moverOutsideOneAndTwoIsNoMove() {
    QFETCH(int, mover);
    rig->Place(kFullGrid, 1);
    const Board before = game().Nodes();
    QVERIFY(!rig->PlayAs(Player(mover), 3, 2));
    QVERIFY(game().Nodes() == before);
    QCOMPARE(rig->rec.Take(), QStringList());
  }

  void expansionLinksTowardExistingNeighboursOnly_data() {
    QTest::addColumn<QStringList>("layout");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected");
    QTest::newRow("top-left corner") << kFullGrid << 1 << 1 << "o1 e1 L0U0R1D1";
    QTest::newRow("bottom-right corner") << kFullGrid << 5 << 4 << "o1 e1 L1U1R0D0";
    QTest::newRow("top edge") << kFullGrid << 3 << 1 << "o1 e1 L1U0R1D1";
    QTest::newRow("inside") << kFullGrid << 3 << 2 << "o1 e1 L1U1R1D1";
    QTest::newRow("missing point to the right")
        << QStringList{"XXXXX", "X-X-X", "X-X-X", "XXXXX"} << 1 << 2 << "o1 e1 L0U1R0D1";
    QTest::newRow("isolated node")
        << QStringList{"X-XXX", "-XXXX", "XXXXX", "XXXXX"} << 1 << 1 << "o1 e1 L0U0R0D0";
  }
  void expansionLinksTowardExistingNeighboursOnly() {
    QFETCH(QStringList, layout);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, expected);
    rig->Place(layout, 1);
    QVERIFY(rig->PlayAs(1, column, row));
    QVERIFY(rig->PlayAs(1, column, row));
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Expanded);
    QCOMPARE(At(column, row), expected);
    QCOMPARE(game().ActPlayer(), Player(2));
  }

  void expansionLinksTowardOpponentAndFreeNodesAlike() {
    rig->Place(kFullGrid, 1);
    QVERIFY(rig->PlayAs(2, 3, 1));  // up: opponent
    QVERIFY(rig->PlayAs(1, 2, 2));  // left: own
    QVERIFY(rig->PlayAs(1, 3, 2));
    QVERIFY(rig->PlayAs(1, 3, 2));
    QCOMPARE(At(3, 2), QStringLiteral("o1 e1 L1U1R1D1"));
    QCOMPARE(At(3, 1), QStringLiteral("o2 e0 L0U0R0D0"));  // Degree 3, one hostile link
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Expanded);
  }

  void degreeOneNodeFallsToOneHostileLink() {
    rig->Place({"XX-XX", "-----", "-----", "-----"}, 1);
    QVERIFY(rig->PlayAs(1, 1, 1));
    QVERIFY(rig->PlayAs(2, 2, 1));
    QVERIFY(rig->PlayAs(1, 1, 1));  // expand toward the Degree-1 node of player 2
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Neutralised);
    QCOMPARE(At(2, 1), QStringLiteral("o0 e0 L0U0R0D0"));
    QCOMPARE(At(1, 1), QStringLiteral("o1 e1 L0U0R1D0"));
  }

  void degreeThreeNodeSurvivesOneHostileLinkAndFallsToTwo() {
    rig->Place(kFullGrid, 1);
    QVERIFY(rig->PlayAs(2, 2, 1));  // Degree 3 on the top edge
    QVERIFY(rig->PlayAs(1, 1, 1));
    QVERIFY(rig->PlayAs(1, 1, 1));
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Expanded);
    QCOMPARE(At(2, 1), QStringLiteral("o2 e0 L0U0R0D0"));

    QVERIFY(rig->PlayAs(1, 3, 1));
    QVERIFY(rig->PlayAs(1, 3, 1));  // the second hostile link
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Neutralised);
    QCOMPARE(At(2, 1), QStringLiteral("o0 e0 L0U0R0D0"));
  }

  void neutralisedExpandedNodeLosesItsLinksAndUnblocks() {
    rig->Place(kFullGrid, 1);
    QVERIFY(rig->PlayAs(1, 2, 1));
    QVERIFY(rig->PlayAs(1, 3, 2));
    QVERIFY(rig->PlayAs(2, 2, 2));
    QVERIFY(rig->PlayAs(2, 2, 2));  // player 2 expands (2,2): links toward all four neighbours
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Expanded);  // one link each: both survive
    QCOMPARE(At(2, 1), QStringLiteral("o1 e0 L0U0R0D0"));
    QCOMPARE(At(3, 2), QStringLiteral("o1 e0 L0U0R0D0"));

    QVERIFY(!rig->PlayAs(1, 1, 2));  // blocked for player 1 by the link of (2,2)
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Refused);

    QVERIFY(rig->PlayAs(1, 2, 1));  // first link toward (2,2): Degree 4 survives
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Expanded);
    QCOMPARE(At(2, 2), QStringLiteral("o2 e1 L1U1R1D1"));
    QVERIFY(rig->PlayAs(1, 3, 2));  // second link: (2,2) falls and its links vanish
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Neutralised);
    QCOMPARE(At(2, 2), QStringLiteral("o0 e0 L0U0R0D0"));

    // The cell (2,2) blocked opens again; the fallen cell is blocked for its former owner and
    // open to the attacker.
    QVERIFY(!rig->PlayAs(2, 2, 2));
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Refused);
    QVERIFY(rig->PlayAs(1, 1, 2));
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Claimed);
    QVERIFY(rig->PlayAs(1, 2, 2));
    QCOMPARE(At(2, 2), QStringLiteral("o1 e0 L0U0R0D0"));
  }

  void anotherHostileLinkKeepsTheCellBlocked() {
    rig->Place(kFullGrid, 1);
    QVERIFY(rig->PlayAs(1, 1, 1));
    QVERIFY(rig->PlayAs(1, 1, 3));
    QVERIFY(rig->PlayAs(2, 1, 2));
    QVERIFY(rig->PlayAs(2, 1, 2));  // (1,2) links toward (2,2) ...
    QVERIFY(rig->PlayAs(2, 3, 2));
    QVERIFY(rig->PlayAs(2, 3, 2));  // ... and so does (3,2)
    QVERIFY(rig->PlayAs(1, 1, 1));
    QVERIFY(rig->PlayAs(1, 1, 3));  // the second link toward (1,2) brings it down
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Neutralised);
    QCOMPARE(At(1, 2), QStringLiteral("o0 e0 L0U0R0D0"));

    QVERIFY(!rig->PlayAs(1, 2, 2));  // (3,2) still points at it
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Refused);
    QVERIFY(!rig->PlayAs(2, 1, 2));  // the fallen node is blocked for its former owner
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Refused);
  }

  void ownLinksNeverNeutraliseOwnNodes() {
    // (2,1), Degree 3, between two own expanded nodes.
    rig->Place(kFullGrid, 1);
    QVERIFY(rig->PlayAs(1, 2, 1));
    QVERIFY(rig->PlayAs(1, 1, 1));
    QVERIFY(rig->PlayAs(1, 1, 1));
    QVERIFY(rig->PlayAs(1, 3, 1));
    QVERIFY(rig->PlayAs(1, 3, 1));
    QCOMPARE(At(2, 1), QStringLiteral("o1 e0 L0U0R0D0"));
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Expanded);

    // A Degree-1 own node next to an own expansion.
    rig->Place({"XX-XX", "-----", "-----", "-----"}, 1);
    QVERIFY(rig->PlayAs(1, 2, 1));
    QVERIFY(rig->PlayAs(1, 1, 1));
    QVERIFY(rig->PlayAs(1, 1, 1));
    QCOMPARE(At(2, 1), QStringLiteral("o1 e0 L0U0R0D0"));
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Expanded);
  }

  void everyNeighbourIsCheckedAfterTheFirstFalls() {
    // (2,2) with four arms of Degree 1; two separate nodes keep player 2 in the game.
    rig->Place({"-X-XX", "XXX--", "-X---", "-----"}, 1);
    QVERIFY(rig->PlayAs(2, 1, 2));  // left arm, checked first
    QVERIFY(rig->PlayAs(2, 2, 3));  // lower arm, checked last
    QVERIFY(rig->PlayAs(1, 2, 2));
    QVERIFY(rig->PlayAs(1, 2, 2));
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Neutralised);
    QCOMPARE(At(1, 2), QStringLiteral("o0 e0 L0U0R0D0"));
    QCOMPARE(At(2, 3), QStringLiteral("o0 e0 L0U0R0D0"));
    QCOMPARE(rig->rec.GamesEnded, 0);
  }

  // The report of a made move names its mover (not the player now to move) and says whether it
  // was made here or replayed; whether it goes to a peer is the network side's business.
  void moveReportCarriesTheMoverAndWhereItWasMade() {
    rig->Place(kFullGrid, 1);
    QVERIFY(game().DoMove(3, 2, MoveSource::Person));
    QCOMPARE(rig->rec.Take(), QStringList({"turn:2|1 + 0 = 1|0 + 0 = 0", "moved:1,3,2"}));
    QCOMPARE(rig->rec.LastMove.Score1, 1);
    QVERIFY(game().DoMove(4, 4, MoveSource::Peer));
    QCOMPARE(rig->rec.Take().last(), QStringLiteral("moved:2,4,4,peer"));
    QCOMPARE(rig->rec.LastMove.Outcome, MoveOutcome::Claimed);
    QCOMPARE(rig->rec.LastMove.Why, Refusal::None);
  }

  void checkNeutraliseLeavesFreeAndBorderCellsAlone() {
    rig->Place(kFullGrid, 1);
    Board board = game().Nodes();
    QVERIFY(!CheckNeutralise(board, 2, 2));  // free
    QVERIFY(!CheckNeutralise(board, 0, 0));  // border
    QVERIFY(!CheckNeutralise(board, 6, 5));
    QVERIFY(!CheckNeutralise(board, 99, 99));  // outside the array
    QVERIFY(rig->PlayAs(1, 2, 2));
    board = game().Nodes();
    QVERIFY(!CheckNeutralise(board, 2, 2));  // owned, no hostile link
  }
};

QTEST_GUILESS_MAIN(MoveRulesTest)
#include "test_move_rules.moc"
