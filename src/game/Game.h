#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QObject>

#include "game/Board.h"
#include "game/ClassicStrategy.h"
#include "game/Clock.h"
#include "game/CpuLevel.h"
#include "game/CpuStrategy.h"
#include "game/CpuThinker.h"
#include "game/GameEvents.h"
#include "game/Random.h"
#include "game/Seats.h"
#include "game/UndoHistory.h"

namespace vextal {

// The menu entries whose state the switches decide.
enum class MenuItem { EnableAI, EnableDemo, Reset, Server, Client, Disconnect, Synchronize };

// The rules of the game and the state they share: the board, whose turn it is, scores, the seat
// switches and the network switches. Widget-free, wire-free and silent: it reports what happened
// as the signals below, in the order the rules fix, and whoever listens shows it, plays it or
// sends it. All of it runs on the user-interface thread, and every signal is delivered at once.
//
// The state is read through accessors named as the rules name it; it changes only through the
// commands below, so the scores always match the board.
class Game final : public QObject {
  Q_OBJECT

 public:
  static constexpr std::int64_t kCpuPauseMs = 200;  // least time between a move and a CPU move
  // After a network game falls back to local play, the CPU waits this long before it moves.
  static constexpr std::int64_t kSeatChangePauseMs = 2000;
  // A hint is the move the Perfect level would play, with its opening book.
  static constexpr CpuLevel kHintLevel = CpuLevel::Perfect;

  Game(const Clock& clock, RandomSource& random);

  // --- State --------------------------------------------------------------------------------
  const Board& Nodes() const { return nodes_; }
  std::uint8_t NodesW() const { return nodes_.NodesW(); }
  std::uint8_t NodesH() const { return nodes_.NodesH(); }
  Player ActPlayer() const { return actPlayer_; }  // 1 or 2; 0 only before the first game
  bool NetMode() const { return netMode_; }        // hosting and waiting, connecting, or connected
  bool NetServer() const { return netServer_; }
  bool NetConnected() const { return netConnected_; }
  std::int32_t Score1() const { return score1_; }
  std::int32_t Score2() const { return score2_; }
  bool CpuOn() const { return cpuOn_; }    // equals the check mark of "Enable CPU player"
  bool DemoOn() const { return demoOn_; }  // equals the check mark of "Enable Demo player"
  std::int64_t LastMoveTick() const { return lastMoveTick_; }
  // The result of a finished game is being announced; the next game waits until it has been.
  bool ResultShowing() const { return resultShowing_; }
  // What the window shows: while a finished game's result is announced, a copy of its final
  // position (the next game is already set up underneath), otherwise the board itself.
  const Board& ShownNodes() const { return final_ ? final_->Nodes : nodes_; }
  // The cell of the last move made on the shown board, by whoever played it.
  const std::optional<Cell>& ShownLastMove() const { return final_ ? final_->LastMove : lastMove_; }

  // --- A new game ---------------------------------------------------------------------------
  // Clears ownership and links, hands the first move to the other player and reports the new
  // game.
  void NewGame();
  // A fresh stage layout: replaces the board, reports the seats, starts a new game.
  void StartStage(Board layout);

  // --- Moves --------------------------------------------------------------------------------
  // The one entry for every move: claims or expands (column, row) for ActPlayer, reporting the
  // attempt as made by `by`. Returns true when a move was made. Cells without a node, and a
  // player to move other than 1 or 2, make no move, change nothing and report nothing.
  bool DoMove(int column, int row, MoveSource by);
  bool IsLegalMove(int column, int row, Player player) const;

  // A click on the node at (column, row), or the keyboard's Space or Enter on it: played when a
  // person here holds the seat to move.
  void PlayCell(int column, int row);

  // --- Turns, scores, game end --------------------------------------------------------------
  void SetActPlayer(Player player);
  void SwitchPlayer();
  bool CheckGameOver(Player player) const;
  // Announces the result of the board as it stands and starts the next game on the same stage.
  void ShowGameOver();

  // --- Seats and menus ----------------------------------------------------------------------
  Mode CurrentMode() const;
  // The players of the two seats, as the switches make them now.
  Seats CurrentSeats() const { return Seats::Of(CurrentMode(), netServer_); }
  // Whether the switches allow a menu entry now.
  bool MenuEnabled(MenuItem item) const;
  bool ClickMayPlay() const;
  bool CpuMayMove() const;
  void ToggleCpuPlayer();   // "Enable CPU player"
  void ToggleDemoPlayer();  // "Enable Demo player"
  // "CPU strength": how the CPU chooses its moves from the next turn on.
  void SetCpuLevel(CpuLevel level);
  CpuLevel GetCpuLevel() const { return cpuLevel_; }
  // Where the Perfect level's opening book lies. It is read at the first question that needs
  // it; a book that cannot be used is reported once (OpeningBookUnusable), and Perfect then
  // plays without it.
  void SetOpeningBookFile(const QString& path) { bookPath_ = path; }
  // The book, read on first use; empty when it cannot be used.
  std::shared_ptr<const OpeningBook> PerfectBook();

  // --- CPU player ---------------------------------------------------------------------------
  // One tick of the one-second timer: the CPU's move, when its seat is to move.
  void CpuTick();
  // The program is closing: a CPU still thinking stops, and its answer is never played.
  void StopCpu();
  // The CPU is thinking about a move off the user-interface thread.
  bool CpuThinking() const { return thinker_.Thinking(); }

