#pragma once

#include <avahi-common/watch.h>

namespace vextal {

// Avahi's main-loop interface served by Qt's event loop: a watch is a pair of socket notifiers, a
// timeout a single-shot timer. Every watch and timeout belongs to the thread that asks for it,
// and that thread's event loop runs its callbacks; Avahi may free either from inside its own
// callback.
class AvahiQtPoll {
 public:
  AvahiQtPoll();
  AvahiQtPoll(const AvahiQtPoll&) = delete;
  AvahiQtPoll& operator=(const AvahiQtPoll&) = delete;

  const AvahiPoll* Api() const { return &api_; }

 private:
  AvahiPoll api_{};
};

}  // namespace vextal
