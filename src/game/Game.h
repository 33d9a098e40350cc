#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include <QString>

#include "game/Board.h"
#include "game/BoardGeometry.h"
#include "game/ClassicStrategy.h"
#include "game/Clock.h"
#include "game/CpuLevel.h"
#include "game/CpuStrategy.h"
#include "game/CpuThinker.h"
#include "game/Dialogs.h"
#include "game/GameView.h"
#include "game/Random.h"
#include "game/Seats.h"
#include "game/UndoHistory.h"

namespace vextal {

// The rules of the game and the state they share: the board, whose turn it is, scores, the seat
// switches and the network switches. Widget-free and wire-free: every effect outside itself goes
// through the GameView and Dialogs it was given. All of it runs on the user-interface thread.
//
// The state is read through accessors named as the rules name it; it changes only through the
// commands below, so the scores always match the board.
class Game {
 public:
  static constexpr std::int64_t kCpuPauseMs = 200;  // least time between a move and a CPU move
  // A hint is the move the strongest CPU level would play.
  static constexpr CpuLevel kHintLevel = CpuLevel::Master;

  Game(GameView& view, Dialogs& dialogs, const Clock& clock, RandomSource& random);

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
  // The wav chosen by the last move attempt; the caller of the move plays it.
  const QString& PendingSound() const { return pendingSound_; }
  // The captions of the two player labels, as last set by UpdatePlayerNames.
  const QString& PlayerName1() const { return playerName1_; }
  const QString& PlayerName2() const { return playerName2_; }
  // The result of a finished game is being shown; the next game waits for the box to close.
  bool ResultShowing() const { return resultShowing_; }
  // What the window shows: while a finished game's result is announced, a copy of its final
  // position (the next game is already set up underneath), otherwise the board itself.
  const Board& ShownNodes() const { return final_ ? final_->Nodes : nodes_; }
  // The cell of the last move made on the shown board, by whoever played it.
  const std::optional<Cell>& ShownLastMove() const { return final_ ? final_->LastMove : lastMove_; }

  // --- A new game ---------------------------------------------------------------------------
  // Clears ownership and links, hands the first move to the other player, logs, reports the new
  // game, repaints and plays the reset sound.
  void NewGame();
  // A fresh stage layout: replaces the board, refreshes menus and seat names, starts a new game.
  void StartStage(Board layout);

  // --- Moves --------------------------------------------------------------------------------
  // The one entry for every move: claims or expands (column, row) for ActPlayer. Returns true
  // when a move was made. Leaves the sound to play in PendingSound. Cells outside the playable
  // grid, and a player to move other than 1 or 2, make no move and change nothing.
  bool DoMove(int column, int row, bool send);
  bool CheckNeutralise(int column, int row);
  bool IsLegalMove(int column, int row, Player player) const;

  // The grid position nearest to a pixel of the board picture, or nothing when it falls
  // outside the board array.
  std::optional<std::pair<int, int>> CellAt(int x, int y) const;
  // A mouse button pressed on the board picture.
  void BoardClick(int x, int y);
  // The same as a click on the node at (column, row): the keyboard's way to play.
  void PlayCell(int column, int row);

  // --- Turns, scores, game end --------------------------------------------------------------
  void SetActPlayer(Player player);
  void SwitchPlayer();
  bool CheckGameOver(Player player) const;
  // Announces the result of the board as it stands and starts the next game on the same stage.
  void ShowGameOver();

  // --- Seats and menus ----------------------------------------------------------------------
  Mode CurrentMode() const;
  // The players of the two seats and their captions, as the switches make them now.
  Seats CurrentSeats() const { return Seats::Of(CurrentMode(), netServer_); }
  void UpdatePlayerNames();
  void UpdateMenus();
  bool ClickMayPlay() const;
  bool CpuMayMove() const;
  void ToggleCpuPlayer();   // "Enable CPU player"
  void ToggleDemoPlayer();  // "Enable Demo player"
  // "CPU strength": how the CPU chooses its moves from the next turn on.
  void SetCpuLevel(CpuLevel level);
  CpuLevel GetCpuLevel() const { return cpuLevel_; }

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
  // Asks the strongest CPU level for the move of the player to move, off the user-interface
  // thread; `show` later gets the cell on this thread, unless the position changed first. The
  // hint is never played. Returns false when CanHint is false.
  bool AskHint(std::function<void(Cell)> show);
  bool HintThinking() const { return hintThinker_.Thinking(); }

  // --- Commands of the network side ---------------------------------------------------------
  // The three network switches, as a connection event leaves them.
  void SetNetSwitches(bool netMode, bool netServer, bool netConnected);
  // The peer's move: its mover becomes the player to move, then the move is played unsent.
  bool ApplyPeerMove(Player mover, int column, int row);
  // A whole board and player to move from the peer (already checked): replaces both, highlights
  // the player and recounts the scores. Tests set up positions with it too.
  void LoadBoard(Board board, Player actPlayer);

 private:
  struct Result;

  Result TakeResult() const;
  // Starts the CPU thinking about the position, when a searching level has to move in it.
  void ThinkAhead();
  // Drops the CPU's question and answer and any hint still thought about.
  void DropCpuAnswer();
  void PlayCpuChoice(std::optional<Cell> cell);
  void ClearForNextGame();
  void Announce(const Result& result);
  void ShowNewGame();
  void Recount();
  void ShowPanel(std::int32_t nodes1, std::int32_t links1, std::int32_t nodes2,
                 std::int32_t links2);

  GameView& view_;
  Dialogs& dialogs_;
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
  std::int64_t lastMoveTick_ = 0;
  QString pendingSound_;
  QString playerName1_ = QStringLiteral("Player 1");
  QString playerName2_ = QStringLiteral("Player 2");
  bool resultShowing_ = false;
  CpuLevel cpuLevel_ = CpuLevel::Classic;

  // The searching levels think off the user-interface thread; the answer waits here for the
  // tick that plays it, and counts only for the position it was asked about.
  CpuThinker thinker_;
  Board askedBoard_;
  Player askedPlayer_ = 0;
  std::optional<std::optional<Cell>> cpuAnswer_;

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
