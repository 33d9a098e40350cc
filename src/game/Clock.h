#pragma once

#include <chrono>
#include <cstdint>

namespace vextal {

// Milliseconds from a monotonic clock: never jumps with the wall clock and never wraps in a run.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMs() const = 0;
};

class SteadyClock final : public Clock {
 public:
  std::int64_t NowMs() const override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
};

}  // namespace vextal
