#include "shell/frmFindGames.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vextal {

frmFindGames::frmFindGames(GameDiscovery& discovery, QWidget* parent)
    : QWidget(parent, Qt::Window),
      discovery_(discovery),
      lstGames_(new QListWidget(this)),
      lblStatus_(new QLabel(this)),
      cmdJoin_(new QPushButton(this)),
      cmdClose_(new QPushButton(this)) {
  setObjectName(QStringLiteral("frmFindGames"));
  lstGames_->setObjectName(QStringLiteral("lstGames"));
  lblStatus_->setObjectName(QStringLiteral("lblStatus"));
  lblStatus_->setWordWrap(true);
  cmdJoin_->setObjectName(QStringLiteral("cmdJoin"));
  cmdClose_->setObjectName(QStringLiteral("cmdClose"));
  // Enter in the list joins through the item's activation; the buttons take no Enter of their own.
  cmdJoin_->setAutoDefault(false);
  cmdClose_->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdJoin_);
  buttons->addWidget(cmdClose_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lstGames_);
  layout->addWidget(lblStatus_);
  layout->addLayout(buttons);
  resize(360, 260);

  // Activation is a double click or Enter on the item.
  connect(lstGames_, &QListWidget::itemActivated, this, &frmFindGames::Choose);
  connect(lstGames_, &QListWidget::itemSelectionChanged, this, &frmFindGames::EnableJoin);
  connect(cmdJoin_, &QPushButton::clicked, this, &frmFindGames::JoinSelected);
  connect(cmdClose_, &QPushButton::clicked, this, &QWidget::close);
  connect(&discovery_, &GameDiscovery::GamesChanged, this, &frmFindGames::ShowGames);
  connect(&discovery_, &GameDiscovery::DiscoveryUnavailable, this, &frmFindGames::ShowStatus);
  // Escape and Ctrl+W close it, as they close other desktop windows.
  auto* closeKeys = new QAction(this);
  closeKeys->setObjectName(QStringLiteral("actClose"));
  closeKeys->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
  addAction(closeKeys);
  connect(closeKeys, &QAction::triggered, this, &QWidget::close);

  discovery_.StartBrowsing();
  ShowTexts();
}

frmFindGames::~frmFindGames() {
  discovery_.StopBrowsing();
  if (lobby_) {
    lobby_->SetBrowsing(false);
  }
}

namespace {
// Which list an item came from.
constexpr int kFromLobby = Qt::UserRole + 1;
}  // namespace

void frmFindGames::SetLobby(XmppLobby* lobby, bool online) {
  online_ = online;
  if (lobby != lobby_) {
    if (lobby_) {
      disconnect(lobby_, nullptr, this, nullptr);
      lobby_->SetBrowsing(false);
    }
    lobby_ = lobby;
    if (lobby_) {
      connect(lobby_, &XmppLobby::GamesChanged, this, &frmFindGames::ShowGames);
      connect(lobby_, &XmppLobby::StateChanged, this, &frmFindGames::ShowStatus);
    }
  }
  if (lobby_) {
    lobby_->SetBrowsing(true);
  }
  ShowGames();
}

void frmFindGames::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) {
    ShowTexts();
  }
}

void frmFindGames::ShowTexts() {
  setWindowTitle(tr("Find games on this network"));
  cmdJoin_->setText(tr("Join"));
  cmdClose_->setText(tr("Close"));
  ShowGames();
}

void frmFindGames::closeEvent(QCloseEvent* event) {
  discovery_.StopBrowsing();
  if (lobby_) {
    lobby_->SetBrowsing(false);
  }
  event->accept();
}

