#include "shell/frmFindGames.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace vextal {

frmFindGames::frmFindGames(GameDiscovery& discovery, QWidget* parent)
    : QWidget(parent, Qt::Window),
      discovery_(discovery),
      lstGames_(new QListWidget(this)),
      lblStatus_(new QLabel(this)) {
  setObjectName(QStringLiteral("frmFindGames"));
  setWindowTitle(tr("Find games on this network"));
  lstGames_->setObjectName(QStringLiteral("lstGames"));
  lblStatus_->setObjectName(QStringLiteral("lblStatus"));
  lblStatus_->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lstGames_);
  layout->addWidget(lblStatus_);
  resize(340, 220);

  // Activation is a double click or Enter on the item.
  connect(lstGames_, &QListWidget::itemActivated, this, &frmFindGames::Choose);
  connect(&discovery_, &GameDiscovery::GamesChanged, this, &frmFindGames::ShowGames);
  connect(&discovery_, &GameDiscovery::DiscoveryUnavailable, this, &frmFindGames::ShowStatus);
  // Escape and Ctrl+W close it, as they close other desktop windows.
  auto* closeKeys = new QAction(this);
  closeKeys->setObjectName(QStringLiteral("actClose"));
  closeKeys->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
  addAction(closeKeys);
  connect(closeKeys, &QAction::triggered, this, &QWidget::close);

  discovery_.StartBrowsing();
  ShowGames();
}

frmFindGames::~frmFindGames() {
  discovery_.StopBrowsing();
}

void frmFindGames::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) {
    setWindowTitle(tr("Find games on this network"));
    ShowGames();
  }
}

void frmFindGames::closeEvent(QCloseEvent* event) {
  discovery_.StopBrowsing();
  event->accept();
}

void frmFindGames::ShowGames() {
  // The list is small and bounded: it is laid anew, keeping the game that was selected.
  const QString selected = lstGames_->currentItem()
                               ? lstGames_->currentItem()->data(Qt::UserRole).toString()
                               : QString();
  lstGames_->clear();
  for (const FoundGame& game : discovery_.Games()) {
    // Names come from the network: shown as plain text, never as markup, and isolated.
    const QString name = ShownServiceName(game.name);
    const QString text = game.stage > 0 ? tr("%1 (stage %2)").arg(name).arg(game.stage) : name;
    auto* item = new QListWidgetItem(text, lstGames_);
    item->setData(Qt::UserRole, game.name);
    item->setToolTip(tr("%1, port %2").arg(game.address).arg(game.port));
    if (game.name == selected) {
      lstGames_->setCurrentItem(item);
    }
  }
  if (lstGames_->currentItem() == nullptr && lstGames_->count() > 0) {
    lstGames_->setCurrentRow(0);
  }
  ShowStatus();
}

void frmFindGames::ShowStatus() {
  if (!discovery_.UnavailableReason().isEmpty()) {
    lblStatus_->setText(tr("Game discovery is unavailable on this machine (%1). Use \"Connect to "
                           "Server\" with the host's address.")
                            .arg(discovery_.UnavailableReason()));
  } else if (discovery_.Games().isEmpty()) {
    lblStatus_->setText(tr("Looking for games on this network..."));
  } else {
    lblStatus_->setText(tr("Double-click a game or press Enter to join it."));
  }
}

void frmFindGames::Choose(QListWidgetItem* item) {
  const QString name = item->data(Qt::UserRole).toString();
  for (const FoundGame& game : discovery_.Games()) {
    if (game.name == name) {
      emit Chosen(game);
      return;
    }
  }
}

}  // namespace vextal
