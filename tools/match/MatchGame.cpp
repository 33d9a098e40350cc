#include "MatchGame.h"

#include <chrono>
#include <memory>

#include "game/Random.h"
#include "game/Rules.h"
#include "stages/Stages.h"

namespace vextal::match {

namespace {

Outcome Decide(const Board& board) {
  const Tally tally = CountScores(board);
  if (tally.Score(1) == tally.Score(2)) {
    return Outcome::Draw;
  }
  return tally.Score(1) > tally.Score(2) ? Outcome::FirstWins : Outcome::SecondWins;
}

}  // namespace

GameRecord PlayGame(const GameSetup& setup) {
  SeededRandom stageRandom(setup.Seed);
  Board board = BuildStage(setup.Stage, stageRandom);
  // Each seat has its own program random source, as the first seat's Classic draws must not
  // shift the second's.
  SeededRandom programRandom[2] = {SeededRandom(setup.SeatSeeds[0] * 3 + 1),
                                   SeededRandom(setup.SeatSeeds[1] * 3 + 2)};
  for (const auto& memory : setup.Memory) {
    if (memory) {
      NewPerfectGame(*memory);
    }
  }
  std::unique_ptr<CpuStrategy> seats[2] = {
      MakeCpuStrategy(setup.First, programRandom[0], setup.SeatSeeds[0] * 7 + 3, setup.Book,
                      setup.Memory[0]),
      MakeCpuStrategy(setup.Second, programRandom[1], setup.SeatSeeds[1] * 7 + 5, setup.Book,
                      setup.Memory[1])};
  const std::atomic<bool> never{false};

  GameRecord record;
  Player toMove = 1;
  while (HasLegalMove(board, toMove)) {
    if (record.Plies >= setup.PlyCap) {
      record.Result = Outcome::PlyCap;
      return record;
    }
    const int seat = toMove - 1;
    const auto start = std::chrono::steady_clock::now();
    const std::optional<Cell> cell = seats[seat]->Choose(board, toMove, never);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    record.ThinkMs[seat].push_back(took.count());
    if (!cell || !MoveMade(ApplyMove(board, cell->Column, cell->Row, toMove))) {
      record.Result = Outcome::IllegalMove;
      return record;
    }
    ++record.Plies;
    record.Moves.push_back(*cell);
    toMove = Player(3 - toMove);
  }
  record.Result = Decide(board);
  return record;
}

}  // namespace vextal::match
