// One move message from one endpoint to another over 127.0.0.1 and the same bytes back:
// - cSocket to cSocket (framing, decoding and the connection events included);
// - a bare QTcpSocket pair echoing the same 10 bytes, driven by the same event loop;
// - plain blocking POSIX sockets with TCP_NODELAY, the floor the kernel sets.
// Both ends live in this one thread, so no thread wake-up is timed: the Qt pairs spin the event
// loop (waiting in poll, never busily) until the reply is in, the POSIX pair calls send and recv
// in turn. Ports are ephemeral, on the loopback address only.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include "QtBenchMain.h"
#include "net/Framing.h"
#include "net/SocketListener.h"
#include "net/cSocket.h"

using namespace vextal;

namespace {

const Message kMove = {"24", "1", "3", "2"};
constexpr int kSetupTimeoutMs = 5000;

// Runs the event loop, waiting for events, until done() or the timeout. False on timeout.
template <typename Done>
bool PumpUntil(Done done, int timeoutMs = kSetupTimeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > timeoutMs) {
      return false;
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  return true;
}

// --- cSocket to cSocket ----------------------------------------------------------------------

// Sends every message back where it came from.
class EchoHost final : public SocketListener {
 public:
  bool Accepted = false;
  void wsListening(cSocket*, qint32) override {}
  void wsConnecting(cSocket*, const QString&, qint32) override {}
  void wsAccepted(cSocket*, const QString&, qint32, qint32) override { Accepted = true; }
  void wsConnected(cSocket*, const QString&, const QString&, qint32) override {}
  void wsDisconnected(cSocket*, qint32) override { Accepted = false; }
  void wsReceive(cSocket* iSocket, const Message& iData) override { iSocket->SendList(iData); }
};

class Client final : public SocketListener {
 public:
  bool Connected = false;
  long Replies = 0;
  void wsListening(cSocket*, qint32) override {}
  void wsConnecting(cSocket*, const QString&, qint32) override {}
  void wsAccepted(cSocket*, const QString&, qint32, qint32) override {}
  void wsConnected(cSocket*, const QString&, const QString&, qint32) override { Connected = true; }
  void wsDisconnected(cSocket*, qint32) override { Connected = false; }
  void wsReceive(cSocket*, const Message&) override { ++Replies; }
};

void BM_RoundTripCSocket(benchmark::State& state) {
  EchoHost hostEvents;
  Client clientEvents;
  cSocket host(&hostEvents);
  cSocket client(&clientEvents);
  if (!host.Listen(0, QStringLiteral("127.0.0.1")) ||
      !client.Connect(QStringLiteral("127.0.0.1"), host.ListeningPort()) ||
      !PumpUntil([&] { return clientEvents.Connected && hostEvents.Accepted; })) {
    state.SkipWithError("no connection on 127.0.0.1");
    return;
  }
  for (auto _ : state) {
    const long before = clientEvents.Replies;
    client.SendList(kMove);
    while (clientEvents.Replies == before && clientEvents.Connected) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (!clientEvents.Connected) {
      state.SkipWithError("connection lost");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
}

// --- bare QTcpSocket pair ----------------------------------------------------------------------

void BM_RoundTripQtBare(benchmark::State& state) {
  const QByteArray bytes = *EncodeMessage(kMove);
  QTcpServer server;
  if (!server.listen(QHostAddress(QHostAddress::LocalHost), 0)) {
    state.SkipWithError("cannot listen on 127.0.0.1");
    return;
  }
  QTcpSocket client;
  client.connectToHost(QHostAddress(QHostAddress::LocalHost), server.serverPort());
  std::unique_ptr<QTcpSocket> served;
  if (!PumpUntil([&] {
        if (!served && server.hasPendingConnections()) {
          served.reset(server.nextPendingConnection());
        }
        return served && client.state() == QAbstractSocket::ConnectedState;
      })) {
    state.SkipWithError("no connection on 127.0.0.1");
    return;
  }
  served->setParent(nullptr);

  // The echo side answers each whole message; the client counts whole replies.
  QByteArray echoPending;
  QObject::connect(served.get(), &QIODevice::readyRead, served.get(), [&] {
    echoPending += served->readAll();
    while (echoPending.size() >= bytes.size()) {
      served->write(echoPending.constData(), bytes.size());
      echoPending.remove(0, bytes.size());
    }
  });
  qsizetype replyBytes = 0;
  long replies = 0;
  QObject::connect(&client, &QIODevice::readyRead, &client, [&] {
    replyBytes += client.readAll().size();
    replies += long(replyBytes / bytes.size());
    replyBytes %= bytes.size();
  });

  for (auto _ : state) {
    const long before = replies;
    client.write(bytes);
    while (replies == before && client.state() == QAbstractSocket::ConnectedState) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (client.state() != QAbstractSocket::ConnectedState) {
      state.SkipWithError("connection lost");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
}

// --- plain POSIX sockets -----------------------------------------------------------------------

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

bool SendAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t sent = ::send(fd, data, size, 0);
    if (sent <= 0) {
      return false;
    }
    data += sent;
    size -= size_t(sent);
  }
  return true;
}

bool RecvAll(int fd, char* data, size_t size) {
  while (size > 0) {
    const ssize_t got = ::recv(fd, data, size, 0);
    if (got <= 0) {
      return false;
    }
    data += got;
    size -= size_t(got);
  }
  return true;
}

void NoDelay(int fd) {
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

void BM_RoundTripPosix(benchmark::State& state) {
  const QByteArray bytes = *EncodeMessage(kMove);
  Fd listener(::socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (::bind(listener.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener.get(), 1) != 0 ||
      ::getsockname(listener.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    state.SkipWithError("cannot listen on 127.0.0.1");
    return;
  }
  Fd client(::socket(AF_INET, SOCK_STREAM, 0));
  if (::connect(client.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    state.SkipWithError("cannot connect on 127.0.0.1");
    return;
  }
  Fd served(::accept(listener.get(), nullptr, nullptr));
  NoDelay(client.get());
  NoDelay(served.get());

  QByteArray buffer(bytes.size(), '\0');
  for (auto _ : state) {
    if (!SendAll(client.get(), bytes.constData(), size_t(bytes.size())) ||
        !RecvAll(served.get(), buffer.data(), size_t(buffer.size())) ||
        !SendAll(served.get(), buffer.constData(), size_t(buffer.size())) ||
        !RecvAll(client.get(), buffer.data(), size_t(buffer.size()))) {
      state.SkipWithError("connection lost");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_RoundTripCSocket)->MinTime(0.2);
BENCHMARK(BM_RoundTripQtBare)->MinTime(0.2);
BENCHMARK(BM_RoundTripPosix)->MinTime(0.2);

}  // namespace

VEXTAL_BENCH_MAIN(QCoreApplication)
