// Perfect play, proven by positions rather than by timing: the exact solver's model follows the
// rules move for move, it finds the values the offline solver wrote into the positions file, the
// Perfect level keeps the value on every one of them, the opening book agrees with a fresh solve
// and refuses a damaged file whole.

#include <algorithm>
#include <bit>
#include <chrono>

#include <QFile>
#include <QTest>

#include "common/CoreRecorder.h"
#include "common/PlayOut.h"
#include "game/ExactSolver.h"
#include "game/OpeningBook.h"
#include "game/PerfectStrategy.h"
#include "game/Rules.h"
#include "game/SearchStrategy.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

const std::atomic<bool> kNeverCancelled{false};

// A stop that only a very large number of positions reaches: the tests' positions solve in far
// fewer, so no clock ever decides anything here.
struct Unlimited {
  SearchStop stop{kNeverCancelled, std::chrono::steady_clock::time_point::max(),
                  std::int64_t(1) << 40, 1 << 20};
};

int ExactValue(const ExactLayout::Reading& position, int threads = 1) {
  ExactSolver solver(position.Layout, 16, threads);
  Unlimited unlimited;
  const ExactSolver::Result result = solver.Solve(position.State, unlimited.stop);
  return result.Exact() ? result.Lower : ExactSolver::kUnbounded;
}

// Perfect without its clock: the position budget alone decides, as on an unloaded machine.
PerfectSettings Unclocked() {
  PerfectSettings settings;
  settings.ExactTime = std::chrono::hours(1);
  settings.TrialTime = std::chrono::hours(1);
  settings.TotalTime = std::chrono::hours(1);
  return settings;
}

Board StageBoard(int stage) {
  ScriptedRandom random;
  return BuildStage(stage, random);
}

// A line of the positions file: the stage, the value for the player to move, the moves from the
// start (player 1 first).
struct TestPosition {
  int Stage = 0;
  int Value = 0;
  Board Nodes;
  Player ToMove = 1;
};

std::vector<TestPosition> ReadPositions() {
  QFile file(QStringLiteral(VEXTAL_TEST_DATA_DIR "/perfect_positions.txt"));
  std::vector<TestPosition> positions;
  if (!file.open(QIODevice::ReadOnly)) {
    return positions;
  }
  for (const QByteArray& line : file.readAll().split('\n')) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() < 2) {
      continue;
    }
    TestPosition p;
    p.Stage = fields[0].toInt();
    p.Value = fields[1].toInt();
    p.Nodes = StageBoard(p.Stage);
    for (qsizetype i = 2; i < fields.size(); ++i) {
      const QList<QByteArray> cell = fields[i].split(',');
      if (!MoveMade(ApplyMove(p.Nodes, cell.value(0).toInt(), cell.value(1).toInt(), p.ToMove))) {
        return {};
      }
      p.ToMove = Player(3 - p.ToMove);
    }
    positions.push_back(std::move(p));
  }
  return positions;
}

ExactLayout::Reading StageStart(int stage) {
  return *ExactLayout::Read(StageBoard(stage), 1);
}

// The rest of the game searched by plain alpha-beta: no table, no ordering, no symmetry.
int PlainValue(const ExactLayout& layout, const ExactState& state, int alpha, int beta) {
  const std::uint32_t legal = layout.LegalMoves(state);
  if (legal == 0) {
    return layout.Margin(state);
  }
  for (std::uint32_t set = legal; set != 0 && alpha < beta; set &= set - 1) {
    alpha = std::max(alpha,
                     -PlainValue(layout, layout.Play(state, std::countr_zero(set)), -beta, -alpha));
  }
  return alpha;
}
int PlainValue(const ExactLayout& layout, const ExactState& state) {
  return PlainValue(layout, state, -ExactSolver::kUnbounded, ExactSolver::kUnbounded);
}

// Positions late in random games on a layout.
std::vector<ExactState> LatePositions(const ExactLayout& layout, const ExactState& start,
                                      int horizon, int count, std::mt19937_64& engine) {
  std::vector<ExactState> positions;
  while (int(positions.size()) < count) {
    ExactState state = start;
    while (layout.Horizon(state) > horizon && layout.LegalMoves(state) != 0) {
      std::vector<int> nodes;
      for (std::uint32_t set = layout.LegalMoves(state); set != 0; set &= set - 1) {
        nodes.push_back(std::countr_zero(set));
      }
      state = layout.Play(state, nodes[engine() % nodes.size()]);
    }
    if (layout.LegalMoves(state) != 0) {
      positions.push_back(state);
    }
  }
  return positions;
}

