// Times the exact analysis of whole games as the record window runs it: games played by the
// match tool's levels on every stage, each analysed with the program's settings and the opening
// book. Prints per stage the time per game and per position and how many positions were proven.
// Not a test: it asserts nothing. Usage: bench_analysis [games per stage] [first level] [second]

#include <algorithm>
#include <chrono>
#include <cstdio>

#include <QCoreApplication>

#include "MatchGame.h"
#include "game/GameAnalysis.h"
#include "game/Random.h"
#include "game/Rules.h"
#include "stages/Stages.h"

using namespace vextal;

namespace {

RecordedGame Recorded(const match::GameSetup& setup, const match::GameRecord& played) {
  SeededRandom stageRandom(setup.Seed);
  RecordedGame game;
  game.Start = BuildStage(setup.Stage, stageRandom);
  game.FirstToMove = 1;
  Board board = game.Start;
  Player toMove = 1;
  for (const Cell& cell : played.Moves) {
    const MoveOutcome outcome = ApplyMove(board, cell.Column, cell.Row, toMove);
    const Tally tally = CountScores(board);
    game.Moves.push_back(RecordedMove{toMove, cell.Column, cell.Row, outcome, MoveSource::Cpu,
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
  AnalysisSettings settings;  // as the record window runs it
  settings.TableSizeLog2 = 21;
  const std::atomic<bool> never{false};
  std::printf("%d games per stage, %s against %s; analysis as the program runs it\n", games,
              qPrintable(CpuLevelName(first)), qPrintable(CpuLevelName(second)));
  std::printf(
      "stage  plies/game  s/game(mean)  s/game(max)  ms/position  proven/positions  "
      "first ply proven from (median)\n");
  for (int stage = 1; stage <= kStageCount; ++stage) {
    double total = 0;
    double longest = 0;
    int positions = 0;
    int proven = 0;
    int plies = 0;
    std::vector<int> firstProven;
    for (int g = 0; g < games; ++g) {
      match::GameSetup setup;
      setup.Stage = stage;
      setup.First = g % 2 == 0 ? first : second;
      setup.Second = g % 2 == 0 ? second : first;
      setup.Seed = std::uint64_t(100 + g);
      setup.SeatSeeds[0] = std::uint64_t(11 + g);
      setup.SeatSeeds[1] = std::uint64_t(23 + g);
      setup.Book = book;
      const RecordedGame game = Recorded(setup, match::PlayGame(setup));
      const auto start = std::chrono::steady_clock::now();
      const GameAnalysis analysis = AnalyseGame(game, book.get(), settings, never);
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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
      }
    }
    std::sort(firstProven.begin(), firstProven.end());
    std::printf("%5d  %10.1f  %12.2f  %11.2f  %11.1f  %7d/%-8d  %d\n", stage, double(plies) / games,
                total / games, longest, 1000.0 * total / positions, proven, positions,
                firstProven[firstProven.size() / 2]);
    std::fflush(stdout);
  }
  return 0;
}
