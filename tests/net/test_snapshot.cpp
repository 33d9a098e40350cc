// The board snapshot: its byte layout, the round trip through the reader, and broken data.

#include <QTest>

#include "common/CoreRecorder.h"
#include "net/Snapshot.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

// A game some moves in on stage 1: owners, expansions and links on the board.
Board PlayedBoard(Player* toMove) {
  CoreRig rig;
  SetupStage(rig.game, 1, rig.random);
  const int moves[][2] = {{3, 2}, {3, 3}, {3, 2}, {4, 3}, {1, 2}, {3, 3}};
  for (const auto& m : moves) {
    rig.game.DoMove(m[0], m[1], MoveSource::Peer);
  }
  *toMove = rig.game.ActPlayer();
  return rig.game.Nodes();
}

}  // namespace

class SnapshotTest : public QObject {
  Q_OBJECT

 private slots:
  void layoutOfTheFiveByFourBoard() {
    Board board = MakeBoard({"XXXXX", "XXXXX", "XXXXX", "XXXXX"});
    Node& n = board(2, 1);
    n.Kind = 2;
    n.LinkLeft = n.LinkRight = n.LinkDown = 1;
    n.Owner = 2;
    n.Expanded = kTrue16;
    const QByteArray data = GetSnapshot(board, 2);
    QCOMPARE(data.size(), 183);
    QCOMPARE(int(data[0]), 5);
    QCOMPARE(int(data[1]), 4);
    QCOMPARE(int(data[182]), 2);
    // (2,1) follows the four records of column 1.
    QCOMPARE(data.mid(38, 9), QByteArray::fromHex("010200010101030201"));
    QCOMPARE(data.mid(2, 9), QByteArray::fromHex("010000000000020000"));  // (1,1), Degree 2
  }

  void roundTripReproducesTheBoard() {
    Player toMove = 0;
    const Board board = PlayedBoard(&toMove);
    const auto parsed = ParseSnapshot(GetSnapshot(board, toMove));
    QVERIFY(parsed.has_value());
    QVERIFY(parsed->Nodes == board);  // border cells included: zero on both
    QCOMPARE(parsed->ActPlayer, toMove);
    QCOMPARE(GetSnapshot(parsed->Nodes, parsed->ActPlayer), GetSnapshot(board, toMove));
  }

  void otherSizeIsAccepted() {
    Board board = MakeBoard({"XXXXXXX", "X-----X", "X-XXX-X", "X-----X", "XXXXXXX", "-------"});
    board(7, 5).Owner = 1;
    const QByteArray data = GetSnapshot(board, 1);
    QCOMPARE(data.size(), 3 + 9 * 7 * 6);
    const auto parsed = ParseSnapshot(data);
    QVERIFY(parsed.has_value());
    QCOMPARE(int(parsed->Nodes.NodesW()), 7);
    QCOMPARE(int(parsed->Nodes.NodesH()), 6);
    QVERIFY(parsed->Nodes == board);
  }

  void extraBytesAreIgnored() {
    Player toMove = 0;
    const Board board = PlayedBoard(&toMove);
    const auto parsed = ParseSnapshot(GetSnapshot(board, toMove) + QByteArray("\x07\x07", 2));
    QVERIFY(parsed.has_value());
    QVERIFY(parsed->Nodes == board);
  }

  void brokenDataGivesNothing_data() {
    QTest::addColumn<QByteArray>("data");
    Player toMove = 0;
    const QByteArray good = GetSnapshot(PlayedBoard(&toMove), toMove);
    QTest::newRow("one byte short") << good.left(good.size() - 1);
    QTest::newRow("half a board") << good.left(90);
    QTest::newRow("size only") << good.left(2);
    QTest::newRow("one byte") << good.left(1);
    QTest::newRow("empty") << QByteArray();
    QByteArray owner3 = good;
    owner3[2 + 9 * 5 + 7] = 3;  // Owner of (2,2)
    QTest::newRow("an Owner of 3") << owner3;
    QByteArray owner255 = good;
    owner255[2 + 9 * 19 + 7] = char(255);  // the last record
    QTest::newRow("an Owner of 255") << owner255;
    QByteArray bigger = good;
    bigger[0] = char(200);  // claims far more records than there are bytes
    QTest::newRow("size larger than the data") << bigger;
  }
  void brokenDataGivesNothing() {
    QFETCH(QByteArray, data);
    QVERIFY(!ParseSnapshot(data).has_value());
  }
};

QTEST_GUILESS_MAIN(SnapshotTest)
#include "test_snapshot.moc"