// Positions that a mirror image of the layout maps onto themselves: each node and its image
// given the same state (free, or owned by the same side, expanded or not).
std::vector<ExactState> MirrorPositions(const ExactLayout& layout, int horizon, int count,
                                        std::mt19937_64& engine) {
  std::vector<ExactState> positions;
  for (int tries = 0; int(positions.size()) < count && tries < 1000 * count; ++tries) {
    const int symmetry = 1 + int(engine() % std::uint64_t(layout.SymmetryCount() - 1));
    ExactState state;
    for (int n = 0; n < layout.Count(); ++n) {
      const int image = layout.MapNode(symmetry, n);
      if (image < n) {
        continue;
      }
      const std::uint32_t bits = (1u << n) | (1u << image);
      // 0 and 7 free, 1 to 3 the mover's, 4 to 6 the other's; 1 and 4 expanded.
      const int kind = int(engine() % 8);
      state.Mine |= kind >= 1 && kind <= 3 ? bits : 0;
      state.Theirs |= kind >= 4 && kind <= 6 ? bits : 0;
      state.Expanded |= kind == 1 || kind == 4 ? bits : 0;
    }
    if (layout.Horizon(state) <= horizon && layout.LegalMoves(state) != 0) {
      positions.push_back(state);
    }
  }
  return positions;
}

}  // namespace

class PerfectTest : public QObject {
  Q_OBJECT

 private slots:
  // Random games on every stage, played by the rules and by the solver's model side by side:
  // the same position, the same legal moves after every move, the same final margin.
  void exactModelFollowsTheRules() {
    std::mt19937_64 engine(5);
    for (int game = 0; game < 140; ++game) {
      ScriptedRandom random{std::uint64_t(game)};
      Board board = BuildStage(1 + game % kStageCount, random);
      Player toMove = Player(1 + game % 2);
      const auto start = ExactLayout::Read(board, toMove);
      QVERIFY(start.has_value());
      ExactState state = start->State;
      for (;;) {
        const auto now = ExactLayout::Read(board, toMove);
        QVERIFY(now && now->State == state);
        const std::uint32_t legal = start->Layout.LegalMoves(state);
        for (int n = 0; n < start->Layout.Count(); ++n) {
          const PackedCell cell = start->Layout.CellOf(n);
          QCOMPARE((legal >> n & 1u) != 0, IsLegalMove(board, ColumnOf(cell), RowOf(cell), toMove));
        }
        if (legal == 0) {
          const Tally tally = CountScores(board);
          QCOMPARE(start->Layout.Margin(state), tally.Score(toMove) - tally.Score(3 - toMove));
          break;
        }
        std::vector<int> nodes;
        for (std::uint32_t set = legal; set != 0; set &= set - 1) {
          nodes.push_back(std::countr_zero(set));
        }
        const int node = nodes[engine() % nodes.size()];
        const PackedCell cell = start->Layout.CellOf(node);
        ApplyMove(board, ColumnOf(cell), RowOf(cell), toMove);
        state = start->Layout.Play(state, node);
        toMove = Player(3 - toMove);
      }
    }
  }

  // The solver against a plain search on late positions of every stage: with a table of one
  // bucket, where nearly every store throws another position out, and with one solver carried
  // through all of a stage's positions, as Perfect carries its table from move to move. Mirror
  // positions are among them, where the solver searches only one of each pair of mirror moves.
  void solverAgreesWithAPlainSearch_data() {
    QTest::addColumn<int>("stage");
    for (int stage = 1; stage <= kStageCount; ++stage) {
      QTest::addRow("stage %d", stage) << stage;
    }
  }
  void solverAgreesWithAPlainSearch() {
    QFETCH(int, stage);
    ScriptedRandom random{std::uint64_t(stage)};
    const auto start = ExactLayout::Read(BuildStage(stage, random), 1);
    const ExactLayout& layout = start->Layout;
    std::mt19937_64 engine{std::uint64_t(stage)};
    ExactSolver carried(layout, 10);
    std::vector<ExactState> positions = LatePositions(layout, start->State, 9, 12, engine);
    if (layout.SymmetryCount() > 1) {
      const std::vector<ExactState> mirror = MirrorPositions(layout, 9, 12, engine);
      QCOMPARE(mirror.size(), std::size_t(12));
      positions.insert(positions.end(), mirror.begin(), mirror.end());
    }
    int mirrored = 0;
    for (const ExactState& state : positions) {
      int symmetry = 0;
      unsigned fixing = 0;
      layout.Canonical(state, symmetry, fixing);
      mirrored += fixing != 0 ? 1 : 0;
      const int value = PlainValue(layout, state);
      ExactSolver tiny(layout, 1);
      for (ExactSolver* solver : {&tiny, &carried}) {
        Unlimited unlimited;
        const ExactSolver::Result result = solver->Solve(state, unlimited.stop);
        QVERIFY(result.Exact());
        QCOMPARE(result.Lower, value);
        QCOMPARE(-PlainValue(layout, layout.Play(state, result.Move)), value);
      }
    }
    // Every layout with a mirror image had some of its positions mapped onto themselves.
    QVERIFY(layout.SymmetryCount() == 1 || mirrored > 0);
  }

