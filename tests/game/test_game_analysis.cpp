// The exact analysis of a recorded game, checked against positions solved offline and against
// the solver move by move: the value before and after each move for its mover, the moves that
// would have kept it, the refutation, "not proven" under a small budget, and the worker thread.

#include <QFile>
#include <QTest>

#include "common/CoreRecorder.h"
#include "game/GameAnalyser.h"
#include "game/Rules.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

const std::atomic<bool> kNever{false};

// No clock: only the positions budgets decide, so every run proves the same.
AnalysisSettings Unclocked() {
  AnalysisSettings settings;
  settings.TableSizeLog2 = 16;
  settings.FirstPassTime = std::chrono::hours(1);
  settings.TotalTime = std::chrono::hours(1);
  settings.OutcomeTime = std::chrono::hours(1);
  settings.KeepingTime = std::chrono::hours(1);
  return settings;
}

int Solve(const Board& board, Player toMove) {
  const auto reading = ExactLayout::Read(board, toMove);
  ExactSolver solver(reading->Layout, 16);
  SearchStop stop(kNever, std::chrono::steady_clock::time_point::max(), std::int64_t(1) << 40,
                  1 << 20);
  const ExactSolver::Result result = solver.Solve(reading->State, stop);
  return result.Exact() ? result.Lower : ExactSolver::kUnbounded;
}

// The mover's value after playing `cell`: the opponent's value negated, or the final margin.
int ValueAfter(Board board, Player mover, Cell cell) {
  ApplyMove(board, cell.Column, cell.Row, mover);
  return -Solve(board, Player(3 - mover));
}

std::vector<Cell> LegalCells(const Board& board, Player player) {
  std::vector<Cell> cells;
  for (int c = 1; c <= board.NodesW(); ++c) {
    for (int r = 1; r <= board.NodesH(); ++r) {
      if (IsLegalMove(board, c, r, player)) {
        cells.push_back(Cell{c, r});
      }
    }
  }
  return cells;
}

struct Solved {
  Board Nodes;
  Player ToMove = 1;
  int Value = 0;
  int Plies = 0;
};

// Positions of the offline file with at least `minPlies` moves played, at most `count`.
std::vector<Solved> SolvedPositions(int minPlies, std::size_t count) {
  QFile file(QStringLiteral(VEXTAL_TEST_DATA_DIR "/perfect_positions.txt"));
  std::vector<Solved> out;
  if (!file.open(QIODevice::ReadOnly)) {
    return out;
  }
  for (const QByteArray& line : file.readAll().split('\n')) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() < 2 + minPlies || out.size() == count) {
      continue;
    }
    ScriptedRandom random;
    Solved p{BuildStage(fields[0].toInt(), random), 1, fields[1].toInt(), int(fields.size()) - 2};
    for (qsizetype i = 2; i < fields.size(); ++i) {
      const QList<QByteArray> cell = fields[i].split(',');
      ApplyMove(p.Nodes, cell.value(0).toInt(), cell.value(1).toInt(), p.ToMove);
      p.ToMove = Player(3 - p.ToMove);
    }
    out.push_back(std::move(p));
  }
  return out;
}

RecordedGame OneMove(const Solved& p, Cell cell) {
  RecordedGame game;
  game.Start = p.Nodes;
  game.FirstToMove = p.ToMove;
  game.Moves.push_back(RecordedMove{p.ToMove, cell.Column, cell.Row});
  return game;
}

}  // namespace

class GameAnalysisTest : public QObject {
  Q_OBJECT

 private slots:
  void everyMoveOfSolvedPositionsIsJudgedForItsMover() {
    const std::vector<Solved> positions = SolvedPositions(12, 6);
    QCOMPARE(positions.size(), std::size_t(6));
    int lost = 0;
    for (const Solved& p : positions) {
      const std::vector<Cell> moves = LegalCells(p.Nodes, p.ToMove);
      std::vector<Cell> keeping;
      for (const Cell cell : moves) {
        if (ValueAfter(p.Nodes, p.ToMove, cell) == p.Value) {
          keeping.push_back(cell);
        }
      }
      QVERIFY(!keeping.empty());
      for (const Cell cell : moves) {
        const GameAnalysis analysis = AnalyseGame(OneMove(p, cell), nullptr, Unclocked(), kNever);
        QVERIFY(analysis.Complete);
        QCOMPARE(analysis.Moves.size(), std::size_t(1));
        const MoveVerdict& verdict = analysis.Moves[0];
        const int after = ValueAfter(p.Nodes, p.ToMove, cell);
        QVERIFY(verdict.Before.Exact() && verdict.After.Exact());
        QCOMPARE(verdict.Before.Lower, p.Value);
        QCOMPARE(verdict.After.Lower, after);
        QCOMPARE(analysis.ForPlayer1(OneMove(p, cell), 1).Lower, p.ToMove == 1 ? after : -after);
        if (after == p.Value) {
          QCOMPARE(verdict.Judgement, MoveJudgement::Kept);
          QVERIFY(verdict.Keeping.empty());
          continue;
        }
        ++lost;
        QCOMPARE(verdict.Judgement, MoveJudgement::Lost);
        QVERIFY(verdict.KeepingComplete);
        QCOMPARE(verdict.Keeping, keeping);
        // The refutation holds the mover to the value after the move.
        Board board = p.Nodes;
        ApplyMove(board, cell.Column, cell.Row, p.ToMove);
        if (HasLegalMove(board, Player(3 - p.ToMove))) {
          QVERIFY(verdict.Refutation.has_value());
          QCOMPARE(-ValueAfter(board, Player(3 - p.ToMove), *verdict.Refutation), after);
        }
      }
    }
    QVERIFY(lost > 0);
  }

