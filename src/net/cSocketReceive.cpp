// Receiving: bytes become messages, delivered in order, a slice of time per event-loop pass,
// held while the receiver asks to wait, and the peer's close reported after its last message.

#include <QElapsedTimer>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include "net/cSocket.h"

namespace vextal {

namespace {

// Bytes taken from the socket per decoding step, so one burst of data never sits in memory twice.
constexpr qint64 kReadChunk = 64 * 1024;

}  // namespace

void cSocket::HoldDelivery(bool hold) {
  held_ = hold;
  if (!hold) {
    ScheduleDelivery();
  }
}

void cSocket::ScheduleDelivery() {
  if (deliveryScheduled_ || socket_ == nullptr) {
    return;
  }
  deliveryScheduled_ = true;
  const quint64 generation = generation_;
  QTimer::singleShot(0, this, [this, generation] {
    deliveryScheduled_ = false;
    if (generation == generation_) {
      DeliverPending();
    }
  });
}

qint64 cSocket::SliceNow() const {
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

void cSocket::OnPeerClosed() {
  if (socket_ == nullptr) {
    return;
  }
  // Messages that arrived before the close are delivered first; the delivery reports the close
  // once it has handed over the last of them.
  peerClosedHeld_ = true;
  if (deliveringGeneration_ == generation_ || held_) {
    return;
  }
  DeliverPending();
}

bool cSocket::DeliverPending() {
  if (socket_ == nullptr) {
    return false;
  }
  const quint64 generation = generation_;
  if (deliveringGeneration_ == generation || held_) {
    // Entered from a nested event loop inside a callback, or while the receiver asked to wait:
    // the messages keep their order and follow later.
    return true;
  }
  const QPointer<cSocket> alive(this);
  const quint64 outerDelivery = std::exchange(deliveringGeneration_, generation);
  const qint64 sliceStart = SliceNow();
  bool sliceOver = false;
  bool ok = true;
  while (ok && !sliceOver) {
    if (pending_.isEmpty() && !tooLarge_) {
      if (socket_->bytesAvailable() <= 0) {
        break;
      }
      FrameDecoder::Result decoded = decoder_.Feed(socket_->read(kReadChunk));
      pending_ = std::move(decoded.Messages);
      if (!pending_.isEmpty()) {
        // The client has spoken: one client per listen, later ones find nobody.
        DropServer();
      }
      tooLarge_ = decoded.Error == FrameError::TooLarge;
      if (decoded.Error == FrameError::EmptyMessage) {
        // What is pending cannot be placed in the stream any more: throw it away. The decoder
        // has started over and takes the next bytes that arrive as a new message.
        socket_->readAll();
      }
    }
    ok = DeliverDecoded(sliceStart, sliceOver);
    if (ok && pending_.isEmpty() && tooLarge_) {
      break;
    }
  }
  if (!alive) {
    return false;
  }
  deliveringGeneration_ = outerDelivery;
  if (!ok) {
    return false;
  }
  if (sliceOver) {
    ScheduleDelivery();
    return true;
  }
  if (pending_.isEmpty() && (tooLarge_ || (peerClosedHeld_ && socket_->bytesAvailable() <= 0))) {
    ReportReceiveEnd();
    return false;
  }
  return true;
}

bool cSocket::DeliverDecoded(qint64 sliceStart, bool& sliceOver) {
  const quint64 generation = generation_;
  const QPointer<cSocket> alive(this);
  while (!pending_.isEmpty()) {
    if (held_) {
      sliceOver = true;  // resumed when the hold is released
      return true;
    }
    const Message message = pending_.takeFirst();
    if (listener_ != nullptr) {
      listener_->wsReceive(this, message);
    }
    if (!alive || generation != generation_) {
      return false;
    }
    const bool more = !pending_.isEmpty() || socket_->bytesAvailable() > 0;
    if (more && SliceNow() - sliceStart >= kDeliverySliceMs) {
      sliceOver = true;
      return true;
    }
  }
  return true;
}

void cSocket::ReportReceiveEnd() {
  if (std::exchange(tooLarge_, false)) {
    Disconnect(CauseNetworkError);
  } else if (std::exchange(peerClosedHeld_, false)) {
    if (HoldsSilentClient()) {
      LetSilentClientGo();
    } else {
      Disconnect(hosting_ ? CauseClientClosed : CauseHostClosed);
    }
  }
}

}  // namespace vextal
