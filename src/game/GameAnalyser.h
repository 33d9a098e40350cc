#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include <QObject>

#include "game/GameAnalysis.h"

namespace vextal {

// Runs one analysis at a time off the user-interface thread and reports on it on this object's
// thread: what is proven so far as it grows, then the result. Cancelling, starting another or
// destroying this object stops the one running; what a stopped analysis proved is never
// reported.
class GameAnalyser final : public QObject {
 public:
  using Progress = std::function<void(const GameAnalysis& sofar, int done, int total)>;
  using Done = std::function<void(const GameAnalysis&)>;

  GameAnalyser() = default;
  ~GameAnalyser() override;
  GameAnalyser(const GameAnalyser&) = delete;
  GameAnalyser& operator=(const GameAnalyser&) = delete;

  void Start(const RecordedGame& game, std::shared_ptr<const OpeningBook> book,
             const AnalysisSettings& settings, Progress progress, Done done);
  void Cancel();
  bool Running() const { return running_; }

 private:
  std::thread worker_;
  std::shared_ptr<std::atomic<bool>> cancel_;
  std::uint64_t run_ = 0;  // the running analysis's number; a cancelled one's reports are ignored
  bool running_ = false;
};

}  // namespace vextal
