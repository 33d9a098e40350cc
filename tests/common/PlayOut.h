#pragma once

#include <atomic>
#include <optional>

#include "game/CpuStrategy.h"
#include "game/Rules.h"

namespace vextal::testing {

// Plays the game on `board` to its end, player 1 choosing with `first` and player 2 with
// `second`; false as soon as a side with a legal move offers none or an illegal one.
inline bool PlayOut(Board& board, CpuStrategy& first, CpuStrategy& second) {
  const std::atomic<bool> never{false};
  CpuStrategy* seats[2] = {&first, &second};
  Player toMove = 1;
  while (HasLegalMove(board, toMove)) {
    const std::optional<Cell> cell = seats[toMove - 1]->Choose(board, toMove, never);
    if (!cell || !MoveMade(ApplyMove(board, cell->Column, cell->Row, toMove))) {
      return false;
    }
    toMove = Player(3 - toMove);
  }
  return true;
}

}  // namespace vextal::testing
