// The seven stages: layouts and degrees, the random stage, the stage setup that starts a game,
// and the draw of the stage the program starts with.

#include <cmath>

#include <QTest>

#include "common/CoreRecorder.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

// Every field of every cell other than Exists and Degree is zero, and the border ring is empty.
QString OnlyLayoutSet(const Board& b) {
  for (int c = 0; c <= b.NodesW() + 1; ++c) {
    for (int r = 0; r <= b.NodesH() + 1; ++r) {
      Node n = b(c, r);
      const bool border = c == 0 || r == 0 || c == b.NodesW() + 1 || r == b.NodesH() + 1;
      if (border && !(n == Node{})) {
        return QStringLiteral("border (%1,%2) not empty").arg(c).arg(r);
      }
      n.Exists = kFalse16;
      n.Degree = 0;
      if (!(n == Node{})) {
        return QStringLiteral("(%1,%2) has play or a kind").arg(c).arg(r);
      }
    }
  }
  return QString();
}

// The layout as rows of 'X' and '-', and the degrees of all 20 points as rows of digits.
QStringList LayoutOf(const Board& b) {
  QStringList rows;
  for (int r = 1; r <= b.NodesH(); ++r) {
    QString row;
    for (int c = 1; c <= b.NodesW(); ++c) {
      row += b(c, r).Exists == kTrue16 ? QLatin1Char('X') : QLatin1Char('-');
    }
    rows << row;
  }
  return rows;
}
QStringList DegreesOf(const Board& b) {
  QStringList rows;
  for (int r = 1; r <= b.NodesH(); ++r) {
    QString row;
    for (int c = 1; c <= b.NodesW(); ++c) {
      row += QString::number(b(c, r).Degree);
    }
    rows << row;
  }
  return rows;
}

}  // namespace

class StagesTest : public QObject {
  Q_OBJECT

 private slots:
  void fixedStages_data() {
    QTest::addColumn<int>("stage");
    QTest::addColumn<QStringList>("layout");
    QTest::addColumn<QStringList>("degrees");  // of every point, with or without a node
    QTest::addColumn<int>("nodes");
    QTest::newRow("1") << 1 << QStringList{"--XXX", "XXX-X", "X-XXX", "XXX--"}
                       << QStringList{"12222", "22342", "24322", "22221"} << 14;
    QTest::newRow("2") << 2 << QStringList{"-XXX-", "-XXX-", "-XXX-", "-XXX-"}
                       << QStringList{"12321", "13431", "13431", "12321"} << 12;
    QTest::newRow("3") << 3 << QStringList{"XXXXX", "X-X-X", "X-X-X", "XXXXX"}
                       << QStringList{"22322", "23232", "23232", "22322"} << 16;
    QTest::newRow("4") << 4 << QStringList{"XX-XX", "XXXXX", "-X-X-", "-XXX-"}
                       << QStringList{"22322", "24242", "22422", "12221"} << 14;
    QTest::newRow("5") << 5 << QStringList{"---XX", "XXXXX", "XXXXX", "XX---"}
                       << QStringList{"11222", "23343", "34332", "22211"} << 14;
    QTest::newRow("6") << 6 << QStringList{"XXXXX", "XXXXX", "XXXXX", "XXXXX"}
                       << QStringList{"23332", "34443", "34443", "23332"} << 20;
  }
  void fixedStages() {
    QFETCH(int, stage);
    QFETCH(QStringList, layout);
    QFETCH(QStringList, degrees);
    QFETCH(int, nodes);
    ScriptedRandom random;
    const Board b = BuildStage(stage, random);
    QCOMPARE(int(b.NodesW()), 5);
    QCOMPARE(int(b.NodesH()), 4);
    QCOMPARE(LayoutOf(b), layout);
    QCOMPARE(DegreesOf(b), degrees);
    QCOMPARE(int(LayoutOf(b).join(QString()).count(QLatin1Char('X'))), nodes);
    QCOMPARE(OnlyLayoutSet(b), QString());
    QCOMPARE(random.Draws(), 0);
  }

