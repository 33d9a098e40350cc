#include "game/RecordedGame.h"

#include <algorithm>

#include "game/Rules.h"

namespace vextal {

Position RecordedGame::At(int ply) const {
  Position position{Start, FirstToMove, std::nullopt};
  const int last = std::clamp(ply, 0, Plies());
  for (int i = 0; i < last; ++i) {
    const RecordedMove& move = Moves[std::size_t(i)];
    ApplyMove(position.Nodes, move.Column, move.Row, move.Mover);
    position.LastMove = Cell{move.Column, move.Row};
    position.ActPlayer = move.Mover == 1 ? 2 : 1;
  }
  return position;
}

Player RecordedGame::ToMoveAt(int ply) const {
  if (ply <= 0 || Moves.empty()) {
    return FirstToMove;
  }
  const int last = std::min(ply, Plies());
  return Moves[std::size_t(last - 1)].Mover == 1 ? 2 : 1;
}

std::int32_t RecordedGame::FinalScore(Player player) const {
  if (Moves.empty()) {
    return CountScores(Start).Score(player);
  }
  return player == 1 ? Moves.back().Score1 : Moves.back().Score2;
}

}  // namespace vextal
