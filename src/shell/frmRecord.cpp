#include "shell/frmRecord.h"

#include <algorithm>

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "game/Rules.h"
#include "shell/ValueChart.h"

namespace vextal {

namespace {

// The record's own position copy with the players' colours exchanged, so that the player who
// is to try again plays player 1, the seat a person holds against the CPU.
RecordedGame SwapPlayers(RecordedGame game) {
  for (int c = 1; c <= game.Start.NodesW(); ++c) {
    for (int r = 1; r <= game.Start.NodesH(); ++r) {
      Node& node = game.Start(c, r);
      if (node.Owner == 1 || node.Owner == 2) {
        node.Owner = Player(3 - node.Owner);
      }
    }
  }
  game.FirstToMove = Player(3 - game.FirstToMove);
  for (RecordedMove& move : game.Moves) {
    move.Mover = Player(3 - move.Mover);
    std::swap(move.Score1, move.Score2);
  }
  return game;
}

QString Signed(int value) {
  return value > 0 ? QStringLiteral("+%1").arg(value) : QString::number(value);
}

}  // namespace

frmRecord::frmRecord(Game& game, GameRecord& record, Dialogs& dialogs, Hooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window),
      game_(game),
      record_(record),
      dialogs_(dialogs),
      hooks_(std::move(hooks)) {
  setObjectName(QStringLiteral("frmRecord"));
  setWindowTitle(tr("Game record"));
  BuildControls();
  connect(&record_, &GameRecord::Changed, this, [this] {
    if (source_ != Source::Opened) {
      Refresh();
    }
  });
  connect(&game_, &Game::MovePlayed, this, [this](const MoveReport& move) {
    CheckTryAgain(move);
    // A game that ends while it is shown stays in view, finished, rather than giving way to the
    // next game's empty start under the result box.
    if (move.EndedGame && source_ == Source::Current && record_.LastFinished()) {
      cmbSource->setCurrentIndex(int(Source::Last));
    }
  });
  connect(&game_, &Game::NewGameStarted, this, [this](bool) {
    trial_.reset();
    trialText_.clear();
  });
  connect(&game_, &Game::SeatsChanged, this, &frmRecord::UpdateButtons);
  Refresh();
}

frmRecord::~frmRecord() = default;

void frmRecord::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  cmbSource = new QComboBox(this);
  cmbSource->setObjectName(QStringLiteral("cmbSource"));
  cmbSource->addItems({tr("Current game"), tr("Last finished game"), tr("Opened game")});
  OfferOpened(false);  // until a game is opened
  layout->addWidget(cmbSource);
  lblView = new QLabel(this);
  lblView->setObjectName(QStringLiteral("lblView"));
  lblView->setWordWrap(true);
  layout->addWidget(lblView);
  lstMoves = new QListWidget(this);
  lstMoves->setObjectName(QStringLiteral("lstMoves"));
  layout->addWidget(lstMoves, 1);
  chart = new ValueChart(this);
  chart->setObjectName(QStringLiteral("chart"));
  chart->setToolTip(tr("The proven value for player 1 after each move; click to go there"));
  layout->addWidget(chart);
  prgAnalysis = new QProgressBar(this);
  prgAnalysis->setObjectName(QStringLiteral("prgAnalysis"));
  prgAnalysis->setVisible(false);
  layout->addWidget(prgAnalysis);
  lblVerdict = new QLabel(this);
  lblVerdict->setObjectName(QStringLiteral("lblVerdict"));
  lblVerdict->setWordWrap(true);
  lblVerdict->setMinimumHeight(48);
  lblVerdict->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(lblVerdict);

  auto button = [this](QHBoxLayout* row, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    row->addWidget(b);
    return b;
  };
  auto* steps = new QHBoxLayout;
  cmdFirst = button(steps, "cmdFirst", tr("First"));
  cmdBack = button(steps, "cmdBack", tr("Back"));
  cmdForward = button(steps, "cmdForward", tr("Forward"));
  cmdLast = button(steps, "cmdLast", tr("Last"));
  cmdLive = button(steps, "cmdLive", tr("Live game (Esc)"));
  layout->addLayout(steps);
  auto* actions = new QHBoxLayout;
  cmdPlayFrom = button(actions, "cmdPlayFrom", tr("Play from here"));
  cmdAnalyse = button(actions, "cmdAnalyse", tr("Analyse game"));
  layout->addLayout(actions);
  auto* aids = new QHBoxLayout;
  cmdRefutation = button(aids, "cmdRefutation", tr("Show refutation"));
  cmdTryAgain = button(aids, "cmdTryAgain", tr("Try again from here"));
  layout->addLayout(aids);
  resize(440, 560);

