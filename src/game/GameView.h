#pragma once

#include <QString>

#include "game/Colors.h"
#include "net/Message.h"

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

// Every effect the rules cause outside themselves goes through this interface, in the order the
// rules fix. The main window implements it with widgets, sound and the socket; tests record it.
class GameView {
 public:
  virtual ~GameView() = default;
  virtual void DrawBoard() = 0;
  virtual void AddLog(const QString& message) = 0;
  virtual void PlayWave(const QString& fileName) = 0;  // an empty name plays nothing
  virtual void SendMessage(const Message& message) = 0;
  virtual void ShowPlayerPanel(const PlayerPanel& panel) = 0;
  virtual void ShowPlayerNames(const QString& name1, const QString& name2) = 0;
  virtual void SetMenuEnabled(MenuItem item, bool enabled) = 0;
  virtual void SetMenuChecked(MenuItem item, bool checked) = 0;
  // A chat line enters the transcript and brings up the chat window; own lines get the "> " mark.
  virtual void AddChatLine(const QString& text, bool own) = 0;
};

}  // namespace vextal