  // Boards the model cannot hold are refused rather than misread.
  void exactModelRefusesBoardsPlayCannotMake() {
    Board linkedFree = StageBoard(6);
    linkedFree(2, 2).LinkUp = 1;  // a link on a node nobody expanded
    Board halfLinked = StageBoard(6);
    halfLinked(2, 2).Owner = 1;
    halfLinked(2, 2).Expanded = kTrue16;
    halfLinked(2, 2).LinkUp = 1;  // three of its four links missing
    Board ownedHole = StageBoard(1);
    ownedHole(1, 1).Owner = 2;  // (1, 1) holds no node on stage 1
    Board big(6, 4);
    for (int c = 1; c <= 6; ++c) {
      for (int r = 1; r <= 4; ++r) {
        big(c, r).Exists = kTrue16;  // 24 nodes
      }
    }
    for (const Board* board : {&linkedFree, &halfLinked, &ownedHole, &big}) {
      QVERIFY(!ExactLayout::Read(*board, 1).has_value());
    }
    QVERIFY(!ExactLayout::Read(StageBoard(6), 0).has_value());
    QVERIFY(ExactLayout::Read(StageBoard(6), 2).has_value());
  }

  // The offline solver's values are found again, and Perfect's move keeps each one exactly: the
  // result and the margin.
  void perfectKeepsTheValueOfEveryTestPosition() {
    const std::vector<TestPosition> positions = ReadPositions();
    QVERIFY(positions.size() >= 50);
    for (std::size_t i = 0; i < positions.size(); ++i) {
      const TestPosition& p = positions[i];
      const auto position = ExactLayout::Read(p.Nodes, p.ToMove);
      QVERIFY(position.has_value());
      QCOMPARE(ExactValue(*position), p.Value);
      // Threads sharing the table find the same value, however they meet; the moves they list
      // as keeping it (mirror moves taken from their images) are those that do.
      QCOMPARE(ExactValue(*position, 2), p.Value);
      if (i % 4 == 0) {
        ExactSolver two(position->Layout, 16, 2);
        Unlimited unlimited;
        const auto kept = two.KeepingMoves(position->State, p.Value, unlimited.stop);
        QVERIFY(kept.has_value());
        const ExactLayout& layout = position->Layout;
        for (std::uint32_t set = layout.LegalMoves(position->State); set != 0; set &= set - 1) {
          const int node = std::countr_zero(set);
          const int after = -ExactValue({layout, layout.Play(position->State, node)});
          QCOMPARE((*kept >> node & 1u) != 0, after == p.Value);
        }
      }
      PerfectStrategy perfect(nullptr, i, Unclocked());
      const std::optional<Cell> cell = perfect.Choose(p.Nodes, p.ToMove, kNeverCancelled);
      QVERIFY(cell.has_value());
      QCOMPARE(perfect.LastSource(), PerfectStrategy::Source::Exact);
      Board after = p.Nodes;
      QVERIFY(MoveMade(ApplyMove(after, cell->Column, cell->Row, p.ToMove)));
      const auto next = ExactLayout::Read(after, Player(3 - p.ToMove));
      QVERIFY2(-ExactValue(*next) == p.Value, qPrintable(QStringLiteral("position %1").arg(i)));
      // Asked for the result alone, the solver settles it and its move keeps it.
      ExactSolver solver(position->Layout, 16);
      Unlimited unlimited;
      const ExactSolver::Result outcome = solver.Solve(position->State, unlimited.stop, true);
      QVERIFY(outcome.OutcomeKnown() && outcome.Lower <= p.Value && p.Value <= outcome.Upper);
      if (outcome.Move >= 0) {  // a loss needs none: every move keeps it
        const int kept =
            -ExactValue({position->Layout, position->Layout.Play(position->State, outcome.Move)});
        QCOMPARE((kept > 0) - (kept < 0), (p.Value > 0) - (p.Value < 0));
      }
    }
  }