  connect(cmbSource, &QComboBox::currentIndexChanged, this, [this](int index) {
    source_ = Source(std::clamp(index, 0, 2));
    if (source_ == Source::Opened && !opened_) {
      cmbSource->setCurrentIndex(0);
      return;
    }
    ShowLive();
    Refresh();
  });
  connect(lstMoves, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!refreshing_ && row >= 0) {
      SelectPly(row);
    }
  });
  connect(chart, &ValueChart::PlyPicked, this, &frmRecord::SelectPly);
  connect(cmdFirst, &QPushButton::clicked, this, [this] { SelectPly(0); });
  connect(cmdBack, &QPushButton::clicked, this,
          [this] { SelectPly(viewPly_ < 0 ? Shown().Plies() - 1 : viewPly_ - 1); });
  connect(cmdForward, &QPushButton::clicked, this, [this] { SelectPly(viewPly_ + 1); });
  connect(cmdLast, &QPushButton::clicked, this, [this] { SelectPly(Shown().Plies()); });
  connect(cmdLive, &QPushButton::clicked, this, &frmRecord::ShowLive);
  connect(cmdPlayFrom, &QPushButton::clicked, this, &frmRecord::PlayFromHere);
  connect(cmdAnalyse, &QPushButton::clicked, this, &frmRecord::StartAnalysis);
  connect(cmdRefutation, &QPushButton::clicked, this, &frmRecord::ShowRefutation);
  connect(cmdTryAgain, &QPushButton::clicked, this, &frmRecord::TryAgain);
}

const RecordedGame& frmRecord::Shown() const {
  static const RecordedGame kNone;
  switch (source_) {
    case Source::Last:
      return record_.LastFinished() ? *record_.LastFinished() : kNone;
    case Source::Opened:
      return opened_ ? *opened_ : kNone;
    case Source::Current:
      break;
  }
  return record_.Current();
}

// Above the list whenever no move is selected, whichever game the list holds.
QString frmRecord::LiveGameText() {
  return tr("The board shows the live game. Select a move to see its position.");
}

void frmRecord::PreferFinishedGame() {
  if (source_ == Source::Current && record_.Current().Plies() <= 1 && record_.LastFinished()) {
    cmbSource->setCurrentIndex(int(Source::Last));
  }
}

void frmRecord::ShowOpened(const RecordedGame& game, const QString& name) {
  opened_ = game;
  openedName_ = name;
  cmbSource->setItemText(2, tr("Opened: %1").arg(name));
  OfferOpened(true);
  cmbSource->setCurrentIndex(2);  // shows it
  source_ = Source::Opened;
  Refresh();
}

void frmRecord::OfferOpened(bool offered) {
  if (auto* model = qobject_cast<QStandardItemModel*>(cmbSource->model())) {
    model->item(int(Source::Opened))->setEnabled(offered);
  }
}

// --- Texts -----------------------------------------------------------------------------------

QString frmRecord::CellName(int column, int row) {
  return QChar(char16_t(u'a' + column - 1)) + QString::number(row);
}

QString frmRecord::ValueText(int value) {
  if (value > 0) {
    return tr("a win by %1").arg(value);
  }
  if (value < 0) {
    return tr("a loss by %1").arg(-value);
  }
  return tr("a draw");
}

