#include "game/CpuThinker.h"

#include <utility>

#include <QMetaObject>

namespace vextal {

CpuThinker::~CpuThinker() {
  Drop();
}

void CpuThinker::Ask(std::unique_ptr<CpuStrategy> strategy, const Board& board, Player player,
                     Answer answer) {
  Drop();
  const std::uint64_t question = ++question_;
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  open_ = true;
  worker_ = std::thread([this, question, cancel = cancel_, strategy = std::move(strategy), board,
                         player, answer = std::move(answer)]() mutable {
    const std::optional<Cell> cell = strategy->Choose(board, player, *cancel);
    // The answer crosses to this object's thread; it is ignored there if the question was
    // dropped meanwhile, and never runs at all once this object is gone.
    QMetaObject::invokeMethod(
        this,
        [this, question, cell, answer = std::move(answer)] {
          if (question != question_ || !open_) {
            return;
          }
          open_ = false;
          Join();
          answer(cell);
        },
        Qt::QueuedConnection);
  });
}

void CpuThinker::Drop() {
  ++question_;
  open_ = false;
  if (cancel_) {
    cancel_->store(true);
  }
  Join();
}

void CpuThinker::Join() {
  // A dropped search notices its flag within a few hundred positions, so this wait is short.
  if (worker_.joinable()) {
    worker_.join();
  }
}

}  // namespace vextal
