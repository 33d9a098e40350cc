// Taking moves back and asking for a hint: aids for local play that never reach a peer.

#include "game/Game.h"
#include "game/Rules.h"

namespace vextal {

bool Game::CanUndo() const {
  if (netMode_ || resultShowing_ || CurrentMode() == Mode::Demo) {
    return false;
  }
  // Against the CPU only a position where the person was to move is worth going back to.
  const Seats seats = CurrentSeats();
  for (const Position& position : history_.Positions()) {
    if (seats.ClickMayPlay(position.ActPlayer)) {
      return true;
    }
  }
  return false;
}

bool Game::Undo() {
  if (!CanUndo()) {
    return false;
  }
  const Seats seats = CurrentSeats();
  Position back = history_.Pop();
  while (!seats.ClickMayPlay(back.ActPlayer)) {
    back = history_.Pop();  // CanUndo found a person's turn further back
  }
  DropCpuAnswer();
  nodes_ = std::move(back.Nodes);
  lastMove_ = back.LastMove;
  SetActPlayer(back.ActPlayer);
  // The CPU keeps its pause after the position changed, as after a move.
  lastMoveTick_ = clock_.NowMs();
  emit MoveTakenBack();
  return true;
}

bool Game::ResumeFrom(const Position& start, const std::vector<Cell>& moves) {
  if (netMode_ || resultShowing_ || start.ActPlayer < 1 || start.ActPlayer > 2) {
    return false;
  }
  UndoHistory history;
  Position at = start;
  for (const Cell& cell : moves) {
    history.Push(at);
    if (!MoveMade(ApplyMove(at.Nodes, cell.Column, cell.Row, at.ActPlayer))) {
      return false;
    }
    at.LastMove = cell;
    at.ActPlayer = at.ActPlayer == 1 ? 2 : 1;
  }
  if (!HasLegalMove(at.Nodes, at.ActPlayer)) {
    return false;
  }
  DropCpuAnswer();
  history_ = std::move(history);
  nodes_ = std::move(at.Nodes);
  lastMove_ = at.LastMove;
  SetActPlayer(at.ActPlayer);
  lastMoveTick_ = clock_.NowMs();
  emit BoardReplaced();
  ThinkAhead();
  return true;
}

bool Game::CanHint() const {
  return !netMode_ && !resultShowing_ && ClickMayPlay() && HasLegalMove(nodes_, actPlayer_);
}

bool Game::AskHint(std::function<void(Cell)> show) {
  if (!CanHint()) {
    return false;
  }
  hintBoard_ = nodes_;
  hintPlayer_ = actPlayer_;
  const auto seed = std::uint64_t(random_.Uniform() * 9007199254740992.0);
  std::shared_ptr<const OpeningBook> book =
      kHintLevel == CpuLevel::Perfect ? PerfectBook() : nullptr;
  hintThinker_.Ask(
      MakeCpuStrategy(kHintLevel, random_, seed, std::move(book)), nodes_, actPlayer_,
      [this, show = std::move(show)](std::optional<Cell> cell) {
        // Every change of the position drops the question; this is the last guard.
        if (cell && !resultShowing_ && nodes_ == hintBoard_ && actPlayer_ == hintPlayer_) {
          show(*cell);
        }
      });
  return true;
}

}  // namespace vextal
