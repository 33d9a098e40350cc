#pragma once

#include <cstdint>

#include "game/Clock.h"

namespace vextal::testing {

// A monotonic clock that moves only when the test says so.
class FakeClock final : public Clock {
 public:
  explicit FakeClock(std::int64_t startMs = 0) : now_(startMs) {}
  std::int64_t NowMs() const override { return now_; }
  void SetNowMs(std::int64_t ms) { now_ = ms; }
  void Advance(std::int64_t ms) { now_ += ms; }

 private:
  std::int64_t now_;
};

}  // namespace vextal::testing
