#pragma once

#include <deque>
#include <functional>

#include <QPointer>
#include <QString>

class QWidget;

namespace vextal {

class frmChat;

// What the chat needs from the network side: whether a peer is connected right now, and how to
// hand it a line to send. The main window fills both in; tests use plain lambdas.
struct ChatLink {
  std::function<bool()> IsConnected;
  std::function<void(const QString&)> SendLine;
  // The line as the peer will show it, when that may differ from what was typed.
  std::function<QString(const QString&)> AsReceived = nullptr;
};

// The chat transcript of the whole run, kept outside the chat window so that closing the window
// loses nothing, together with the one chat window that shows it. The window is created on first
// use and may be closed and opened again any number of times.
//
// The peer decides how much text arrives, so the transcript is bounded: a line longer than
// kMaxLineLength is kept cut with "…", and once the transcript passes kMaxTranscriptLength
// characters or kMaxTranscriptRows rows the oldest lines go. Rows bound the memory of many short
// lines, which costs far more per row (in the transcript and in the box) than per character.
// Adding a line costs the same however long the transcript already is.
class ChatLog {
 public:
  static constexpr qsizetype kMaxLineLength = 4096;           // characters of one line
  static constexpr qsizetype kMaxTranscriptLength = 1 << 20;  // characters, line breaks included
  static constexpr qsizetype kMaxTranscriptRows = 10'000;     // rows of the box, see RowsOf

  // The rows a line takes in the chat box: its own, and one more for each break inside it,
  // counted as the text box splits inserted text ("\r\n" is one break).
  static int RowsOf(const QString& line);

  // The chat window opens beside mainWindow (when given), so it leaves the board in view.
  explicit ChatLog(ChatLink link, const QWidget* mainWindow = nullptr);
  ~ChatLog();
  ChatLog(const ChatLog&) = delete;
  ChatLog& operator=(const ChatLog&) = delete;

  // Appends one line ("> " in front of own lines), then brings up the chat window, creating it
  // if it is closed, with the new line at the end of the transcript box.
  void AddChatLine(const QString& text, bool own);

  // The "Chat window" command: shows the window (not modal) with the whole transcript.
  void ShowChat();

  // Closes the chat window if it is open; anything typed but not sent is discarded.
  void UnloadChat();

  // The transcript as one text: every line kept, each followed by "\r\n".
  QString Text() const;

  // The lines kept, oldest first, as stored (marked, cut) and without line breaks.
  const std::deque<QString>& Lines() const { return lines_; }

  // The open chat window, or null while it is closed.
  frmChat* Window() const;

 private:
  frmChat& ShowWindow();

  ChatLink link_;
  QPointer<const QWidget> mainWindow_;
  std::deque<QString> lines_;
  std::deque<int> lineRows_;  // RowsOf each line in lines_
  qsizetype length_ = 0;      // of Text()
  qsizetype rows_ = 0;        // the sum of lineRows_
  QPointer<frmChat> window_;
};

}  // namespace vextal
