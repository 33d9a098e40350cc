#pragma once

#include <functional>

#include <QList>
#include <QObject>

#include "net/Message.h"

namespace vextal {

// Hands a link's received messages to the receiver by the rules every link keeps: one at a time
// and in order; at most one slice of kSliceMs per pass, the rest from the next event-loop pass,
// so a flood never freezes the window; nothing while held; and the link's end (the peer's close,
// a fatal receive error) only after the messages before it.
//
// The receiver may re-enter: send, hold, close the link, start another connection (Reset) or
// destroy the link with this object inside it. After every message it checks that it is still
// there and still delivering the same connection before it goes on. A nested pass (a modal box
// inside the receiver lets the link's events in) delivers nothing: the messages keep their order.
class MessageDelivery final : public QObject {
 public:
  static constexpr qint64 kSliceMs = 20;

  // What the link gives.
  struct Source {
    // Appends what waits on the link, decoded, to `into`; false when nothing waited.
    std::function<bool(QList<Message>& into)> Refill;
    // Something still waits on the link (bytes not decoded yet).
    std::function<bool()> MoreWaiting;
    // One message for the receiver.
    std::function<void(const Message&)> Receive;
    // Every message before the end has been handed over: the link reports its end now.
    std::function<void()> End;
  };

  explicit MessageDelivery(Source source, QObject* parent = nullptr);

  // Queues messages already decoded (a link that receives whole messages).
  void Push(const Message& message) { queue_.append(message); }
  // Delivers what waits, for one slice. False when the connection ended meanwhile (the receiver
  // closed or replaced it, or destroyed this object).
  bool Pump();
  // A pass from the event loop.
  void Schedule();
  void Hold(bool hold);
  bool Held() const { return held_; }
  // The link ends here: once every message before it is delivered, End runs. With discardRest
  // nothing more is taken from the link.
  void EndAfterLast(bool discardRest);
  // A new connection, or none: whatever waited is dropped, a pass under way stops.
  void Reset();
  // The clock that measures a slice, in milliseconds; tests pass a fake one.
  void SetSliceClock(std::function<qint64()> clock) { sliceClock_ = std::move(clock); }

 private:
  bool DeliverQueued(qint64 sliceStart, bool& sliceOver);
  qint64 Now() const;

  Source source_;
  QList<Message> queue_;
  bool held_ = false;
  bool scheduled_ = false;
  bool ending_ = false;
  bool discardRest_ = false;
  quint64 generation_ = 1;
  // The generation being delivered (0: none).
  quint64 delivering_ = 0;
  std::function<qint64()> sliceClock_;
};

}  // namespace vextal
