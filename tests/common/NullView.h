#pragma once

// A NetView and Dialogs that do nothing, for benchmarks and fuzzing that drive the rules alone.
// Boxes are only counted.

#include "game/Dialogs.h"
#include "net/NetView.h"

namespace vextal::testing {

class NullView final : public NetView, public Dialogs {
 public:
  long Boxes = 0;

  void DrawBoard() override {}
  void AddLog(const QString&) override {}
  void PlayWave(const QString&) override {}
  void AddChatLine(const QString&, bool) override {}

  BoxAnswer Message(BoxIcon, const QString&, const QString&, BoxButtons) override {
    ++Boxes;
    return BoxAnswer::Ok;
  }
  QString Input(const QString&, const QString&, const QString&) override { return QString(); }
};

}  // namespace vextal::testing
