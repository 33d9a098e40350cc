#pragma once

#include <QString>

#include "game/Colors.h"
#include "game/Node.h"

namespace vextal {

// The menu entries whose state the rules decide.
enum class MenuItem { EnableAI, EnableDemo, Reset, Server, Client, Disconnect, Synchronize };

// The player row under the board: the two coloured markers, which name is bold, and the sums.
struct PlayerPanel {
  Rgb Marker1 = 0;
  Rgb Marker2 = 0;
  bool Bold1 = false;
  bool Bold2 = false;
  QString Sum1;  // "nodes + links = score"
  QString Sum2;
};

// Everything the game does outside itself goes through this interface, in the order the rules
// fix: what to show and play, and what happened in the game. The main window implements it with
// widgets and sound and hands the game's events on to the network side; tests record it.
class GameView {
 public:
  virtual ~GameView() = default;

  // --- What a person sees and hears ----------------------------------------------------------
  virtual void DrawBoard() = 0;
  virtual void AddLog(const QString& message) = 0;
  virtual void PlayWave(const QString& fileName) = 0;  // an empty name plays nothing
  virtual void ShowPlayerPanel(const PlayerPanel& panel) = 0;
  virtual void ShowPlayerNames(const QString& name1, const QString& name2) = 0;
  virtual void SetMenuEnabled(MenuItem item, bool enabled) = 0;
  virtual void SetMenuChecked(MenuItem item, bool checked) = 0;
  // A chat line enters the transcript and brings up the chat window; own lines get the "> " mark.
  virtual void AddChatLine(const QString& text, bool own) = 0;

  // --- What happened in the game ---------------------------------------------------------------
  // A move is complete: made here (`local`: a click, a key or the CPU) or replayed from the peer.
  // The turn has passed; after the last move of a game the next game is already set up.
  virtual void MoveMade(Player mover, int column, int row, bool local) = 0;
  // The board was cleared for a new game: by Clear or a stage (`atGameEnd` false), or because the
  // last move ended the game (true), before the result is announced.
  virtual void NewGameStarted(bool atGameEnd) = 0;
  // The result box opens (true) or has been closed (false). While it is open the window keeps
  // showing the final position and nothing from the peer may be applied.
  virtual void ResultBoxOpen(bool open) = 0;
};

}  // namespace vextal
