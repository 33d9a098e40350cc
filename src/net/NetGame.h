#pragma once

#include <functional>
#include <optional>
#include <utility>

#include <QCoreApplication>
#include <QHostAddress>
#include <QList>
#include <QMetaObject>

#include "game/Dialogs.h"
#include "game/Game.h"
#include "net/BoardSync.h"
#include "net/NetView.h"
#include "net/SocketListener.h"
#include "net/cSocket.h"

namespace vextal {

// The game's side of a network game: the Network menu commands, the reaction to every connection
// event, the handling of the peer's messages, and the only code that sends to the peer. The host
// plays player 1, the connecting side player 2; both apply every move through Game::DoMove. It
// listens to the game's events itself: a move made here goes out, the host's new board goes out,
// and the peer's messages wait while a result is being announced.
//
// The host owns the board: it alone sends boards (124), and a move of the peer that was made on
// a board the host has since replaced is not applied. A game's end needs no board at all: both
// sides start the next game by the rules at the same point of the move stream. Between two copies
// of this program, digests after every move catch any difference and the host's board heals it.
class NetGame final : public SocketListener {
  Q_DECLARE_TR_FUNCTIONS(NetGame)

 public:
  static constexpr qint32 kNetPort = 2501;

  // Listens for the socket's and the game's events; the socket must outlive this object or be
  // given another listener first.
  NetGame(Game& game, NetView& view, Dialogs& dialogs, cSocket& socket);
  ~NetGame() override;
  NetGame(const NetGame&) = delete;
  NetGame& operator=(const NetGame&) = delete;

  // The TCP port for hosting and connecting. Fixed for the program; tests use 0 (any free port).
  qint32 NetPort = kNetPort;
  // Where "Host game" listens: every address, IPv4 and IPv6. Tests use the loopback address.
  QHostAddress ListenAddress = QHostAddress(QHostAddress::Any);
  // The address typed last into "Connect to Server", offered as the answer next time. Empty on a
  // first start; the shell hands in the one it remembered.
  const QString& LastServerAddress() const { return lastServerAddress_; }
  void SetLastServerAddress(const QString& address) { lastServerAddress_ = address; }
  // Told each address typed that differs from the last, so it is remembered between runs.
  std::function<void(const QString&)> ServerAddressTyped;
  // Told when hosting starts to wait for a client (with the port it listens on) and when it stops
  // waiting (a client was accepted, or hosting ended), so the game is announced only meanwhile.
  std::function<void(quint16 port)> HostingWaits;
  std::function<void()> HostingStops;

  // --- Network menu -------------------------------------------------------------------------
  void HostGame();         // "Host game"
  void ConnectToServer();  // "Connect to Server": asks for the host's address
  // Connects to host on port as "Connect to Server" does once it has the address: a game chosen
  // from those found on the network.
  void ConnectTo(const QString& host, qint32 port);
  void Disconnect();   // "Disconnect": asks first while a peer is connected
  void Synchronize();  // "Synchronize": the host sends its board again

  // --- Chat ---------------------------------------------------------------------------------
  // Sends one chat line; false when no peer is connected (nothing is sent then). When the peer
  // cannot receive a character of it, the log says so, once a connection.
  bool SendChat(const QString& line);
  // The line as the connected peer will show it.
  QString ChatAsReceived(const QString& line) const;

  // --- Connection events --------------------------------------------------------------------
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
  // --- Events of the game -------------------------------------------------------------------
  void MovePlayed(const MoveReport& move);
  void NewGameStarted();
  void ResultShowing(bool showing);

  // Each handler returns false for a bad message (a missing item, a number that is not one or
  // is out of range): nothing of it is applied and the board is not repainted.
  bool ReceiveMove(const Message& iData);
  bool ReceiveChat(const Message& iData);
  bool ReceiveChatText(const Message& iData);
  bool ReceiveSnapshot(const Message& iData);
  void ReceiveDigest(const Message& iData);
  // The board in answer to the peer (a request, a move or digest that shows the boards differ),
  // one at a time.
  void AnswerWithBoard();
  // The board at once: a new game or Synchronize on the host, or an answer whose turn has come.
  void SendBoard();
  void Send(const Message& message);
  void StartSession();

  Game& game_;
  NetView& view_;
  Dialogs& dialogs_;
  cSocket& socket_;
  BoardSync sync_;
  // Where the socket's queue stood after the last board sent: while it is not yet written,
  // further causes for a board get no second copy but one answer once it is.
  qint64 answerMark_ = -1;
  bool answerOwed_ = false;
  // The revision the peer's hello announced, 0 without one; whether the log has said yet that
  // the peer cannot receive some characters.
  int peerRevision_ = 0;
  bool toldCharactersLost_ = false;
  // A client was accepted and nothing has come from it yet: the game stays announced.
  bool clientSilent_ = false;
  QString lastServerAddress_;
  QList<QMetaObject::Connection> gameEvents_;
  // The host's position at the start of its current game, while connected.
  std::optional<std::pair<Board, Player>> gameStart_;
};

}  // namespace vextal
