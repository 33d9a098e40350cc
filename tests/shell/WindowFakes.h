#pragma once

#include <cstdint>
#include <functional>

#include <QList>
#include <QString>

#include "common/FakeClock.h"
#include "game/Dialogs.h"

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
  };

  BoxAnswer Message(BoxIcon icon, const QString& title, const QString& text,
                    BoxButtons buttons = BoxButtons::Ok) override {
    boxes.append({icon, title, text, buttons});
    if (onMessage) {
      onMessage(boxes.last());
    }
    return buttons == BoxButtons::Ok ? BoxAnswer::Ok : questionAnswer;
  }

  QString Input(const QString& /*title*/, const QString& /*prompt*/,
                const QString& /*defaultText*/ = QString()) override {
    return inputAnswer;
  }

  BoxAnswer questionAnswer = BoxAnswer::Cancel;  // the answer to Yes/No/Cancel questions
  QString inputAnswer;                           // what the user types into the input box

  QList<Box> boxes;
  std::function<void(const Box&)> onMessage;
};

}  // namespace vextal::testing
