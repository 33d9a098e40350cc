#pragma once

#include <QPointer>
#include <QWidget>

#include "net/GameDiscovery.h"
#include "net/xmpp/XmppLobby.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vextal {

// The list of games announced on the local network and, with an internet account, of those
// waiting in its lobby, updated live while it is open. Choosing one (Join, a double click or
// Enter) asks to join it; the window itself connects nothing. Browsing runs while the window is
// open and stops when it closes (Close, Escape, Ctrl+W).
class frmFindGames : public QWidget {
  Q_OBJECT

 public:
  explicit frmFindGames(GameDiscovery& discovery, QWidget* parent = nullptr);
  // Lists the lobby's games too, browsing it while the window is open; online says whether the
  // account is logged in (otherwise the window says how to see them).
  void SetLobby(XmppLobby* lobby, bool online);
  ~frmFindGames() override;

  QListWidget* lstGames() const { return lstGames_; }
  QLabel* lblStatus() const { return lblStatus_; }
  QPushButton* cmdJoin() const { return cmdJoin_; }
  QPushButton* cmdClose() const { return cmdClose_; }

 signals:
  // The user chose a game.
  void Chosen(const vextal::FoundGame& game);
  // The user chose a game of the lobby, by its host's nickname there.
  void ChosenInLobby(const QString& nick);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ShowGames();
  void ShowStatus();
  void ShowTexts();
  void Choose(QListWidgetItem* item);
  void JoinSelected();
  void EnableJoin();

  QString LobbyStatus() const;

  GameDiscovery& discovery_;
  QPointer<XmppLobby> lobby_;
  bool online_ = false;
  QListWidget* lstGames_;
  QLabel* lblStatus_;
  QPushButton* cmdJoin_;
  QPushButton* cmdClose_;
};

}  // namespace vextal
