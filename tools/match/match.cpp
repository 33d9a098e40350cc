// Plays CPU level against level on all seven stages and prints who won and how long each level
// thought per move. Every pairing plays its games in pairs on the same stage layout, one started
// by each side.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "MatchGame.h"
#include "MatchOptions.h"
#include "game/OpeningBook.h"
#include "game/PerfectStrategy.h"
#include "game/SearchStrategy.h"
#include "stages/Stages.h"

using namespace vextal;
using namespace vextal::match;

namespace {

struct SideTally {
  int Games = 0;
  int Wins = 0;  // by the level measured
  int Losses = 0;
  int Draws = 0;
  int Capped = 0;  // of the draws: games stopped at the ply cap
  int Illegal = 0;
};

// The whole pairing, and the games the measured level started and those its opponent started:
// the first mover's advantage decides most games, so the two are told apart.
struct PairingTally {
  SideTally All;
  SideTally Side[2];  // 0: the measured level moved first, 1: its opponent did
};

std::string Name(CpuLevel level) {
  return CpuLevelName(level).toStdString();
}

void Count(SideTally& tally, Outcome result, bool measuredFirst) {
  ++tally.Games;
  switch (result) {
    case Outcome::FirstWins:
      ++(measuredFirst ? tally.Wins : tally.Losses);
      break;
    case Outcome::SecondWins:
      ++(measuredFirst ? tally.Losses : tally.Wins);
      break;
    case Outcome::PlyCap:
      ++tally.Capped;
      ++tally.Draws;
      break;
    case Outcome::Draw:
      ++tally.Draws;
      break;
    case Outcome::IllegalMove:
      ++tally.Illegal;
      break;
  }
}

// Every move's thinking time, per level and stage.
using StageTimes = std::map<std::pair<CpuLevel, int>, std::vector<double>>;

PairingTally PlayPairing(const MatchOptions& options, CpuLevel measured, CpuLevel opponent,
                         const std::shared_ptr<const OpeningBook>& book,
                         std::map<CpuLevel, std::vector<double>>& thinkMs, StageTimes& stageMs) {
  PairingTally tally;
  // Each side keeps its Perfect memory for the whole pairing, as one program keeps it for its run.
  const std::shared_ptr<PerfectMemory> measuredMemory = MakePerfectMemory();
  const std::shared_ptr<PerfectMemory> opponentMemory = MakePerfectMemory();
  for (int g = 0; g < options.Games; ++g) {
    const bool measuredFirst = g % 2 == 0;
    GameSetup setup;
    setup.Stage = 1 + (g / 2) % kStageCount;
    setup.First = measuredFirst ? measured : opponent;
    setup.Second = measuredFirst ? opponent : measured;
    setup.Seed = options.Seed * 1'000'003 + std::uint64_t(g / 2);
    // The measured side keeps its seed whichever seat it takes.
    setup.SeatSeeds[measuredFirst ? 0 : 1] = setup.Seed * 2;
    setup.SeatSeeds[measuredFirst ? 1 : 0] = setup.Seed * 2 + 1;
    setup.PlyCap = options.PlyCap;
    setup.Book = book;
    setup.Memory[measuredFirst ? 0 : 1] = measuredMemory;
    setup.Memory[measuredFirst ? 1 : 0] = opponentMemory;
    const GameRecord record = PlayGame(setup);
    Count(tally.All, record.Result, measuredFirst);
    Count(tally.Side[measuredFirst ? 0 : 1], record.Result, measuredFirst);
    for (int seat = 0; seat < 2; ++seat) {
      auto& times = thinkMs[seat == 0 ? setup.First : setup.Second];
      times.insert(times.end(), record.ThinkMs[seat].begin(), record.ThinkMs[seat].end());
      auto& byStage = stageMs[{seat == 0 ? setup.First : setup.Second, setup.Stage}];
      byStage.insert(byStage.end(), record.ThinkMs[seat].begin(), record.ThinkMs[seat].end());
    }
    std::fprintf(stderr, "\r%s vs %s: %d/%d  ", Name(measured).c_str(), Name(opponent).c_str(),
                 g + 1, options.Games);
  }
  std::fprintf(stderr, "\n");
  return tally;
}

// The Wilson score interval of a proportion, at 95 %.
std::pair<double, double> Wilson95(int successes, int trials) {
  if (trials == 0) {
    return {0.0, 1.0};
  }
  const double z = 1.959964;
  const double n = trials;
  const double p = successes / n;
  const double centre = (p + z * z / (2 * n)) / (1 + z * z / n);
  const double half = z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n)) / (1 + z * z / n);
  return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

