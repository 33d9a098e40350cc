#pragma once

#include "game/Board.h"
#include "game/Random.h"

namespace vextal {

inline constexpr int kStageCount = 7;
inline constexpr int kRandomStage = 7;

// A fresh 5 x 4 board for a stage: stages 1 to 5 are fixed layouts, 6 is the full grid and 7 a
// random layout (each point holds a node with probability 0.7). Any other number gives a board
// without nodes. Every node is free and unlinked; Degree is computed for every playable point.
Board BuildStage(int stage, RandomSource& random);

// Sets Degree of every playable point to the number of its existing orthogonal neighbours.
void ComputeDegrees(Board& board);

}  // namespace vextal
