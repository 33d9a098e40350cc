#include "game/Game.h"

#include "game/Rounding.h"
#include "game/Rules.h"

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
QString SumText(std::int32_t nodes, std::int32_t links) {
  return QString::number(nodes) + QStringLiteral(" + ") + QString::number(links) +
         QStringLiteral(" = ") + QString::number(nodes + links);
}

QString SoundOf(MoveOutcome outcome) {
  switch (outcome) {
    case MoveOutcome::Refused:
      return kRefusedSound;
    case MoveOutcome::Claimed:
      return kClaimSound;
    case MoveOutcome::Expanded:
      return kExpandSound;
    case MoveOutcome::Neutralised:
      return kNeutraliseSound;
    case MoveOutcome::NoMove:
      break;
  }
  return QString();
}

}  // namespace

// How a finished game is announced: the log line, the sound and the box.
struct Game::Result {
  QString LogLine;
  QString Sound;
  BoxIcon Icon = BoxIcon::Information;
  QString Text;
};

Game::Game(GameView& view, Dialogs& dialogs, const Clock& clock, RandomSource& random)
    : view_(view), dialogs_(dialogs), clock_(clock), random_(random) {}

// ---------------------------------------------------------------------------------------------
// A new game

void Game::NewGame() {
  DropCpuAnswer();
  history_.Clear();
  lastMove_.reset();
  for (int c = 1; c <= NodesW(); ++c) {
    for (int r = 1; r <= NodesH(); ++r) {
      ClearPlay(nodes_(c, r));
    }
  }
  SwitchPlayer();
  view_.AddLog(QStringLiteral("New game started."));
  view_.NewGameStarted(false);
  view_.DrawBoard();
  view_.PlayWave(kResetSound);
  pendingSound_.clear();
  ThinkAhead();
}

void Game::StartStage(Board layout) {
  DropCpuAnswer();
  nodes_ = std::move(layout);
  UpdateMenus();
  UpdatePlayerNames();
  NewGame();
}

// ---------------------------------------------------------------------------------------------
// Moves

bool Game::IsLegalMove(int column, int row, Player player) const {
  return vextal::IsLegalMove(nodes_, column, row, player);
}

bool Game::CheckNeutralise(int column, int row) {
  return vextal::CheckNeutralise(nodes_, column, row);
}

bool Game::DoMove(int column, int row, bool send) {
  const Player mover = actPlayer_;
  // Local play keeps the position before every move, so that it can be taken back.
  const bool keep = !netMode_;
  if (keep) {
    history_.Push({nodes_, actPlayer_, lastMove_});
  }
  const MoveOutcome outcome = ApplyMove(nodes_, column, row, mover);
  if (outcome != MoveOutcome::NoMove) {
    pendingSound_ = SoundOf(outcome);
  }
  if (!MoveMade(outcome)) {
    if (keep) {
      history_.Pop();
    }
    return false;
  }

  lastMove_ = Cell{column, row};
  hintThinker_.Drop();
  SwitchPlayer();
  view_.DrawBoard();
  // The next game starts the moment the last move is made, by the rules alone, so both sides of
  // a network game reach it at the same point of the move stream. The window keeps showing the
  // final position until the result box is closed.
  const bool gameOver = CheckGameOver(actPlayer_);
  Result result;
  if (gameOver) {
    result = TakeResult();
    final_ = Position{nodes_, actPlayer_, lastMove_};
    ClearForNextGame();
  }
  view_.MoveMade(mover, column, row, send);
  if (gameOver) {
    Announce(result);
  }
  lastMoveTick_ = clock_.NowMs();
  ThinkAhead();
  return true;
}

std::optional<std::pair<int, int>> Game::CellAt(int x, int y) const {
  // The node whose centre is nearest, in each axis.
  const BoardGeometry& g = kBoardGeometry;
  const double centre = 0.5 * g.NodeSize;
  const double column = RoundHalfEven((x - centre) / g.GridStep);
  const double row = RoundHalfEven((y - centre) / g.GridStep);
  if (!nodes_.Contains(int(column), int(row)) || column < 0 || row < 0) {
    return std::nullopt;
  }
  return std::make_pair(int(column), int(row));
}

void Game::BoardClick(int x, int y) {
  if (const auto cell = CellAt(x, y)) {
    PlayCell(cell->first, cell->second);
  } else {
    pendingSound_.clear();
  }
}

void Game::PlayCell(int column, int row) {
  pendingSound_.clear();
  if ((netMode_ && !netConnected_) || resultShowing_ || !ClickMayPlay()) {
    return;
  }
  DoMove(column, row, true);
  view_.PlayWave(pendingSound_);
}

// ---------------------------------------------------------------------------------------------
// Turns, scores, game end

