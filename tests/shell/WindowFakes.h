#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <QAction>
#include <QLabel>
#include <QList>
#include <QPlainTextEdit>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include "common/FakeClock.h"
#include "game/Dialogs.h"
#include "game/Random.h"
#include "shell/frmMain.h"

namespace vextal::testing {

// Window tests start the clock well past zero, as a machine that has been up a while.
inline constexpr std::int64_t kWindowClockStartMs = 5'000'000;

// Records every box and answers at once. onMessage runs while the box would be open.
class RecordingDialogs final : public Dialogs {
 public:
  struct Box {
    BoxIcon icon;
    QString title;
    QString text;
    BoxButtons buttons;
    std::optional<KeepInView> keep;  // what an announcement must leave in view
  };

  BoxAnswer Message(BoxIcon icon, const QString& title, const QString& text,
                    BoxButtons buttons = BoxButtons::Ok) override {
    boxes.append({icon, title, text, buttons, std::nullopt});
    if (onMessage) {
      onMessage(boxes.last());
    }
    return buttons == BoxButtons::Ok ? BoxAnswer::Ok : questionAnswer;
  }

  BoxAnswer Announce(BoxIcon icon, const QString& title, const QString& text,
                     const KeepInView& keep) override {
    boxes.append({icon, title, text, BoxButtons::Ok, keep});
    if (onMessage) {
      onMessage(boxes.last());
    }
    return BoxAnswer::Ok;
  }

  QString Input(const QString& /*title*/, const QString& /*prompt*/,
                const QString& /*defaultText*/ = QString()) override {
    return inputAnswer;
  }
  void Dismiss(BoxButtons buttons) override { dismissed.append(buttons); }

  QString SaveFileName(const QString& /*title*/, const QString& suggested,
                       const QString& /*filter*/) override {
    fileOffered = suggested;
    return fileAnswer;
  }
  QString OpenFileName(const QString& /*title*/, const QString& folder,
                       const QString& /*filter*/) override {
    fileOffered = folder;
    return fileAnswer;
  }

  QString fileAnswer;   // the file chosen in a file dialog
  QString fileOffered;  // what the last file dialog suggested: a path to save, a folder to open
  BoxAnswer questionAnswer = BoxAnswer::Cancel;  // the answer to Yes/No/Cancel questions
  QString inputAnswer;                           // what the user types into the input box

  QList<Box> boxes;
  QList<BoxButtons> dismissed;  // boxes closed from the program's side
  std::function<void(const Box&)> onMessage;
};

// One main window with fakes, in a program folder without sounds or tunes, that remembers
// nothing between runs. Its timer ticks only when a test says.
struct WindowRig {
  QTemporaryDir folder;
  FakeClock clock{kWindowClockStartMs};
  SeededRandom random{1234};
  RecordingDialogs dialogs;
  std::unique_ptr<frmMain> window;

  WindowRig() {
    window = std::make_unique<frmMain>(clock, random, dialogs, folder.path());
    window->findChild<QTimer*>(QStringLiteral("tmrAI"))->stop();
  }
  template <typename T>
  T* Find(const char* name) const {
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    if (!child) {
      qWarning("no child %s", name);
    }
    return child;
  }
  QAction* Item(const char* name) const { return Find<QAction>(name); }
  QString Text(const char* name) const { return Find<QLabel>(name)->text(); }
  QStringList LogLines() const { return window->LogText().split(QLatin1Char('\n')); }
};

}  // namespace vextal::testing
