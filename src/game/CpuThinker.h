#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include <QObject>

#include "game/Board.h"
#include "game/CpuLevel.h"
#include "game/CpuStrategy.h"

namespace vextal {

// Thinks about one CPU move at a time off the user-interface thread, so a long search never
// blocks the window, and hands the answer back on the user-interface thread. A question that is
// dropped (a new game, another stage, the CPU switched off, the program closing) never answers.
class CpuThinker final : public QObject {
 public:
  using Answer = std::function<void(std::optional<Cell>)>;

  CpuThinker() = default;
  ~CpuThinker() override;
  CpuThinker(const CpuThinker&) = delete;
  CpuThinker& operator=(const CpuThinker&) = delete;

  // Asks `strategy` for `player`'s move on a copy of `board`; `answer` runs later on this
  // object's thread, unless the question is dropped first. Drops any question still open.
  void Ask(std::unique_ptr<CpuStrategy> strategy, const Board& board, Player player, Answer answer);
  // Drops the open question, if any: its answer is never delivered.
  void Drop();
  // A question is open: asked, and neither answered nor dropped.
  bool Thinking() const { return open_; }

 private:
  void Join();

  std::thread worker_;
  std::shared_ptr<std::atomic<bool>> cancel_;
  std::uint64_t question_ = 0;  // the open question's number; a dropped one's answer is ignored
  bool open_ = false;
};

}  // namespace vextal
