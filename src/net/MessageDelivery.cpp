#include "net/MessageDelivery.h"

#include <utility>

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

namespace vextal {

MessageDelivery::MessageDelivery(Source source, QObject* parent)
    : QObject(parent), source_(std::move(source)) {}

void MessageDelivery::Hold(bool hold) {
  held_ = hold;
  if (!hold) {
    Schedule();
  }
}

void MessageDelivery::EndAfterLast(bool discardRest) {
  ending_ = true;
  discardRest_ = discardRest_ || discardRest;
}

void MessageDelivery::Reset() {
  ++generation_;
  queue_.clear();
  scheduled_ = false;
  ending_ = false;
  discardRest_ = false;
}

void MessageDelivery::Schedule() {
  if (scheduled_) {
    return;
  }
  scheduled_ = true;
  const quint64 generation = generation_;
  QTimer::singleShot(0, this, [this, generation] {
    if (generation == generation_) {
      scheduled_ = false;
      Pump();
    }
  });
}

qint64 MessageDelivery::Now() const {
  if (sliceClock_) {
    return sliceClock_();
  }
  static const QElapsedTimer monotonic = [] {
    QElapsedTimer timer;
    timer.start();
    return timer;
  }();
  return monotonic.elapsed();
}

bool MessageDelivery::Pump() {
  const quint64 generation = generation_;
  if (delivering_ == generation || held_) {
    return true;  // a nested pass, or held: the messages follow later, in order
  }
  const QPointer<MessageDelivery> alive(this);
  const quint64 outer = std::exchange(delivering_, generation);
  const qint64 sliceStart = Now();
  bool sliceOver = false;
  bool ok = true;
  while (ok && !sliceOver) {
    if (queue_.isEmpty() && !discardRest_ && !source_.Refill(queue_)) {
      break;
    }
    if (generation != generation_) {
      ok = false;  // the refill ended the connection
      break;
    }
    ok = DeliverQueued(sliceStart, sliceOver);
    if (ok && queue_.isEmpty() && discardRest_) {
      break;
    }
  }
  if (!alive) {
    return false;
  }
  delivering_ = outer;
  if (!ok) {
    return false;
  }
  if (sliceOver) {
    Schedule();
    return true;
  }
  if (queue_.isEmpty() && ending_ && (discardRest_ || !source_.MoreWaiting())) {
    ending_ = false;
    discardRest_ = false;
    source_.End();
    return false;
  }
  return true;
}

bool MessageDelivery::DeliverQueued(qint64 sliceStart, bool& sliceOver) {
  const quint64 generation = generation_;
  const QPointer<MessageDelivery> alive(this);
  while (!queue_.isEmpty()) {
    if (held_) {
      sliceOver = true;  // resumed when the hold is released
      return true;
    }
    const Message message = queue_.takeFirst();
    source_.Receive(message);
    if (!alive || generation != generation_) {
      return false;
    }
    const bool more = !queue_.isEmpty() || (!discardRest_ && source_.MoreWaiting());
    if (more && Now() - sliceStart >= kSliceMs) {
      sliceOver = true;
      return true;
    }
  }
  return true;
}

}  // namespace vextal
