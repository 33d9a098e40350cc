#pragma once

#include <cstdint>

namespace vextal::book {

// Plays `games` random games on every stage with the rules and with the exact solver's model of
// them side by side, comparing the legal moves, every position and the final margin. Returns the
// number of differences (0 when the two agree), printing the first few.
int CheckRules(int games, std::uint64_t seed);

}  // namespace vextal::book
