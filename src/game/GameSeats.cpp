// The seats of the game: who plays them, what they are called, who may click, when the CPU
// moves, and which menu entries the switches allow.

#include "game/ClassicStrategy.h"
#include "game/Game.h"
#include "game/OpeningBook.h"

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
  if (demoOn_) {
    return Mode::Demo;
  }
  return personSeat_ == 2 ? Mode::CpuAgainstPerson : Mode::PersonAgainstCpu;
}

bool Game::MenuEnabled(MenuItem item) const {
  switch (item) {
    case MenuItem::EnableAI:
    case MenuItem::Server:
    case MenuItem::Client:
      return !netMode_;
    case MenuItem::EnableDemo:
      return cpuOn_ && !netMode_;
    case MenuItem::Reset:
      return !netMode_ || netServer_;
    case MenuItem::Disconnect:
      return netMode_;
    case MenuItem::Synchronize:
      return netMode_ && netServer_;
  }
  return false;
}

bool Game::ClickMayPlay() const {
  return CurrentSeats().ClickMayPlay(actPlayer_);
}

bool Game::CpuMayMove() const {
  return CurrentSeats().CpuMayPlay(actPlayer_);
}

void Game::ToggleCpuPlayer() {
  cpuOn_ = !cpuOn_;
  personSeat_ = 1;  // a seat the person kept from a network game lasts until a switch is turned
  emit SeatsChanged();
  DropCpuAnswer();
  ThinkAhead();
}

void Game::ToggleDemoPlayer() {
  demoOn_ = !demoOn_;
  personSeat_ = 1;
  emit SeatsChanged();
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
  if (now - lastMoveTick_ < kCpuPauseMs || now < cpuWaitsUntil_) {
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
  PlayCpuChoice(choice);
}

void Game::PlayCpuChoice(std::optional<Cell> cell) {
  bool moved = cell && DoMove(cell->Column, cell->Row, MoveSource::Cpu);
  // Nothing to play: every cell is still tried in column order, and each is refused, as the CPU
  // has always done (a refusal of the CPU is never heard).
  for (int c = 1; c <= NodesW() && !moved; ++c) {
    for (int r = 1; r <= NodesH() && !moved; ++r) {
      moved = DoMove(c, r, MoveSource::Cpu);
    }
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
  std::shared_ptr<const OpeningBook> book =
      cpuLevel_ == CpuLevel::Perfect ? PerfectBook() : nullptr;
  thinker_.Ask(MakeCpuStrategy(cpuLevel_, random_, seed, std::move(book), perfectMemory_), nodes_,
               actPlayer_, [this](std::optional<Cell> cell) {
                 // An answer for a position that has changed since is worth nothing.
                 if (nodes_ == askedBoard_ && actPlayer_ == askedPlayer_) {
                   cpuAnswer_ = cell;
                 }
               });
}

std::shared_ptr<const OpeningBook> Game::PerfectBook() {
  if (!bookRead_) {
    bookRead_ = true;
    QString error;
    if (auto book = OpeningBook::Load(bookPath_, error)) {
      book_ = std::make_shared<const OpeningBook>(std::move(*book));
    } else {
      emit OpeningBookUnusable(bookPath_, error);
    }
  }
  return book_;
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