  // --- Undo and hint (local play only; a peer never learns of either) -----------------------
  // A move can be taken back: in a local game of persons or against the CPU, no result box
  // open, and a position in this game where a person was to move.
  bool CanUndo() const;
  // Takes back the last move; against the CPU, back to the person's previous turn. Drops a
  // search in progress. Returns false, changing nothing, when CanUndo is false.
  bool Undo();
  // A person at this machine is to move in a local game.
  bool CanHint() const;
  // Asks the hint level (kHintLevel) for the move of the player to move, off the user-interface
  // thread; `show` later gets the cell on this thread, unless the position changed first. The
  // hint is never played. Returns false when CanHint is false.
  bool AskHint(std::function<void(Cell)> show);
  bool HintThinking() const { return hintThinker_.Thinking(); }
  // Plays on from an earlier position in local play: `start` with `moves` played again by the
  // rules, the positions before them becoming the undo history. Reports the turn and the board
  // (BoardReplaced). False, changing nothing, in a network game, while a result is announced,
  // when a move is not legal or when nobody could move at the end.
  bool ResumeFrom(const Position& start, const std::vector<Cell>& moves);

  // --- Commands of the network side ---------------------------------------------------------
  // The three network switches, as a connection event leaves them; reports the seats.
  void SetNetSwitches(bool netMode, bool netServer, bool netConnected);
  // The peer's move: its mover becomes the player to move, then the move is played unsent.
  bool ApplyPeerMove(Player mover, int column, int row);
  // A whole board and player to move from the peer (already checked): replaces both, highlights
  // the player and recounts the scores. Tests set up positions with it too.
  void LoadBoard(Board board, Player actPlayer);

 signals:
  // A move attempt on a node, made or refused. After a made move the turn has passed; after the
  // last move of a game (EndedGame) the next game is already set up.
  void MovePlayed(const vextal::MoveReport& move);
  // The player to move or the holdings changed: after a move, a new game, a board loaded.
  void TurnChanged(const vextal::TurnReport& turn);
  // The board was cleared for a new game: by Clear or a stage (`atGameEnd` false), or because the
  // last move ended the game (true), before its result is announced.
  void NewGameStarted(bool atGameEnd);
  // A game ended. The result is announced while the listeners run; the next game waits for them
  // (ResultShowing() is true throughout, and the CPU and clicks do not play).
  void GameEnded(const vextal::GameResult& result);
  // The result of a finished game is being announced (true), or has been (false). While it is,
  // nothing from the peer may be applied: it belongs to the next game, not shown yet.
  void ResultShownChanged(bool showing);
  // The new game is ready to be seen: after Clear or a stage at once, after a game's end once its
  // result has been announced.
  void NewGameShown();
  // The whole board was replaced: a stage, or a board from the peer.
  void BoardReplaced();
  // The seat switches changed (CPU, demo, network) or a stage began: captions and menus follow.
  void SeatsChanged();
  // The Perfect level's opening book at `path` cannot be used (`reason`); Perfect plays without
  // it. Said once per run, at the first question that needed the book.
  void OpeningBookUnusable(const QString& path, const QString& reason);
  // A move (or, against the CPU, the CPU's answer with it) was taken back: the board, the player
  // to move and the last move are as they were before it. Local play only.
  void MoveTakenBack();

 private:
  GameResult TakeResult() const;
  // Starts the CPU thinking about the position, when a searching level has to move in it.
  void ThinkAhead();
  // Drops the CPU's question and answer and any hint still thought about.
  void DropCpuAnswer();
  void PlayCpuChoice(std::optional<Cell> cell);
  void ClearBoard();
  void ClearForNextGame();
  // The result of the board as it stands; the final position kept for showing, the next game set
  // up underneath.
  GameResult EndGame();
  void Announce(const GameResult& result);
  void ShowNewGame();
  void Recount();

  const Clock& clock_;
  RandomSource& random_;

  Board nodes_;
  Player actPlayer_ = 0;
  bool netMode_ = false;
  bool netServer_ = false;
  bool netConnected_ = false;
  std::int32_t score1_ = 0;
  std::int32_t score2_ = 0;
  bool cpuOn_ = false;
  bool demoOn_ = false;
  // The person's seat against the CPU: 1, or 2 after playing the connecting side of a network
  // game, until a seat switch is turned.
  Player personSeat_ = 1;
  std::int64_t lastMoveTick_ = 0;
  std::int64_t cpuWaitsUntil_ = 0;
  bool resultShowing_ = false;
  CpuLevel cpuLevel_ = CpuLevel::Classic;

  // The searching levels think off the user-interface thread; the answer waits here for the
  // tick that plays it, and counts only for the position it was asked about.
  CpuThinker thinker_;
  Board askedBoard_;
  Player askedPlayer_ = 0;
  std::optional<std::optional<Cell>> cpuAnswer_;

  QString bookPath_;
  bool bookRead_ = false;
  std::shared_ptr<const OpeningBook> book_;
  // Perfect's solver and table, carried from move to move and emptied at a new game.
  std::shared_ptr<PerfectMemory> perfectMemory_ = MakePerfectMemory();

  // The cell played last in this game, the positions before each move of it (local play), and
  // the finished game's final position while its result is shown.
  std::optional<Cell> lastMove_;
  UndoHistory history_;
  std::optional<Position> final_;

  // A hint thinks like the CPU, on a thinker of its own; it counts only for the position asked.
  CpuThinker hintThinker_;
  Board hintBoard_;
  Player hintPlayer_ = 0;
};

}  // namespace vextal
