#include "shell/ChatLog.h"

#include <utility>

#include "shell/WindowPlacement.h"
#include "shell/frmChat.h"

namespace vextal {

namespace {

constexpr qsizetype kLineBreakLength = 2;  // "\r\n" after every line

QString CutToLength(const QString& line, qsizetype length) {
  if (line.size() <= length) {
    return line;
  }
  // Never keep half of a character that takes two UTF-16 units.
  const qsizetype cut = line.at(length - 1).isHighSurrogate() ? length - 1 : length;
  return line.left(cut) + QChar(0x2026);
}

}  // namespace

int ChatLog::RowsOf(const QString& line) {
  int rows = 1;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const char16_t c = line.at(i).unicode();
    if (c == u'\r' && i + 1 < line.size() && line.at(i + 1) == QLatin1Char('\n')) {
      continue;
    }
    if (c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == u'\uFDD0' ||
        c == u'\uFDD1') {
      ++rows;
    }
  }
  return rows;
}

ChatLog::ChatLog(ChatLink link, const QWidget* mainWindow)
    : link_(std::move(link)), mainWindow_(mainWindow) {}

ChatLog::~ChatLog() {
  UnloadChat();
}

void ChatLog::AddChatLine(const QString& text, bool own) {
  const QString line = CutToLength(own ? QStringLiteral("> ") + text : text, kMaxLineLength);
  lines_.push_back(line);
  lineRows_.push_back(RowsOf(line));
  length_ += line.size() + kLineBreakLength;
  rows_ += lineRows_.back();
  int dropped = 0;
  while ((length_ > kMaxTranscriptLength || rows_ > kMaxTranscriptRows) && lines_.size() > 1) {
    length_ -= lines_.front().size() + kLineBreakLength;
    rows_ -= lineRows_.front();
    lines_.pop_front();
    lineRows_.pop_front();
    ++dropped;
  }

  if (window_) {
    ShowWindow().AppendLine(line, dropped);
  } else {
    ShowWindow().SetLog();
  }
}

void ChatLog::ShowChat() {
  ShowWindow().SetLog();
}

QString ChatLog::Text() const {
  QString text;
  text.reserve(length_);
  for (const QString& line : lines_) {
    text += line;
    text += QStringLiteral("\r\n");
  }
  return text;
}

frmChat* ChatLog::Window() const {
  return window_;
}

void ChatLog::UnloadChat() {
  // Deleting at once rather than later: a line arriving afterwards must find no window and
  // create a fresh one, never revive one that is on its way out.
  delete window_.data();
}

frmChat& ChatLog::ShowWindow() {
  if (!window_) {
    auto* window = new frmChat(*this, link_);
    // Closing by the user unloads the window. Forget it at once, so that the next line opens
    // a fresh window, and let Qt delete it once its close handling has returned.
    QObject::connect(window, &frmChat::Unloaded, window, [this, window] {
      if (window_ == window) {
        window_ = nullptr;
      }
      window->deleteLater();
    });
    window_ = window;
    if (mainWindow_) {
      MoveBeside(*window, *mainWindow_);
    }
  }
  window_->show();
  return *window_;
}

}  // namespace vextal
