#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "game/OpeningBook.h"

namespace vextal::book {

// Perfect against a player who picks uniformly among the legal moves, on a fixed stage, each side
// starting every other game, as the program plays it (one memory for the run, a new game
// announced before each). Where each of Perfect's answers came from, and, for every answer not
// from the book, whether it keeps the value of the position (solved exactly apart).
struct PerfectCheck {
  std::int64_t FromBook = 0;
  std::int64_t FromSearch = 0;
  std::int64_t FromMaster = 0;
  std::int64_t ValueLost = 0;   // answers not from the book that gave some of the value away
  std::map<int, int> MasterAt;  // answers Perfect played as Master, by ply
  std::map<int, int> LostAt;    // answers that gave value away, by ply
  int DeepestBookPly = -1;
  double SlowestMs = 0;  // the slowest answer
};
PerfectCheck CheckPerfect(int stage, int games, std::shared_ptr<const OpeningBook> book,
                          std::uint64_t seed);

}  // namespace vextal::book
