#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

#include "net/GameAnnouncement.h"

class QThread;

namespace vextal {

class DiscoveryWorker;

// Finding games on the local network without typing an address (DNS-SD over multicast DNS,
// through the Avahi daemon). A hosting copy announces its game while it waits for a client; the
// list of games browses for the announcements of others.
//
// Every call returns at once: the work runs on a thread of its own, started at the first call,
// and results come back as signals on the thread that owns this object. A machine without the
// Avahi library, its daemon or the system bus plays exactly as before; the list then says once
// that discovery is unavailable.
class GameDiscovery final : public QObject {
  Q_OBJECT

 public:
  explicit GameDiscovery(QObject* parent = nullptr);
  // Withdraws the announcement and stops browsing, without waiting for either: the thread does
  // it and ends on its own, then is deleted. A daemon that hangs holds up nothing but that
  // thread, which the end of the process then takes along (the daemon itself withdraws what a
  // client that left had announced).
  ~GameDiscovery() override;

  // Announces a game waiting for a client on port, with the stage it is played on.
  void Publish(quint16 port, int stage);
  // The stage of the announced game changed; remembered for the next announcement as well.
  void SetStage(int stage);
  // Takes the announcement off the network; nothing happens when there is none.
  void Withdraw();

  void StartBrowsing();
  void StopBrowsing();
  // The games found since browsing started, in the order they were found.
  const QList<FoundGame>& Games() const { return games_; }
  // Why discovery cannot work on this machine; empty while nothing has failed.
  const QString& UnavailableReason() const { return unavailable_; }
  // The thread the work runs on, once started.
  QThread* WorkerThread() const { return thread_.get(); }

 signals:
  void GamesChanged();
  void DiscoveryUnavailable(const QString& reason);
  // The announcement is on the network under this name.
  void Published(const QString& name);

 private:
  DiscoveryWorker* Worker();
  void GameFound(const FoundGame& game);
  void GameGone(const QString& name);

  std::unique_ptr<QThread> thread_;
  DiscoveryWorker* worker_ = nullptr;  // lives on thread_
  bool browsing_ = false;
  int stage_ = 0;
  QList<FoundGame> games_;
  QString unavailable_;
};

}  // namespace vextal
