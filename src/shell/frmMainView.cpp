// The main window as the game's view: what the game's events and the network side report is
// shown and heard here. Every event is shown in the order the rules fix: the log line, then the
// sound, then a box.
#include <utility>

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTime>

#include "render/BoardGeometry.h"
#include "render/LogLine.h"
#include "render/mPaint.h"
#include "shell/Front.h"
#include "shell/GameTexts.h"
#include "shell/frmMain.h"

namespace vextal {

namespace {

void SetBackColor(QWidget* widget, Rgb color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  widget->setPalette(palette);
}

void SetBold(QLabel* label, bool bold) {
  QFont font = label->font();
  font.setBold(bold);
  label->setFont(font);
}

}  // namespace

void frmMain::DrawBoard() {
  // Painted at most once per pass of the event loop, however many moves came in that pass.
  front->Invalidate();
  if (std::exchange(hintFramed_, false)) {
    cursor_.HideAt(cursor_.Column(), cursor_.Row());  // a hint holds for its position only
  }
  cursor_.Follow(game_.ShownNodes());
  ShowFocusFrame();
  ShowMoveMarker();
  RefreshCommands();  // "Undo move" and "Hint" follow the position
}

void frmMain::AddLog(const QString& message) {
  const QString line = FormatLogLine(QTime::currentTime(), message);
  lblState->setText(line);
  if (txtLog) {
    txtLog->appendPlainText(line);
    txtLog->verticalScrollBar()->setValue(txtLog->verticalScrollBar()->maximum());
  } else {
    logLines_.append(line);
    if (logLines_.size() > kMaxLogLines) {
      logLines_.removeFirst();
    }
  }
  // Show the new status at once, without running the event loop here.
  lblState->repaint();
}

QString frmMain::LogText() const {
  return txtLog ? txtLog->toPlainText() : logLines_.join(QLatin1Char('\n'));
}

void frmMain::PlayWave(const QString& fileName) {
  music_.PlayWave(fileName);
}

void frmMain::ConnectGameEvents() {
  connect(&game_, &Game::MovePlayed, this, &frmMain::ShowMove);
  connect(&game_, &Game::TurnChanged, this, &frmMain::ShowTurn);
  connect(&game_, &Game::GameEnded, this, &frmMain::ShowResult);
  connect(&game_, &Game::NewGameShown, this, &frmMain::ShowNewGame);
  connect(&game_, &Game::BoardReplaced, this, &frmMain::DrawBoard);
  connect(&game_, &Game::BoardReplaced, this, [this] {
    if (!settingUpStage_) {
      stageOnBoard_ = 0;  // the peer's board: no stage of this side's menu
      RefreshCommands();
    }
  });
  connect(&game_, &Game::SeatsChanged, this, &frmMain::ShowSeats);
  connect(&game_, &Game::OpeningBookUnusable, this,
          [this](const QString& path, const QString& reason) {
            AddLog(tr("Opening book %1 %2: the Perfect level plays without it.").arg(path, reason));
          });
  connect(&game_, &Game::MoveTakenBack, this, &frmMain::ShowMoveTakenBack);
  connect(&game_, &Game::ResultShownChanged, this, &frmMain::RefreshCommands);
}

void frmMain::ShowMove(const MoveReport& move) {
  if (move.Made()) {
    DrawBoard();
  }
  PlayWave(MoveSound(move));
}

void frmMain::ShowTurn(const TurnReport& turn) {
  // The marker of the player to move is bright, the other one dark; the name is bold.
  SetBackColor(picActive1, turn.ToMove == 1 ? kColorP1 : kColorP1Dark);
  SetBackColor(picActive2, turn.ToMove == 2 ? kColorP2 : kColorP2Dark);
  SetBold(lblPlayer1, turn.ToMove == 1);
  SetBold(lblPlayer2, turn.ToMove == 2);
  lblSum1->setText(SumText(turn.Holdings.Nodes[1], turn.Holdings.Links[1]));
  lblSum2->setText(SumText(turn.Holdings.Nodes[2], turn.Holdings.Links[2]));
  RefreshCommands();  // the player to move changed, or the board did
}

void frmMain::ShowResult(const GameResult& result) {
  const ResultAnnouncement announcement = AnnounceResult(result);
  AddLog(announcement.LogLine);
  PlayWave(announcement.Sound);
  // The box shows the result of the position it must not hide.
  const KeepInView keep{frameGeometry(), QRect(front->mapToGlobal(QPoint(0, 0)), front->size())};
  dialogs_.Announce(announcement.Icon, announcement.Title, announcement.Text, keep);
}

void frmMain::ShowNewGame() {
  AddLog(NewGameLogLine());
  DrawBoard();
  PlayWave(NewGameSound());
}

void frmMain::ShowMoveTakenBack() {
  AddLog(tr("Move taken back."));
  DrawBoard();
}

void frmMain::ShowSeats() {
  const auto [name1, name2] = SeatNames(game_.CurrentMode());
  lblPlayer1->setText(name1);
  lblPlayer2->setText(name2);
  RefreshCommands();
}

void frmMain::AddChatLine(const QString& text, bool own) {
  chat_.AddChatLine(text, own);
}

}  // namespace vextal