  // Along a whole line of play each move is judged by the positions on either side of it, not
  // by its neighbours': the value before a move and after it agree with a fresh solve of each.
  void everyMoveOfALineIsJudgedByItsOwnPositions() {
    const Solved p = SolvedPositions(12, 1).front();
    RecordedGame game = OneMove(p, LegalCells(p.Nodes, p.ToMove).back());
    game.Moves.clear();
    Board board = p.Nodes;
    Player toMove = p.ToMove;
    while (HasLegalMove(board, toMove) && game.Plies() < 6) {
      const Cell cell = LegalCells(board, toMove).back();
      game.Moves.push_back(RecordedMove{toMove, cell.Column, cell.Row});
      ApplyMove(board, cell.Column, cell.Row, toMove);
      toMove = Player(3 - toMove);
    }
    const GameAnalysis analysis = AnalyseGame(game, nullptr, Unclocked(), kNever);
    QCOMPARE(analysis.Moves.size(), std::size_t(game.Plies()));
    for (int i = 0; i < game.Plies(); ++i) {
      const Position at = game.At(i);
      const RecordedMove& move = game.Moves[std::size_t(i)];
      QCOMPARE(analysis.Moves[std::size_t(i)].Before.Lower, Solve(at.Nodes, move.Mover));
      QCOMPARE(analysis.Moves[std::size_t(i)].After.Lower,
               ValueAfter(at.Nodes, move.Mover, Cell{move.Column, move.Row}));
    }
  }

