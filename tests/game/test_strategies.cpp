// The CPU's strategies: Classic chooses exactly what the timer tick plays, every level plays only
// legal moves to the end of a game on every stage, the searching levels see a win one move
// ahead that the greedy move misses, and a search gives up when cancelled.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include <QPair>
#include <QSet>
#include <QTest>

#include "common/CoreRecorder.h"
#include "common/PlayOut.h"
#include "game/ClassicStrategy.h"
#include "game/Evaluation.h"
#include "game/GameSearch.h"
#include "game/Rules.h"
#include "game/SearchPosition.h"
#include "game/SearchStrategy.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

const std::atomic<bool> kNeverCancelled{false};

// A board from rows: '-' no node, '.' free, 'a'/'b' a node of player 1/2, 'A'/'B' the same
// expanded, with a link toward every existing neighbour.
Board Picture(const QStringList& rows) {
  QStringList layout;
  for (QString row : rows) {
    for (QChar& ch : row) {
      ch = ch == QLatin1Char('-') ? ch : QLatin1Char('X');
    }
    layout << row;
  }
  Board board = MakeBoard(layout);
  for (int r = 1; r <= board.NodesH(); ++r) {
    for (int c = 1; c <= board.NodesW(); ++c) {
      const QChar ch = rows[r - 1][c - 1];
      Node& node = board(c, r);
      node.Owner = ch.toLower() == QLatin1Char('a') ? 1 : ch.toLower() == QLatin1Char('b') ? 2 : 0;
      if (ch.isUpper()) {
        node.Expanded = kTrue16;
        node.LinkLeft = board(c - 1, r).Exists ? 1 : 0;
        node.LinkUp = board(c, r - 1).Exists ? 1 : 0;
        node.LinkRight = board(c + 1, r).Exists ? 1 : 0;
        node.LinkDown = board(c, r + 1).Exists ? 1 : 0;
      }
    }
  }
  return board;
}

// A search level with its budget cut to keep the sanitised test build quick; the budget decides
// how well it plays, not whether its moves are legal.
SearchSettings QuickSettings(CpuLevel level) {
  SearchSettings settings = SearchSettingsFor(level);
  settings.NodeBudget = std::min<std::int64_t>(settings.NodeBudget, 4000);
  return settings;
}

}  // namespace

class StrategiesTest : public QObject {
  Q_OBJECT

 private slots:
  // The classic player's moves for a fixed seed, as the CPU played them before it had levels:
  // the demo on stages 3, 6 and 7, forty ticks each.
  void classicPlaysAsItAlwaysHas() {
    CoreRig rig;
    rig.game.ToggleCpuPlayer();
    rig.game.ToggleDemoPlayer();
    QStringList moves;
    for (const int stage : {3, 6, 7}) {
      SetupStage(rig.game, stage, rig.random);
      rig.rec.Clear();
      for (int tick = 0; tick < 40; ++tick) {
        rig.clock.Advance(1000);
        rig.game.CpuTick();
      }
      moves << rig.rec.Effects.filter(QStringLiteral("moved:"))
                   .join(QLatin1Char(' '))
                   .remove(QStringLiteral("moved:"));
    }
    const QStringList expected = {
        "1,3,3 2,1,4 1,3,2 2,1,1 1,3,3 2,5,3 1,2,1 2,4,1 1,3,2 2,5,4 1,3,1 2,5,1 1,3,4 2,1,3 1,2,4 "
        "2,5,2 1,1,2 2,5,4 1,2,4 2,4,1 1,1,2 2,5,2 1,2,1 2,5,1 1,1,1 2,1,3 1,3,4 2,1,4 1,3,1 2,5,3 "
        "1,1,1 1,4,4 2,5,1 1,3,1 2,1,3 1,5,2 2,5,3 1,5,2 2,5,3 1,3,2",
        "1,3,4 2,2,2 1,1,1 2,1,3 1,2,3 2,4,3 1,5,2 2,4,2 1,3,3 2,4,1 1,2,4 2,4,4 1,3,1 2,4,3 1,2,4 "
        "2,4,4 1,2,1 2,1,2 1,2,3 2,3,2 1,3,4 2,2,2 1,3,3 2,4,2 1,5,2 2,1,3 1,3,1 2,4,1 1,1,1 2,5,4 "
        "1,2,1 2,1,2 2,4,2 1,4,4 2,4,1 1,5,2 2,2,2 1,3,2 2,4,2 1,3,1",
        "1,3,4 2,5,3 1,3,4 2,2,2 1,4,3 2,4,2 1,3,1 2,5,1 1,1,2 2,1,1 1,1,2 2,4,2 1,1,1 2,1,4 1,2,4 "
        "2,1,4 1,2,4 2,5,4 1,4,4 2,5,3 1,1,1 2,2,2 1,4,4 2,5,4 1,3,1 2,5,1 2,5,3 1,5,4 2,3,2 1,2,2 "
        "2,2,4 1,3,1 2,2,4 1,1,3 2,5,1 1,1,3 2,5,1 1,1,2 2,1,1 1,4,4",
    };
    QCOMPARE(moves, expected);
  }

