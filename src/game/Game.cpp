#include "game/Game.h"

#include "game/Rules.h"

namespace vextal {

Game::Game(const Clock& clock, RandomSource& random) : clock_(clock), random_(random) {}

// ---------------------------------------------------------------------------------------------
// A new game

void Game::NewGame() {
  ClearBoard();
  SwitchPlayer();
  emit NewGameStarted(false);
  emit NewGameShown();
  ThinkAhead();
}

void Game::StartStage(Board layout) {
  DropCpuAnswer();
  nodes_ = std::move(layout);
  emit BoardReplaced();
  emit SeatsChanged();
  NewGame();
}

// ---------------------------------------------------------------------------------------------
// Moves

bool Game::IsLegalMove(int column, int row, Player player) const {
  return vextal::IsLegalMove(nodes_, column, row, player);
}

bool Game::DoMove(int column, int row, MoveSource by) {
  MoveReport move;
  move.Mover = actPlayer_;
  move.Column = column;
  move.Row = row;
  move.By = by;
  move.Why = RefusalOf(nodes_, column, row, move.Mover);
  // Local play keeps the position before every move, so that it can be taken back.
  const bool keep = !netMode_;
  if (keep) {
    history_.Push({nodes_, actPlayer_, lastMove_});
  }
  move.Outcome = ApplyMove(nodes_, column, row, move.Mover);
  if (keep && !move.Made()) {
    history_.Pop();
  }
  if (move.Outcome == MoveOutcome::NoMove) {
    return false;
  }
  if (move.Outcome == MoveOutcome::Refused) {
    move.Score1 = score1_;
    move.Score2 = score2_;
    emit MovePlayed(move);
    return false;
  }
  move.Why = Refusal::None;

  lastMove_ = Cell{column, row};
  hintThinker_.Drop();
  SwitchPlayer();
  move.Score1 = score1_;
  move.Score2 = score2_;
  // The next game starts the moment the last move is made, by the rules alone, so both sides of
  // a network game reach it at the same point of the move stream. A person keeps seeing the
  // final position until the result has been announced.
  move.EndedGame = CheckGameOver(actPlayer_);
  GameResult result;
  if (move.EndedGame) {
    result = EndGame();
  }
  emit MovePlayed(move);
  if (move.EndedGame) {
    Announce(result);
  }
  lastMoveTick_ = clock_.NowMs();
  ThinkAhead();
  return true;
}

void Game::PlayCell(int column, int row) {
  if ((netMode_ && !netConnected_) || resultShowing_ || !ClickMayPlay()) {
    return;
  }
  DoMove(column, row, MoveSource::Person);
}

// ---------------------------------------------------------------------------------------------
// Turns, scores, game end

void Game::SetActPlayer(Player player) {
  actPlayer_ = player;
  Recount();
}

void Game::Recount() {
  const Tally tally = CountScores(nodes_);
  score1_ = tally.Score(1);
  score2_ = tally.Score(2);
  emit TurnChanged(TurnReport{actPlayer_, tally});
}

void Game::SwitchPlayer() {
  SetActPlayer(actPlayer_ == 1 ? 2 : 1);
}

bool Game::CheckGameOver(Player player) const {
  return !HasLegalMove(nodes_, player);
}

void Game::ShowGameOver() {
  Announce(EndGame());
}

GameResult Game::EndGame() {
  const GameResult result = TakeResult();
  final_ = Position{nodes_, actPlayer_, lastMove_};
  ClearForNextGame();
  return result;
}

GameResult Game::TakeResult() const {
  return GameResult{CurrentMode(), score1_, score2_};
}

// Ownership and links gone, and with them the game's history, its last move and any search.
void Game::ClearBoard() {
  DropCpuAnswer();
  NewPerfectGame(*perfectMemory_);
  history_.Clear();
  lastMove_.reset();
  for (int c = 1; c <= NodesW(); ++c) {
    for (int r = 1; r <= NodesH(); ++r) {
      ClearPlay(nodes_(c, r));
    }
  }
}

// The board and turn of the next game, without showing anything yet.
void Game::ClearForNextGame() {
  ClearBoard();
  actPlayer_ = actPlayer_ == 1 ? 2 : 1;
  score1_ = score2_ = 0;
}

void Game::Announce(const GameResult& result) {
  emit NewGameStarted(true);
  resultShowing_ = true;
  emit ResultShownChanged(true);
  emit GameEnded(result);
  final_.reset();
  resultShowing_ = false;
  emit ResultShownChanged(false);
  ShowNewGame();
}

// What a person sees of the new game once its result has been announced.
void Game::ShowNewGame() {
  emit TurnChanged(TurnReport{actPlayer_, Tally{}});
  emit NewGameShown();
}

// ---------------------------------------------------------------------------------------------
// Commands of the network side

void Game::SetNetSwitches(bool netMode, bool netServer, bool netConnected) {
  if (netConnected_ && !netMode) {
    // A network game fell back to local play: the person stays in the seat played here, and
    // the CPU, if it takes the other seat, waits until the change has been seen.
    personSeat_ = netServer_ ? 1 : 2;
    cpuWaitsUntil_ = clock_.NowMs() + kSeatChangePauseMs;
  }
  netMode_ = netMode;
  netServer_ = netServer;
  netConnected_ = netConnected;
  DropCpuAnswer();
  emit SeatsChanged();
}

bool Game::ApplyPeerMove(Player mover, int column, int row) {
  actPlayer_ = mover;
  return DoMove(column, row, MoveSource::Peer);
}

void Game::LoadBoard(Board board, Player actPlayer) {
  DropCpuAnswer();
  history_.Clear();
  if (board != nodes_) {
    lastMove_.reset();  // the same board again (a synchronisation) keeps its last move
  }
  nodes_ = std::move(board);
  SetActPlayer(actPlayer);
  emit BoardReplaced();
}

}  // namespace vextal