  // Whatever the budget, what is shown, at every step and at the end, holds: each bound contains
  // the position's value, a lost move lost value, the moves said to keep KeepingValue reach it
  // (and, when complete, no other does), a refutation holds the mover below the value before.
  void everyBudgetProvesOnlyWhatHolds_data() {
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("second");
    QTest::addColumn<qint64>("keeping");
    QTest::addColumn<bool>("settles");
    QTest::newRow("tiny") << qint64(500) << qint64(3'000) << qint64(300) << false;
    QTest::newRow("small") << qint64(2'000) << qint64(30'000) << qint64(3'000) << false;
    QTest::newRow("unbounded") << qint64(300'000) << qint64(400'000'000) << qint64(2'000'000)
                               << true;
  }
  void everyBudgetProvesOnlyWhatHolds() {
    QFETCH(qint64, first);
    QFETCH(qint64, second);
    QFETCH(qint64, keeping);
    QFETCH(bool, settles);
    // The earliest solved position: a long game, its early positions not settled at once.
    const std::vector<Solved> solved = SolvedPositions(0, 200);
    const Solved p =
        *std::min_element(solved.begin(), solved.end(),
                          [](const Solved& a, const Solved& b) { return a.Plies < b.Plies; });
    RecordedGame game;
    game.Start = p.Nodes;
    game.FirstToMove = p.ToMove;
    Board board = p.Nodes;
    Player toMove = p.ToMove;
    for (int n = 0; HasLegalMove(board, toMove); ++n) {
      const std::vector<Cell> cells = LegalCells(board, toMove);
      const Cell cell = cells[std::size_t(n * 7) % cells.size()];
      game.Moves.push_back(RecordedMove{toMove, cell.Column, cell.Row});
      ApplyMove(board, cell.Column, cell.Row, toMove);
      toMove = Player(3 - toMove);
    }
    std::vector<int> truth;
    std::vector<std::vector<std::pair<Cell, int>>> children;  // each move's value for its mover
    for (int i = 0; i <= game.Plies(); ++i) {
      const Position at = game.At(i);
      const Player mover = i < game.Plies() ? game.Moves[std::size_t(i)].Mover : game.ToMoveAt(i);
      truth.push_back(Solve(at.Nodes, mover));
      children.emplace_back();
      for (const Cell cell : i < game.Plies() ? LegalCells(at.Nodes, mover) : std::vector<Cell>{}) {
        children.back().emplace_back(cell, ValueAfter(at.Nodes, mover, cell));
      }
    }
    AnalysisSettings settings = Unclocked();
    settings.FirstPassNodes = first;
    settings.SecondPassNodes = second;
    settings.KeepingNodes = keeping;
    int lastDone = -1;
    int lost = 0;
    auto check = [&](const GameAnalysis& analysis) {
      for (int i = 0; i <= game.Plies(); ++i) {
        QVERIFY(analysis.Values[std::size_t(i)].Lower <= truth[std::size_t(i)]);
        QVERIFY(analysis.Values[std::size_t(i)].Upper >= truth[std::size_t(i)]);
      }
      for (int i = 0; i < game.Plies(); ++i) {
        const MoveVerdict& verdict = analysis.Moves[std::size_t(i)];
        const int before = truth[std::size_t(i)];
        const int after = -truth[std::size_t(i + 1)];
        if (verdict.Judgement == MoveJudgement::Kept) {
          QCOMPARE(after, before);
        }
        if (verdict.Judgement != MoveJudgement::Lost) {
          continue;
        }
        ++lost;
        QVERIFY(after < before);
        if (verdict.Refutation && i + 1 < game.Plies()) {
          const auto reply =
              std::find_if(children[std::size_t(i + 1)].begin(), children[std::size_t(i + 1)].end(),
                           [&](const auto& child) { return child.first == *verdict.Refutation; });
          QVERIFY(reply != children[std::size_t(i + 1)].end());
          QVERIFY(-reply->second < before);
        }
        if (!verdict.KeepingTested) {
          continue;
        }
        QVERIFY(verdict.KeepingValue <= before);
        for (const auto& [cell, value] : children[std::size_t(i)]) {
          const bool listed = std::find(verdict.Keeping.begin(), verdict.Keeping.end(), cell) !=
                              verdict.Keeping.end();
          const bool keeps = value >= verdict.KeepingValue;
          QVERIFY(!listed || keeps);
          QVERIFY(listed || !keeps || !verdict.KeepingComplete);
        }
      }
    };
    const GameAnalysis analysis =
        AnalyseGame(game, nullptr, settings, kNever, [&](const GameAnalysis& sofar, int done, int) {
          QVERIFY(done >= lastDone);
          lastDone = done;
          check(sofar);
        });
    check(analysis);
    QVERIFY(analysis.Complete);
    QVERIFY(lost > 0 || !settles);
  }

  void aSmallBudgetSaysNotProvenWithBounds() {
    ScriptedRandom random;
    RecordedGame game;
    game.Start = BuildStage(6, random);
    game.FirstToMove = 1;
    game.Moves.push_back(RecordedMove{1, 2, 2});
    AnalysisSettings settings = Unclocked();
    settings.FirstPassNodes = 2'000;
    settings.SecondPassNodes = 2'000;
    const GameAnalysis analysis = AnalyseGame(game, nullptr, settings, kNever);
    QVERIFY(!analysis.Values[0].Exact());
    QVERIFY(analysis.Values[0].Lower <= analysis.Values[0].Upper);
    QCOMPARE(analysis.Moves[0].Judgement, MoveJudgement::Unknown);
  }

  void theWorkerReportsProgressAndACancelledRunNever() {
    const std::vector<Solved> positions = SolvedPositions(12, 1);
    RecordedGame game =
        OneMove(positions[0], LegalCells(positions[0].Nodes, positions[0].ToMove)[0]);
    GameAnalyser analyser;
    int doneCalls = 0;
    int lastProgress = -1;
    std::optional<GameAnalysis> result;
    analyser.Start(
        game, nullptr, Unclocked(),
        [&](const GameAnalysis&, int done, int) { lastProgress = done; },
        [&](const GameAnalysis& analysis) {
          ++doneCalls;
          result = analysis;
        });
    analyser.Cancel();
    QVERIFY(!analyser.Running());
    analyser.Start(
        game, nullptr, Unclocked(),
        [&](const GameAnalysis&, int done, int) { lastProgress = done; },
        [&](const GameAnalysis& analysis) {
          ++doneCalls;
          result = analysis;
        });
    QTRY_VERIFY(result.has_value());
    QCOMPARE(doneCalls, 1);
    QCOMPARE(lastProgress, 4);  // both positions: outcome and margin
    QCOMPARE(result->Values[0].Lower, positions[0].Value);
  }
};

QTEST_GUILESS_MAIN(GameAnalysisTest)
#include "test_game_analysis.moc"
