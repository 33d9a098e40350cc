// The main window's event handlers: the board, the timer, the status line and every menu command.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "shell/AboutBox.h"
#include "shell/Front.h"
#include "shell/UiLanguage.h"
#include "shell/WindowPlacement.h"
#include "shell/frmAccount.h"
#include "shell/frmFindGames.h"
#include "shell/frmMain.h"
#include "stages/Stages.h"

namespace vextal {

// ---------------------------------------------------------------------------------------------
// Events of the controls

void frmMain::Front_MouseDown(Qt::MouseButton /*button*/, int x, int y) {
  // A mouse player sees the board as painted; the keys go on from the clicked node.
  const auto cell = CellAt(game_.Nodes(), kBoardGeometry, x, y);
  cursor_.HideAt(cell ? cell->Column : cursor_.Column(), cell ? cell->Row : cursor_.Row());
  ShowFocusFrame();
  if (cell && !viewed_) {  // a recorded position on show is read-only
    game_.PlayCell(cell->Column, cell->Row);
  }
}

void frmMain::Front_KeyDown(int key) {
  hintFramed_ = false;  // the keys take the frame over
  switch (key) {
    case Qt::Key_Left:
      cursor_.Move(game_.Nodes(), BoardCursor::Step::Left);
      break;
    case Qt::Key_Right:
      cursor_.Move(game_.Nodes(), BoardCursor::Step::Right);
      break;
    case Qt::Key_Up:
      cursor_.Move(game_.Nodes(), BoardCursor::Step::Up);
      break;
    case Qt::Key_Down:
      cursor_.Move(game_.Nodes(), BoardCursor::Step::Down);
      break;
    default:  // Space, Enter: as a click on the framed node, under the same rules
      if (cursor_.Shown() && !viewed_) {
        game_.PlayCell(cursor_.Column(), cursor_.Row());
      }
      return;
  }
  ShowFocusFrame();
}

void frmMain::Front_CellPressed(int column, int row) {
  // The keys go on from the pressed cell; a frame shown stays shown there.
  hintFramed_ = false;
  if (cursor_.Shown()) {
    cursor_.ShowAt(column, row);
  } else {
    cursor_.HideAt(column, row);
  }
  ShowFocusFrame();
  game_.PlayCell(column, row);
}

void frmMain::Front_TabbedTo() {
  cursor_.Show(game_.ShownNodes());
  ShowFocusFrame();
}

void frmMain::ShowMoveMarker() {
  const std::optional<Cell> last = viewed_ ? viewed_->LastMove : game_.ShownLastMove();
  if (!last || !settings_.MarkLastMove()) {
    front->SetMoveMarker(std::nullopt);
    return;
  }
  // Just around the node's square, inside the keyboard's frame.
  const BoxRect square = NodeSquare(kBoardGeometry, last->Column, last->Row);
  const int margin = 2;
  front->SetMoveMarker(QRect(QPoint(square.x1 - margin, square.y1 - margin),
                             QPoint(square.x2 + margin, square.y2 + margin)));
}

void frmMain::ShowFocusFrame() {
  if (!cursor_.Shown()) {
    front->SetFocusFrame(std::nullopt);
    front->SetFocusCell(std::nullopt);
    return;
  }
  front->SetFocusCell(QPoint(cursor_.Column(), cursor_.Row()));
  // Around the node's square and its outline, clear of the node itself.
  const BoxRect square = NodeSquare(kBoardGeometry, cursor_.Column(), cursor_.Row());
  const int margin = 4;
  front->SetFocusFrame(QRect(QPoint(square.x1 - margin, square.y1 - margin),
                             QPoint(square.x2 + margin, square.y2 + margin)),
                       hintFramed_ ? Front::FrameStyle::Hint : Front::FrameStyle::Keyboard);
}

BoardLook frmMain::Look() const {
  BoardLook look;
  look.Colors = ColorsOf(scheme_);
  // Every scheme carries the players' shapes, so no one needs the colours to tell them apart.
  look.ShapeMarks = true;
  // The marks are for the player about to move; under a result box nobody is.
  look.BlockedFor = visualCues_ && !game_.ResultShowing() ? game_.ActPlayer() : Player(0);
  return look;
}

void frmMain::SetVisualCues(bool on) {
  visualCues_ = on;
  settings_.SetVisualCues(on);
  front->Invalidate();
  RefreshCommands();
}

void frmMain::SetPlayerColors(ColorScheme scheme) {
  ApplyPlayerColors(scheme);
  settings_.SetPlayerColors(scheme);
  RefreshCommands();
}

void frmMain::ReturnKeysToBoard() {
  if (shutDown_ || QApplication::activePopupWidget() != nullptr) {
    return;  // closing, or another menu took over
  }
  // Taking the focus from the menu bar ends its keyboard mode, in which the arrows and letters
  // would open menus again.
  front->setFocus(Qt::OtherFocusReason);
  if (menuClosedByKey_) {
    cursor_.Show(game_.ShownNodes());  // where the keys act; a mouse player never sees it
    ShowFocusFrame();
  }
}

void frmMain::tmrAI_Timer() {
  game_.CpuTick();
}

void frmMain::lblState_DblClick() {
  QPlainTextEdit* log = LogBox();
  log->setVisible(!log->isVisible());
  if (log->isVisible()) {
    log->verticalScrollBar()->setValue(log->verticalScrollBar()->maximum());
  }
}

void frmMain::lblDonate_Click() {
  pages_.OpenDonatePage();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (qobject_cast<QMenu*>(watched)) {
    // Whether a menu was last worked by keys or by the mouse.
    if (event->type() == QEvent::KeyPress) {
      menuClosedByKey_ = true;
    } else if (event->type() == QEvent::MouseButtonRelease) {
      menuClosedByKey_ = false;
    }
    return false;
  }
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
  settings_.SetCpuPlayer(game_.CpuOn());
}

void frmMain::mnuEnableDemo_Click() {
  game_.ToggleDemoPlayer();
}

void frmMain::mnuCpuLevel_Click(CpuLevel level) {
  game_.SetCpuLevel(level);
  settings_.SetCpuStrength(level);
}

void frmMain::mnuUndo_Click() {
  game_.Undo();  // shown by ShowMoveTakenBack
}

void frmMain::mnuHint_Click() {
  // The frame goes where the keys act, so Space then plays the hinted move.
  game_.AskHint([this](Cell cell) {
    cursor_.ShowAt(cell.Column, cell.Row);
    hintFramed_ = true;
    ShowFocusFrame();
  });
}

void frmMain::mnuVisualCues_Click() {
  SetVisualCues(!visualCues_);
}

void frmMain::mnuMarkLastMove_Click() {
  settings_.SetMarkLastMove(!settings_.MarkLastMove());
  ShowMoveMarker();
}

void frmMain::mnuEnableSound_Click() {
  music_.mnuEnableSound_Click();
  settings_.SetSoundEffects(music_.Menu().EnableSoundChecked);
}

void frmMain::mnuPlayMusic_Click(int index) {
  music_.mnuPlayMusic_Click(index);
  RememberTune();
}

void frmMain::mnuStopMusic_Click() {
  music_.mnuStopMusic_Click();
  RememberTune();
}

void frmMain::mnuRepeatMusic_Click() {
  music_.SetRepeat(!music_.Repeat());
  settings_.SetRepeatTune(music_.Repeat());
}

void frmMain::mnuEffectsVolume_Click(int percent) {
  music_.SetEffectsVolume(percent);
  settings_.SetEffectsVolume(percent);
  PlayWave(QStringLiteral("beep1.wav"));  // heard at the loudness chosen
}

void frmMain::mnuMusicVolume_Click(int percent) {
  music_.SetMusicVolume(percent);
  settings_.SetMusicVolume(percent);
}

void frmMain::RememberTune() {
  QString playing;  // "No music"
  for (const MusicMenuItem& tune : music_.Menu().PlayMusic) {
    if (tune.Checked) {
      playing = tune.Tag;
    }
  }
  settings_.SetTune(playing);
}

void frmMain::mnuSize_Click(WindowSize size) {
  settings_.SetSize(size);
  ApplyWindowSize(size);
}

void frmMain::mnuLanguage_Click(const QString& language) {
  settings_.SetLanguage(language);
  // Every open window takes the new texts at once (changeEvent).
  if (UiTranslation* shown = UiTranslation::Current()) {
    shown->Apply(language);
  } else {
    translation_ = std::make_unique<UiTranslation>(language);
  }
}

void frmMain::mnuExit_Click() {
  close();
}

void frmMain::mnuClear_Click() {
  // Only where the rules allow it: never on a network game's client.
  if (game_.MenuEnabled(MenuItem::Reset)) {
    game_.NewGame();
  }
}

void frmMain::mnuSetup_Click(int index) {
  PlayStage(index);
}

void frmMain::PlayStage(int stage) {
  stage_ = stage;
  settingUpStage_ = true;
  SetupStage(game_, stage, random_);
  settingUpStage_ = false;
  stageOnBoard_ = stage;
  RefreshCommands();
  discovery_.SetStage(stage);
  if (account_ && account_->Lobby().Announcing()) {
    account_->Lobby().Announce(stage);
  }
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

void frmMain::mnuFindGames_Click() {
  if (findGames_ == nullptr) {
    findGames_ = new frmFindGames(discovery_, this);
    findGames_->setAttribute(Qt::WA_DeleteOnClose);
    connect(findGames_, &frmFindGames::Chosen, this, &frmMain::JoinFoundGame);
    connect(findGames_, &frmFindGames::ChosenInLobby, this, &frmMain::JoinLobbyGame);
    MoveBeside(*findGames_, *this);
  }
  // With an account, the lobby's games are listed beside those of the local network.
  if (account_ || !settings_.InternetAddress().isEmpty()) {
    findGames_->SetLobby(&Account().Lobby(), Account().Online());
  }
  findGames_->show();
  findGames_->raise();
  findGames_->activateWindow();
}

InternetAccount& frmMain::Account() {
  if (!account_) {
    account_ = std::make_unique<InternetAccount>(settings_, *passwords_, random_);
    account_->Log = [this](const QString& line) { AddLog(line); };
    account_->NeedsPassword = [this] {
      mnuInternetAccount_Click();
      accountWindow_->AskPassword();
    };
    internetGame_ = std::make_unique<XmppGameLink>(account_->Client(), account_->Invitations(),
                                                   net_.Events(), *this);
    // Asked from the event loop, never inside the client's handling of the stanza.
    connect(
        &account_->Invitations(), &XmppInvitations::Invited, this,
        [this](const QString& from, const QString& sessionId) {
          InvitationReceived(from, sessionId);
        },
        Qt::QueuedConnection);
    connect(&account_->Invitations(), &XmppInvitations::InvitationWithdrawn, this,
            &frmMain::InvitationWithdrawn);
    account_->Lobby().JoinAsked = [this](const QString& nick, const QString& address,
                                         const QString& sessionId) {
      return LobbyJoinAsked(nick, address, sessionId);
    };
    connect(account_.get(), &InternetAccount::StateChanged, this, [this] {
      if (findGames_) {
        findGames_->SetLobby(&account_->Lobby(), account_->Online());
      }
    });
    AnnounceInLobby();
  }
  return *account_;
}

void frmMain::mnuInternetAccount_Click() {
  if (accountWindow_ == nullptr) {
    accountWindow_ = new frmAccount(Account(), this);
    accountWindow_->setWindowFlag(Qt::Window);
  }
  accountWindow_->show();
  accountWindow_->raise();
  accountWindow_->activateWindow();
}

frmAccount* frmMain::AccountWindow() const {
  return accountWindow_;
}

frmFindGames* frmMain::FindGamesWindow() const {
  return findGames_;
}

void frmMain::JoinFoundGame(const FoundGame& found) {
  // As "Connect to Server", which is offered only outside a network game.
  if (game_.NetMode()) {
    findGames_->lblStatus()->setText(tr("Disconnect from the current network game first."));
    return;
  }
  // A copy: found lives in the list of games, which closing its window empties.
  const FoundGame chosen = found;
  findGames_->close();
  net_.ConnectTo(chosen.address, chosen.port);
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

void frmMain::mnuPayPal_Click() {
  pages_.OpenPayPal();
}

void frmMain::mnuHowTo_Click() {
  pages_.OpenHowTo(ReadmeLanguage());
}

AboutBox* frmMain::AboutWindow() const {
  return about_;
}

void frmMain::mnuAbout_Click() {
  if (!about_) {
    about_ = new AboutBox(VersionText(), this);
  }
  about_->show();
  about_->raise();
  about_->activateWindow();
}

}  // namespace vextal
