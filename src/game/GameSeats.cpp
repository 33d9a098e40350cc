// The seats of the game: who plays them, what they are called, who may click, when the CPU
// moves, and which menu entries the switches allow.

#include "game/Game.h"
#include "game/Rounding.h"

namespace vextal {

Mode Game::CurrentMode() const {
  if (netMode_) {
    return Mode::Network;
  }
  if (!cpuOn_) {
    return Mode::TwoPersons;
  }
  return demoOn_ ? Mode::Demo : Mode::PersonAgainstCpu;
}

void Game::UpdatePlayerNames() {
  switch (CurrentMode()) {
    case Mode::Network:
      playerName1_ = QStringLiteral("Server");
      playerName2_ = QStringLiteral("Client");
      break;
    case Mode::TwoPersons:
      playerName1_ = QStringLiteral("Player 1");
      playerName2_ = QStringLiteral("Player 2");
      break;
    case Mode::Demo:
      playerName1_ = QStringLiteral("CPU 1");
      playerName2_ = QStringLiteral("CPU 2");
      break;
    case Mode::PersonAgainstCpu:
      playerName1_ = QStringLiteral("Player");
      playerName2_ = QStringLiteral("CPU");
      break;
  }
  view_.ShowPlayerNames(playerName1_, playerName2_);
}

void Game::UpdateMenus() {
  view_.SetMenuEnabled(MenuItem::EnableAI, !netMode_);
  view_.SetMenuEnabled(MenuItem::EnableDemo, cpuOn_ && !netMode_);
  view_.SetMenuEnabled(MenuItem::Reset, !netMode_ || netServer_);
  view_.SetMenuEnabled(MenuItem::Server, !netMode_);
  view_.SetMenuEnabled(MenuItem::Client, !netMode_);
  view_.SetMenuEnabled(MenuItem::Disconnect, netMode_);
  view_.SetMenuEnabled(MenuItem::Synchronize, netMode_ && netServer_);
}

bool Game::ClickMayPlay() const {
  if (netMode_) {
    return (actPlayer_ == 1 && netServer_) || (actPlayer_ == 2 && !netServer_);
  }
  return !cpuOn_ || (actPlayer_ == 1 && !demoOn_);
}

bool Game::CpuMayMove() const {
  return !netMode_ && cpuOn_ && (actPlayer_ == 2 || demoOn_);
}

void Game::ToggleCpuPlayer() {
  cpuOn_ = !cpuOn_;
  view_.SetMenuChecked(MenuItem::EnableAI, cpuOn_);
  view_.SetMenuEnabled(MenuItem::EnableDemo, cpuOn_);
  UpdatePlayerNames();
}

void Game::ToggleDemoPlayer() {
  demoOn_ = !demoOn_;
  view_.SetMenuChecked(MenuItem::EnableDemo, demoOn_);
  UpdatePlayerNames();
}

void Game::CpuTick() {
  // While a result box is open the next game has not been shown yet: nobody moves.
  if (resultShowing_ || !CpuMayMove()) {
    return;
  }
  const std::int64_t now = clock_.NowMs();
  if (now - lastMoveTick_ < kCpuPauseMs) {
    return;
  }
  lastMoveTick_ = now;
  pendingSound_.clear();

  bool moved = false;
  for (int i = 0; i < kCpuRandomTries && !moved; ++i) {
    const double a = random_.Uniform();
    const double b = random_.Uniform();
    const int column = int(RoundHalfEven(NodesW() * a + 1));
    const int row = int(RoundHalfEven(NodesH() * b + 1));
    moved = DoMove(column, row, true);
  }
  for (int c = 1; c <= NodesW() && !moved; ++c) {
    for (int r = 1; r <= NodesH() && !moved; ++r) {
      moved = DoMove(c, r, true);
    }
  }
  if (moved) {
    view_.PlayWave(pendingSound_);
  }
}

}  // namespace vextal
