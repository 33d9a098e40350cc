#include "game/ClassicStrategy.h"

#include "game/Rounding.h"
#include "game/Rules.h"

namespace vextal {

namespace {

// What the game's move entry would make a move of: only players 1 and 2 ever move.
bool WouldMove(const Board& board, int column, int row, Player player) {
  return (player == 1 || player == 2) && IsLegalMove(board, column, row, player);
}

}  // namespace

std::optional<Cell> ClassicStrategy::Choose(const Board& board, Player player,
                                            const std::atomic<bool>& /*cancel*/) {
  for (int i = 0; i < kClassicRandomTries; ++i) {
    const double a = random_.Uniform();
    const double b = random_.Uniform();
    // At most NodesW + 1 and NodesH + 1: the border, where nothing is legal.
    const int column = int(RoundHalfEven(board.NodesW() * a + 1));
    const int row = int(RoundHalfEven(board.NodesH() * b + 1));
    if (WouldMove(board, column, row, player)) {
      return Cell{column, row};
    }
  }
  for (int c = 1; c <= board.NodesW(); ++c) {
    for (int r = 1; r <= board.NodesH(); ++r) {
      if (WouldMove(board, c, r, player)) {
        return Cell{c, r};
      }
    }
  }
  return std::nullopt;
}

}  // namespace vextal
