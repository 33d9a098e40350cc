#include "net/MemoryLink.h"

#include "net/SocketListener.h"

namespace vextal {

MemoryLink::MemoryLink(LinkEvents& events)
    : events_(events),
      delivery_(MessageDelivery::Source{
          [](QList<Message>&) { return false; },  // messages arrive whole, by Push
          [] { return false; },
          [this](const Message& message) { events_.LinkReceived(*this, message); },
          [this] {
            events_.LinkClosed(*this,
                               role_ == LinkRole::Host ? CauseClientClosed : CauseHostClosed);
          },
      }) {}

MemoryLink::~MemoryLink() {
  if (peer_ != nullptr) {
    peer_->PeerLeft();
  }
}

void MemoryLink::Join(MemoryLink& host, MemoryLink& guest) {
  host.delivery_.Reset();
  guest.delivery_.Reset();
  host.peer_ = &guest;
  guest.peer_ = &host;
  host.role_ = LinkRole::Host;
  guest.role_ = LinkRole::Guest;
  host.events_.LinkOpened(host, LinkRole::Host);
  guest.events_.LinkOpened(guest, LinkRole::Guest);
}

bool MemoryLink::Send(const Message& message) {
  if (peer_ == nullptr || message.size() == 0) {
    return false;
  }
  queuedTotal_ += message.size();
  peer_->delivery_.Push(message);
  peer_->delivery_.Schedule();
  return true;
}

void MemoryLink::Close(qint32 cause) {
  MemoryLink* peer = std::exchange(peer_, nullptr);
  delivery_.Reset();
  if (peer != nullptr) {
    peer->PeerLeft();
  }
  if (peer != nullptr || cause >= 1) {
    events_.LinkClosed(*this, cause);
  }
}

void MemoryLink::PeerLeft() {
  peer_ = nullptr;
  delivery_.EndAfterLast(false);
  delivery_.Schedule();
}

}  // namespace vextal
