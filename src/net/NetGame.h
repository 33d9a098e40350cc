#pragma once

#include <QHostAddress>

#include "game/Dialogs.h"
#include "game/Game.h"
#include "game/GameView.h"
#include "net/SocketListener.h"
#include "net/cSocket.h"

namespace vextal {

// The game's side of a network game: the Network menu commands, the reaction to every connection
// event, and the handling of the peer's messages (moves, chat lines, board requests, snapshots).
// The host plays player 1 ("Server"), the connecting side player 2 ("Client"); both apply every
// move through Game::DoMove and keep in step with board snapshots.
class NetGame final : public SocketListener {
 public:
  static constexpr qint32 kNetPort = 2501;

  // Listens for the socket's events; the socket must outlive this object or be given another
  // listener first.
  NetGame(Game& game, GameView& view, Dialogs& dialogs, cSocket& socket);

  // The TCP port for hosting and connecting. Fixed for the program; tests use 0 (any free port).
  qint32 NetPort = kNetPort;
  // Where "Host game" listens: every address, IPv4 and IPv6. Tests use the loopback address.
  QHostAddress ListenAddress = QHostAddress(QHostAddress::Any);

  // The address typed last into "Connect to Server", offered as the answer next time. Empty on a
  // first start; the shell remembers it between runs.
  QString LastServerAddress;

  // --- Network menu -------------------------------------------------------------------------
  void HostGame();         // "Host game"
  void ConnectToServer();  // "Connect to Server": asks for the host's address
  void Disconnect();       // "Disconnect": asks first while a peer is connected
  void Synchronize();      // "Synchronize": the host sends its board again

  // --- Connection events --------------------------------------------------------------------
  void wsListening(cSocket* iSocket, qint32 iPort) override;
  void wsConnecting(cSocket* iSocket, const QString& iRemoteIP, qint32 iPort) override;
  void wsAccepted(cSocket* iSocket, const QString& iRemoteIP, qint32 iPort,
                  qint32 iRequestID) override;
  void wsConnected(cSocket* iSocket, const QString& iRemoteIP, const QString& iRemoteHost,
                   qint32 iPort) override;
  void wsDisconnected(cSocket* iSocket, qint32 iCause) override;
  void wsReceive(cSocket* iSocket, const Message& iData) override;

 private:
  // Each handler returns false for a bad message (a missing item, a number that is not one or
  // is out of range): nothing of it is applied and the board is not repainted.
  bool ReceiveMove(const Message& iData);
  bool ReceiveChat(const Message& iData);
  bool ReceiveSnapshot(const Message& iData);
  void SendSnapshot();

  Game& game_;
  GameView& view_;
  Dialogs& dialogs_;
  cSocket& socket_;
};

}  // namespace vextal
