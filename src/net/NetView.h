#pragma once

#include <QString>

namespace vextal {

// What the network side shows and plays of a connection: its log lines, the connection sounds,
// the chat lines, and the board repainted after a peer's message. The main window implements it;
// tests record it.
class NetView {
 public:
  virtual ~NetView() = default;

  virtual void DrawBoard() = 0;
  virtual void AddLog(const QString& message) = 0;
  virtual void PlayWave(const QString& fileName) = 0;  // an empty name plays nothing
  // A chat line enters the transcript and brings up the chat window; own lines get the "> " mark.
  virtual void AddChatLine(const QString& text, bool own) = 0;
};

}  // namespace vextal
