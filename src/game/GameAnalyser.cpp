#include "game/GameAnalyser.h"

#include <QMetaObject>

namespace vextal {

GameAnalyser::~GameAnalyser() {
  Cancel();
}

void GameAnalyser::Start(const RecordedGame& game, std::shared_ptr<const OpeningBook> book,
                         const AnalysisSettings& settings, Progress progress, Done done) {
  Cancel();
  const std::uint64_t run = ++run_;
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  running_ = true;
  worker_ = std::thread([this, run, cancel = cancel_, game, book = std::move(book), settings,
                         progress = std::move(progress), done = std::move(done)]() mutable {
    auto report = [this, run, progress](const GameAnalysis& sofar, int count, int total) {
      if (!progress) {
        return;
      }
      auto copy = std::make_shared<GameAnalysis>(sofar);
      QMetaObject::invokeMethod(
          this,
          [this, run, copy, count, total, progress] {
            if (run == run_ && running_) {
              progress(*copy, count, total);
            }
          },
          Qt::QueuedConnection);
    };
    auto analysis =
        std::make_shared<GameAnalysis>(AnalyseGame(game, book.get(), settings, *cancel, report));
    QMetaObject::invokeMethod(
        this,
        [this, run, analysis, done = std::move(done)] {
          if (run != run_ || !running_) {
            return;
          }
          running_ = false;
          if (worker_.joinable()) {
            worker_.join();
          }
          done(*analysis);
        },
        Qt::QueuedConnection);
  });
}

void GameAnalyser::Cancel() {
  ++run_;
  running_ = false;
  if (cancel_) {
    cancel_->store(true);
  }
  if (worker_.joinable()) {
    worker_.join();
  }
}

}  // namespace vextal
