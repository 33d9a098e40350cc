#pragma once

#include <QString>
#include <QtGlobal>

#include "net/Message.h"

namespace vextal {

class cSocket;

// Why a connection, connect attempt or listen ended, as passed to cSocket::Disconnect and on to
// wsDisconnected. Other values are passed on unchanged.
enum DisconnectCause : qint32 {
  CauseClosedHere = 0,    // closed on this side, nothing to report
  CauseHostClosed = 1,    // the host closed the connection (seen by the connecting side)
  CauseClientClosed = 2,  // the client closed the connection (seen by the host); listen failed
  CauseNetworkError = 3,  // a socket error, an oversized message, a broken snapshot
};

// Receives the connection events of a cSocket; NetGame implements it. iSocket is always
// the reporting cSocket. Every callback may call back into the cSocket (Send, Disconnect, Listen,
// Connect) or destroy it; the cSocket copes.
class SocketListener {
 public:
  virtual ~SocketListener() = default;

  // Listening has started on iPort (the port actually bound).
  virtual void wsListening(cSocket* iSocket, qint32 iPort) = 0;
  // A connect attempt to the host and port given to Connect has started.
  virtual void wsConnecting(cSocket* iSocket, const QString& iRemoteIP, qint32 iPort) = 0;
  // A client has been accepted: its address, the accepted connection's local port, and an id of
  // the accepted connection.
  virtual void wsAccepted(cSocket* iSocket, const QString& iRemoteIP, qint32 iPort,
                          qint32 iRequestID) = 0;
  // The connect attempt succeeded: the host's address, its name in upper case, its port.
  virtual void wsConnected(cSocket* iSocket, const QString& iRemoteIP, const QString& iRemoteHost,
                           qint32 iPort) = 0;
  // A connection, connect attempt or listen has ended (DisconnectCause).
  virtual void wsDisconnected(cSocket* iSocket, qint32 iCause) = 0;
  // One whole message has arrived.
  virtual void wsReceive(cSocket* iSocket, const Message& iData) = 0;
  // The client accepted last closed (or failed) before a whole message came from it; the
  // listener never stopped and the host waits for a client again.
  virtual void wsClientLeft(cSocket* iSocket, const QString& iRemoteIP) {
    Q_UNUSED(iSocket);
    Q_UNUSED(iRemoteIP);
  }
};

}  // namespace vextal
