#include "shell/ChatLog.h"

#include <utility>

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

ChatLog::ChatLog(ChatLink link) : link_(std::move(link)) {}

ChatLog::~ChatLog() {
  UnloadChat();
}

void ChatLog::AddChatLine(const QString& text, bool own) {
  const QString line = CutToLength(own ? QStringLiteral("> ") + text : text, kMaxLineLength);
  lines_.push_back(line);
  length_ += line.size() + kLineBreakLength;
  int dropped = 0;
  while (length_ > kMaxTranscriptLength && lines_.size() > 1) {
    length_ -= lines_.front().size() + kLineBreakLength;
    lines_.pop_front();
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

void ChatLog::SetSizeFactor(double factor) {
  sizeFactor_ = factor;
  if (window_) {
    window_->SetSizeFactor(factor);
  }
}

void ChatLog::UnloadChat() {
  // Deleting at once rather than later: a line arriving afterwards must find no window and
  // create a fresh one, never revive one that is on its way out.
  delete window_.data();
}

frmChat& ChatLog::ShowWindow() {
  if (!window_) {
    auto* window = new frmChat(*this, link_);
    window->SetSizeFactor(sizeFactor_);
    // Closing by the user unloads the window. Forget it at once, so that the next line opens
    // a fresh window, and let Qt delete it once its close handling has returned.
    QObject::connect(window, &frmChat::Unloaded, window, [this, window] {
      if (window_ == window) {
        window_ = nullptr;
      }
      window->deleteLater();
    });
    window_ = window;
  }
  window_->show();
  return *window_;
}

}  // namespace vextal