void Game::SetActPlayer(Player player) {
  actPlayer_ = player;
  Recount();
}

void Game::Recount() {
  const Tally tally = CountScores(nodes_);
  score1_ = tally.Score(1);
  score2_ = tally.Score(2);
  ShowPanel(tally.Nodes[1], tally.Links[1], tally.Nodes[2], tally.Links[2]);
}

void Game::ShowPanel(std::int32_t nodes1, std::int32_t links1, std::int32_t nodes2,
                     std::int32_t links2) {
  PlayerPanel panel;
  panel.Marker1 = actPlayer_ == 1 ? kColorP1 : kColorP1Dark;
  panel.Marker2 = actPlayer_ == 2 ? kColorP2 : kColorP2Dark;
  panel.Bold1 = actPlayer_ == 1;
  panel.Bold2 = actPlayer_ == 2;
  panel.Sum1 = SumText(nodes1, links1);
  panel.Sum2 = SumText(nodes2, links2);
  view_.ShowPlayerPanel(panel);
}

void Game::SwitchPlayer() {
  SetActPlayer(actPlayer_ == 1 ? 2 : 1);
}

bool Game::CheckGameOver(Player player) const {
  return !HasLegalMove(nodes_, player);
}

void Game::ShowGameOver() {
  const Result result = TakeResult();
  final_ = Position{nodes_, actPlayer_, lastMove_};
  ClearForNextGame();
  Announce(result);
}

Game::Result Game::TakeResult() const {
  const std::int32_t s1 = score1_;
  const std::int32_t s2 = score2_;
  const QString scores = QString::number(s1) + QLatin1Char('/') + QString::number(s2);
  const QString points = QString::number(s1) + QStringLiteral(" to ") + QString::number(s2) +
                         QStringLiteral(" points.");
  Result result;
  if (s1 == s2) {
    result.LogLine = QStringLiteral("Game Over: Draw (") + scores + QLatin1Char(')');
    result.Sound = kDrawSound;
    result.Icon = BoxIcon::Exclamation;
    result.Text =
        QStringLiteral("Draw - both have ") + QString::number(s1) + QStringLiteral(" points!");
    return result;
  }
  const QString& winner = s1 > s2 ? playerName1_ : playerName2_;
  result.LogLine = winner + QStringLiteral(" wins (") + scores + QLatin1Char(')');
  result.Sound = kWinSound;
  if (CurrentMode() == Mode::PersonAgainstCpu) {
    result.Text = (s1 > s2 ? QStringLiteral("You win! ") : QStringLiteral("You lose... ")) + points;
  } else {
    result.Text = winner + QStringLiteral(" wins! ") + points;
  }
  return result;
}

// The board and turn of the next game, without showing anything yet.
void Game::ClearForNextGame() {
  DropCpuAnswer();
  history_.Clear();
  lastMove_.reset();
  for (int c = 1; c <= NodesW(); ++c) {
    for (int r = 1; r <= NodesH(); ++r) {
      ClearPlay(nodes_(c, r));
    }
  }
  actPlayer_ = actPlayer_ == 1 ? 2 : 1;
  score1_ = score2_ = 0;
}

void Game::Announce(const Result& result) {
  view_.NewGameStarted(true);
  view_.AddLog(result.LogLine);
  view_.PlayWave(result.Sound);
  resultShowing_ = true;
  view_.ResultBoxOpen(true);
  dialogs_.Message(result.Icon, QStringLiteral("Game Over"), result.Text);
  final_.reset();
  resultShowing_ = false;
  view_.ResultBoxOpen(false);
  ShowNewGame();
}

// What a person sees of the new game once the result box is closed.
void Game::ShowNewGame() {
  ShowPanel(0, 0, 0, 0);
  view_.AddLog(QStringLiteral("New game started."));
  view_.DrawBoard();
  view_.PlayWave(kResetSound);
  pendingSound_.clear();
}

// ---------------------------------------------------------------------------------------------
// Commands of the network side

void Game::SetNetSwitches(bool netMode, bool netServer, bool netConnected) {
  netMode_ = netMode;
  netServer_ = netServer;
  netConnected_ = netConnected;
  DropCpuAnswer();
}

bool Game::ApplyPeerMove(Player mover, int column, int row) {
  actPlayer_ = mover;
  return DoMove(column, row, false);
}

void Game::LoadBoard(Board board, Player actPlayer) {
  DropCpuAnswer();
  history_.Clear();
  if (board != nodes_) {
    lastMove_.reset();  // the same board again (a synchronisation) keeps its last move
  }
  nodes_ = std::move(board);
  SetActPlayer(actPlayer);
}

}  // namespace vextal
