#pragma once

#include <functional>
#include <optional>

#include <QDate>
#include <QObject>

#include "game/Game.h"
#include "game/RecordedGame.h"

namespace vextal {

// Keeps the moves of the game in progress and of the last finished game, built from the game's
// events alone, so every kind of game is recorded alike: two persons, the CPU, the demo and both
// sides of a network game (each side hears the same moves). A move taken back leaves the record;
// a new game starts an empty one; a board from elsewhere (the peer's) starts a record from that
// board.
class GameRecord final : public QObject {
  Q_OBJECT

 public:
  using Today = std::function<QDate()>;

  // Listens to `game` for its whole life; `today` dates each record (the system's date when
  // none is handed in).
  explicit GameRecord(Game& game, Today today = {});

  const RecordedGame& Current() const { return current_; }
  // The game that ended last, if one has since this record was made.
  const std::optional<RecordedGame>& LastFinished() const { return last_; }

  // Takes the position after the first `ply` moves of `game` as the game's current position in
  // local play, the moves before it becoming the undo history (as if undone to there). The
  // record follows. False, changing nothing, in a network game or while a result is announced.
  bool PlayFrom(const RecordedGame& game, int ply);

 signals:
  // The current record or the last finished game changed.
  void Changed();

 private:
  void Fresh();
  void MoveMade(const MoveReport& move);
  void GameOver();
  void BoardChanged();
  void TakenBack();
  void NoteSeats();
  bool MatchesGame(int ply) const;

  Game& game_;
  Today today_;
  RecordedGame current_;
  std::optional<RecordedGame> last_;
  bool resuming_ = false;
};

}  // namespace vextal
