// Saved games: every stage and a random layout written and read back move for move, a start
// position carried over, and a table of damaged files each refused with the line at fault.

#include <QTest>

#include "common/CoreRecorder.h"
#include "record/RecordFile.h"
#include "stages/Stages.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

// A game played by seeded random legal moves from `start`, `plies` long at most.
RecordedGame RandomGame(const Board& start, Player first, int plies, std::uint64_t seed) {
  std::mt19937_64 engine(seed);
  RecordedGame game;
  game.Start = start;
  game.FirstToMove = first;
  game.Date = QDate(2026, 12, 9);
  Position at{start, first, std::nullopt};
  while (game.Plies() < plies) {
    std::vector<Cell> legal;
    for (int c = 1; c <= start.NodesW(); ++c) {
      for (int r = 1; r <= start.NodesH(); ++r) {
        if (IsLegalMove(at.Nodes, c, r, at.ActPlayer)) {
          legal.push_back(Cell{c, r});
        }
      }
    }
    if (legal.empty()) {
      game.Finished = true;
      break;
    }
    const Cell cell = legal[engine() % legal.size()];
    const MoveOutcome outcome = ApplyMove(at.Nodes, cell.Column, cell.Row, at.ActPlayer);
    const Tally tally = CountScores(at.Nodes);
    game.Moves.push_back(RecordedMove{at.ActPlayer, cell.Column, cell.Row, outcome,
                                      MoveSource::Person, tally.Score(1), tally.Score(2)});
    at.ActPlayer = at.ActPlayer == 1 ? 2 : 1;
  }
  return game;
}

const char* const kGood =
    "(;FF[4]CA[UTF-8]GM[Vextal]AP[Vextal]\n"
    "SZ[5:4]XS[1]\n"
    "PB[Anna]PW[CPU Master]DT[2026-12-09]PL[B]\n"
    ";B[ca];W[ab]\n"
    ")\n";

}  // namespace

class RecordFileTest : public QObject {
  Q_OBJECT

 private slots:
  void roundTripsEveryStage() {
    for (int stage = 1; stage <= kStageCount + 2; ++stage) {
      ScriptedRandom random{std::uint64_t(stage)};
      const Board board = BuildStage(std::min(stage, kStageCount), random);
      // Stage 8 and 9: random layouts, one a finished game and one from a position in play.
      RecordedGame game = RandomGame(board, Player(1 + stage % 2), stage == 8 ? 999 : 12, stage);
      if (stage == 9) {
        game = RandomGame(game.At(7).Nodes, game.ToMoveAt(7), 999, 99);
      }
      game.Seats = Mode::PersonAgainstCpu;
      game.Level = CpuLevel::Master;
      QString error;
      const QByteArray text = WriteRecordFile(game);
      const auto read = ReadRecordFile(text, error);
      QVERIFY2(read.has_value(), qPrintable(error + "\n" + QString::fromUtf8(text)));
      QCOMPARE(read->Stage, StageOfLayout(board));
      QVERIFY(read->Game.Start == game.Start);
      QCOMPARE(read->Game.FirstToMove, game.FirstToMove);
      QCOMPARE(read->Game.Finished, game.Finished);
      QCOMPARE(read->Game.Date, game.Date);
      QCOMPARE(read->Game.Names[1], QStringLiteral("Person"));
      QCOMPARE(read->Game.Names[2], QStringLiteral("CPU Master"));
      QCOMPARE(read->Game.Moves, game.Moves);
      QCOMPARE(WriteRecordFile(read->Game), text);
    }
    QCOMPARE(StageOfLayout(BuildStage(3, *std::make_unique<ScriptedRandom>())), 3);
  }

  void damagedFilesAreRefusedByLine_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    const QByteArray good(kGood);
    auto with = [&](const char* from, const char* to) {
      return QByteArray(good).replace(from, to);
    };
    QTest::newRow("empty") << QByteArray() << "Line 1: not a saved game";
    QTest::newRow("other game") << with("GM[Vextal]", "GM[1]") << "Line 1: not a saved game of";
    QTest::newRow("format 3") << with("FF[4]", "FF[3]") << "Line 1: only file format 4";
    QTest::newRow("latin-1") << with("UTF-8", "ISO-8859-1") << "Line 1: only the character set";
    QTest::newRow("no size") << with("SZ[5:4]", "") << "Line 1: the board size";
    QTest::newRow("huge board") << with("SZ[5:4]", "SZ[99:4]") << "Line 2: the board size must";
    QTest::newRow("wrong size") << with("SZ[5:4]", "SZ[4:4]") << "Line 2: the board is not";
    QTest::newRow("stage 0") << with("XS[1]", "XS[0]") << "Line 2: the stage (XS)";
    QTest::newRow("random, no nodes") << with("XS[1]", "XS[7]") << "Line 2: a random stage needs";
    QTest::newRow("not the layout") << with("XS[1]", "XS[1]XN[aa]") << "Line 2: the board is not";
    QTest::newRow("unknown") << with("PL[B]", "PL[B]ZZ[1]") << "Line 3: unknown property ZZ";
    QTest::newRow("twice") << with("PL[B]", "PL[B]PL[W]") << "Line 3: property PL given twice";
    QTest::newRow("bad date") << with("2026-12-09", "yesterday") << "Line 3: the date";
    QTest::newRow("bad colour") << with("PL[B]", "PL[X]") << "Line 3: the first player";
    QTest::newRow("off board") << with(";W[ab]", ";W[zz]") << "Line 4: \"zz\" is not a point";
    QTest::newRow("no node") << with(";W[ab]", ";W[aa]") << "Line 4: the move W[aa] is not legal";
    QTest::newRow("taken") << with(";W[ab]", ";W[ca]") << "Line 4: the move W[ca] is not legal";
    QTest::newRow("out of turn") << with(";W[ab]", ";B[ab]") << "Line 4: the move B[ab] is made";
    QTest::newRow("two moves") << with(";W[ab]", ";W[ab]B[da]") << "Line 4: a move node holds";
    QTest::newRow("setup in move") << with(";W[ab]", ";W[ab]AB[da]") << "Line 4: unknown property";
    QTest::newRow("variation") << with(";W[ab]\n)", "(;W[ab]))") << "Line 4: variations";
    QTest::newRow("unclosed") << with(";W[ab]\n)", ";W[ab") << "Line 4: a value is not closed";
    QTest::newRow("trailing") << with(")\n", ")x") << "Line 5: text after the end";
    QTest::newRow("result early") << with("PL[B]", "PL[B]RE[B+2]") << "Line 3: a result is given";
    QTest::newRow("owner twice") << with("PL[B]", "PL[B]AB[ca]AW[ca]") << "Line 3: an owner is set";
    QTest::newRow("expanded free") << with("PL[B]", "PL[B]XE[ca]") << "Line 3: an expanded point";
    QTest::newRow("too long") << with("Anna", QByteArray(600, 'a').constData())
                              << "Line 3: a value is too long";
    QTest::newRow("binary") << QByteArray("(;\0)", 4) << "the file is not text";
    QTest::newRow("too large") << QByteArray(kMaxRecordFileBytes + 1, ' ')
                               << "the file is larger than 256 KiB";
  }
  void damagedFilesAreRefusedByLine() {
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    QString why;
    QVERIFY(!ReadRecordFile(text, why).has_value());
    QVERIFY2(why.startsWith(error), qPrintable(why));
    QVERIFY(ReadRecordFile(kGood, why).has_value());
  }
};

QTEST_GUILESS_MAIN(RecordFileTest)
#include "test_record_file.moc"
