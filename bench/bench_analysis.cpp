// Times the exact analysis of whole games as the record window runs it: games played by the
// match tool's levels on every stage, each analysed with the program's settings and the opening
// book. Prints per stage the time per game and per position, how many positions were proven
// (value and outcome), and how soon the first move of the second level (the one taken for the
// person) that lost the win (or the draw) was shown with a move that would have kept it.
// Not a test: it asserts nothing.
// Usage: bench_analysis [games per stage] [first level] [second] [stages: 1 or 1-7]
//                       [solver threads, one count or several to compare on the same games: 1,2]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QCoreApplication>

#include "MatchGame.h"
#include "game/GameAnalysis.h"
#include "game/Random.h"
#include "game/Rules.h"
#include "stages/Stages.h"

using namespace vextal;

namespace {

RecordedGame Recorded(const match::GameSetup& setup, const match::GameRecord& played,
                      CpuLevel person) {
  SeededRandom stageRandom(setup.Seed);
  RecordedGame game;
  game.Start = BuildStage(setup.Stage, stageRandom);
  game.FirstToMove = 1;
  Board board = game.Start;
  Player toMove = 1;
  for (const Cell& cell : played.Moves) {
    const MoveOutcome outcome = ApplyMove(board, cell.Column, cell.Row, toMove);
    const Tally tally = CountScores(board);
    const CpuLevel level = toMove == 1 ? setup.First : setup.Second;
    game.Moves.push_back(RecordedMove{toMove, cell.Column, cell.Row, outcome,
                                      level == person ? MoveSource::Person : MoveSource::Cpu,
                                      tally.Score(1), tally.Score(2)});
    toMove = Player(3 - toMove);
  }
  return game;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const CpuLevel first =
      argc > 2 ? CpuLevelFromName(argv[2]).value_or(CpuLevel::Master) : CpuLevel::Master;
  const CpuLevel second =
      argc > 3 ? CpuLevelFromName(argv[3]).value_or(CpuLevel::Strong) : CpuLevel::Strong;
  QString error;
  std::shared_ptr<const OpeningBook> book;
  if (auto loaded = OpeningBook::Load(QStringLiteral(VEXTAL_BOOK_FILE), error)) {
    book = std::make_shared<const OpeningBook>(std::move(*loaded));
  } else {
    std::fprintf(stderr, "no opening book: %s\n", qPrintable(error));
  }
  int firstStage = 1;
  int lastStage = kStageCount;
  if (argc > 4) {
    const QByteArray range(argv[4]);
    const auto dash = range.indexOf('-');
    firstStage = std::clamp(range.left(dash < 0 ? range.size() : dash).toInt(), 1, kStageCount);
    lastStage = dash < 0 ? firstStage : std::clamp(range.mid(dash + 1).toInt(), 1, kStageCount);
  }
  // The solver's thread counts to compare, each analysing the same games: "1,2".
  std::vector<int> threadCounts;
  for (const QByteArray& count : QByteArray(argc > 5 ? argv[5] : "1").split(',')) {
    threadCounts.push_back(std::clamp(count.toInt(), 1, 8));
  }
  const std::atomic<bool> never{false};
  std::printf("%d games per stage, %s against %s (%s taken for the person)\n", games,
              qPrintable(CpuLevelName(first)), qPrintable(CpuLevelName(second)),
              qPrintable(CpuLevelName(second)));
  std::printf(
      "stage  threads  plies/game  s/game(mean)  s/game(max)  ms/position  proven/positions  "
      "outcomes  first ply proven from (median)  person's first move that lost the win or draw, "
      "shown with a keeping move after (s, each game)\n");
  for (int stage = firstStage; stage <= lastStage; ++stage) {
    std::vector<RecordedGame> played;
    for (int g = 0; g < games; ++g) {
      match::GameSetup setup;
      setup.Stage = stage;
      setup.First = g % 2 == 0 ? first : second;
      setup.Second = g % 2 == 0 ? second : first;
      setup.Seed = std::uint64_t(100 + g);
      setup.SeatSeeds[0] = std::uint64_t(11 + g);
      setup.SeatSeeds[1] = std::uint64_t(23 + g);
      setup.Book = book;
      played.push_back(Recorded(setup, match::PlayGame(setup), second));
    }
    for (const int threads : threadCounts) {
      AnalysisSettings settings;  // as the record window runs it
      settings.TableSizeLog2 = 21;
      settings.Threads = threads;
      double total = 0;
      double longest = 0;
      int positions = 0;
      int proven = 0;
      int plies = 0;
      int outcomes = 0;
      QByteArray shown;
      std::vector<int> firstProven;
      for (const RecordedGame& game : played) {
        const auto start = std::chrono::steady_clock::now();
        auto since = [&] {
          return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        };
        // When each move was first shown lost with a move that would have kept its value.
        std::vector<double> lostShown(std::size_t(game.Plies()), -1);
        const GameAnalysis analysis = AnalyseGame(
            game, book.get(), settings, never, [&](const GameAnalysis& sofar, int, int) {
              for (std::size_t i = 0; i < sofar.Moves.size(); ++i) {
                if (lostShown[i] < 0 && sofar.Moves[i].Judgement == MoveJudgement::Lost &&
                    !sofar.Moves[i].Keeping.empty()) {
                  lostShown[i] = since();
                }
              }
            });
        const double seconds = since();
        // The person's first move that turned a win into a draw or loss, or a draw into a loss.
        QByteArray when = " -";
        for (std::size_t i = 0; i < analysis.Moves.size(); ++i) {
          const MoveVerdict& verdict = analysis.Moves[i];
          const int before = verdict.Before.Lower > 0 ? 1 : verdict.Before.Lower == 0 ? 0 : -1;
          if (game.Moves[i].By == MoveSource::Person && verdict.Before.OutcomeKnown() &&
              verdict.After.Upper < std::min(before, 1) && before >= 0) {
            when = lostShown[i] < 0 ? QByteArray(" (not shown)")
                                    : " " + QByteArray::number(lostShown[i], 'f', 1) + "@ply" +
                                          QByteArray::number(int(i));
            break;
          }
        }
        shown += when;
        total += seconds;
        longest = std::max(longest, seconds);
        plies += game.Plies();
        positions += int(analysis.Values.size());
        int from = int(analysis.Values.size());
        for (int i = int(analysis.Values.size()) - 1; i >= 0; --i) {
          if (!analysis.Values[std::size_t(i)].Exact()) {
            break;
          }
          from = i;
        }
        firstProven.push_back(from);
        for (const ProvenValue& value : analysis.Values) {
          proven += value.Exact() ? 1 : 0;
          outcomes += value.OutcomeKnown() ? 1 : 0;
        }
      }
      std::sort(firstProven.begin(), firstProven.end());
      std::printf("%5d  %7d  %10.1f  %12.2f  %11.2f  %11.1f  %7d/%-8d  %8d  %d %s\n", stage,
                  threads, double(plies) / games, total / games, longest,
                  1000.0 * total / positions, proven, positions, outcomes,
                  firstProven[firstProven.size() / 2], shown.constData());
      std::fflush(stdout);
    }
  }
  return 0;
}
