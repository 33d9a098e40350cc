#pragma once

#include <functional>

#include <QList>
#include <QString>
#include <QtGlobal>

class QIODevice;
class QObject;

namespace vextal {

// The numbers State() reports. The program itself tells only closed (0) from connected (7).
enum SocketState : qint16 {
  StateClosed = 0,
  StateOpen = 1,
  StateListening = 2,
  StateResolvingHost = 4,
  StateConnecting = 6,
  StateConnected = 7,
  StateClosing = 8,
};

// Qt's network classes, reached through a library of the program's own that is loaded at the
// first network command (modules/libvextal_network.so beside the binary), so that a game at one
// machine or against the CPU never maps Qt Network and what it brings along (Kerberos, the proxy
// library). The program itself has no link to Qt Network: a socket is a QIODevice here, read and
// written as one, and a listening server a plain QObject; everything that needs their network
// side goes through these functions.
class NetworkLibrary {
 public:
  // One service record of a DNS look-up, in the order the records should be tried.
  struct ServiceTarget {
    QString Host;
    quint16 Port = 0;
  };

  virtual ~NetworkLibrary() = default;

  // A TCP socket, owned by `parent`; unconnected.
  virtual QIODevice* NewSocket(QObject* parent) const = 0;
  virtual void ConnectToHost(QIODevice* socket, const QString& host, quint16 port) const = 0;
  // The socket's state as one of cSocket's SocketState numbers.
  virtual qint16 State(const QIODevice* socket) const = 0;
  virtual qintptr Descriptor(const QIODevice* socket) const = 0;
  virtual void SetReadBufferSize(QIODevice* socket, qint64 bytes) const = 0;
  // The peer's address as a person knows it (an IPv4 peer of a dual-stack listener as plain
  // IPv4), the name it was reached by, and the ports.
  virtual QString PeerAddress(const QIODevice* socket) const = 0;
  virtual QString PeerName(const QIODevice* socket) const = 0;
  virtual quint16 PeerPort(const QIODevice* socket) const = 0;
  virtual quint16 LocalPort(const QIODevice* socket) const = 0;
  // Closes once what is written has gone; Abort closes at once.
  virtual void DisconnectFromHost(QIODevice* socket) const = 0;
  virtual void Abort(QIODevice* socket) const = 0;
  // Calls the handlers, within `context`'s life, when the socket connects, fails (with whether
  // the failure is the peer's close) and disconnects.
  virtual void Watch(QIODevice* socket, QObject* context, std::function<void()> connected,
                     std::function<void(bool peerClosed)> failed,
                     std::function<void()> disconnected) const = 0;
  // Deletes the socket once it has disconnected.
  virtual void DeleteWhenDisconnected(QIODevice* socket) const = 0;

  // A TCP server that keeps at most one connection waiting, owned by `parent`; not listening.
  virtual QObject* NewServer(QObject* parent) const = 0;
  // Listens on `address` (empty: every address, IPv4 and IPv6) and `port` (0: a free one).
  virtual bool Listen(QObject* server, const QString& address, quint16 port) const = 0;
  virtual bool IsListening(const QObject* server) const = 0;
  virtual quint16 ServerPort(const QObject* server) const = 0;
  virtual void Close(QObject* server) const = 0;
  // The next accepted connection, owned by the server until given another parent; null when none.
  virtual QIODevice* NextPending(QObject* server) const = 0;
  virtual void WatchServer(QObject* server, QObject* context, std::function<void()> newConnection,
                           std::function<void()> acceptFailed) const = 0;

  // This machine's first non-loopback IPv4 address, empty when it has none.
  virtual QString FirstLocalIPv4() const = 0;

  // Looks up the SRV records of `name`; `done` gets them (none on failure). The returned object,
  // owned by `parent`, is the look-up: deleting it abandons it.
  virtual QObject* LookUpService(const QString& name, QObject* parent,
                                 std::function<void(QList<ServiceTarget>)> done) const = 0;
  // Resolves `host`; `done` gets its first address, empty on failure. Returns an id for
  // AbortHostLookup. Nothing is called once `context` is gone.
  virtual int LookUpHost(const QString& host, QObject* context,
                         std::function<void(QString address)> done) const = 0;
  virtual void AbortHostLookup(int id) const = 0;
};

// The library, loaded at the first call; null where it cannot be loaded (the network commands
// then fail as a network that is not there).
const NetworkLibrary* Network();

}  // namespace vextal

// What the library exports; a program linked with it finds it without loading anything.
extern "C" const vextal::NetworkLibrary* vextal_network_library();
