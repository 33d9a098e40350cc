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
#include "render/BoardPainter.h"
#include "render/LogLine.h"
#include "render/mPaint.h"
#include "shell/BoardWords.h"
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

void frmMain::ApplyPlayerColors(ColorScheme scheme) {
  scheme_ = scheme;
  const SchemeColors colors = ColorsOf(scheme);
  front->SetOverlayColors(
      {ToQColor(colors.LastMove), ToQColor(colors.Hint), ToQColor(colors.Refusal)});
  front->Invalidate();
  const Player toMove = game_.ActPlayer();
  SetBackColor(picActive1, toMove == 1 ? colors.P1 : colors.P1Dark);
  SetBackColor(picActive2, toMove == 2 ? colors.P2 : colors.P2Dark);
}

void frmMain::Announce(const QString& text) {
  // Qt has no event that only speaks: the status line's accessible name and description carry
  // the news for a screen reader that follows the status line, and the board tells it where the
  // keyboard is, as the description of the focused cell, which a screen reader speaks.
  lblState->setAccessibleName(text);
  lblState->setAccessibleDescription(text);
  front->Announce(text);
}

void frmMain::ShowRefusal(const MoveReport& move) {
  const QString reason = RefusalText(move);
  if (visualCues_ || music_.SoundOff()) {
    const BoxRect square = NodeSquare(kBoardGeometry, move.Column, move.Row);
    front->ShowRefusal(QRect(QPoint(square.x1, square.y1), QPoint(square.x2 - 1, square.y2 - 1)));
    AddLog(reason);
  }
  Announce(reason);
}

void frmMain::DrawBoard() {
  if (std::exchange(gameReported_, false)) {
    DrawPosition();
  } else {
    front->Invalidate();
  }
}

void frmMain::DrawPosition() {
  gameReported_ = false;
  // Painted at most once per pass of the event loop, however many moves came in that pass.
  front->Invalidate();
  if (std::exchange(hintFramed_, false)) {
    cursor_.HideAt(cursor_.Column(), cursor_.Row());  // a hint holds for its position only
  }
  cursor_.Follow(game_.ShownNodes());
  ShowFocusFrame();
  ShowMoveMarker();
  RefreshCommands();  // "Undo move" and "Hint" follow the position
  front->CellsChanged();
}

void frmMain::AddLog(const QString& message) {
  const QString line = FormatLogLine(QTime::currentTime(), message);
  lblState->setText(line);
  if (!lblState->accessibleName().isEmpty()) {
    Announce(QString());  // the name is the line shown again
  }
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
  const auto reported = [this] { gameReported_ = true; };
  connect(&game_, &Game::MovePlayed, this, reported);
  connect(&game_, &Game::TurnChanged, this, reported);
  connect(&game_, &Game::NewGameStarted, this, reported);
  connect(&game_, &Game::GameEnded, this, reported);
  connect(&game_, &Game::ResultShownChanged, this, reported);
  connect(&game_, &Game::NewGameShown, this, reported);
  connect(&game_, &Game::BoardReplaced, this, reported);
  connect(&game_, &Game::SeatsChanged, this, reported);
  connect(&game_, &Game::MoveTakenBack, this, reported);
  connect(&game_, &Game::MovePlayed, this, &frmMain::ShowMove);
  connect(&game_, &Game::TurnChanged, this, &frmMain::ShowTurn);
  connect(&game_, &Game::GameEnded, this, &frmMain::ShowResult);
  connect(&game_, &Game::NewGameShown, this, &frmMain::ShowNewGame);
  connect(&game_, &Game::BoardReplaced, this, &frmMain::DrawPosition);
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
    DrawPosition();
    if (move.By != MoveSource::Person) {
      Announce(MoveAnnouncement(move, game_.CurrentMode()));
    } else {
      // A screen reader does not speak the new words of the cell it is on; a new description it
      // does.
      front->Announce(MoveAnnouncement(move, game_.CurrentMode()));
    }
  } else if (move.By == MoveSource::Person) {
    ShowRefusal(move);
  }
  PlayWave(MoveSound(move));
}

void frmMain::ShowTurn(const TurnReport& turn) {
  // The marker of the player to move is bright, the other one dark; the name is bold.
  const SchemeColors colors = ColorsOf(scheme_);
  SetBackColor(picActive1, turn.ToMove == 1 ? colors.P1 : colors.P1Dark);
  SetBackColor(picActive2, turn.ToMove == 2 ? colors.P2 : colors.P2Dark);
  SetBold(lblPlayer1, turn.ToMove == 1);
  SetBold(lblPlayer2, turn.ToMove == 2);
  lblSum1->setText(SumText(turn.Holdings.Nodes[1], turn.Holdings.Links[1]));
  lblSum2->setText(SumText(turn.Holdings.Nodes[2], turn.Holdings.Links[2]));
  // Said in words to a screen reader, with whose score it is and who is to move.
  const auto [name1, name2] = SeatNames(game_.CurrentMode());
  lblSum1->setAccessibleName(ScoreName(name1, turn.Holdings.Nodes[1], turn.Holdings.Links[1]));
  lblSum2->setAccessibleName(ScoreName(name2, turn.Holdings.Nodes[2], turn.Holdings.Links[2]));
  lblPlayer1->setAccessibleName(turn.ToMove == 1 ? tr("%1, to move").arg(name1) : QString());
  lblPlayer2->setAccessibleName(turn.ToMove == 2 ? tr("%1, to move").arg(name2) : QString());
  if (visualCues_) {
    front->Invalidate();  // the blocked marks are the new player's
  }
  RefreshCommands();  // the player to move changed, or the board did
}

void frmMain::ShowResult(const GameResult& result) {
  const ResultAnnouncement announcement = AnnounceResult(result);
  AddLog(announcement.LogLine);
  // The result outlasts the announcement of the move that ended the game, whichever came first.
  Announce(announcement.LogLine);
  lblState->setAccessibleDescription(announcement.Text);
  PlayWave(announcement.Sound);
  // The box shows the result of the position it must not hide.
  const KeepInView keep{frameGeometry(), QRect(front->mapToGlobal(QPoint(0, 0)), front->size())};
  dialogs_.Announce(announcement.Icon, announcement.Title, announcement.Text, keep);
}

void frmMain::ShowNewGame() {
  AddLog(NewGameLogLine());
  DrawPosition();
  PlayWave(NewGameSound());
}

void frmMain::ShowMoveTakenBack() {
  AddLog(tr("Move taken back."));
  DrawPosition();
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