QString frmRecord::ProvenText(const ProvenValue& value) {
  if (value.Exact()) {
    return ValueText(value.Lower);
  }
  const bool low = value.Lower > -ExactSolver::kUnbounded;
  const bool high = value.Upper < ExactSolver::kUnbounded;
  // The outcome proven, the margin not yet.
  if (value.Lower > 0) {
    return high ? tr("a win by %1 to %2 (the margin not proven)").arg(value.Lower).arg(value.Upper)
                : tr("a win by at least %1 (the margin not proven)").arg(value.Lower);
  }
  if (value.Upper < 0) {
    return low ? tr("a loss by %1 to %2 (the margin not proven)")
                     .arg(-value.Upper)
                     .arg(-value.Lower)
               : tr("a loss by at least %1 (the margin not proven)").arg(-value.Upper);
  }
  if (value.Upper == 0) {
    return tr("a draw or a loss (not proven which)");
  }
  if (value.Lower == 0) {
    return tr("a draw or a win (not proven which)");
  }
  if (low && high) {
    return tr("not proven (between %1 and %2)").arg(Signed(value.Lower), Signed(value.Upper));
  }
  if (low) {
    return tr("not proven (at least %1)").arg(Signed(value.Lower));
  }
  if (high) {
    return tr("not proven (at most %1)").arg(Signed(value.Upper));
  }
  return tr("not proven");
}

QString frmRecord::PlayerName(Player player) const {
  const RecordedGame& game = Shown();
  QString seat = game.Names[player];
  if (seat.isEmpty()) {
    const bool mine = game.NetServer ? player == 1 : player == 2;
    switch (game.Seats) {
      case Mode::PersonAgainstCpu:
        seat = player == 1 ? tr("you") : LevelName(game.Level);
        break;
      case Mode::CpuAgainstPerson:
        seat = player == 2 ? tr("you") : LevelName(game.Level);
        break;
      case Mode::Demo:
        seat = LevelName(game.Level);
        break;
      case Mode::Network:
        seat = mine ? tr("you") : tr("network partner");
        break;
      case Mode::TwoPersons:
        break;
    }
  }
  return seat.isEmpty() ? tr("Player %1").arg(player) : tr("Player %1 (%2)").arg(player).arg(seat);
}

QString frmRecord::LevelName(CpuLevel level) {
  switch (level) {
    case CpuLevel::Classic:
      return tr("CPU Classic");
    case CpuLevel::Good:
      return tr("CPU Good");
    case CpuLevel::Strong:
      return tr("CPU Strong");
    case CpuLevel::Master:
      return tr("CPU Master");
    case CpuLevel::Perfect:
      break;
  }
  return tr("CPU Perfect");
}

QString frmRecord::MoveLine(int index) const {
  const RecordedMove& move = Shown().Moves[std::size_t(index)];
  QString what;
  switch (move.Outcome) {
    case MoveOutcome::Expanded:
      what = tr("expands %1");
      break;
    case MoveOutcome::Neutralised:
      what = tr("expands %1 and neutralises");
      break;
    default:
      what = tr("claims %1");
      break;
  }
  QString line =
      tr("%1. %2 %3 (%4 : %5)")
          .arg(index + 1)
          .arg(tr("Player %1").arg(move.Mover), what.arg(CellName(move.Column, move.Row)))
          .arg(move.Score1)
          .arg(move.Score2);
  if (const MoveVerdict* verdict = VerdictOf(index)) {
    if (verdict->Judgement == MoveJudgement::Lost) {
      // A lost win or draw is named as such even once the margins are known: it is what a
      // player looks for first (the exact values are in the line below the list).
      line += QStringLiteral("  ✗ ") +
              (verdict->Before.Lower > 0 && verdict->After.Upper <= 0   ? tr("lost the win")
               : verdict->Before.Lower == 0 && verdict->After.Upper < 0 ? tr("lost the draw")
               : verdict->Before.Exact() && verdict->After.Exact()
                   ? tr("gave away %1").arg(verdict->Before.Lower - verdict->After.Lower)
                   : tr("gave value away"));
    } else if (verdict->Judgement == MoveJudgement::Kept) {
      line += QStringLiteral("  ✓");
    } else if (verdict->Before.OutcomeKnown() && verdict->After.OutcomeKnown()) {
      line += QStringLiteral("  ✓?");  // the outcome kept, the margin open
    } else {
      line += QStringLiteral("  ?");
    }
  }
  return line;
}

