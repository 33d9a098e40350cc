#pragma once

#include "game/Board.h"
#include "game/Game.h"
#include "game/Random.h"

namespace vextal {

inline constexpr int kStageCount = 7;
inline constexpr int kRandomStage = 7;

// A fresh 5 x 4 board for a stage: stages 1 to 5 are fixed layouts, 6 is the full grid and 7 a
// random layout (each point holds a node with probability 0.7). Any other number gives a board
// without nodes. Every node is free and unlinked; Degree is computed for every playable point.
Board BuildStage(int stage, RandomSource& random);

// Builds stage 1..7 (any other number gives a board without nodes) and starts a new game on it.
void SetupStage(Game& game, int stage, RandomSource& random);

// The stage the program starts with: 1 to 4 (stages 1 and 4 half as often as 2 and 3).
int DrawStartupStage(RandomSource& random);

// Sets Degree of every playable point to the number of its existing orthogonal neighbours.
void ComputeDegrees(Board& board);

}  // namespace vextal
