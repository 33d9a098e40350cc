// Receiving: bytes become messages, handed to the listener by the shared delivery rules
// (MessageDelivery), and the peer's close reported after its last message.

#include <QIODevice>

#include "net/cSocket.h"

namespace vextal {

namespace {

// Bytes taken from the socket per decoding step, so one burst of data never sits in memory twice.
constexpr qint64 kReadChunk = 64 * 1024;

}  // namespace

MessageDelivery::Source cSocket::DeliverySource() {
  return MessageDelivery::Source{
      [this](QList<Message>& into) { return Decode(into); },
      [this] { return socket_ != nullptr && socket_->bytesAvailable() > 0; },
      [this](const Message& message) {
        if (listener_ != nullptr) {
          listener_->wsReceive(this, message);
        }
      },
      [this] { ReportReceiveEnd(); },
  };
}

void cSocket::HoldDelivery(bool hold) {
  delivery_.Hold(hold);
}

bool cSocket::Decode(QList<Message>& into) {
  if (socket_ == nullptr || socket_->bytesAvailable() <= 0) {
    return false;
  }
  FrameDecoder::Result decoded = decoder_.Feed(socket_->read(kReadChunk));
  if (!decoded.Messages.isEmpty()) {
    // The client has spoken: one client per listen, later ones find nobody.
    DropServer();
  }
  into.append(std::move(decoded.Messages));
  if (decoded.Error == FrameError::TooLarge) {
    // Reported after the messages before it; the rest is never read.
    tooLarge_ = true;
    delivery_.EndAfterLast(true);
  } else if (decoded.Error == FrameError::EmptyMessage) {
    // What is pending cannot be placed in the stream any more: throw it away. The decoder has
    // started over and takes the next bytes that arrive as a new message.
    socket_->readAll();
  }
  return true;
}

void cSocket::OnPeerClosed() {
  if (socket_ == nullptr) {
    return;
  }
  // Messages that arrived before the close are delivered first; the delivery reports the close
  // once it has handed over the last of them.
  peerClosedHeld_ = true;
  delivery_.EndAfterLast(false);
  delivery_.Pump();
}

bool cSocket::DeliverPending() {
  return socket_ != nullptr && delivery_.Pump();
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