const MoveVerdict* frmRecord::VerdictOf(int index) const {
  if (!analysis_ || index < 0 || index >= int(analysis_->Moves.size())) {
    return nullptr;
  }
  const RecordedGame& shown = Shown();
  if (index >= shown.Plies() || !(shown.Start == analysed_.Start) ||
      !std::equal(shown.Moves.begin(), shown.Moves.begin() + index + 1, analysed_.Moves.begin())) {
    return nullptr;
  }
  return &analysis_->Moves[std::size_t(index)];
}

// --- The list and the board ------------------------------------------------------------------

void frmRecord::Refresh() {
  const RecordedGame& shown = Shown();
  refreshing_ = true;
  lstMoves->clear();
  lstMoves->addItem(tr("Start of the game"));
  for (int i = 0; i < shown.Plies(); ++i) {
    lstMoves->addItem(MoveLine(i));
  }
  if (viewPly_ > shown.Plies()) {
    viewPly_ = shown.Plies();
  }
  if (viewPly_ >= 0) {
    lstMoves->setCurrentRow(viewPly_);
  } else {
    lstMoves->clearSelection();
    lstMoves->setCurrentRow(-1);
    lstMoves->scrollToBottom();
  }
  refreshing_ = false;
  if (viewPly_ >= 0) {
    ShowPly(viewPly_);
  } else {
    lblView->setText(LiveGameText());
  }
  UpdateChart();
  ShowVerdict();
  UpdateButtons();
}

void frmRecord::SelectPly(int ply) {
  jumpToLoss_ = jumpToLoss_ && jumping_;  // the person chose a move: the analysis no longer does
  viewPly_ = std::clamp(ply, 0, Shown().Plies());
  refreshing_ = true;
  lstMoves->setCurrentRow(viewPly_);
  refreshing_ = false;
  ShowPly(viewPly_);
  chart->SetCurrent(viewPly_);
  ShowVerdict();
  UpdateButtons();
}

void frmRecord::ShowPly(int ply) {
  const QString caption = ply == 0
                              ? tr("Viewing the start of the game. Escape: back to the live game.")
                              : tr("Viewing move %1 of %2. Escape: back to the live game.")
                                    .arg(ply)
                                    .arg(Shown().Plies());
  lblView->setText(caption);
  hooks_.ShowView(Shown().At(ply), caption);
}

void frmRecord::ShowLive() {
  jumpToLoss_ = false;
  viewPly_ = -1;
  refreshing_ = true;
  lstMoves->clearSelection();
  lstMoves->setCurrentRow(-1);
  refreshing_ = false;
  lblView->setText(LiveGameText());
  hooks_.ShowView(std::nullopt, QString());
  chart->SetCurrent(-1);
  ShowVerdict();
  UpdateButtons();
}

