#include "net/GameDiscovery.h"

#include <QThread>

#include "net/DiscoveryWorker.h"

namespace vextal {

GameDiscovery::GameDiscovery(QObject* parent) : QObject(parent) {
  qRegisterMetaType<FoundGame>();
}

GameDiscovery::~GameDiscovery() {
  if (worker_ == nullptr) {
    return;
  }
  // The worker frees its Avahi objects on its own thread, which withdraws the announcement.
  // Nothing waits for that here: closing the program must not linger on a round trip to the
  // daemon.
  QThread* thread = thread_.release();
  connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  QMetaObject::invokeMethod(worker_, [worker = worker_] {
    delete worker;
    QThread::currentThread()->quit();
  });
}

DiscoveryWorker* GameDiscovery::Worker() {
  if (worker_ == nullptr) {
    // Loading the library and the first round trips to the daemon happen there, not here.
    thread_ = std::make_unique<QThread>();
    thread_->setObjectName(QStringLiteral("GameDiscovery"));
    worker_ = new DiscoveryWorker;
    worker_->moveToThread(thread_.get());
    connect(worker_, &DiscoveryWorker::Found, this, &GameDiscovery::GameFound);
    connect(worker_, &DiscoveryWorker::Gone, this, &GameDiscovery::GameGone);
    connect(worker_, &DiscoveryWorker::Published, this, &GameDiscovery::Published);
    connect(worker_, &DiscoveryWorker::Unavailable, this, [this](const QString& reason) {
      const bool first = unavailable_.isEmpty();
      unavailable_ = reason;
      if (first) {
        emit DiscoveryUnavailable(reason);
      }
    });
    thread_->start();
  }
  return worker_;
}

void GameDiscovery::Publish(quint16 port, int stage) {
  stage_ = stage;
  DiscoveryWorker* worker = Worker();
  QMetaObject::invokeMethod(worker, [worker, port, stage] { worker->Publish(port, stage); });
}

void GameDiscovery::SetStage(int stage) {
  stage_ = stage;
  if (worker_ != nullptr) {
    QMetaObject::invokeMethod(worker_, [worker = worker_, stage] { worker->SetStage(stage); });
  }
}

void GameDiscovery::Withdraw() {
  if (worker_ != nullptr) {
    QMetaObject::invokeMethod(worker_, [worker = worker_] { worker->Withdraw(); });
  }
}

void GameDiscovery::StartBrowsing() {
  browsing_ = true;
  games_.clear();
  DiscoveryWorker* worker = Worker();
  QMetaObject::invokeMethod(worker, [worker] { worker->StartBrowsing(); });
}

void GameDiscovery::StopBrowsing() {
  browsing_ = false;
  games_.clear();
  if (worker_ != nullptr) {
    QMetaObject::invokeMethod(worker_, [worker = worker_] { worker->StopBrowsing(); });
  }
}

void GameDiscovery::GameFound(const FoundGame& game) {
  if (!browsing_) {
    return;  // sent before browsing stopped
  }
  unavailable_.clear();  // the daemon is back
  const auto same = std::find_if(games_.begin(), games_.end(),
                                 [&](const FoundGame& known) { return known.name == game.name; });
  if (same == games_.end()) {
    games_.append(game);
  } else if (*same == game) {
    return;
  } else {
    *same = game;
  }
  emit GamesChanged();
}

void GameDiscovery::GameGone(const QString& name) {
  if (browsing_ &&
      games_.removeIf([&](const FoundGame& known) { return known.name == name; }) > 0) {
    emit GamesChanged();
  }
}

}  // namespace vextal