  void classicHasNothingWithoutALegalMove() {
    ScriptedRandom random;
    const Board board = Picture({"A.B"});  // the middle is blocked for both
    QVERIFY(!ClassicStrategy(random).Choose(board, 1, kNeverCancelled));
    QCOMPARE(random.Draws(), 2 * kClassicRandomTries);
  }

  // Every level against Classic and against itself, on every stage, from both seats.
  void everyLevelPlaysLegallyToTheEnd_data() {
    QTest::addColumn<int>("level");
    QTest::newRow("Good") << int(CpuLevel::Good);
    QTest::newRow("Strong") << int(CpuLevel::Strong);
    QTest::newRow("Master") << int(CpuLevel::Master);
  }
  void everyLevelPlaysLegallyToTheEnd() {
    QFETCH(int, level);
    for (int stage = 1; stage <= kStageCount; ++stage) {
      for (int game = 0; game < 2; ++game) {
        ScriptedRandom random(std::uint64_t(stage * 10 + game));
        Board board = BuildStage(stage, random);
        SearchStrategy searcher(QuickSettings(CpuLevel(level)), std::uint64_t(stage));
        ClassicStrategy classic(random);
        CpuStrategy* seats[2] = {&searcher, &classic};
        Player toMove = Player(1 + game);  // the searcher starts one game, Classic the other
        int plies = 0;
        while (HasLegalMove(board, toMove)) {
          QVERIFY2(plies++ < 200, "the game does not end");
          const std::optional<Cell> cell =
              seats[toMove - 1]->Choose(board, toMove, kNeverCancelled);
          QVERIFY(cell.has_value());
          QVERIFY(IsLegalMove(board, cell->Column, cell->Row, toMove));
          ApplyMove(board, cell->Column, cell->Row, toMove);
          toMove = Player(3 - toMove);
        }
        QVERIFY(!searcher.Choose(board, toMove, kNeverCancelled));
      }
    }
  }

  // A short seeded match, every stage's layout started once by each side: Master, its budget cut
  // and its clock out of play so the games are the same on any machine, wins nearly all of them
  // against Classic. A level that loses its edge fails here.
  void masterKeepsItsEdgeOverClassic() {
    SearchSettings master = SearchSettingsFor(CpuLevel::Master);
    master.NodeBudget = 10'000;
    master.TimeBudget = std::chrono::hours(1);
    int wins = 0;
    for (int stage = 1; stage <= kStageCount; ++stage) {
      for (int first = 1; first <= 2; ++first) {
        ScriptedRandom random{std::uint64_t(stage * 31 + first)};
        Board board = BuildStage(stage, random);
        SearchStrategy searcher(master, std::uint64_t(stage * 7 + first));
        ClassicStrategy classic(random);
        QVERIFY(first == 1 ? PlayOut(board, searcher, classic) : PlayOut(board, classic, searcher));
        const Tally tally = CountScores(board);
        wins += tally.Score(Player(first)) > tally.Score(Player(3 - first)) ? 1 : 0;
      }
    }
    QVERIFY2(wins >= 13, qPrintable(QStringLiteral("Master won %1 of 14").arg(wins)));
  }

