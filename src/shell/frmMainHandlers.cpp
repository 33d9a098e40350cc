// The main window's event handlers: the board, the timer, the status line and every menu command.
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "shell/frmMain.h"

namespace vextal {

// ---------------------------------------------------------------------------------------------
// Events of the controls

void frmMain::Front_MouseDown(Qt::MouseButton /*button*/, int x, int y) {
  game_.BoardClick(x, y);
}

void frmMain::tmrAI_Timer() {
  game_.CpuTick();
}

void frmMain::lblState_DblClick() {
  txtLog->setVisible(!txtLog->isVisible());
  if (txtLog->isVisible()) {
    txtLog->verticalScrollBar()->setValue(txtLog->verticalScrollBar()->maximum());
  }
}

void frmMain::lblDonate_Click() {
  pages_.OpenDonatePage();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lblState && event->type() == QEvent::MouseButtonDblClick) {
    lblState_DblClick();
    return true;
  }
  if (watched == lblDonate || watched == lblCopyright || watched == lblVersion) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        return true;
      case QEvent::MouseButtonRelease:
        if (watched == lblDonate &&
            lblDonate->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
          lblDonate_Click();
        }
        return true;
      default:
        break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Menu commands

void frmMain::mnuEnableAI_Click() {
  game_.ToggleCpuPlayer();
}

void frmMain::mnuEnableDemo_Click() {
  game_.ToggleDemoPlayer();
}

void frmMain::mnuEnableSound_Click() {
  music_.mnuEnableSound_Click();
}

void frmMain::mnuPlayMusic_Click(int index) {
  music_.mnuPlayMusic_Click(index);
}

void frmMain::mnuStopMusic_Click() {
  music_.mnuStopMusic_Click();
}

void frmMain::mnuExit_Click() {
  close();
}

void frmMain::mnuClear_Click() {
  game_.NewGame();
}

void frmMain::mnuSetup_Click(int index) {
  game_.SetupStage(index);
}

void frmMain::mnuShowChat_Click() {
  chat_.ShowChat();
}

void frmMain::mnuServer_Click() {
  net_.HostGame();
}

void frmMain::mnuClient_Click() {
  net_.ConnectToServer();
}

void frmMain::mnuDisconnect_Click() {
  net_.Disconnect();
}

void frmMain::mnuSynchronize_Click() {
  net_.Synchronize();
}

void frmMain::mnuWebsite_Click() {
  pages_.OpenWebsite();
}

void frmMain::mnuGuestbook_Click() {
  pages_.OpenGuestbook();
}

void frmMain::mnuUpdate_Click() {
  pages_.OpenUpdatePage();
}

void frmMain::mnuReadmeEN_Click() {
  pages_.OpenReadmeEnglish();
}

void frmMain::mnuReadmeDE_Click() {
  pages_.OpenReadmeGerman();
}

void frmMain::mnuPayPal_Click() {
  pages_.OpenPayPal();
}

}  // namespace vextal
