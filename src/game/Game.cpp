#include "game/Game.h"

#include "game/Rounding.h"
#include "game/Rules.h"
#include "net/Snapshot.h"
#include "stages/Stages.h"

namespace vextal {

namespace {

const QString kClaimSound = QStringLiteral("beep1.wav");
const QString kRefusedSound = QStringLiteral("beep2.wav");
const QString kExpandSound = QStringLiteral("beep3.wav");
const QString kNeutraliseSound = QStringLiteral("beep4.wav");
const QString kResetSound = QStringLiteral("reset.wav");
const QString kWinSound = QStringLiteral("over1.wav");
const QString kDrawSound = QStringLiteral("over2.wav");

// "nodes + links = score", as the sum labels read.
QString SumText(std::int32_t nodes, std::int32_t links, std::int32_t score) {
  return QString::number(nodes) + QStringLiteral(" + ") + QString::number(links) +
         QStringLiteral(" = ") + QString::number(score);
}

}  // namespace

Game::Game(GameView& view, Dialogs& dialogs, const Clock& clock, RandomSource& random)
    : view_(view), dialogs_(dialogs), clock_(clock), random_(random) {}

// ---------------------------------------------------------------------------------------------
// A new game

void Game::NewGame() {
  for (int c = 1; c <= NodesW(); ++c) {
    for (int r = 1; r <= NodesH(); ++r) {
      ClearPlay(Nodes(c, r));
    }
  }
  SwitchPlayer();
  view_.AddLog(QStringLiteral("New game started."));
  if (NetMode && NetConnected) {
    view_.SendMessage({QByteArray::number(MsgSnapshot), GetSnapshot(Nodes, ActPlayer)});
  }
  view_.DrawBoard();
  view_.PlayWave(kResetSound);
  PendingSound.clear();
}

// ---------------------------------------------------------------------------------------------
// Moves

bool Game::IsBlocked(int column, int row, Player player) const {
  return vextal::IsBlocked(Nodes, column, row, player);
}

bool Game::IsLegalMove(int column, int row, Player player) const {
  return vextal::IsLegalMove(Nodes, column, row, player);
}

bool Game::CheckNeutralise(int column, int row) {
  return vextal::CheckNeutralise(Nodes, column, row);
}

bool Game::DoMove(int column, int row, bool send) {
  const Player mover = ActPlayer;
  switch (ApplyMove(Nodes, column, row, mover)) {
    case MoveOutcome::NoMove:
      return false;
    case MoveOutcome::Refused:
      PendingSound = kRefusedSound;
      return false;
    case MoveOutcome::Claimed:
      PendingSound = kClaimSound;
      break;
    case MoveOutcome::Expanded:
      PendingSound = kExpandSound;
      break;
    case MoveOutcome::Neutralised:
      PendingSound = kNeutraliseSound;
      break;
  }

  if (send && NetMode) {
    view_.SendMessage({QByteArray::number(MsgMove), QByteArray::number(mover),
                       QByteArray::number(column), QByteArray::number(row)});
  }
  SwitchPlayer();
  view_.DrawBoard();
  if (CheckGameOver(ActPlayer)) {
    ShowGameOver();
  }
  LastMoveTick = clock_.NowMs();
  return true;
}

std::optional<std::pair<int, int>> Game::CellAt(int x, int y) const {
  // The node whose centre is nearest, in each axis.
  const BoardGeometry& g = kBoardGeometry;
  const double centre = 0.5 * g.NodeSize;
  const double column = RoundHalfEven((x - centre) / g.GridStep);
  const double row = RoundHalfEven((y - centre) / g.GridStep);
  if (!Nodes.Contains(int(column), int(row)) || column < 0 || row < 0) {
    return std::nullopt;
  }
  return std::make_pair(int(column), int(row));
}

void Game::BoardClick(int x, int y) {
  PendingSound.clear();
  if (NetMode && !NetConnected) {
    return;
  }
  if (!ClickMayPlay()) {
    return;
  }
  if (const auto cell = CellAt(x, y)) {
    DoMove(cell->first, cell->second, true);
  }
  view_.PlayWave(PendingSound);
}

void Game::PlayCell(int column, int row) {
  PendingSound.clear();
  if ((NetMode && !NetConnected) || !ClickMayPlay()) {
    return;
  }
  DoMove(column, row, true);
  view_.PlayWave(PendingSound);
}

// ---------------------------------------------------------------------------------------------
// Turns, scores, game end

void Game::SetActPlayer(Player player) {
  ActPlayer = player;
  Recount();
}

void Game::Recount() {
  const Tally tally = CountScores(Nodes);
  Score1 = tally.Score(1);
  Score2 = tally.Score(2);

  PlayerPanel panel;
  panel.Marker1 = ActPlayer == 1 ? ColorP1 : ColorP1Dark;
  panel.Marker2 = ActPlayer == 2 ? ColorP2 : ColorP2Dark;
  panel.Bold1 = ActPlayer == 1;
  panel.Bold2 = ActPlayer == 2;
  panel.Sum1 = SumText(tally.Nodes[1], tally.Links[1], Score1);
  panel.Sum2 = SumText(tally.Nodes[2], tally.Links[2], Score2);
  view_.ShowPlayerPanel(panel);
}

void Game::SwitchPlayer() {
  SetActPlayer(ActPlayer == 1 ? 2 : 1);
}

bool Game::CheckGameOver(Player player) const {
  return !HasLegalMove(Nodes, player);
}

void Game::ShowGameOver() {
  const std::int32_t s1 = Score1;
  const std::int32_t s2 = Score2;
  const QString scores = QStringLiteral("%1/%2").arg(s1).arg(s2);
  const QString winner = s1 > s2 ? PlayerName1 : PlayerName2;
  const QString title = QStringLiteral("Game Over");

  if (s1 == s2) {
    view_.AddLog(QStringLiteral("Game Over: Draw (%1)").arg(scores));
    view_.PlayWave(kDrawSound);
    dialogs_.Message(BoxIcon::Exclamation, title,
                     QStringLiteral("Draw - both have %1 points!").arg(s1));
  } else {
    view_.AddLog(QStringLiteral("%1 wins (%2)").arg(winner, scores));
    view_.PlayWave(kWinSound);
    const QString points = QStringLiteral("%1 to %2 points.").arg(s1).arg(s2);
    const QString text =
        CurrentMode() == Mode::PersonAgainstCpu
            ? (s1 > s2 ? QStringLiteral("You win! ") : QStringLiteral("You lose... ")) + points
            : winner + QStringLiteral(" wins! ") + points;
    dialogs_.Message(BoxIcon::Information, title, text);
  }
  NewGame();
}

// ---------------------------------------------------------------------------------------------
// Seats and menus

Mode Game::CurrentMode() const {
  if (NetMode) {
    return Mode::Network;
  }
  if (!CpuOn) {
    return Mode::TwoPersons;
  }
  return DemoOn ? Mode::Demo : Mode::PersonAgainstCpu;
}

void Game::UpdatePlayerNames() {
  switch (CurrentMode()) {
    case Mode::Network:
      PlayerName1 = QStringLiteral("Server");
      PlayerName2 = QStringLiteral("Client");
      break;
    case Mode::TwoPersons:
      PlayerName1 = QStringLiteral("Player 1");
      PlayerName2 = QStringLiteral("Player 2");
      break;
    case Mode::Demo:
      PlayerName1 = QStringLiteral("CPU 1");
      PlayerName2 = QStringLiteral("CPU 2");
      break;
    case Mode::PersonAgainstCpu:
      PlayerName1 = QStringLiteral("Player");
      PlayerName2 = QStringLiteral("CPU");
      break;
  }
  view_.ShowPlayerNames(PlayerName1, PlayerName2);
}

void Game::UpdateMenus() {
  view_.SetMenuEnabled(MenuItem::EnableAI, !NetMode);
  view_.SetMenuEnabled(MenuItem::EnableDemo, CpuOn && !NetMode);
  view_.SetMenuEnabled(MenuItem::Reset, !NetMode || NetServer);
  view_.SetMenuEnabled(MenuItem::Server, !NetMode);
  view_.SetMenuEnabled(MenuItem::Client, !NetMode);
  view_.SetMenuEnabled(MenuItem::Disconnect, NetMode);
  view_.SetMenuEnabled(MenuItem::Synchronize, NetMode && NetServer);
}

bool Game::ClickMayPlay() const {
  if (NetMode) {
    return (ActPlayer == 1 && NetServer) || (ActPlayer == 2 && !NetServer);
  }
  return !CpuOn || (ActPlayer == 1 && !DemoOn);
}

bool Game::CpuMayMove() const {
  return !NetMode && CpuOn && (ActPlayer == 2 || DemoOn);
}

void Game::ToggleCpuPlayer() {
  CpuOn = !CpuOn;
  view_.SetMenuChecked(MenuItem::EnableAI, CpuOn);
  view_.SetMenuEnabled(MenuItem::EnableDemo, CpuOn);
  UpdatePlayerNames();
}

void Game::ToggleDemoPlayer() {
  DemoOn = !DemoOn;
  view_.SetMenuChecked(MenuItem::EnableDemo, DemoOn);
  UpdatePlayerNames();
}

// ---------------------------------------------------------------------------------------------
// CPU player

void Game::CpuTick() {
  if (!CpuMayMove()) {
    return;
  }
  const std::int64_t now = clock_.NowMs();
  if (now - LastMoveTick < kCpuPauseMs) {
    return;
  }
  LastMoveTick = now;
  PendingSound.clear();

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
    view_.PlayWave(PendingSound);
  }
}

// ---------------------------------------------------------------------------------------------
// Stages

void Game::SetupStage(int stage) {
  Nodes = BuildStage(stage, random_);
  UpdateMenus();
  UpdatePlayerNames();
  NewGame();
}

int Game::DrawStartupStage() {
  return int(RoundHalfEven(3.0 * random_.Uniform())) + 1;
}

}  // namespace vextal
