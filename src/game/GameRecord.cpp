#include "game/GameRecord.h"

namespace vextal {

GameRecord::GameRecord(Game& game, Today today) : game_(game), today_(std::move(today)) {
  if (!today_) {
    today_ = [] { return QDate::currentDate(); };
  }
  connect(&game_, &Game::MovePlayed, this, &GameRecord::MoveMade);
  connect(&game_, &Game::NewGameStarted, this, [this](bool atGameEnd) {
    if (atGameEnd) {
      GameOver();
    }
    Fresh();
  });
  connect(&game_, &Game::BoardReplaced, this, &GameRecord::BoardChanged);
  connect(&game_, &Game::MoveTakenBack, this, &GameRecord::TakenBack);
  Fresh();
}

// An empty record of the game's position as it stands.
void GameRecord::Fresh() {
  current_ = RecordedGame{};
  current_.Start = game_.Nodes();
  current_.FirstToMove = game_.ActPlayer();
  current_.Date = today_();
  NoteSeats();
  emit Changed();
}

void GameRecord::NoteSeats() {
  current_.Seats = game_.CurrentMode();
  current_.Level = game_.GetCpuLevel();
  current_.NetServer = game_.NetServer();
}

void GameRecord::MoveMade(const MoveReport& move) {
  if (!move.Made()) {
    return;
  }
  if (current_.Moves.size() < RecordedGame::kMaxMoves) {
    current_.Moves.push_back(RecordedMove{move.Mover, move.Column, move.Row, move.Outcome, move.By,
                                          move.Score1, move.Score2});
  }
  NoteSeats();
  if (move.EndedGame) {
    // The next game is already set up on the board: this one is over.
    GameOver();
    Fresh();
    return;
  }
  emit Changed();
}

// The game in progress ended: it becomes the last finished game. A game that ended without a
// move (a board from the peer on which nobody can move) leaves the last one as it was.
void GameRecord::GameOver() {
  if (current_.Moves.empty()) {
    return;
  }
  current_.Finished = true;
  last_ = std::move(current_);
  current_ = RecordedGame{};
}

// The position after `ply` moves is the game's own.
bool GameRecord::MatchesGame(int ply) const {
  const Position position = current_.At(ply);
  return position.Nodes == game_.Nodes() && position.ActPlayer == game_.ActPlayer();
}

void GameRecord::BoardChanged() {
  // Playing on from a recorded position, or the same board again (a synchronisation), keeps
  // the record; any other board starts one of its own.
  if (resuming_ || MatchesGame(current_.Plies())) {
    return;
  }
  Fresh();
}

void GameRecord::TakenBack() {
  int ply = current_.Plies();
  while (ply > 0 && !MatchesGame(ply)) {
    --ply;
  }
  if (!MatchesGame(ply)) {
    Fresh();
    return;
  }
  current_.Moves.resize(std::size_t(ply));
  emit Changed();
}

bool GameRecord::PlayFrom(const RecordedGame& game, int ply) {
  const int upTo = std::clamp(ply, 0, game.Plies());
  std::vector<Cell> moves;
  moves.reserve(std::size_t(upTo));
  for (int i = 0; i < upTo; ++i) {
    moves.push_back(Cell{game.Moves[std::size_t(i)].Column, game.Moves[std::size_t(i)].Row});
  }
  RecordedGame resumed = game;  // a copy: `game` may be this record's own
  resumed.Moves.resize(std::size_t(upTo));
  resumed.Finished = false;
  resuming_ = true;
  const bool taken = game_.ResumeFrom(Position{game.Start, game.FirstToMove, std::nullopt}, moves);
  resuming_ = false;
  if (!taken) {
    return false;
  }
  current_ = std::move(resumed);
  if (!MatchesGame(current_.Plies())) {
    Fresh();  // the moves did not replay as recorded: the record starts where the game stands
  }
  NoteSeats();
  emit Changed();
  return true;
}

}  // namespace vextal
