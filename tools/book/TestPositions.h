#pragma once

#include <cstdint>
#include <string>

namespace vextal::book {

// Writes `count` positions for the tests: random lines of play on stages 1 to 6, each position
// one the exact search settles within `budget` positions and where some legal move throws the
// value away. One line each: "STAGE VALUE c,r c,r ..." (the value for the player to move after
// the moves, played from the stage's start with player 1 first).
bool WriteTestPositions(const std::string& path, int count, std::int64_t budget,
                        std::uint64_t seed);

}  // namespace vextal::book