  // The book shipped with the program: on a sample of its entries, the value lies within the
  // entry's bounds as a fresh solve finds it, and the move keeps what the entry proves.
  void bookAgreesWithAFreshSolve() {
    QString error;
    const auto book = OpeningBook::Load(QStringLiteral(VEXTAL_BOOK_FILE), error);
    QVERIFY2(book.has_value(), qPrintable(error));
    int checked = 0;
    for (int stage = 1; stage <= 5; ++stage) {
      const ExactLayout::Reading start = StageStart(stage);
      auto entries = book->EntriesFor(start.Layout);
      // The positions furthest into the game are the quickest to solve afresh.
      const auto progress = [](const auto& e) {
        const ExactState s = ExactState::FromKey(e.first);
        return std::popcount(s.Mine | s.Theirs) + std::popcount(s.Expanded);
      };
      std::stable_sort(entries.begin(), entries.end(),
                       [&](const auto& a, const auto& b) { return progress(a) > progress(b); });
      for (std::size_t i = 0; i < std::min<std::size_t>(entries.size(), 2); ++i) {
        const auto& [key, entry] = entries[i];
        const ExactState state = ExactState::FromKey(key);
        const ExactLayout::Reading position{start.Layout, state};
        const int value = ExactValue(position);
        QVERIFY(entry.Lower <= value && value <= entry.Upper);
        // The move reaches what the entry proves: the value itself where the margin is known,
        // at least the result where only that is.
        const ExactLayout::Reading after{start.Layout, start.Layout.Play(state, entry.Move)};
        QVERIFY(-ExactValue(after) >= entry.Lower);
        ++checked;
      }
    }
    QVERIFY(checked >= 2);
  }

  // A damaged book is refused whole, whatever the damage; the intact one reads back. Rows with
  // a count are closed again with that count and a fresh checksum, so the lines themselves are
  // read; where a key comes twice, the later line holds.
  void damagedBookIsRefused_data() {
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("readable");
    QTest::newRow("intact") << QByteArray() << QByteArray() << 0 << true;
    QTest::newRow("another header")
        << QByteArray("vextal-book 1") << QByteArray("vextal-book 2") << 0 << false;
    QTest::newRow("a changed move")
        << QByteArray(" 5 3 3\n") << QByteArray(" 4 3 3\n") << 0 << false;
    QTest::newRow("cut short") << QByteArray("end ") << QByteArray() << 0 << false;
    QTest::newRow("an entry fewer") << QByteArray("end 2") << QByteArray("end 3") << 0 << false;
    QTest::newRow("empty") << QByteArray("*") << QByteArray() << 0 << false;
    QTest::newRow("a blank line") << QByteArray(" 5 3 3\n") << QByteArray(" 5 3 3\n\n") << 2
                                  << false;
    QTest::newRow("a field too many")
        << QByteArray(" 5 3 3\n") << QByteArray(" 5 3 3 3\n") << 2 << false;
    QTest::newRow("a move off the layout")
        << QByteArray(" 5 3 3\n") << QByteArray(" 12 3 3\n") << 2 << false;
    QTest::newRow("a key twice") << QByteArray(" 5 3 3\n") << QByteArray(" 4 3 3\n@ 5 3 3\n") << 3
                                 << true;
  }
  void damagedBookIsRefused() {
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(int, count);
    QFETCH(bool, readable);
    const ExactLayout::Reading start = StageStart(2);
    const std::vector<std::pair<std::uint64_t, OpeningBook::Entry>> entries = {
        {start.State.Key(), {5, 3, 3}}, {start.Layout.Play(start.State, 5).Key(), {6, -3, -3}}};
    QByteArray text = OpeningBook::NewText();
    OpeningBook::AppendLayout(text, start.Layout, entries);
    OpeningBook::FinishText(text, entries.size());
    if (from == "*") {
      text.clear();
    } else if (!from.isEmpty()) {
      QVERIFY(text.contains(from));
      to.replace("@", QByteArray::number(qulonglong(start.State.Key()), 16));
      text = to.isEmpty() ? text.left(text.indexOf(from)) : text.replace(from, to);
    }
    if (count > 0) {
      text.truncate(text.lastIndexOf("end "));
      OpeningBook::FinishText(text, std::size_t(count));
    }
    QString error;
    const auto book = OpeningBook::Parse(text, error);
    QCOMPARE(book.has_value(), readable);
    QCOMPARE(error.isEmpty(), readable);
    if (book) {
      std::mt19937_64 random(1);
      QCOMPARE(book->Find(start, random), std::optional<PackedCell>(start.Layout.CellOf(5)));
    }
  }

