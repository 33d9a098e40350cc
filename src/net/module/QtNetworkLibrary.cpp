// The network side of the program, built as a library of its own (see net/NetworkLibrary.h):
// the only code that touches Qt Network.

#include <QDnsLookup>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>

#include "net/NetworkLibrary.h"
#include "net/cSocket.h"

namespace vextal {
namespace {

QTcpSocket* Tcp(QIODevice* socket) {
  return static_cast<QTcpSocket*>(socket);
}

const QTcpSocket* Tcp(const QIODevice* socket) {
  return static_cast<const QTcpSocket*>(socket);
}

QTcpServer* Server(QObject* server) {
  return static_cast<QTcpServer*>(server);
}

const QTcpServer* Server(const QObject* server) {
  return static_cast<const QTcpServer*>(server);
}

// An IPv4 client of the dual-stack listener shows as plain IPv4, not as ::ffff:a.b.c.d.
QString AddressText(const QHostAddress& address) {
  bool isIPv4 = false;
  const quint32 ipv4 = address.toIPv4Address(&isIPv4);
  return isIPv4 ? QHostAddress(ipv4).toString() : address.toString();
}

class QtNetworkLibrary final : public NetworkLibrary {
 public:
  QIODevice* NewSocket(QObject* parent) const override { return new QTcpSocket(parent); }

  void ConnectToHost(QIODevice* socket, const QString& host, quint16 port) const override {
    Tcp(socket)->connectToHost(host, port);
  }

  qint16 State(const QIODevice* socket) const override {
    switch (Tcp(socket)->state()) {
      case QAbstractSocket::UnconnectedState:
        return StateClosed;
      case QAbstractSocket::HostLookupState:
        return StateResolvingHost;
      case QAbstractSocket::ConnectingState:
        return StateConnecting;
      case QAbstractSocket::ConnectedState:
        return StateConnected;
      case QAbstractSocket::BoundState:
        return StateOpen;
      case QAbstractSocket::ListeningState:
        return StateListening;
      case QAbstractSocket::ClosingState:
        return StateClosing;
    }
    return StateClosed;
  }

  qintptr Descriptor(const QIODevice* socket) const override {
    return Tcp(socket)->socketDescriptor();
  }

  void SetReadBufferSize(QIODevice* socket, qint64 bytes) const override {
    Tcp(socket)->setReadBufferSize(bytes);
  }

  QString PeerAddress(const QIODevice* socket) const override {
    return AddressText(Tcp(socket)->peerAddress());
  }

  QString PeerName(const QIODevice* socket) const override { return Tcp(socket)->peerName(); }
  quint16 PeerPort(const QIODevice* socket) const override { return Tcp(socket)->peerPort(); }
  quint16 LocalPort(const QIODevice* socket) const override { return Tcp(socket)->localPort(); }
  void DisconnectFromHost(QIODevice* socket) const override { Tcp(socket)->disconnectFromHost(); }
  void Abort(QIODevice* socket) const override { Tcp(socket)->abort(); }

  void Watch(QIODevice* socket, QObject* context, std::function<void()> connected,
             std::function<void(bool)> failed, std::function<void()> disconnected) const override {
    QTcpSocket* tcp = Tcp(socket);
    QObject::connect(tcp, &QAbstractSocket::connected, context, std::move(connected));
    QObject::connect(tcp, &QAbstractSocket::errorOccurred, context,
                     [failed = std::move(failed)](QAbstractSocket::SocketError error) {
                       failed(error == QAbstractSocket::RemoteHostClosedError);
                     });
    QObject::connect(tcp, &QAbstractSocket::disconnected, context, std::move(disconnected));
  }

  void DeleteWhenDisconnected(QIODevice* socket) const override {
    QObject::connect(Tcp(socket), &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
  }

  QObject* NewServer(QObject* parent) const override {
    auto* server = new QTcpServer(parent);
    server->setMaxPendingConnections(1);
    return server;
  }

  bool Listen(QObject* server, const QString& address, quint16 port) const override {
    const QHostAddress bind =
        address.isEmpty() ? QHostAddress(QHostAddress::Any) : QHostAddress(address);
    return !bind.isNull() && Server(server)->listen(bind, port);
  }

  bool IsListening(const QObject* server) const override { return Server(server)->isListening(); }

  quint16 ServerPort(const QObject* server) const override { return Server(server)->serverPort(); }

  void Close(QObject* server) const override { Server(server)->close(); }

  QIODevice* NextPending(QObject* server) const override {
    return Server(server)->nextPendingConnection();
  }

  void WatchServer(QObject* server, QObject* context, std::function<void()> newConnection,
                   std::function<void()> acceptFailed) const override {
    QObject::connect(Server(server), &QTcpServer::newConnection, context, std::move(newConnection));
    QObject::connect(Server(server), &QTcpServer::acceptError, context,
                     [acceptFailed = std::move(acceptFailed)] { acceptFailed(); });
  }

  QString FirstLocalIPv4() const override {
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
      if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) {
        return address.toString();
      }
    }
    return {};
  }

  QObject* LookUpService(const QString& name, QObject* parent,
                         std::function<void(QList<ServiceTarget>)> done) const override {
    auto* lookup = new QDnsLookup(QDnsLookup::SRV, name, parent);
    QObject::connect(lookup, &QDnsLookup::finished, lookup, [lookup, done = std::move(done)] {
      QList<ServiceTarget> targets;
      if (lookup->error() == QDnsLookup::NoError) {
        // The records come sorted by priority and weight.
        for (const QDnsServiceRecord& record : lookup->serviceRecords()) {
          targets.append({record.target(), record.port()});
        }
      }
      done(targets);
    });
    lookup->lookup();
    return lookup;
  }

  int LookUpHost(const QString& host, QObject* context,
                 std::function<void(QString)> done) const override {
    return QHostInfo::lookupHost(host, context, [done = std::move(done)](const QHostInfo& info) {
      const bool found = info.error() == QHostInfo::NoError && !info.addresses().isEmpty();
      done(found ? info.addresses().first().toString() : QString());
    });
  }

  void AbortHostLookup(int id) const override { QHostInfo::abortHostLookup(id); }
};

}  // namespace
}  // namespace vextal

extern "C" const vextal::NetworkLibrary* vextal_network_library() {
  static const vextal::QtNetworkLibrary library;
  return &library;
}