void frmRecord::ShowVerdict() {
  if (viewPly_ < 0 && !trialText_.isEmpty()) {
    lblVerdict->setText(trialText_);  // what the last try again said stays in sight
    return;
  }
  const int index = viewPly_ - 1;
  const MoveVerdict* verdict = VerdictOf(index);
  if (!verdict) {
    lblVerdict->setText(analyser_.Running() ? tr("Analysing…") : QString());
    return;
  }
  const RecordedMove& move = Shown().Moves[std::size_t(index)];
  const QString who = tr("Move %1 (player %2, %3)")
                          .arg(index + 1)
                          .arg(move.Mover)
                          .arg(CellName(move.Column, move.Row));
  QString text;
  switch (verdict->Judgement) {
    case MoveJudgement::Kept:
      text = tr("%1 kept %2.").arg(who, ProvenText(verdict->Before));
      break;
    case MoveJudgement::Lost: {
      text = tr("%1 turned %2 into %3.")
                 .arg(who, ProvenText(verdict->Before), ProvenText(verdict->After));
      QStringList cells;
      for (const Cell& cell : verdict->Keeping) {
        cells << CellName(cell.Column, cell.Row);
      }
      if (!verdict->KeepingComplete) {
        cells << tr("perhaps others (not all tested in time)");
      }
      const int kept = verdict->KeepingValue;
      const QString list = cells.join(QStringLiteral(", "));
      if (!verdict->KeepingTested) {
        text += QLatin1Char(' ') + (analyser_.Running()
                                        ? tr("The moves that would have kept it are being tested.")
                                        : tr("No move was proven to keep it."));
      } else if (verdict->Keeping.empty()) {
        text += QLatin1Char(' ') + tr("No move was proven to keep it.");
      } else if (verdict->Before.Exact() && kept == verdict->Before.Lower) {
        text += QLatin1Char(' ') + tr("Moves that keep it: %1.").arg(list);
      } else if (kept > 0) {
        text +=
            QLatin1Char(' ') + tr("Moves that keep a win by at least %1: %2.").arg(kept).arg(list);
      } else if (kept == 0) {
        text += QLatin1Char(' ') + tr("Moves that keep at least the draw: %1.").arg(list);
      } else {
        text +=
            QLatin1Char(' ') + tr("Moves that lose by no more than %1: %2.").arg(-kept).arg(list);
      }
      if (verdict->Refutation) {
        text += QLatin1Char(' ') +
                tr("The refutation: %1.")
                    .arg(CellName(verdict->Refutation->Column, verdict->Refutation->Row));
      }
      break;
    }
    case MoveJudgement::Unknown:
      // A move cannot gain: with both outcomes proven (and not a draw, which is exact), they
      // are the same, and only the margin is open.
      if (verdict->Before.Lower > 0 && verdict->After.Lower > 0) {
        text = tr("%1 kept the win; the margin is not proven. Before it: %2; after it: %3.")
                   .arg(who, ProvenText(verdict->Before), ProvenText(verdict->After));
      } else if (verdict->Before.Upper < 0) {
        text = tr("%1 was played in a lost position. Before it: %2; after it: %3.")
                   .arg(who, ProvenText(verdict->Before), ProvenText(verdict->After));
      } else {
        text = tr("%1: not proven. Before it: %2; after it: %3.")
                   .arg(who, ProvenText(verdict->Before), ProvenText(verdict->After));
      }
      break;
  }
  lblVerdict->setText(text);
}

void frmRecord::UpdateButtons() {
  const RecordedGame& shown = Shown();
  const bool moves = shown.Plies() > 0;
  cmdFirst->setEnabled(moves && viewPly_ != 0);
  cmdBack->setEnabled(moves && viewPly_ != 0);
  cmdForward->setEnabled(viewPly_ >= 0 && viewPly_ < shown.Plies());
  cmdLast->setEnabled(moves && viewPly_ != shown.Plies());
  cmdLive->setEnabled(viewPly_ >= 0);
  bool playable = false;
  if (viewPly_ >= 0 && !game_.NetMode()) {
    const Position at = shown.At(viewPly_);
    playable = at.ActPlayer != 0 && HasLegalMove(at.Nodes, at.ActPlayer);
  }
  cmdPlayFrom->setEnabled(playable);
  cmdAnalyse->setEnabled(moves || analyser_.Running());
  cmdAnalyse->setText(analyser_.Running() ? tr("Cancel analysis") : tr("Analyse game"));
  const MoveVerdict* verdict = VerdictOf(viewPly_ - 1);
  const bool lost = verdict && verdict->Judgement == MoveJudgement::Lost;
  cmdRefutation->setEnabled(lost && verdict->Refutation.has_value());
  // Once the moves that would have kept the value were tested, so the try can be judged.
  cmdTryAgain->setEnabled(lost && verdict->KeepingTested && !game_.NetMode());
}

void frmRecord::UpdateChart() {
  std::vector<ValueChart::Point> points;
  const RecordedGame& shown = Shown();
  if (analysis_) {
    for (int ply = 0; ply <= shown.Plies(); ++ply) {
      ValueChart::Point point;
      const bool covered =
          ply == 0 ? shown.Start == analysed_.Start : VerdictOf(ply - 1) != nullptr;
      if (covered && ply < int(analysis_->Values.size())) {
        const ProvenValue value = analysis_->ForPlayer1(analysed_, ply);
        point = ValueChart::Point{value.Lower, value.Upper, value.Proven(), false};
        const MoveVerdict* verdict = VerdictOf(ply - 1);
        point.LostHere = verdict && verdict->Judgement == MoveJudgement::Lost;
      }
      points.push_back(point);
    }
  }
  chart->SetPoints(std::move(points));
  chart->SetCurrent(viewPly_);
}