void frmFindGames::ShowGames() {
  // The list is small and bounded: it is laid anew, keeping the game that was selected.
  const QListWidgetItem* current = lstGames_->currentItem();
  const QString selected = current ? current->data(Qt::UserRole).toString() : QString();
  const bool selectedInLobby = current && current->data(kFromLobby).toBool();
  lstGames_->clear();
  for (const FoundGame& game : discovery_.Games()) {
    // Names come from the network: shown as plain text, never as markup, and isolated.
    const QString name = ShownServiceName(game.name);
    const QString text = game.stage > 0 ? tr("%1 (stage %2)").arg(name).arg(game.stage) : name;
    auto* item = new QListWidgetItem(text, lstGames_);
    item->setData(Qt::UserRole, game.name);
    item->setToolTip(tr("%1, port %2").arg(game.address).arg(game.port));
    if (game.name == selected && !selectedInLobby) {
      lstGames_->setCurrentItem(item);
    }
  }
  if (lobby_) {
    for (const LobbyGame& game : lobby_->Games()) {
      const QString name = ShownServiceName(game.Nick);
      const QString text = game.Stage > 0
                               ? tr("%1 (stage %2, on the internet)").arg(name).arg(game.Stage)
                               : tr("%1 (on the internet)").arg(name);
      auto* item = new QListWidgetItem(text, lstGames_);
      item->setData(Qt::UserRole, game.Nick);
      item->setData(kFromLobby, true);
      item->setToolTip(tr("Waiting in the lobby %1").arg(ShownServiceName(lobby_->Room())));
      if (game.Nick == selected && selectedInLobby) {
        lstGames_->setCurrentItem(item);
      }
    }
  }
  if (lstGames_->currentItem() == nullptr && lstGames_->count() > 0) {
    lstGames_->setCurrentRow(0);
  }
  EnableJoin();
  ShowStatus();
}

void frmFindGames::EnableJoin() {
  cmdJoin_->setEnabled(!lstGames_->selectedItems().isEmpty());
}

void frmFindGames::JoinSelected() {
  const QList<QListWidgetItem*> selected = lstGames_->selectedItems();
  if (!selected.isEmpty()) {
    Choose(selected.front());
  }
}

QString frmFindGames::LobbyStatus() const {
  if (!lobby_ || !online_) {
    return tr(
        "Log in to the internet (Network > \"Internet account\") to see the games waiting "
        "in the lobby as well.");
  }
  switch (lobby_->CurrentState()) {
    case XmppLobby::State::Failed:
      switch (lobby_->LastProblem()) {
        case XmppLobby::Problem::NoChatService:
          return tr(
              "Your server offers no chat service for a lobby: name a lobby room in "
              "Network > \"Internet account\".");
        case XmppLobby::Problem::NotAnonymous:
          return tr(
              "The lobby room shows every address to everyone, so it was left: name "
              "another room in Network > \"Internet account\".");
        case XmppLobby::Problem::BadRoom:
          return tr("The lobby room is not an address like room@chat.example.org.");
        case XmppLobby::Problem::Refused:
        case XmppLobby::Problem::None:
          break;
      }
      return tr("The lobby room cannot be entered.");
    case XmppLobby::State::Inside:
      return tr("In the lobby %1; hosting while online announces your game there.")
          .arg(ShownServiceName(lobby_->Room()));
    case XmppLobby::State::Outside:
    case XmppLobby::State::Discovering:
    case XmppLobby::State::Joining:
      break;
  }
  return tr("Entering the lobby...");
}

void frmFindGames::ShowStatus() {
  QString text;
  if (!discovery_.Games().isEmpty() || (lobby_ && !lobby_->Games().isEmpty())) {
    text = tr("Select a game and choose Join, or double-click it.");
  } else if (!discovery_.UnavailableReason().isEmpty()) {
    text = tr("Game discovery is unavailable on this machine (%1). Use \"Connect to "
              "Server\" with the host's address.")
               .arg(discovery_.UnavailableReason());
  } else {
    text =
        tr("Looking for games on this network... No game has been found yet. To play with a "
           "friend on the same local network, the friend chooses Network > \"Host game\"; the "
           "game then appears here.");
  }
  if (lobby_) {
    text += QLatin1Char('\n') + LobbyStatus();
  }
  lblStatus_->setText(text);
}

void frmFindGames::Choose(QListWidgetItem* item) {
  const QString name = item->data(Qt::UserRole).toString();
  if (item->data(kFromLobby).toBool()) {
    emit ChosenInLobby(name);
    return;
  }
  for (const FoundGame& game : discovery_.Games()) {
    if (game.name == name) {
      emit Chosen(game);
      return;
    }
  }
}

}  // namespace vextal
