#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include <QString>

#include "game/Board.h"
#include "game/BoardGeometry.h"
#include "game/Clock.h"
#include "game/CpuLevel.h"
#include "game/Colors.h"
#include "game/Dialogs.h"
#include "game/GameView.h"
#include "game/Random.h"

namespace vextal {

// Who sits in the two seats, decided from the switches (the first that applies wins).
enum class Mode {
  Network,           // host is player 1 ("Server"), the connecting side player 2 ("Client")
  TwoPersons,        // "Player 1" and "Player 2" at one machine
  Demo,              // the CPU plays both seats: "CPU 1" and "CPU 2"
  PersonAgainstCpu,  // the person is player 1 ("Player"), the CPU player 2 ("CPU")
};

// The rules of the game and the state they share: the board, whose turn it is, scores, the seat
// switches and the network switches. Widget-free: every effect outside itself goes through the
// GameView and Dialogs it was given. All of it runs on the user-interface thread.
class Game {
 public:
  static constexpr std::int64_t kCpuPauseMs = 200;  // least time between a move and a CPU move
  static constexpr int kCpuRandomTries = 6;

  Game(GameView& view, Dialogs& dialogs, const Clock& clock, RandomSource& random);

  // --- Shared state -------------------------------------------------------------------------
  Board Nodes;
  Player ActPlayer = 0;  // 1 or 2; 0 only before the first game
  bool NetMode = false;  // hosting and waiting, connecting, or connected
  bool NetServer = false;
  bool NetConnected = false;

  std::int32_t Score1 = 0;
  std::int32_t Score2 = 0;
  bool CpuOn = false;   // equals the check mark of "Enable CPU player"
  bool DemoOn = false;  // equals the check mark of "Enable Demo player"
  std::int64_t LastMoveTick = 0;
  QString PendingSound;  // the wav chosen by the last move attempt; the caller plays it

  Rgb ColorP1 = kColorP1;
  Rgb ColorP1Dark = kColorP1Dark;
  Rgb ColorP2 = kColorP2;
  Rgb ColorP2Dark = kColorP2Dark;

  // The captions of the two player labels, as last set by UpdatePlayerNames.
  QString PlayerName1 = QStringLiteral("Player 1");
  QString PlayerName2 = QStringLiteral("Player 2");

  std::uint8_t NodesW() const { return Nodes.NodesW(); }
  std::uint8_t NodesH() const { return Nodes.NodesH(); }

  // --- A new game ---------------------------------------------------------------------------
  // Clears ownership and links, hands the first move to the other player, logs, sends the
  // cleared board to a connected peer, repaints and plays the reset sound.
  void NewGame();

  // --- Moves --------------------------------------------------------------------------------
  // The one entry for every move: claims or expands (column, row) for ActPlayer. Returns true
  // when a move was made. Leaves the sound to play in PendingSound. Cells outside the playable
  // grid, and a player to move other than 1 or 2, make no move and change nothing.
  bool DoMove(int column, int row, bool send);
  bool CheckNeutralise(int column, int row);
  bool IsBlocked(int column, int row, Player player) const;
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
  void ShowGameOver();

  // --- Seats and menus ----------------------------------------------------------------------
  Mode CurrentMode() const;
  void UpdatePlayerNames();
  void UpdateMenus();
  bool ClickMayPlay() const;
  bool CpuMayMove() const;
  void ToggleCpuPlayer();   // "Enable CPU player"
  void ToggleDemoPlayer();  // "Enable Demo player"
  // "CPU strength": how the CPU chooses its moves from the next turn on.
  void SetCpuLevel(CpuLevel level) { cpuLevel_ = level; }
  CpuLevel GetCpuLevel() const { return cpuLevel_; }

  // --- CPU player ---------------------------------------------------------------------------
  // One tick of the one-second timer.
  void CpuTick();

  // --- Stages -------------------------------------------------------------------------------
  // Builds stage 1..7 (any other number gives a board without nodes) and starts a new game.
  void SetupStage(int stage);
  // The stage the program starts with: 1 to 4.
  int DrawStartupStage();

 private:
  void Recount();

  GameView& view_;
  Dialogs& dialogs_;
  const Clock& clock_;
  RandomSource& random_;
  CpuLevel cpuLevel_ = CpuLevel::Classic;
};

}  // namespace vextal