  void randomStageDrawsColumnByColumn() {
    const float chance = 0.7f;
    const double justBelow = double(std::nextafter(chance, 0.0f));
    ScriptedRandom random;
    // Column 1: the boundary itself and the float just below it; then 0 and 0.99 alternate.
    random.Push({double(chance), justBelow, 0.0, 0.99});
    random.Push({justBelow, double(chance), 0.99, 0.0});
    for (int i = 0; i < 12; ++i) {
      random.Push(i % 3 == 0 ? 0.99 : 0.5);
    }
    const Board b = BuildStage(kRandomStage, random);
    QCOMPARE(random.Draws(), 20);
    QCOMPARE(random.Remaining(), std::size_t(0));
    // Draws run down each column, so the rows read across the columns.
    QCOMPARE(LayoutOf(b), QStringList({"-X-XX", "X-XX-", "X-X-X", "-X-XX"}));
    QCOMPARE(DegreesOf(b), QStringList({"20321", "13223", "13141", "20312"}));
    QCOMPARE(OnlyLayoutSet(b), QString());
  }

  void randomStageMayBeEmpty() {
    CoreRig rig;
    for (int i = 0; i < 20; ++i) {
      rig.random.Push(0.7);  // a double that becomes exactly 0.7f
    }
    SetupStage(rig.game, 7, rig.random);
    QCOMPARE(LayoutOf(rig.game.Nodes()), QStringList({"-----", "-----", "-----", "-----"}));
    QVERIFY(rig.rec.Effects.contains(QStringLiteral("newgame:shown")));
  }

  void otherStageNumbersGiveNoNodes_data() {
    QTest::addColumn<int>("stage");
    QTest::newRow("0") << 0;
    QTest::newRow("8") << 8;
    QTest::newRow("-1") << -1;
    QTest::newRow("32767") << 32767;
  }
  void otherStageNumbersGiveNoNodes() {
    QFETCH(int, stage);
    ScriptedRandom random;
    const Board b = BuildStage(stage, random);
    QCOMPARE(int(b.NodesW()), 5);
    QCOMPARE(int(b.NodesH()), 4);
    QCOMPARE(LayoutOf(b), QStringList({"-----", "-----", "-----", "-----"}));
    QCOMPARE(DegreesOf(b), QStringList({"00000", "00000", "00000", "00000"}));
    QCOMPARE(random.Draws(), 0);
  }

  void setupStageReplacesTheBoardAndStartsAGame() {
    CoreRig rig;
    rig.Place(Board(7, 6), 0);  // a peer's board of another size
    SetupStage(rig.game, 3, rig.random);
    QCOMPARE(rig.rec.Take(), QStringList({
                                 "board",
                                 "seats",
                                 "turn:1|0 + 0 = 0|0 + 0 = 0",
                                 "newgame",
                                 "newgame:shown",
                             }));
    QCOMPARE(int(rig.game.NodesW()), 5);
    QCOMPARE(int(rig.game.NodesH()), 4);

    // The same stage again: the same layout, a fresh game, the other player begins.
    QVERIFY(rig.game.DoMove(1, 1, MoveSource::Peer));
    const Board first = rig.game.Nodes();
    SetupStage(rig.game, 3, rig.random);
    QCOMPARE(LayoutOf(rig.game.Nodes()), LayoutOf(first));
    QCOMPARE(rig.game.Nodes()(1, 1).Owner, Player(0));
    QCOMPARE(rig.game.ActPlayer(), Player(1));
  }

  // Stage = round(3u) + 1 with ties to even: 1 to 4, never 5 or more.
  void startupStage_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<int>("stage");
    // Far enough from the tie that 3u itself lands on the other side of it.
    const auto below = [](double x) { return x - 1e-12; };
    const auto above = [](double x) { return x + 1e-12; };
    QTest::newRow("0") << 0.0 << 1;
    QTest::newRow("1/6: 3u = 0.5 rounds to 0") << 1.0 / 6 << 1;
    QTest::newRow("just above 1/6") << above(1.0 / 6) << 2;
    QTest::newRow("just below 0.5") << below(0.5) << 2;
    QTest::newRow("0.5: 3u = 1.5 rounds to 2") << 0.5 << 3;
    QTest::newRow("5/6: 3u = 2.5 rounds to 2") << 5.0 / 6 << 3;
    QTest::newRow("just above 5/6") << above(5.0 / 6) << 4;
    QTest::newRow("just below 1") << std::nextafter(1.0, 0.0) << 4;
  }
  void startupStage() {
    QFETCH(double, u);
    QFETCH(int, stage);
    ScriptedRandom random;
    random.Push(u);
    QCOMPARE(DrawStartupStage(random), stage);
    QCOMPARE(random.Draws(), 1);
  }
};

QTEST_GUILESS_MAIN(StagesTest)
#include "test_stages.moc"