void frmRecord::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    ShowLive();
    return;
  }
  QWidget::keyPressEvent(event);
}

void frmRecord::hideEvent(QHideEvent* event) {
  ShowLive();
  QWidget::hideEvent(event);
}

// --- Commands --------------------------------------------------------------------------------

void frmRecord::PlayFromHere() {
  if (viewPly_ < 0) {
    return;
  }
  const RecordedGame game = Shown();
  const int ply = viewPly_;
  ShowLive();
  if (!record_.PlayFrom(game, ply)) {
    dialogs_.Message(BoxIcon::Exclamation, tr("Game record"),
                     tr("The game cannot go on from this position."));
    return;
  }
  trial_.reset();
  cmbSource->setCurrentIndex(0);
  Refresh();
}

void frmRecord::StartAnalysis() {
  if (analyser_.Running()) {
    analyser_.Cancel();
    prgAnalysis->setVisible(false);
    hooks_.Log(tr("Analysis cancelled."));
    ShowVerdict();
    UpdateButtons();
    return;
  }
  analysed_ = Shown();
  analysis_.reset();
  prgAnalysis->setRange(0, analysed_.Plies() + 1);
  prgAnalysis->setValue(0);
  prgAnalysis->setVisible(true);
  AnalysisSettings settings;
  settings.TableSizeLog2 = 21;
  settings.Threads = kAnalysisThreads;
  jumpToLoss_ = true;
  analyser_.Start(
      analysed_, game_.PerfectBook(), settings,
      [this](const GameAnalysis& sofar, int done, int total) {
        analysis_ = sofar;
        prgAnalysis->setRange(0, total);
        prgAnalysis->setValue(done);
        ShowAnalysed();
      },
      [this](const GameAnalysis& analysis) {
        analysis_ = analysis;
        prgAnalysis->setVisible(false);
        int proven = 0;
        for (const ProvenValue& value : analysis.Values) {
          proven += value.Exact() ? 1 : 0;
        }
        hooks_.Log(tr("Analysis finished: %1 of %2 positions proven.")
                       .arg(proven)
                       .arg(analysis.Values.size()));
        ShowAnalysed();
      });
  ShowVerdict();
  UpdateButtons();
}

void frmRecord::ShowAnalysed() {
  const RecordedGame& shown = Shown();
  for (int i = 0; i < shown.Plies() && i + 1 < lstMoves->count(); ++i) {
    lstMoves->item(i + 1)->setText(MoveLine(i));
  }
  UpdateChart();
  // Until the person picks a move, the first one proven to lose value is shown: a person's
  // before the CPU's, and one that lost the win or the draw before one that lost part of a margin.
  if (jumpToLoss_ && analysis_) {
    std::optional<int> target;
    int rank = 0;
    for (std::size_t i = 0; i < analysis_->Moves.size() && VerdictOf(int(i)); ++i) {
      const MoveVerdict& verdict = analysis_->Moves[i];
      if (verdict.Judgement != MoveJudgement::Lost) {
        continue;
      }
      const bool outcome = (verdict.Before.Lower > 0 && verdict.After.Upper <= 0) ||
                           (verdict.Before.Lower == 0 && verdict.After.Upper < 0);
      const int here =
          1 + (outcome ? 1 : 0) + (analysed_.Moves[i].By == MoveSource::Person ? 2 : 0);
      if (here > rank) {
        rank = here;
        target = int(i);
      }
    }
    if (target && viewPly_ != *target + 1) {
      jumping_ = true;
      SelectPly(*target + 1);
      jumping_ = false;
      return;
    }
  }
  ShowVerdict();
  UpdateButtons();
}

void frmRecord::ShowRefutation() {
  const MoveVerdict* verdict = VerdictOf(viewPly_ - 1);
  if (!verdict || !verdict->Refutation) {
    return;
  }
  Position at = Shown().At(viewPly_);
  const Cell reply = *verdict->Refutation;
  ApplyMove(at.Nodes, reply.Column, reply.Row, at.ActPlayer);
  at.LastMove = reply;
  const QString caption = tr("Viewing the refutation of move %1: player %2 answers %3. "
                             "Escape: back to the live game.")
                              .arg(viewPly_)
                              .arg(at.ActPlayer)
                              .arg(CellName(reply.Column, reply.Row));
  at.ActPlayer = Player(3 - at.ActPlayer);
  lblView->setText(caption);
  hooks_.ShowView(at, caption);
}