  // Past the book the exact search keeps its full time: the book's last answer, and each settled
  // one after it, say that the next position settles too. Without them a search is only tried,
  // here in no time at all, and where that cannot settle the position Perfect plays as Master.
  void perfectSearchesInFullPastTheBook() {
    using Source = PerfectStrategy::Source;
    QString error;
    const auto loaded = OpeningBook::Load(QStringLiteral(VEXTAL_BOOK_FILE), error);
    QVERIFY2(loaded.has_value(), qPrintable(error));
    const auto book = std::make_shared<const OpeningBook>(*loaded);
    PerfectSettings settings = Unclocked();
    settings.TrialTime = std::chrono::milliseconds(0);
    struct Watched final : CpuStrategy {
      PerfectStrategy* Perfect = nullptr;
      std::vector<std::pair<Board, PerfectStrategy::Source>> Answers;
      std::optional<Cell> Choose(const Board& board, Player player,
                                 const std::atomic<bool>& cancel) override {
        const std::optional<Cell> cell = Perfect->Choose(board, player, cancel);
        Answers.emplace_back(board, Perfect->LastSource());
        return cell;
      }
    };
    ScriptedRandom random{1};
    Board board = StageBoard(1);
    PerfectStrategy perfect(book, 1, settings);
    Watched watched;
    watched.Perfect = &perfect;
    ClassicStrategy classic(random);
    QVERIFY(PlayOut(board, watched, classic));
    const auto firstExact = std::find_if(watched.Answers.begin(), watched.Answers.end(),
                                         [](const auto& a) { return a.second != Source::Book; });
    QVERIFY(firstExact != watched.Answers.begin() && firstExact != watched.Answers.end());
    for (auto a = firstExact; a != watched.Answers.end(); ++a) {
      QCOMPARE(a->second, Source::Exact);
    }
    PerfectStrategy alone(book, 1, settings);
    QVERIFY(alone.Choose(firstExact->first, 1, kNeverCancelled).has_value());
    QCOMPARE(alone.LastSource(), Source::Master);
  }

  // With the book, Perfect wins every game it starts on the stages the book holds, by at least
  // the stage's value (each of stages 1 to 5 is a win for the first mover), against Classic and
  // against Master (its budget cut and its clock out of play, so the games are the same on any
  // machine).
  void perfectWinsWhatItStarts() {
    QString error;
    const auto loaded = OpeningBook::Load(QStringLiteral(VEXTAL_BOOK_FILE), error);
    QVERIFY2(loaded.has_value(), qPrintable(error));
    const auto book = std::make_shared<const OpeningBook>(*loaded);
    SearchSettings master = SearchSettingsFor(CpuLevel::Master);
    master.NodeBudget = 10'000;
    master.TimeBudget = std::chrono::hours(1);
    int played = 0;
    for (int stage = 1; stage <= 5; ++stage) {
      const OpeningBook::Entry* value = book->Lookup(StageStart(stage));
      if (value == nullptr) {
        continue;
      }
      for (const bool againstMaster : {false, true}) {
        ScriptedRandom random{std::uint64_t(stage)};
        Board board = StageBoard(stage);
        PerfectStrategy perfect(book, std::uint64_t(stage), Unclocked());
        ClassicStrategy classic(random);
        SearchStrategy searcher(master, std::uint64_t(stage));
        QVERIFY(
            PlayOut(board, perfect, againstMaster ? static_cast<CpuStrategy&>(searcher) : classic));
        const Tally tally = CountScores(board);
        QVERIFY2(tally.Score(1) - tally.Score(2) >= std::max<int>(value->Lower, 1),
                 qPrintable(QStringLiteral("stage %1 against %2: %3 to %4")
                                .arg(stage)
                                .arg(againstMaster ? "Master" : "Classic")
                                .arg(tally.Score(1))
                                .arg(tally.Score(2))));
        ++played;
      }
    }
    QVERIFY(played >= 2);
  }
};

QTEST_GUILESS_MAIN(PerfectTest)
#include "test_perfect.moc"
