#include "net/TcpLink.h"

#include <utility>

namespace vextal {

TcpLink::TcpLink(cSocket& socket, LinkEvents& events, NetView& view, Dialogs& dialogs)
    : socket_(socket), events_(events), view_(view), dialogs_(dialogs) {
  socket_.SetListener(this);
  socket_.SetAllWritten([this] { events_.LinkWritten(*this); });
}

TcpLink::~TcpLink() {
  socket_.SetListener(nullptr);
  socket_.SetAllWritten(nullptr);
}

void TcpLink::HostGame() {
  socket_.Listen(NetPort, ListenAddress);
}

void TcpLink::ConnectToServer() {
  const QString answer =
      dialogs_
          .Input(tr("Connect"), tr("Please enter server IP: (eg. 192.168.0.2)"), LastServerAddress)
          .trimmed();
  if (answer.isEmpty()) {
    return;
  }
  if (answer != LastServerAddress) {
    LastServerAddress = answer;
    if (ServerAddressTyped) {
      ServerAddressTyped(answer);
    }
  }
  ConnectTo(answer, NetPort);
}

void TcpLink::ConnectTo(const QString& host, qint32 port) {
  socket_.Connect(host, port);
}

bool TcpLink::HandOver() {
  if (!Waiting()) {
    return false;
  }
  handingOver_ = true;
  socket_.Disconnect(CauseClosedHere);
  handingOver_ = false;
  return true;
}

void TcpLink::wsListening(cSocket*, qint32) {
  view_.AddLog(tr("Waiting for client, IP is %1").arg(cSocket::LocalIP()));
  events_.LinkWaiting(*this);
  if (HostingWaits) {
    HostingWaits(socket_.ListeningPort());
  }
}

void TcpLink::wsConnecting(cSocket*, const QString& iRemoteIP, qint32 iPort) {
  // The address is the user's text: both values are placed in one pass, so a "%2" typed in the
  // address stays as typed.
  view_.AddLog(tr("Connecting to %1 on %2...").arg(iRemoteIP, QString::number(iPort)));
  events_.LinkWaiting(*this);
}

void TcpLink::wsAccepted(cSocket*, const QString& iRemoteIP, qint32, qint32) {
  // The game stays announced until the client has said something: a connection that closes at
  // once (a port scan, a program that crashed) leaves the host waiting.
  clientSilent_ = true;
  view_.AddLog(tr("Client %1 connected.").arg(iRemoteIP));
  events_.LinkOpened(*this, LinkRole::Host);
}

void TcpLink::wsConnected(cSocket*, const QString& iRemoteIP, const QString&, qint32) {
  view_.AddLog(tr("Connected to %1").arg(iRemoteIP));
  events_.LinkOpened(*this, LinkRole::Guest);
}

void TcpLink::wsClientLeft(cSocket*, const QString& iRemoteIP) {
  clientSilent_ = false;
  view_.AddLog(
      tr("Client %1 left before the game began; still waiting for a client.").arg(iRemoteIP));
  events_.LinkWaiting(*this);
}

void TcpLink::wsDisconnected(cSocket*, qint32 iCause) {
  clientSilent_ = false;
  if (HostingStops) {
    HostingStops();
  }
  if (handingOver_) {
    return;  // the game goes on over another link
  }
  events_.LinkClosed(*this, iCause);
}

void TcpLink::wsReceive(cSocket*, const Message& iData) {
  if (std::exchange(clientSilent_, false) && HostingStops) {
    HostingStops();
  }
  events_.LinkReceived(*this, iData);
}

}  // namespace vextal
