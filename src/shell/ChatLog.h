#pragma once

#include <functional>

#include <QPointer>
#include <QString>

#include "net/Message.h"

namespace vextal {

class frmChat;

// What the chat needs from the network side: whether a peer is connected right now, and how to
// hand a message to the connection. The main window fills both in; tests use plain lambdas.
struct ChatLink {
  std::function<bool()> IsConnected;
  std::function<void(const Message&)> Send;
};

// The chat transcript of the whole run, kept outside the chat window so that closing the window
// loses nothing, together with the one chat window that shows it. The window is created on first
// use and may be closed and opened again any number of times; the transcript only grows.
class ChatLog {
 public:
  explicit ChatLog(ChatLink link);
  ~ChatLog();
  ChatLog(const ChatLog&) = delete;
  ChatLog& operator=(const ChatLog&) = delete;

  // Appends one line ("> " in front of own lines, "\r\n" after every line), then brings up the
  // chat window, creating it if it is closed, and shows the whole transcript in it.
  void AddChatLine(const QString& text, bool own);

  // The "Chat window" command: shows the window (not modal) with the whole transcript.
  void ShowChat();

  // Closes the chat window if it is open; anything typed but not sent is discarded.
  void UnloadChat();

  // The transcript: every line so far, each followed by "\r\n".
  const QString& Text() const { return text_; }

  // The open chat window, or null while it is closed.
  frmChat* Window() const;

 private:
  frmChat& ShowWindow();

  ChatLink link_;
  QString text_;
  QPointer<frmChat> window_;
};

}  // namespace vextal
