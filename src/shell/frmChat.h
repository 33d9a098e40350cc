#pragma once

#include <deque>

#include <QWidget>

#include "shell/ChatLog.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vextal {

// The chat window: the run's transcript above, a one-line input box and a small menu button
// below. Enter or Alt+S in the input box sends the line to the peer. Closing the window unloads
// it (the owning ChatLog then forgets it); the transcript itself lives on in ChatLog.
class frmChat : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kInitialWidth = 320;  // client area when the window is first opened
  static constexpr int kInitialHeight = 220;
  static constexpr int kButtonSize = 18;  // cmdMenu is a square; txtInput has its height

  frmChat(ChatLog& chat, ChatLink link);

  // Shows the whole transcript and puts the caret just before its final line break, so that
  // the newest line is in view.
  void SetLog();

  // Adds the transcript's newest line at the end of the box after taking out its oldest
  // droppedLines lines, the ones the transcript has just let go, and puts the caret as SetLog
  // does. The work depends on those lines only, never on the length of the transcript.
  //
  // The box changes once per pass of the event loop, however many lines arrived in it: laying
  // out and scrolling per line would make a peer's flood of lines cost far more than it must,
  // and hold up the messages behind it. Lines dropped before they were shown never reach it.
  void AppendLine(const QString& line, int droppedLines);
  // Brings the box up to date with the lines appended since it last changed.
  void ShowPendingLines();

  QPushButton* cmdMenu() const { return cmdMenu_; }
  QLineEdit* txtInput() const { return txtInput_; }
  QPlainTextEdit* txtLog() const { return txtLog_; }

 signals:
  // The user closed the window.
  void Unloaded();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Sends the input line to the peer and adds it to the transcript.
  void SendChat();
  void PutCaretAtEnd();
  // Keeps the button square in the bottom-right corner, the input box to its left and the
  // transcript filling the rest.
  void ArrangeControls();

  ChatLog& chat_;
  ChatLink link_;
  QPushButton* cmdMenu_;
  QLineEdit* txtInput_;
  QPlainTextEdit* txtLog_;
  // How many blocks of txtLog_ each transcript line took, oldest first: a line may hold breaks.
  std::deque<int> lineBlocks_;
  // Lines appended and not shown yet, and how many of the oldest lines to take out first (those
  // in the box, then those of pending_ that the transcript let go before they were shown).
  std::deque<QString> pending_;
  std::size_t pendingDrops_ = 0;
  bool showQueued_ = false;
};

}  // namespace vextal
