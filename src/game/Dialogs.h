#pragma once

#include <QRect>
#include <QString>

namespace vextal {

enum class BoxIcon { None, Critical, Question, Exclamation, Information };
// AcceptDecline answers Yes for Accept and No for Decline (or the box closed).
enum class BoxButtons { Ok, YesNoCancel, AcceptDecline };
enum class BoxAnswer { Ok, Yes, No, Cancel };

// What a box about the board should leave in view, on screen: the main window's frame and the
// board inside it.
struct KeepInView {
  QRect window;
  QRect board;
};

// Every modal message box and the input box go through here, so tests can answer them
// without blocking. The program's implementation shows real modal dialogs.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual BoxAnswer Message(BoxIcon icon, const QString& title, const QString& text,
                            BoxButtons buttons = BoxButtons::Ok) = 0;
  // A box that announces what happened on the board (a game's result), placed where it leaves
  // the board in view when the screen has room; otherwise as Message places it.
  virtual BoxAnswer Announce(BoxIcon icon, const QString& title, const QString& text,
                             const KeepInView& keep) {
    static_cast<void>(keep);
    return Message(icon, title, text);
  }
  // Closes the innermost open box with these buttons, as its Escape would (an invitation that
  // was withdrawn while asked about); nothing happens when none is open.
  virtual void Dismiss(BoxButtons /*buttons*/) {}
  // Returns the typed text, or an empty text when the user cancels.
  virtual QString Input(const QString& title, const QString& prompt,
                        const QString& defaultText = QString()) = 0;
  // The file chosen to write or to read (`filter` as "Text (*.txt)"; `suggested` a path whose
  // folder the dialog opens in, `folder` that folder), or an empty text when the user cancels.
  // Without a file dialog of its own, every choice is cancelled.
  virtual QString SaveFileName(const QString& /*title*/, const QString& /*suggested*/,
                               const QString& /*filter*/) {
    return QString();
  }
  virtual QString OpenFileName(const QString& /*title*/, const QString& /*folder*/,
                               const QString& /*filter*/) {
    return QString();
  }
};

}  // namespace vextal