  // One claim ends the game at once with player 1 ahead; the move that gains most does not.
  void searchFindsTheWinTheGreedyMoveMisses_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("3x2") << QStringList{"B..", "aA."} << 3 << 1;
    QTest::newRow("4x2") << QStringList{"-abA", ".ABa"} << 2 << 1;
  }
  void searchFindsTheWinTheGreedyMoveMisses() {
    QFETCH(QStringList, rows);
    QFETCH(int, column);
    QFETCH(int, row);
    const Board board = Picture(rows);
    for (const CpuLevel level : {CpuLevel::Good, CpuLevel::Strong, CpuLevel::Master}) {
      for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        SearchStrategy searcher(SearchSettingsFor(level), seed);
        QVERIFY(searcher.Choose(board, 1, kNeverCancelled) == Cell({column, row}));
      }
    }
  }

  // Among moves the search finds equal, the seed picks: on the open full grid, where the corners
  // (and every other symmetric set of cells) are worth the same, games with other seeds open
  // with other moves.
  void seedsShuffleTheRootMoves() {
    ScriptedRandom random;
    const Board board = BuildStage(6, random);  // the full grid
    for (const CpuLevel level : {CpuLevel::Good, CpuLevel::Strong, CpuLevel::Master}) {
      QSet<QPair<int, int>> openings;
      for (std::uint64_t seed = 1; seed <= 8; ++seed) {
        SearchStrategy searcher(QuickSettings(level), seed);
        const std::optional<Cell> cell = searcher.Choose(board, 1, kNeverCancelled);
        QVERIFY(cell.has_value());
        openings.insert({cell->Column, cell->Row});
      }
      QVERIFY2(openings.size() > 1, qPrintable(CpuLevelName(level)));
    }
  }

  // Good takes any move within its tolerance of the best, and only those: over positions from
  // seeded play, its seeds choose more different moves than a level without the tolerance, and
  // every move it chooses is worth at least the best, less the tolerance, in a full-width search
  // of the same depth.
  void goodChoosesWithinItsTolerance() {
    const SearchSettings good = SearchSettingsFor(CpuLevel::Good);
    SearchSettings strict = good;
    strict.Tolerance = 0;
    std::mt19937_64 engine(11);
    std::size_t goodChoices = 0;
    std::size_t strictChoices = 0;
    for (int stage = 1; stage <= kStageCount; ++stage) {
      ScriptedRandom random{std::uint64_t(stage)};
      Board board = BuildStage(stage, random);
      Player toMove = 1;
      for (int ply = 0; ply < 6 && HasLegalMove(board, toMove); ++ply) {
        SearchPosition position(board, toMove);
        std::vector<PackedCell> moves;
        position.LegalMoves(moves);
        const std::atomic<bool> never{false};
        SearchStop stop(never, std::chrono::steady_clock::time_point::max(), 1 << 30, 256);
        TranspositionTable table(good.TableSizeLog2);
        const GameSearch::RootResult all = GameSearch(position, table, good.Weights, stop)
                                               .SearchRoot(moves, good.MaxDepth, 1 << 29);
        QSet<PackedCell> chosenByGood;
        QSet<PackedCell> chosenByStrict;
        for (std::uint64_t seed = 1; seed <= 12; ++seed) {
          const std::optional<Cell> cell = SearchStrategy(good, seed).Choose(board, toMove, never);
          QVERIFY(cell.has_value());
          const PackedCell move = PackCell(cell->Column, cell->Row);
          const auto at = std::find(moves.begin(), moves.end(), move) - moves.begin();
          QVERIFY2(all.Values[std::size_t(at)] >= all.Value - good.Tolerance,
                   qPrintable(QStringLiteral("stage %1 ply %2: %3 against the best %4")
                                  .arg(stage)
                                  .arg(ply)
                                  .arg(all.Values[std::size_t(at)])
                                  .arg(all.Value)));
          chosenByGood.insert(move);
          const std::optional<Cell> strictCell =
              SearchStrategy(strict, seed).Choose(board, toMove, never);
          chosenByStrict.insert(PackCell(strictCell->Column, strictCell->Row));
        }
        goodChoices += std::size_t(chosenByGood.size());
        strictChoices += std::size_t(chosenByStrict.size());
        const PackedCell played = moves[engine() % moves.size()];
        ApplyMove(board, ColumnOf(played), RowOf(played), toMove);
        toMove = Player(3 - toMove);
      }
    }
    QVERIFY2(goodChoices > strictChoices,
             qPrintable(QStringLiteral("%1 against %2").arg(goodChoices).arg(strictChoices)));
  }

  // The evaluation fears for an own node that one hostile expansion would neutralise, and
  // counts the opponent's such node in the mover's favour: player 1's node on the left, with
  // one neighbour (player 2's unexpanded node), falls to a single expansion; player 2's node,
  // with two neighbours, does not.
  void evaluationFearsANodeOneExpansionFromFalling() {
    const Board board = Picture({"ab", "-."});
    EvalWeights dangerOnly{0, 0, 0, 60};
    QVERIFY(Evaluate(SearchPosition(board, 1), dangerOnly) < 0);
    QVERIFY(Evaluate(SearchPosition(board, 2), dangerOnly) > 0);
  }

  // Down random lines of play and back: after each move the kept key is the key of the board
  // built afresh, and taking every move back restores the board and the key exactly.
  void searchPositionPlaysAndTakesBack() {
    std::mt19937_64 engine(7);
    for (int stage = 1; stage <= kStageCount; ++stage) {
      ScriptedRandom random{std::uint64_t(stage)};
      const Board start = BuildStage(stage, random);
      SearchPosition position(start, 1);
      std::vector<SearchPosition::Undo> line(40);
      std::vector<PackedCell> moves;
      int played = 0;
      for (; played < 40; ++played) {
        position.LegalMoves(moves);
        if (moves.empty()) {
          break;
        }
        position.Play(moves[engine() % moves.size()], line[std::size_t(played)]);
        QCOMPARE(position.Key(), SearchPosition(position.Nodes(), position.ToMove()).Key());
      }
      while (played > 0) {
        position.TakeBack(line[std::size_t(--played)]);
      }
      QVERIFY(position.Nodes() == start);
      QCOMPARE(position.Key(), SearchPosition(start, 1).Key());
      QCOMPARE(position.ToMove(), Player(1));
    }
  }

  // A search with an endless budget returns a legal move once cancelled, before or during.
  void cancelledSearchReturnsALegalMove() {
    ScriptedRandom random;
    const Board board = BuildStage(6, random);
    SearchSettings endless = SearchSettingsFor(CpuLevel::Master);
    endless.NodeBudget = std::int64_t(1) << 60;
    endless.TimeBudget = std::chrono::hours(1);
    for (const bool before : {true, false}) {
      std::atomic<bool> cancel{before};
      std::thread canceller([&cancel] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        cancel = true;
      });
      SearchStrategy searcher(endless, 1);
      const std::optional<Cell> cell = searcher.Choose(board, 1, cancel);
      canceller.join();
      QVERIFY(cell.has_value());
      QVERIFY(IsLegalMove(board, cell->Column, cell->Row, 1));
      if (before) {
        QVERIFY(searcher.LastReport().Nodes <= 1);
      }
    }
  }

  // A peer's board of 255 x 255 gets a legal move from the immediate gains alone.
  void largestBoardGetsALegalMove() {
    Board board(255, 255);
    for (int c = 1; c <= 255; ++c) {
      for (int r = 1; r <= 255; ++r) {
        board(c, r).Exists = (c + r) % 3 != 0 ? kTrue16 : kFalse16;
      }
    }
    ComputeDegrees(board);
    SearchStrategy searcher(SearchSettingsFor(CpuLevel::Master), 1);
    const std::optional<Cell> cell = searcher.Choose(board, 2, kNeverCancelled);
    QVERIFY(cell.has_value());
    QVERIFY(IsLegalMove(board, cell->Column, cell->Row, 2));
  }
};

QTEST_GUILESS_MAIN(StrategiesTest)
#include "test_strategies.moc"
