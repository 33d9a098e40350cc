#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/CpuLevel.h"
#include "game/CpuStrategy.h"

namespace vextal::match {

enum class Outcome { FirstWins, SecondWins, Draw, PlyCap, IllegalMove };

// One game between two levels on a stage; the first level moves first.
struct GameSetup {
  int Stage = 1;
  CpuLevel First = CpuLevel::Classic;
  CpuLevel Second = CpuLevel::Classic;
  std::uint64_t Seed = 1;  // the stage's layout
  // Each seat's Classic draws and search generator (0: first seat, 1: second). A pairing of a
  // level with itself gives the two sides different seeds, so its two games on a layout differ.
  std::uint64_t SeatSeeds[2] = {3, 5};
  int PlyCap = 200;  // a game still running after this many moves counts as a draw
  std::shared_ptr<const OpeningBook> Book;  // Perfect's, or none
  // What each seat's Perfect level carries from game to game, as the program carries it; a new
  // game is announced to it before the first move. None: each game learns afresh.
  std::shared_ptr<PerfectMemory> Memory[2];
};

struct GameRecord {
  Outcome Result = Outcome::Draw;
  int Plies = 0;
  // Thinking time of every move, in milliseconds, per seat (0: first level, 1: second level).
  std::vector<double> ThinkMs[2];
  std::vector<Cell> Moves;  // every move played, first move first (the first level's)
};

GameRecord PlayGame(const GameSetup& setup);

}  // namespace vextal::match
