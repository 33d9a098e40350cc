#include "game/Game.h"

#include "game/Rounding.h"
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

constexpr int kGridStep = 50;    // pixels between neighbouring grid points
constexpr int kNodeCentre = 15;  // offset of a node's centre from its square's corner

// The link of the neighbour at (nc, nr) that points back at the cell it neighbours.
enum class Side { Left, Up, Right, Down };

struct Neighbour {
  int dc;
  int dr;
  Side side;
};

// Neighbours in the order the rules always visit them: left, up, right, down.
constexpr Neighbour kNeighbours[] = {
    {-1, 0, Side::Left}, {0, -1, Side::Up}, {1, 0, Side::Right}, {0, 1, Side::Down}};

// The link flag of `node` that points toward its neighbour on `side`.
std::uint8_t& LinkToward(Node& node, Side side) {
  switch (side) {
    case Side::Left:
      return node.LinkLeft;
    case Side::Up:
      return node.LinkUp;
    case Side::Right:
      return node.LinkRight;
    case Side::Down:
      break;
  }
  return node.LinkDown;
}

// The link of a neighbour on `side` that points back at the cell: the left neighbour's
// LinkRight, the upper one's LinkDown, and so on.
std::uint8_t LinkBack(const Node& neighbour, Side side) {
  switch (side) {
    case Side::Left:
      return neighbour.LinkRight;
    case Side::Up:
      return neighbour.LinkDown;
    case Side::Right:
      return neighbour.LinkLeft;
    case Side::Down:
      break;
  }
  return neighbour.LinkUp;
}

bool IsHostile(const Node& node, Player player) {
  return node.Owner != 0 && node.Owner != player;
}

// "nodes + links = score", as the sum labels read.
QString SumText(std::int32_t nodes, std::int32_t links, std::int32_t score) {
  return QString::number(nodes) + QStringLiteral(" + ") + QString::number(links) +
         QStringLiteral(" = ") + QString::number(score);
}

void ClearPlay(Node& node) {
  node.Expanded = kFalse16;
  node.LinkUp = node.LinkLeft = node.LinkRight = node.LinkDown = 0;
  node.Owner = 0;
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

bool Game::IsPlayable(int column, int row) const {
  return column >= 1 && row >= 1 && column <= NodesW() && row <= NodesH();
}

bool Game::IsBlocked(int column, int row, Player player) const {
  if (!IsPlayable(column, row)) {
    return false;
  }
  for (const Neighbour& n : kNeighbours) {
    const Node& neighbour = Nodes(column + n.dc, row + n.dr);
    if (IsHostile(neighbour, player) && LinkBack(neighbour, n.side) != 0) {
      return true;
    }
  }
  return false;
}

bool Game::IsLegalMove(int column, int row, Player player) const {
  if (!IsPlayable(column, row)) {
    return false;
  }
  const Node& node = Nodes(column, row);
  if (!node.Exists) {
    return false;
  }
  if (node.Owner == player) {
    return !node.Expanded;
  }
  return node.Owner == 0 && !IsBlocked(column, row, player);
}

bool Game::DoMove(int column, int row, bool send) {
  // Only playable cells can hold a node; the border ring and anything beyond is no move.
  if (!IsPlayable(column, row)) {
    return false;
  }
  Node& node = Nodes(column, row);
  if (!node.Exists) {
    return false;
  }
  const Player mover = ActPlayer;
  // A peer's move message makes its mover the player to move before the move is applied; a
  // number other than 1 or 2 there must not become an owner on the board.
  if (mover != 1 && mover != 2) {
    return false;
  }

  if (node.Owner != 0) {
    if (node.Owner != mover || node.Expanded) {
      PendingSound = kRefusedSound;
      return false;
    }
    // Expand: a link toward every existing neighbour, whoever owns it.
    for (const Neighbour& n : kNeighbours) {
      if (Nodes(column + n.dc, row + n.dr).Exists) {
        LinkToward(node, n.side) = 1;
      }
    }
    node.Expanded = kTrue16;
    PendingSound = kExpandSound;
    for (const Neighbour& n : kNeighbours) {
      if (CheckNeutralise(column + n.dc, row + n.dr)) {
        PendingSound = kNeutraliseSound;
      }
    }
  } else {
    if (IsBlocked(column, row, mover)) {
      PendingSound = kRefusedSound;
      return false;
    }
    node.Owner = mover;
    PendingSound = kClaimSound;
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

bool Game::CheckNeutralise(int column, int row) {
  if (!IsPlayable(column, row)) {
    return false;  // the border ring holds no node
  }
  Node& node = Nodes(column, row);
  const Player owner = node.Owner;
  if (owner == 0 || !node.Exists) {
    return false;
  }
  // Hostile links pointing at the cell; the border ring beyond the grid never holds one.
  const bool inside[] = {column > 0, row > 0, column < NodesW(), row < NodesH()};
  int hostileLinks = 0;
  for (int i = 0; i < 4; ++i) {
    const Neighbour& n = kNeighbours[i];
    if (!inside[i]) {
      continue;
    }
    const Node& neighbour = Nodes(column + n.dc, row + n.dr);
    if (IsHostile(neighbour, owner) && LinkBack(neighbour, n.side) != 0) {
      ++hostileLinks;
    }
  }
  if (hostileLinks > 1 || hostileLinks >= node.Degree) {
    ClearPlay(node);
    return true;
  }
  return false;
}

std::optional<std::pair<int, int>> Game::CellAt(int x, int y) const {
  const double column = RoundHalfEven(double(x - kNodeCentre) / kGridStep);
  const double row = RoundHalfEven(double(y - kNodeCentre) / kGridStep);
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

// ---------------------------------------------------------------------------------------------
// Turns, scores, game end

void Game::SetActPlayer(Player player) {
  ActPlayer = player;
  Recount();
}

void Game::Recount() {
  std::int32_t nodes[3] = {0, 0, 0};
  std::int32_t links[3] = {0, 0, 0};
  for (int c = 1; c <= NodesW(); ++c) {
    for (int r = 1; r <= NodesH(); ++r) {
      const Node& node = Nodes(c, r);
      // Boards from a peer are checked before they are taken, so an owner is always 0..2.
      const Player owner = node.Owner <= 2 ? node.Owner : 0;
      nodes[owner] += 1;
      links[owner] += node.LinkUp + node.LinkRight + node.LinkDown + node.LinkLeft;
    }
  }
  Score1 = nodes[1] + links[1];
  Score2 = nodes[2] + links[2];

  PlayerPanel panel;
  panel.Marker1 = ActPlayer == 1 ? ColorP1 : ColorP1Dark;
  panel.Marker2 = ActPlayer == 2 ? ColorP2 : ColorP2Dark;
  panel.Bold1 = ActPlayer == 1;
  panel.Bold2 = ActPlayer == 2;
  panel.Sum1 = SumText(nodes[1], links[1], Score1);
  panel.Sum2 = SumText(nodes[2], links[2], Score2);
  view_.ShowPlayerPanel(panel);
}

void Game::SwitchPlayer() {
  SetActPlayer(ActPlayer == 1 ? 2 : 1);
}

bool Game::CheckGameOver(Player player) const {
  for (int c = 1; c <= NodesW(); ++c) {
    for (int r = 1; r <= NodesH(); ++r) {
      if (IsLegalMove(c, r, player)) {
        return false;
      }
    }
  }
  return true;
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
