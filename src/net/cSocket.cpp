#include "net/cSocket.h"

#include <utility>

#include <QIODevice>
#include <QPointer>
#include <QTimer>

#include "net/KeepAlive.h"

namespace vextal {

namespace {

// How long a closed connection may take to hand its last bytes to the peer before it is dropped.
constexpr int kCloseGraceMs = 5000;

// Messages are small and each one matters at once: a move must not wait for the acknowledgement
// of the digest sent before it. A peer that vanishes without closing is noticed by keep-alive.
void TuneConnected(const NetworkLibrary& net, const QIODevice* socket) {
  const qintptr descriptor = net.Descriptor(socket);
  SendAtOnce(descriptor);
  EnableKeepAlive(descriptor);
}

}  // namespace

cSocket::cSocket(SocketListener* iListener, QObject* parent)
    : QObject(parent), listener_(iListener) {}

cSocket::~cSocket() {
  // The connection closes with the object; nobody is told.
  listener_ = nullptr;
  if (sender() != nullptr) {
    // Destroyed by a callback made from one of this object's slots: the socket or server is
    // in the middle of emitting a signal, so it must outlive this call.
    DropEndpoint();
    return;
  }
  if (server_ != nullptr) {
    server_->disconnect(this);
    delete server_;
  }
  if (socket_ != nullptr) {
    socket_->disconnect(this);
    net_->DisconnectFromHost(socket_);
    delete socket_;
  }
}

qint16 cSocket::State() const {
  if (socket_ == nullptr) {
    return server_ != nullptr && net_->IsListening(server_) ? StateListening : StateClosed;
  }
  return net_->State(socket_);
}

QString cSocket::LocalIP() {
  const NetworkLibrary* net = Network();
  const QString address = net != nullptr ? net->FirstLocalIPv4() : QString();
  return address.isEmpty() ? QStringLiteral("127.0.0.1") : address;
}

quint16 cSocket::ListeningPort() const {
  return server_ != nullptr ? net_->ServerPort(server_) : 0;
}

bool cSocket::DropEndpoint() {
  const bool wasOpen = State() != StateClosed;
  NewGeneration();
  peerClosedHeld_ = false;
  tooLarge_ = false;
  overflowed_ = false;
  heldConnected_ = false;
  heldError_.reset();
  DropServer();
  DropSocket();
  return wasOpen;
}

void cSocket::NewGeneration() {
  ++generation_;
  delivery_.Reset();
}

void cSocket::DropServer() {
  if (server_ != nullptr) {
    QObject* server = std::exchange(server_, nullptr);
    server->disconnect(this);
    net_->Close(server);
    server->setParent(nullptr);
    server->deleteLater();
  }
}

void cSocket::DropSocket() {
  if (socket_ != nullptr) {
    QIODevice* socket = std::exchange(socket_, nullptr);
    socket->disconnect(this);
    // Detached from this object, so neither this object's destruction nor a callback running
    // inside one of the socket's own signals deletes it under Qt's feet.
    socket->setParent(nullptr);
    if (net_->State(socket) == StateClosed) {
      socket->deleteLater();
    } else {
      // Let bytes already written reach the peer, then go; a peer that stops reading cannot
      // keep the socket alive for long.
      net_->DeleteWhenDisconnected(socket);
      net_->DisconnectFromHost(socket);
      if (net_->State(socket) == StateClosed) {
        socket->deleteLater();
      } else {
        QTimer::singleShot(kCloseGraceMs, socket, &QObject::deleteLater);
      }
    }
  }
}

void cSocket::LetSilentClientGo() {
  const QString address = std::exchange(clientAddress_, QString());
  NewGeneration();
  peerClosedHeld_ = false;
  tooLarge_ = false;
  overflowed_ = false;
  DropSocket();
  decoder_.ResetReceive();
  if (listener_ != nullptr) {
    listener_->wsClientLeft(this, address);
  }
}

void cSocket::Disconnect(qint32 iCause) {
  const bool wasOpen = DropEndpoint();
  if ((wasOpen || iCause >= 1) && listener_ != nullptr) {
    listener_->wsDisconnected(this, iCause);
  }
}

bool cSocket::SendList(const Message& iData) {
  if (State() != StateConnected || overflowed_) {
    return false;
  }
  const std::optional<QByteArray> bytes = EncodeMessage(iData);
  if (!bytes) {
    return false;
  }
  if (socket_->bytesToWrite() + bytes->size() > kMaxUnsentBytes) {
    // The peer does not read what it is sent. Ending the connection here could pull it away
    // from under the caller, so it ends from the event loop.
    overflowed_ = true;
    const quint64 generation = generation_;
    QTimer::singleShot(0, this, [this, generation] {
      if (generation == generation_) {
        Disconnect(CauseNetworkError);
      }
    });
    return false;
  }
  // The whole message goes into the socket's write buffer at once; Qt flushes it from the
  // event loop, so a message is never left half sent by this side.
  queuedTotal_ += bytes->size();
  return socket_->write(*bytes) == bytes->size();
}

qintptr cSocket::Descriptor() const {
  return socket_ != nullptr ? net_->Descriptor(socket_) : -1;
}

qint64 cSocket::Unsent() const {
  return socket_ != nullptr ? socket_->bytesToWrite() : 0;
}

bool cSocket::Written(qint64 mark) const {
  return queuedTotal_ - Unsent() >= mark;
}

bool cSocket::Listen(qint32 iPort, const QString& iBindAddress) {
  const QPointer<cSocket> alive(this);
  Disconnect(CauseClosedHere);
  if (!alive) {
    return false;
  }
  DropEndpoint();  // in case the callback of that disconnect opened something new
  decoder_.ResetReceive();

  net_ = Network();
  QObject* server = net_ != nullptr ? net_->NewServer(this) : nullptr;
  if (server == nullptr || iPort < 0 || iPort > 0xFFFF ||
      !net_->Listen(server, iBindAddress, quint16(iPort))) {
    delete server;
    Disconnect(CauseClientClosed);
    return false;
  }
  server_ = server;
  NewGeneration();
  net_->WatchServer(
      server, this, [this] { OnNewConnection(); }, [this] { OnAcceptError(); });
  hosting_ = true;
  if (listener_ != nullptr) {
    listener_->wsListening(this, net_->ServerPort(server));
  }
  return true;
}

bool cSocket::Connect(const QString& iRemoteIP, qint32 iPort) {
  const QPointer<cSocket> alive(this);
  Disconnect(CauseClosedHere);
  if (!alive) {
    return false;
  }
  DropEndpoint();
  decoder_.ResetReceive();
  net_ = Network();
  if (net_ == nullptr || iRemoteIP.trimmed().isEmpty() || iPort < 1 || iPort > 0xFFFF) {
    return false;
  }

  socket_ = net_->NewSocket(this);
  NewGeneration();
  const quint64 generation = generation_;
  WatchSocket(socket_);
  holdEvents_ = true;
  net_->ConnectToHost(socket_, iRemoteIP, quint16(iPort));
  holdEvents_ = false;
  hosting_ = false;
  if (listener_ != nullptr) {
    listener_->wsConnecting(this, iRemoteIP, iPort);
  }

  // Events that fired inside connectToHost come now, after wsConnecting.
  if (alive && generation == generation_ && std::exchange(heldConnected_, false)) {
    OnConnected();
  }
  if (alive && generation == generation_ && heldError_) {
    OnSocketError(*std::exchange(heldError_, std::nullopt));
  }
  return true;
}

void cSocket::WatchSocket(QIODevice* socket) {
  // What the peer sends beyond this waits in its own buffers until this side has read it.
  net_->SetReadBufferSize(socket, kReadBufferBytes);
  // The options take on a connected socket: an accepted one is, a connecting one will be.
  if (net_->State(socket) == StateConnected) {
    TuneConnected(*net_, socket);
  }
  // Some peers' closes arrive as a plain disconnect without an error first.
  net_->Watch(
      socket, this,
      [this, socket] {
        TuneConnected(*net_, socket);
        OnConnected();
      },
      [this](bool peerClosed) { OnSocketError(peerClosed); }, [this] { OnPeerClosed(); });
  connect(socket, &QIODevice::readyRead, this, [this] { DeliverPending(); });
  connect(socket, &QIODevice::bytesWritten, this, [this, socket] {
    if (socket == socket_ && socket->bytesToWrite() == 0 && allWritten_) {
      allWritten_();
    }
  });
}

void cSocket::OnNewConnection() {
  if (server_ == nullptr) {
    return;
  }
  QIODevice* pending = net_->NextPending(server_);
  if (pending == nullptr) {
    return;
  }
  pending->setParent(this);
  const qint32 requestId = qint32(net_->Descriptor(pending));
  const bool heldClientSentBytes =
      socket_ != nullptr && (socket_->bytesAvailable() > 0 || decoder_.ItemCount() >= 0);
  if (net_->State(pending) != StateConnected || heldClientSentBytes) {
    // Gone already, or a client that has begun to talk is kept: the newcomer goes.
    net_->Abort(pending);
    pending->deleteLater();
    return;
  }
  if (socket_ != nullptr) {
    // The client accepted before has not sent a byte: the newcomer takes its place.
    const QPointer<cSocket> alive(this);
    LetSilentClientGo();
    if (!alive) {
      return;  // the newcomer went with this object
    }
    if (server_ == nullptr || socket_ != nullptr) {
      net_->Abort(pending);  // the callback stopped hosting or opened something else
      pending->deleteLater();
      return;
    }
  }
  Accept(pending, requestId);
}

void cSocket::OnAcceptError() {
  Disconnect(CauseNetworkError);
}

void cSocket::Accept(QIODevice* iPending, qint32 iRequestID) {
  socket_ = iPending;
  NewGeneration();
  const quint64 generation = generation_;
  WatchSocket(socket_);
  decoder_.ResetReceive();
  clientAddress_ = net_->PeerAddress(socket_);
  const QPointer<cSocket> alive(this);
  if (listener_ != nullptr) {
    listener_->wsAccepted(this, clientAddress_, net_->LocalPort(socket_), iRequestID);
  }
  // Bytes that came with the connection would otherwise wait for the next readyRead.
  if (alive && generation == generation_ && socket_->bytesAvailable() > 0) {
    DeliverPending();
  }
}

void cSocket::OnConnected() {
  if (holdEvents_) {
    heldConnected_ = true;
    return;
  }
  if (socket_ == nullptr) {
    return;
  }
  const quint64 generation = generation_;
  const QPointer<cSocket> alive(this);
  if (listener_ != nullptr) {
    listener_->wsConnected(this, net_->PeerAddress(socket_), net_->PeerName(socket_).toUpper(),
                           net_->PeerPort(socket_));
  }
  if (alive && generation == generation_ && socket_->bytesAvailable() > 0) {
    DeliverPending();
  }
}

void cSocket::OnSocketError(bool peerClosed) {
  if (holdEvents_) {
    if (!heldError_) {
      heldError_ = peerClosed;
    }
    return;
  }
  if (peerClosed) {
    OnPeerClosed();
  } else if (HoldsSilentClient()) {
    LetSilentClientGo();  // reset before a word, say: the host goes on waiting
  } else {
    Disconnect(CauseNetworkError);
  }
}

}  // namespace vextal
