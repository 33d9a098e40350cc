#pragma once

#include <functional>

#include <QCoreApplication>
#include <QString>

#include "game/Dialogs.h"
#include "net/NetView.h"
#include "net/PeerLink.h"
#include "net/SocketListener.h"
#include "net/cSocket.h"

namespace vextal {

// The game's link over TCP: "Host game" and "Connect to Server" on the program's one cSocket,
// and what only TCP has (the port, addresses, the log lines that name them, the announcement on
// the local network while hosting waits). It turns the socket's callbacks into the link events
// the protocol (NetGame) handles, after its own log line where TCP has one.
class TcpLink final : public PeerLink, public SocketListener {
  // Its texts are the network game's, as they always were.
  Q_DECLARE_TR_FUNCTIONS(NetGame)

 public:
  static constexpr qint32 kNetPort = 2501;

  // Becomes the socket's listener; the socket must outlive this object or be given another
  // listener first.
  TcpLink(cSocket& socket, LinkEvents& events, NetView& view, Dialogs& dialogs);
  ~TcpLink() override;
  TcpLink(const TcpLink&) = delete;
  TcpLink& operator=(const TcpLink&) = delete;

  // The TCP port for hosting and connecting. Fixed for the program; tests use 0 (any free port).
  qint32 NetPort = kNetPort;
  // Where "Host game" listens, as text: empty for every address, IPv4 and IPv6. Tests use the
  // loopback address.
  QString ListenAddress;
  // The address typed last into "Connect to Server", offered as the answer next time.
  QString LastServerAddress;
  // Told each address typed that differs from the last, so it is remembered between runs.
  std::function<void(const QString&)> ServerAddressTyped;
  // Told when hosting starts to wait for a client (with the port it listens on) and when it stops
  // waiting (the accepted client's first message, or hosting ended).
  std::function<void(quint16 port)> HostingWaits;
  std::function<void()> HostingStops;

  void HostGame();
  void ConnectToServer();  // asks for the host's address
  void ConnectTo(const QString& host, qint32 port);
  // Whether "Host game" listens and no client is there yet.
  bool Waiting() const { return socket_.State() == StateListening; }
  // Stops listening without a word or a link event, as a game over another link takes the
  // place of the one hosted here (a joiner from the internet lobby); false when not waiting.
  bool HandOver();

  // --- PeerLink -----------------------------------------------------------------------------
  bool Send(const Message& message) override { return socket_.SendList(message); }
  void Close(qint32 cause) override { socket_.Disconnect(cause); }
  void HoldDelivery(bool hold) override { socket_.HoldDelivery(hold); }
  bool Connected() const override { return socket_.State() == StateConnected; }
  qint64 QueuedTotal() const override { return socket_.QueuedTotal(); }
  bool Written(qint64 mark) const override { return socket_.Written(mark); }

  // --- SocketListener -----------------------------------------------------------------------
  void wsListening(cSocket* iSocket, qint32 iPort) override;
  void wsConnecting(cSocket* iSocket, const QString& iRemoteIP, qint32 iPort) override;
  void wsAccepted(cSocket* iSocket, const QString& iRemoteIP, qint32 iPort,
                  qint32 iRequestID) override;
  void wsConnected(cSocket* iSocket, const QString& iRemoteIP, const QString& iRemoteHost,
                   qint32 iPort) override;
  void wsDisconnected(cSocket* iSocket, qint32 iCause) override;
  void wsReceive(cSocket* iSocket, const Message& iData) override;
  void wsClientLeft(cSocket* iSocket, const QString& iRemoteIP) override;

 private:
  cSocket& socket_;
  LinkEvents& events_;
  NetView& view_;
  Dialogs& dialogs_;
  // A client was accepted and nothing has come from it yet: the game stays announced.
  bool clientSilent_ = false;
  bool handingOver_ = false;
};

}  // namespace vextal
