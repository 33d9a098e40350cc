#pragma once

// A GameView and Dialogs that do nothing, for benchmarks and fuzzing that drive the rules alone.
// Boxes are only counted: the game-over box is how a whole game is seen to end.

#include "game/Dialogs.h"
#include "game/GameView.h"

namespace vextal::testing {

class NullView final : public GameView, public Dialogs {
 public:
  long Boxes = 0;

  void DrawBoard() override {}
  void AddLog(const QString&) override {}
  void PlayWave(const QString&) override {}
  void MoveMade(Player, int, int, bool) override {}
  void NewGameStarted(bool) override {}
  void ResultBoxOpen(bool) override {}
  void ShowPlayerPanel(const PlayerPanel&) override {}
  void ShowPlayerNames(const QString&, const QString&) override {}
  void SetMenuEnabled(MenuItem, bool) override {}
  void SetMenuChecked(MenuItem, bool) override {}
  void AddChatLine(const QString&, bool) override {}

  BoxAnswer Message(BoxIcon, const QString&, const QString&, BoxButtons) override {
    ++Boxes;
    return BoxAnswer::Ok;
  }
  QString Input(const QString&, const QString&, const QString&) override { return QString(); }
};

}  // namespace vextal::testing
