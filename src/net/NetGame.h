#pragma once

#include <functional>
#include <optional>
#include <utility>

#include <QCoreApplication>
#include <QList>
#include <QMetaObject>

#include "game/Dialogs.h"
#include "game/Game.h"
#include "net/BoardSync.h"
#include "net/NetView.h"
#include "net/PeerLink.h"
#include "net/TcpLink.h"
#include "net/cSocket.h"

namespace vextal {

// The game's side of a network game, whatever link carries it: the reaction to every link event,
// the handling of the peer's messages, the commands that end, resynchronize and chat, and the
// only code that sends to the peer. The host
// plays player 1, the connecting side player 2; both apply every move through Game::DoMove. It
// listens to the game's events itself: a move made here goes out, the host's new board goes out,
// and the peer's messages wait while a result is being announced.
//
// The host owns the board: it alone sends boards (124), and a move of the peer that was made on
// a board the host has since replaced is not applied. A game's end needs no board at all: both
// sides start the next game by the rules at the same point of the move stream. Between two copies
// of this program, digests after every move catch any difference and the host's board heals it.
//
// It plays over one link at a time (PeerLink): the TCP link it owns (TcpLink, over the program's
// cSocket, for "Host game" and "Connect to Server"), or any other link that reports to Events().
class NetGame final : public LinkEvents {
  Q_DECLARE_TR_FUNCTIONS(NetGame)

  // Built first: the public references below name its settings, so it must exist before them.
  TcpLink tcp_;

 public:
  static constexpr qint32 kNetPort = TcpLink::kNetPort;

  // Listens for the game's events and, through its TCP link, the socket's; the socket must
  // outlive this object or be given another listener first.
  NetGame(Game& game, NetView& view, Dialogs& dialogs, cSocket& socket);
  ~NetGame() override;
  NetGame(const NetGame&) = delete;
  NetGame& operator=(const NetGame&) = delete;

  // Where another link reports; it plays through this object as the TCP link does.
  LinkEvents& Events() { return *this; }
  TcpLink& Tcp() { return tcp_; }

  // The TCP link's settings, as the shell and tests set them (see TcpLink).
  qint32& NetPort;
  QString& ListenAddress;
  const QString& LastServerAddress() const { return tcp_.LastServerAddress; }
  void SetLastServerAddress(const QString& address) { tcp_.LastServerAddress = address; }
  std::function<void(const QString&)>& ServerAddressTyped;
  std::function<void(quint16 port)>& HostingWaits;
  std::function<void()>& HostingStops;

  // --- Network menu -------------------------------------------------------------------------
  void HostGame() { tcp_.HostGame(); }                // "Host game"
  void ConnectToServer() { tcp_.ConnectToServer(); }  // "Connect to Server": asks the address
  // Connects to host on port as "Connect to Server" does once it has the address: a game chosen
  // from those found on the network.
  void ConnectTo(const QString& host, qint32 port) { tcp_.ConnectTo(host, port); }
  void Disconnect();   // "Disconnect": asks first while a peer is connected
  void Synchronize();  // "Synchronize": the host sends its board again

  // --- Chat ---------------------------------------------------------------------------------
  // Sends one chat line; false when no peer is connected (nothing is sent then). When the peer
  // cannot receive a character of it, the log says so, once a connection.
  bool SendChat(const QString& line);
  // The line as the connected peer will show it.
  QString ChatAsReceived(const QString& line) const;

  // --- Connection events of the TCP link, as its socket reports them ------------------------
  void wsListening(cSocket* s, qint32 port) { tcp_.wsListening(s, port); }
  void wsConnecting(cSocket* s, const QString& ip, qint32 port) { tcp_.wsConnecting(s, ip, port); }
  void wsAccepted(cSocket* s, const QString& ip, qint32 port, qint32 id) {
    tcp_.wsAccepted(s, ip, port, id);
  }
  void wsConnected(cSocket* s, const QString& ip, const QString& host, qint32 port) {
    tcp_.wsConnected(s, ip, host, port);
  }
  void wsDisconnected(cSocket* s, qint32 cause) { tcp_.wsDisconnected(s, cause); }
  void wsReceive(cSocket* s, const Message& message) { tcp_.wsReceive(s, message); }
  void wsClientLeft(cSocket* s, const QString& ip) { tcp_.wsClientLeft(s, ip); }

  // --- LinkEvents ---------------------------------------------------------------------------
  void LinkWaiting(PeerLink& link) override;
  void LinkOpened(PeerLink& link, LinkRole role) override;
  void LinkReceived(PeerLink& link, const Message& message) override;
  void LinkClosed(PeerLink& link, qint32 cause) override;
  void LinkWritten(PeerLink& link) override;

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
  // From now on the game plays over link.
  void Attach(PeerLink& link);
  // The link being played over; the TCP link while none is.
  PeerLink& Link() { return link_ != nullptr ? *link_ : tcp_; }

  Game& game_;
  NetView& view_;
  Dialogs& dialogs_;
  PeerLink* link_ = nullptr;
  // A result is being announced: every link holds its messages meanwhile.
  bool holding_ = false;
  BoardSync sync_;
  // Where the socket's queue stood after the last board sent: while it is not yet written,
  // further causes for a board get no second copy but one answer once it is.
  qint64 answerMark_ = -1;
  bool answerOwed_ = false;
  // The revision the peer's hello announced, 0 without one; whether the log has said yet that
  // the peer cannot receive some characters.
  int peerRevision_ = 0;
  bool toldCharactersLost_ = false;
  QList<QMetaObject::Connection> gameEvents_;
  // The host's position at the start of its current game, while connected.
  std::optional<std::pair<Board, Player>> gameStart_;
};

}  // namespace vextal
