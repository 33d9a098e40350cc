// The main window as the game's view: what the rules report is shown, heard or sent here.
#include <utility>

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTime>

#include <utility>

#include "render/LogLine.h"
#include "render/mPaint.h"
#include "shell/Front.h"
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
  RefreshPlayAids();
}

void frmMain::AddLog(const QString& message) {
  const QString line = FormatLogLine(QTime::currentTime(), message);
  lblState->setText(line);
  if (txtLog) {
    txtLog->appendPlainText(line);
    txtLog->verticalScrollBar()->setValue(txtLog->verticalScrollBar()->maximum());
  } else {
    logLines_.append(line);
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

void frmMain::MoveMade(Player mover, int column, int row, bool local) {
  net_.MoveMade(mover, column, row, local);
}

void frmMain::NewGameStarted(bool atGameEnd) {
  net_.NewGameStarted(atGameEnd);
}

void frmMain::ResultBoxOpen(bool open) {
  RefreshPlayAids();
  net_.ResultBoxOpen(open);
}

void frmMain::ShowPlayerPanel(const PlayerPanel& panel) {
  SetBackColor(picActive1, panel.Marker1);
  SetBackColor(picActive2, panel.Marker2);
  SetBold(lblPlayer1, panel.Bold1);
  SetBold(lblPlayer2, panel.Bold2);
  lblSum1->setText(panel.Sum1);
  lblSum2->setText(panel.Sum2);
  RefreshPlayAids();  // the player to move changed, or the board did
}

void frmMain::ShowPlayerNames(const QString& name1, const QString& name2) {
  lblPlayer1->setText(name1);
  lblPlayer2->setText(name2);
  RefreshPlayAids();  // the seats changed
}

void frmMain::SetMenuEnabled(MenuItem item, bool enabled) {
  ActionFor(item)->setEnabled(enabled);
  if (item == MenuItem::EnableDemo) {
    // The strength matters exactly when the CPU may play, which is when the demo may be chosen.
    mnuCpuStrength->menuAction()->setEnabled(enabled);
  } else if (item == MenuItem::Reset) {
    // The entries' own keys work even while their menu is disabled.
    mnuClear->setEnabled(enabled);
  }
  RefreshPlayAids();
}

void frmMain::SetMenuChecked(MenuItem item, bool checked) {
  ActionFor(item)->setChecked(checked);
  RefreshPlayAids();
}

void frmMain::RefreshPlayAids() {
  mnuUndo->setEnabled(game_.CanUndo());
  mnuHint->setEnabled(game_.CanHint());
}

void frmMain::AddChatLine(const QString& text, bool own) {
  chat_.AddChatLine(text, own);
}

}  // namespace vextal
