#pragma once

#include <QString>

namespace vextal {

enum class BoxIcon { None, Critical, Question, Exclamation, Information };
enum class BoxButtons { Ok, YesNoCancel };
enum class BoxAnswer { Ok, Yes, No, Cancel };

// Every modal message box and the input box go through here, so tests can answer them
// without blocking. The program's implementation shows real modal dialogs.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual BoxAnswer Message(BoxIcon icon, const QString& title, const QString& text,
                            BoxButtons buttons = BoxButtons::Ok) = 0;
  // Returns the typed text, or an empty text when the user cancels.
  virtual QString Input(const QString& title, const QString& prompt,
                        const QString& defaultText = QString()) = 0;
  // The file chosen to write or to read (`filter` as "Text (*.txt)"), or an empty text when
  // the user cancels. Without a file dialog of its own, every choice is cancelled.
  virtual QString SaveFileName(const QString& /*title*/, const QString& /*suggested*/,
                               const QString& /*filter*/) {
    return QString();
  }
  virtual QString OpenFileName(const QString& /*title*/, const QString& /*filter*/) {
    return QString();
  }
};

}  // namespace vextal
