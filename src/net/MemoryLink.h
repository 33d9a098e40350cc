#pragma once

#include "net/MessageDelivery.h"
#include "net/PeerLink.h"

namespace vextal {

// One end of a link held in memory: what one end sends, the other receives, by the same delivery
// rules as every link (MessageDelivery), without sockets. Tests and the fuzzer play the protocol
// over a pair of them; Join opens both ends.
class MemoryLink final : public PeerLink {
 public:
  explicit MemoryLink(LinkEvents& events);
  ~MemoryLink() override;
  MemoryLink(const MemoryLink&) = delete;
  MemoryLink& operator=(const MemoryLink&) = delete;

  // Connects two ends: host plays player 1 and is told first, then guest.
  static void Join(MemoryLink& host, MemoryLink& guest);

  // Hands over now, for one slice, what the other end sent (otherwise it comes from the event
  // loop).
  void DeliverNow() { delivery_.Pump(); }
  void SetSliceClock(std::function<qint64()> clock) { delivery_.SetSliceClock(std::move(clock)); }

  bool Send(const Message& message) override;
  void Close(qint32 cause) override;
  void HoldDelivery(bool hold) override { delivery_.Hold(hold); }
  bool Connected() const override { return peer_ != nullptr; }
  qint64 QueuedTotal() const override { return queuedTotal_; }
  bool Written(qint64) const override { return true; }  // nothing waits in between

 private:
  // The other end went: its messages are delivered first, then this end closes.
  void PeerLeft();

  LinkEvents& events_;
  MessageDelivery delivery_;
  MemoryLink* peer_ = nullptr;
  LinkRole role_ = LinkRole::Host;
  qint64 queuedTotal_ = 0;
};

}  // namespace vextal
