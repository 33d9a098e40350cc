#pragma once

#include "game/SearchPosition.h"

namespace vextal {

// Values are in hundredths of a point of score; a decided game is worth far more than any
// position, and a quicker win more than a slower one.
inline constexpr int kWinValue = 1'000'000;
inline constexpr int kDecidedValue = kWinValue - 10'000;  // beyond this a value is a known result

// What each feature of a position is worth, per unit.
struct EvalWeights {
  int Score = 100;     // a point of the score as it stands
  int Potential = 40;  // a point an own unexpanded node gains by expanding
  int Mobility = 15;   // a cell the player could play
  int Danger = 60;     // a point of an own node that one more hostile link would neutralise
};

// The finished game for the player to move, who has no legal move: won, lost or drawn.
int GameOverValue(const SearchPosition& position, int ply);

// How good the position is for the player to move: positive favours him.
int Evaluate(const SearchPosition& position, const EvalWeights& weights);

}  // namespace vextal
