// A mouse button on the board picture: pixel to grid point, then the node played as a click,
// and the clicks dropped before any move.

#include <QTest>

#include "common/CoreRecorder.h"
#include "render/BoardGeometry.h"

using namespace vextal;
using namespace vextal::testing;

namespace {
const QStringList kFullGrid = {"XXXXX", "XXXXX", "XXXXX", "XXXXX"};
}

class BoardClickTest : public CoreRigTest {
  Q_OBJECT

  // A mouse button pressed on the board picture, as the window handles it.
  void Click(int x, int y) {
    if (const auto cell = CellAt(game().Nodes(), kBoardGeometry, x, y)) {
      game().PlayCell(cell->Column, cell->Row);
    }
  }

 private slots:
  // Each axis picks the grid point whose centre (50 * i + 15) is nearest, halves to even.
  void pixelToGridPoint_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("column");  // -1: outside the board array
    QTest::addColumn<int>("row");
    QTest::newRow("(40,40): half rounds to even 0") << 40 << 40 << 0 << 0;
    QTest::newRow("(90,90): half rounds to even 2") << 90 << 90 << 2 << 2;
    QTest::newRow("(65,65): centre of (1,1)") << 65 << 65 << 1 << 1;
    QTest::newRow("(41,39): just past and before the half") << 41 << 39 << 1 << 0;
    QTest::newRow("(140,190): 2.5 and 3.5") << 140 << 190 << 2 << 4;
    QTest::newRow("(0,0): top-left pixel") << 0 << 0 << 0 << 0;
    QTest::newRow("(279,229): last drawn pixel") << 279 << 229 << 5 << 4;
    QTest::newRow("(330,280): border corner") << 330 << 280 << 6 << 5;
    QTest::newRow("(340,120): column 6.5 -> 6") << 340 << 120 << 6 << 2;
    QTest::newRow("(390,120): column 7 is outside") << 390 << 120 << -1 << -1;
    QTest::newRow("(120,300): row 6 is outside") << 120 << 300 << -1 << -1;
    QTest::newRow("(-60,65): column -1 is outside") << -60 << 65 << -1 << -1;
  }
  void pixelToGridPoint() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, column);
    QFETCH(int, row);
    rig->Place(kFullGrid);
    const auto cell = CellAt(game().Nodes(), kBoardGeometry, x, y);
    if (column < 0) {
      QVERIFY(!cell.has_value());
    } else {
      QVERIFY(cell.has_value());
      QCOMPARE(cell->Column, column);
      QCOMPARE(cell->Row, row);
    }
  }

  void clickPlaysTheNearestNode() {
    rig->Place(kFullGrid, 1);
    Click(90, 90);
    QCOMPARE(game().Nodes()(2, 2).Owner, Player(1));
    QCOMPARE(rig->rec.Take(), QStringList({"turn:2|1 + 0 = 1|0 + 0 = 0", "moved:1,2,2"}));
    Click(90, 90);  // player 2 on player 1's node
    QCOMPARE(rig->rec.Take(), QStringList({"refused:2,2,2"}));
    QCOMPARE(rig->rec.LastMove.Why, Refusal::OpponentNode);
  }

  void clickOnBorderOrMissingNodeIsNoMove_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("border (0,0)") << 40 << 40;
    QTest::newRow("missing node (1,1)") << 65 << 65;
    QTest::newRow("outside the array") << 500 << 500;
  }
  void clickOnBorderOrMissingNodeIsNoMove() {
    QFETCH(int, x);
    QFETCH(int, y);
    Board board = MakeBoard({"-XXXX", "XXXXX", "XXXXX", "XXXXX"});
    board(2, 1).Owner = 2;
    rig->Place(board, 1);
    const Board before = game().Nodes();
    Click(x, y);
    QVERIFY(game().Nodes() == before);
    QCOMPARE(game().ActPlayer(), Player(1));
    QCOMPARE(rig->rec.Take(), QStringList());
  }

  void clicksDroppedWhileWaitingForPeer() {
    Board board = MakeBoard(kFullGrid);
    board(5, 4).Owner = 2;
    rig->Place(board, 1);
    rig->SetNet(true, true, false);
    rig->rec.Clear();
    const Board before = game().Nodes();
    Click(65, 65);
    QVERIFY(game().Nodes() == before);
    QCOMPARE(rig->rec.Take(), QStringList());

    rig->SetNet(true, true, true);  // once the peer is there, the host plays player 1
    rig->rec.Clear();
    Click(65, 65);
    QCOMPARE(rig->rec.Take(), QStringList({"turn:2|1 + 0 = 1|1 + 0 = 1", "moved:1,1,1"}));
  }

  void clickNotAllowedForThisSeatDoesNothing() {
    Board board = MakeBoard(kFullGrid);
    board(5, 4).Owner = 1;
    rig->Place(board, 2);
    game().ToggleCpuPlayer();  // against the CPU, player 2 is the CPU's seat
    rig->rec.Clear();
    Click(65, 65);
    QCOMPARE(game().Nodes()(1, 1).Owner, Player(0));
    QCOMPARE(rig->rec.Take(), QStringList());
  }
};

QTEST_GUILESS_MAIN(BoardClickTest)
#include "test_board_click.moc"
