// The game core, its events counted only:
// - BM_LegalSweep, the baseline: one legality check of every point of the 5 x 4 board for the
//   player to move, the least work any move needs to tell whether the next player can move;
// - BM_DoMove: made moves, DoMove with all its checks, the scores and the game-over test, each
//   game ending in its result and a new game (replayed random games on the full grid);
// - BM_RandomGame: whole games of the demo mode, the CPU player choosing every move through its
//   timer tick, cycling through the seven stages.

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "game/Clock.h"
#include "game/Game.h"
#include "game/Random.h"
#include "stages/Stages.h"

using namespace vextal;

namespace {

constexpr int kFullGridStage = 6;
constexpr int kRecordedGames = 256;

class SteppedClock final : public Clock {
 public:
  std::int64_t Now = 1'000'000;
  std::int64_t NowMs() const override { return Now; }
};

struct Core {
  SteppedClock clock;
  SeededRandom random{20240611};
  Game game{clock, random};
  long gamesEnded = 0;

  Core() {
    QObject::connect(&game, &Game::GameEnded, [this] { ++gamesEnded; });
  }
};

// Random games on the full grid, recorded as the points played, so the timed loop replays made
// moves only and picks nothing itself.
struct Recording {
  Board start;
  Player startPlayer = 0;
  std::vector<std::pair<int, int>> moves;
  Board midGame;  // a position a few moves into the first game
  Player midGamePlayer = 0;
};

Recording RecordGames(Core& core) {
  Game& game = core.game;
  std::mt19937 rng(99);
  SetupStage(game, kFullGridStage, core.random);
  Recording rec;
  rec.start = game.Nodes();
  rec.startPlayer = game.ActPlayer();
  while (core.gamesEnded < kRecordedGames) {
    std::vector<std::pair<int, int>> legal;
    for (int c = 1; c <= game.NodesW(); ++c) {
      for (int r = 1; r <= game.NodesH(); ++r) {
        if (game.IsLegalMove(c, r, game.ActPlayer())) {
          legal.emplace_back(c, r);
        }
      }
    }
    const auto move = legal[std::uniform_int_distribution<std::size_t>(0, legal.size() - 1)(rng)];
    game.DoMove(move.first, move.second, MoveSource::Peer);
    rec.moves.push_back(move);
    if (rec.moves.size() == 6) {
      rec.midGame = game.Nodes();
      rec.midGamePlayer = game.ActPlayer();
    }
  }
  return rec;
}

void BM_LegalSweep(benchmark::State& state) {
  Core core;
  const Recording rec = RecordGames(core);
  Game& game = core.game;
  game.LoadBoard(rec.midGame, rec.midGamePlayer);
  const Player player = rec.midGamePlayer;
  for (auto _ : state) {
    int legal = 0;
    for (int c = 1; c <= game.NodesW(); ++c) {
      for (int r = 1; r <= game.NodesH(); ++r) {
        legal += game.IsLegalMove(c, r, player) ? 1 : 0;
      }
    }
    benchmark::DoNotOptimize(legal);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_DoMove(benchmark::State& state) {
  Core core;
  const Recording rec = RecordGames(core);
  Game& game = core.game;
  game.LoadBoard(rec.start, rec.startPlayer);
  std::size_t next = 0;
  long refused = 0;
  for (auto _ : state) {
    const auto [c, r] = rec.moves[next];
    refused += game.DoMove(c, r, MoveSource::Peer) ? 0 : 1;
    if (++next == rec.moves.size()) {
      // All recorded games are over: back to the first one's start.
      next = 0;
      game.LoadBoard(rec.start, rec.startPlayer);
    }
  }
  if (refused != 0) {
    state.SkipWithError("the replayed games went another way");
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["moves_per_game"] = double(rec.moves.size()) / kRecordedGames;
}

void BM_RandomGame(benchmark::State& state) {
  Core core;
  Game& game = core.game;
  game.ToggleCpuPlayer();
  game.ToggleDemoPlayer();
  int stage = 1;
  long moves = 0;
  for (auto _ : state) {
    SetupStage(game, stage, core.random);
    stage = stage % kStageCount + 1;
    if (game.CheckGameOver(game.ActPlayer())) {
      continue;  // a random layout without a single node: there is no game to play
    }
    const long ended = core.gamesEnded;
    // In the demo mode every tick, the pause since the last move kept, makes one move.
    while (core.gamesEnded == ended) {
      core.clock.Now += Game::kCpuPauseMs;
      game.CpuTick();
      ++moves;
    }
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["moves_per_game"] = double(moves) / double(state.iterations());
}

BENCHMARK(BM_LegalSweep);
BENCHMARK(BM_DoMove);
BENCHMARK(BM_RandomGame);

}  // namespace

BENCHMARK_MAIN();
