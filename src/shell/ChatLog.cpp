#include "shell/ChatLog.h"

#include <utility>

#include "shell/frmChat.h"

namespace vextal {

ChatLog::ChatLog(ChatLink link) : link_(std::move(link)) {}

ChatLog::~ChatLog() {
  UnloadChat();
}

void ChatLog::AddChatLine(const QString& text, bool own) {
  text_ += own ? QStringLiteral("> ") + text : text;
  text_ += QStringLiteral("\r\n");
  ShowWindow().SetLog();
}

void ChatLog::ShowChat() {
  ShowWindow().SetLog();
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
  }
  window_->show();
  return *window_;
}

}  // namespace vextal
