// The seats of the game: who plays them, what they are called, who may click, when the CPU
// moves, and which menu entries the switches allow.

#include "game/ClassicStrategy.h"
#include "game/Game.h"

namespace vextal {

namespace {

const std::atomic<bool> kNotCancelled{false};

}  // namespace

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
  const Seats seats = CurrentSeats();
  playerName1_ = seats.Name1;
  playerName2_ = seats.Name2;
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
  return CurrentSeats().ClickMayPlay(actPlayer_);
}

bool Game::CpuMayMove() const {
  return CurrentSeats().CpuMayPlay(actPlayer_);
}

void Game::ToggleCpuPlayer() {
  cpuOn_ = !cpuOn_;
  view_.SetMenuChecked(MenuItem::EnableAI, cpuOn_);
  view_.SetMenuEnabled(MenuItem::EnableDemo, cpuOn_);
  UpdatePlayerNames();
  DropCpuAnswer();
  ThinkAhead();
}

void Game::ToggleDemoPlayer() {
  demoOn_ = !demoOn_;
  view_.SetMenuChecked(MenuItem::EnableDemo, demoOn_);
  UpdatePlayerNames();
  DropCpuAnswer();
  ThinkAhead();
}

void Game::SetCpuLevel(CpuLevel level) {
  if (level != cpuLevel_) {
    cpuLevel_ = level;
    DropCpuAnswer();
    ThinkAhead();
  }
}

// ---------------------------------------------------------------------------------------------
// The CPU player

void Game::CpuTick() {
  // While a result box is open the next game has not been shown yet: nobody moves.
  if (resultShowing_ || !CpuMayMove()) {
    return;
  }
  ThinkAhead();
  const std::int64_t now = clock_.NowMs();
  if (now - lastMoveTick_ < kCpuPauseMs) {
    return;
  }
  std::optional<Cell> choice;
  if (cpuLevel_ == CpuLevel::Classic) {
    choice = ClassicStrategy(random_).Choose(nodes_, actPlayer_, kNotCancelled);
  } else if (cpuAnswer_) {
    choice = *std::exchange(cpuAnswer_, std::nullopt);
  } else {
    return;  // still thinking: the next tick plays the answer
  }
  lastMoveTick_ = now;
  pendingSound_.clear();
  PlayCpuChoice(choice);
}

void Game::PlayCpuChoice(std::optional<Cell> cell) {
  bool moved = cell && DoMove(cell->Column, cell->Row, true);
  // Nothing to play: every cell is still tried in column order, and each is refused, as the CPU
  // has always done; only the refusal's beep is left pending, never heard.
  for (int c = 1; c <= NodesW() && !moved; ++c) {
    for (int r = 1; r <= NodesH() && !moved; ++r) {
      moved = DoMove(c, r, true);
    }
  }
  if (moved) {
    view_.PlayWave(pendingSound_);
  }
}

void Game::ThinkAhead() {
  if (cpuLevel_ == CpuLevel::Classic || resultShowing_ || !CpuMayMove() || cpuAnswer_ ||
      thinker_.Thinking()) {
    return;
  }
  askedBoard_ = nodes_;
  askedPlayer_ = actPlayer_;
  // The search has a generator of its own, seeded here on the user-interface thread.
  const auto seed = std::uint64_t(random_.Uniform() * 9007199254740992.0);
  thinker_.Ask(MakeCpuStrategy(cpuLevel_, random_, seed), nodes_, actPlayer_,
               [this](std::optional<Cell> cell) {
                 // An answer for a position that has changed since is worth nothing.
                 if (nodes_ == askedBoard_ && actPlayer_ == askedPlayer_) {
                   cpuAnswer_ = cell;
                 }
               });
}

void Game::DropCpuAnswer() {
  thinker_.Drop();
  cpuAnswer_.reset();
  hintThinker_.Drop();
}

void Game::StopCpu() {
  DropCpuAnswer();
}

}  // namespace vextal