void frmRecord::TryAgain() {
  const int index = viewPly_ - 1;
  const MoveVerdict* verdict = VerdictOf(index);
  if (!verdict || verdict->Judgement != MoveJudgement::Lost) {
    return;
  }
  Trial trial{index, verdict->Keeping, verdict->KeepingValue,
              verdict->KeepingTested && verdict->KeepingComplete,
              verdict->Before.Exact() && verdict->KeepingValue == verdict->Before.Lower};
  const RecordedGame shown = Shown();
  const bool swap = shown.Moves[std::size_t(index)].Mover == 2;
  const RecordedGame game = swap ? SwapPlayers(shown) : shown;
  ShowLive();
  hooks_.PlayAgainstPerfect();
  if (!record_.PlayFrom(game, index)) {
    dialogs_.Message(BoxIcon::Exclamation, tr("Game record"),
                     tr("The game cannot go on from this position."));
    return;
  }
  cmbSource->setCurrentIndex(0);
  trial_ = trial;
  Refresh();
  QString text =
      trial.Value > 0 && !trial.Exact
          ? tr("Try again: find a move that keeps your win. Perfect answers.")
      : trial.Value > 0 ? tr("Try again: find a move that keeps your win by %1. Perfect answers.")
                              .arg(trial.Value)
      : trial.Value == 0 ? tr("Try again: find a move that keeps the draw. Perfect answers.")
                         : tr("Try again: this position is lost by %1 at best. Find a move that "
                              "loses by no more than %1. Perfect answers.")
                               .arg(-trial.Value);
  if (swap) {
    text += QLatin1Char(' ') + tr("You play player 1 now: the colours were exchanged.");
  }
  trialText_ = text;
  lblVerdict->setText(text);
  hooks_.Log(text);
}

void frmRecord::CheckTryAgain(const MoveReport& move) {
  if (!trial_ || !move.Made() || move.By != MoveSource::Person) {
    return;
  }
  const RecordedGame& current = record_.Current();
  const RecordedGame* game = &current;
  if (move.EndedGame && record_.LastFinished()) {
    game = &*record_.LastFinished();
  }
  if (game->Plies() != trial_->Ply + 1) {
    return;
  }
  const Cell cell{move.Column, move.Row};
  const QString name = CellName(cell.Column, cell.Row);
  QString text;
  const int value = trial_->Value;
  if (std::find(trial_->Keeping.begin(), trial_->Keeping.end(), cell) != trial_->Keeping.end()) {
    text = value > 0 && !trial_->Exact ? tr("Found it: %1 keeps the win.").arg(name)
           : value > 0  ? tr("Found it: %1 keeps the win by %2.").arg(name).arg(value)
           : value == 0 ? tr("Found it: %1 keeps the draw.").arg(name)
                        : tr("Found it: %1 loses by no more than %2, the best there is here.")
                              .arg(name)
                              .arg(-value);
    trial_.reset();
  } else if (!trial_->KeepingComplete) {
    // Not every move was tested in the analysis's time: this one may keep the value too.
    text = tr("%1 is not among the moves proven to keep the value (not all were tested in "
              "time). Take it back (Undo move) and try another.")
               .arg(name);
  } else {
    text = value > 0 && !trial_->Exact
               ? tr("%1 does not keep the win. Take it back (Undo move) and try again.").arg(name)
           : value > 0
               ? tr("%1 does not keep the win by %2. Take it back (Undo move) and try again.")
                     .arg(name)
                     .arg(value)
           : value == 0
               ? tr("%1 does not keep the draw. Take it back (Undo move) and try again.").arg(name)
               : tr("%1 loses by more than %2. Take it back (Undo move) and try again.")
                     .arg(name)
                     .arg(-value);
  }
  trialText_ = text;
  lblVerdict->setText(text);
  hooks_.Log(text);
}

}  // namespace vextal