std::string Row(const std::string& pairing, const SideTally& t) {
  const int decided = t.Wins + t.Losses;
  const auto [low, high] = Wilson95(t.Wins, decided);
  char row[320];
  std::snprintf(row, sizeof row, "| %s | %d | %d | %d | %d | %d | %.1f %% (%.1f to %.1f %%) |",
                pairing.c_str(), t.Games, t.Wins, t.Losses, t.Draws, t.Capped,
                decided > 0 ? 100.0 * t.Wins / decided : 0.0, 100 * low, 100 * high);
  return row;
}

// The longest a level may think about one move.
double CapMs(CpuLevel level) {
  if (level == CpuLevel::Classic) {
    return 0;
  }
  if (level == CpuLevel::Perfect) {
    return double(PerfectSettings{}.TotalTime.count());
  }
  return double(SearchSettingsFor(level).TimeBudget.count());
}

void PrintTimes(std::map<CpuLevel, std::vector<double>>& thinkMs) {
  std::printf(
      "\n| Level | Moves | Median ms per move | 99th percentile ms | Worst ms per move | Cap ms |"
      " Moves over the cap + 10 %% |\n");
  std::printf("| --- | ---: | ---: | ---: | ---: | ---: | ---: |\n");
  for (auto& [level, times] : thinkMs) {
    if (times.empty()) {
      continue;
    }
    std::sort(times.begin(), times.end());
    const double cap = CapMs(level);
    const auto over = cap > 0 ? std::count_if(times.begin(), times.end(),
                                              [cap](double ms) { return ms > cap * 1.1; })
                              : 0;
    std::printf("| %s | %zu | %.2f | %.1f | %.1f | %.0f | %td |\n", Name(level).c_str(),
                times.size(), times[times.size() / 2], times[times.size() * 99 / 100], times.back(),
                cap, over);
  }
}

void PrintStageTimes(StageTimes& stageMs) {
  std::printf("\n| Level | Stage | Moves | Median ms | 95th percentile ms | Worst ms | Cap ms |\n");
  std::printf("| --- | ---: | ---: | ---: | ---: | ---: | ---: |\n");
  for (auto& [key, times] : stageMs) {
    if (times.empty()) {
      continue;
    }
    std::sort(times.begin(), times.end());
    std::printf("| %s | %d | %zu | %.2f | %.1f | %.1f | %.0f |\n", Name(key.first).c_str(),
                key.second, times.size(), times[times.size() / 2], times[times.size() * 95 / 100],
                times.back(), CapMs(key.first));
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = ParseMatchOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr, "%s\n%s", error.c_str(), kMatchUsage);
    return 2;
  }
  std::shared_ptr<const OpeningBook> book;
  QString bookError;
  if (auto loaded = OpeningBook::Load(QString::fromStdString(options->BookPath), bookError)) {
    book = std::make_shared<const OpeningBook>(std::move(*loaded));
  } else {
    std::fprintf(stderr, "no opening book (%s: %s); Perfect plays without it\n",
                 options->BookPath.c_str(), bookError.toStdString().c_str());
  }
  std::map<CpuLevel, std::vector<double>> thinkMs;
  StageTimes stageMs;
  std::vector<std::string> rows;
  bool illegal = false;
  for (const auto& [measured, opponent] : options->Pairings) {
    const PairingTally t = PlayPairing(*options, measured, opponent, book, thinkMs, stageMs);
    const std::string pairing = Name(measured) + " vs " + Name(opponent);
    rows.push_back(Row(pairing, t.All));
    rows.push_back(Row(pairing + ", " + Name(measured) + " first", t.Side[0]));
    rows.push_back(Row(pairing + ", " + Name(opponent) + " first", t.Side[1]));
    illegal = illegal || t.All.Illegal > 0;
  }
  std::printf(
      "| Pairing | Games | Wins | Losses | Draws | of them at the ply cap (%d) |"
      " Won of decided (95 %% interval) |\n",
      options->PlyCap);
  std::printf("| --- | ---: | ---: | ---: | ---: | ---: | ---: |\n");
  for (const std::string& row : rows) {
    std::printf("%s\n", row.c_str());
  }
  PrintTimes(thinkMs);
  if (options->StageTimes) {
    PrintStageTimes(stageMs);
  }
  if (illegal) {
    std::printf("\nA level chose an illegal move: the games it happened in are not counted.\n");
  }
  return illegal ? 1 : 0;
}
