#include "net/NetGame.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "net/ChatText.h"
#include "net/Snapshot.h"
#include "net/cBuffer.h"

namespace vextal {

namespace {

const QString kConnectSound = QStringLiteral("over1.wav");
const QString kDisconnectSound = QStringLiteral("over2.wav");

// An item as a whole decimal number in [low, high], or nothing.
std::optional<int> NumberItem(const Message& message, int index, int low, int high) {
  if (index >= message.size()) {
    return std::nullopt;
  }
  bool ok = false;
  const int value = message[index].trimmed().toInt(&ok);
  if (!ok || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

QString DisconnectText(qint32 cause) {
  switch (cause) {
    case CauseClosedHere:
      return NetGame::tr("Disconnected.");
    case CauseHostClosed:
      return NetGame::tr("Disconnected (server disconnected).");
    case CauseClientClosed:
      return NetGame::tr("Disconnected (client disconnected).");
    case CauseNetworkError:
      return NetGame::tr("Disconnected (network error).");
    default:
      return NetGame::tr("Disconnected (unknown reason).");
  }
}

}  // namespace

NetGame::NetGame(Game& game, NetView& view, Dialogs& dialogs, cSocket& socket)
    : NetPort(tcp_.NetPort),
      ListenAddress(tcp_.ListenAddress),
      ServerAddressTyped(tcp_.ServerAddressTyped),
      HostingWaits(tcp_.HostingWaits),
      HostingStops(tcp_.HostingStops),
      game_(game),
      view_(view),
      dialogs_(dialogs),
      tcp_(socket, *this, view, dialogs) {
  gameEvents_ = {
      QObject::connect(&game_, &Game::MovePlayed,
                       [this](const MoveReport& move) { MovePlayed(move); }),
      QObject::connect(&game_, &Game::NewGameStarted, [this](bool) { NewGameStarted(); }),
      QObject::connect(&game_, &Game::ResultShownChanged,
                       [this](bool showing) { ResultShowing(showing); }),
      // Another board (a stage, or one the peer sent) is no longer the game that started here.
      QObject::connect(&game_, &Game::BoardReplaced, [this] { gameStart_.reset(); }),
  };
}

NetGame::~NetGame() {
  for (const QMetaObject::Connection& connection : gameEvents_) {
    QObject::disconnect(connection);
  }
}

// ---------------------------------------------------------------------------------------------
// Network menu and chat

void NetGame::Disconnect() {
  PeerLink& link = Link();
  if (link.Connected()) {
    const BoxAnswer answer = dialogs_.Message(
        BoxIcon::None, QStringLiteral("Vextal"),
        tr("You are currently connected. Close connection any continue?"), BoxButtons::YesNoCancel);
    if (answer != BoxAnswer::Yes) {
      return;
    }
  }
  link.Close(CauseClosedHere);
}

void NetGame::Synchronize() {
  if (!(game_.NetMode() && game_.NetConnected() && game_.NetServer())) {
    return;
  }
  view_.AddLog(tr("Game re-synchronized"));
  SendBoard();
}

bool NetGame::SendChat(const QString& line) {
  if (!game_.NetConnected()) {
    return false;
  }
  if (ChatAsReceived(line) != line && !std::exchange(toldCharactersLost_, true)) {
    view_.AddLog(
        tr("The peer's program cannot show some of these characters; it shows \"?\" "
           "instead."));
  }
  Send(ChatMessage(line, peerRevision_));
  return true;
}

QString NetGame::ChatAsReceived(const QString& line) const {
  return vextal::ChatAsReceived(line, peerRevision_);
}

void NetGame::Send(const Message& message) {
  Link().Send(message);
}

void NetGame::SendBoard() {
  Send({QByteArray::number(MsgSnapshot), GetSnapshot(game_.Nodes(), game_.ActPlayer())});
  // This board shows everything that asked for one until now, so it is the answer they wait for.
  answerMark_ = Link().QueuedTotal();
  answerOwed_ = false;
  // The host counts the boards it sends; a board the connecting side sends in answer to a
  // request is not one the host loads, so it starts no new count.
  if (game_.NetServer()) {
    sync_.BoardExchanged(game_.Nodes(), game_.ActPlayer(), false);
  }
}

void NetGame::AnswerWithBoard() {
  // Whatever the cause (a request, a move for another board, a digest that differs), a peer
  // gets one board at a time: the causes that come while a board still waits in the queue get
  // one more, once it has gone. Each cause is a few bytes and a board up to half a megabyte.
  if (answerMark_ >= 0 && !Link().Written(answerMark_)) {
    answerOwed_ = true;
    return;
  }
  SendBoard();
}

// ---------------------------------------------------------------------------------------------
// Events of the game

void NetGame::MovePlayed(const MoveReport& move) {
  if (!move.Made() || !(game_.NetMode() && game_.NetConnected())) {
    return;
  }
  if (move.By != MoveSource::Peer) {
    Send({QByteArray::number(MsgMove), QByteArray::number(move.Mover),
          QByteArray::number(move.Column), QByteArray::number(move.Row)});
  }
  if (const auto digest = sync_.MoveApplied(game_.Nodes(), game_.ActPlayer())) {
    Send(*digest);
  }
}

void NetGame::NewGameStarted() {
  if (!(game_.NetMode() && game_.NetConnected() && game_.NetServer())) {
    return;
  }
  gameStart_ = {game_.Nodes(), game_.ActPlayer()};
  // The host owns the board. At a game end the connecting side reaches the same new game by the
  // rules; the board still goes out at once, so a peer that knows only the listed messages, and
  // any move of the peer still on its way, meet the new game at the same point of the stream.
  SendBoard();
}

void NetGame::ResultShowing(bool showing) {
  // Whatever the peer sends while the result is announced belongs to the next game, which is not
  // shown yet: it waits, in order, until the announcement is over.
  holding_ = showing;
  tcp_.HoldDelivery(showing);
  if (link_ != nullptr && link_ != &tcp_) {
    link_->HoldDelivery(showing);
  }
}

// ---------------------------------------------------------------------------------------------
// Connection events

void NetGame::StartSession() {
  sync_.Reset();
  answerMark_ = -1;
  answerOwed_ = false;
  gameStart_.reset();
  peerRevision_ = 0;
  toldCharactersLost_ = false;
  Send({QByteArray::number(MsgHello), QByteArray::number(kHelloRevision)});
}

void NetGame::LinkWaiting(PeerLink& link) {
  Attach(link);
  game_.SetNetSwitches(true, game_.NetServer(), false);
  sync_.Reset();
}

void NetGame::LinkOpened(PeerLink& link, LinkRole role) {
  Attach(link);
  const bool host = role == LinkRole::Host;
  // A link may open without waiting first (TCP always waits: hosting or connecting).
  game_.SetNetSwitches(true, host, true);
  view_.PlayWave(kConnectSound);
  if (!host) {
    Send({QByteArray::number(MsgSyncRequest)});
  }
  StartSession();
}

void NetGame::Attach(PeerLink& link) {
  // The TCP link is held and released with every announcement; another one learns it here.
  if (&link != &tcp_ && link_ != &link) {
    link.HoldDelivery(holding_);
  }
  link_ = &link;
}

void NetGame::LinkClosed(PeerLink&, qint32 cause) {
  view_.AddLog(DisconnectText(cause));
  game_.SetNetSwitches(false, game_.NetServer(), false);
  view_.PlayWave(kDisconnectSound);
  sync_.Reset();
  link_ = nullptr;
}

void NetGame::LinkWritten(PeerLink&) {
  if (std::exchange(answerOwed_, false)) {
    AnswerWithBoard();
  }
}

// ---------------------------------------------------------------------------------------------
// Messages from the peer

void NetGame::LinkReceived(PeerLink&, const Message& iData) {
  // A bad message is ignored whole, and the bytes behind it are kept on purpose: its framing was
  // intact, so throwing away what is pending would cut the next message in half and turn every
  // message after it into garbage.
  const auto type = NumberItem(iData, 0, INT32_MIN, INT32_MAX);
  if (!type) {
    return;
  }
  bool good = true;
  switch (*type) {
    case MsgMove:
      good = ReceiveMove(iData);
      break;
    case MsgChat:
      good = ReceiveChat(iData);
      break;
    case MsgSyncRequest:
      AnswerWithBoard();
      break;
    case MsgSnapshot:
      good = ReceiveSnapshot(iData);
      break;
    case MsgHello:
      sync_.PeerAnnounced();
      peerRevision_ = NumberItem(iData, 1, 1, INT32_MAX).value_or(1);
      return;  // nothing on the board changed
    case MsgChatText:
      good = ReceiveChatText(iData);
      break;
    case MsgDigest:
      ReceiveDigest(iData);
      return;
    default:
      break;  // a type this side does not know changes nothing
  }
  if (good) {
    view_.DrawBoard();
  }
}

bool NetGame::ReceiveMove(const Message& iData) {
  // The mover must be a player and the cell inside the board array; otherwise nothing happens.
  const auto mover = NumberItem(iData, 1, 1, 2);
  const auto column = NumberItem(iData, 2, 0, game_.NodesW() + 1);
  const auto row = NumberItem(iData, 3, 0, game_.NodesH() + 1);
  if (!mover || !column || !row) {
    return false;
  }
  if (game_.NetServer()) {
    if (sync_.PeerBehind()) {
      // Made on a board this side has replaced since; the peer drops it when that board arrives.
      return true;
    }
    if (*mover != 2 || game_.ActPlayer() != 2) {
      // Not the peer's seat or not its turn here: made for another board than this one. The
      // board goes out again, so the peer drops the move as well.
      AnswerWithBoard();
      return true;
    }
  }
  // The message carries the mover, who is the player to move whatever this side thought.
  game_.ApplyPeerMove(Player(*mover), *column, *row);
  return true;
}

bool NetGame::ReceiveChat(const Message& iData) {
  if (iData.size() < 2) {
    return false;
  }
  view_.AddChatLine(BytesToText(iData[1]), false);
  return true;
}

bool NetGame::ReceiveChatText(const Message& iData) {
  if (iData.size() < 2) {
    return false;
  }
  view_.AddChatLine(ChatTextOf(iData[1]), false);
  return true;
}

bool NetGame::ReceiveSnapshot(const Message& iData) {
  if (iData.size() < 2) {
    return false;
  }
  std::optional<Snapshot> snapshot = ParseSnapshot(iData[1]);
  if (!snapshot) {
    // The board stays as it was; the connection cannot be trusted any more.
    dialogs_.Message(BoxIcon::Critical, tr("Network error"),
                     tr("Received broken data! The connection seems to be unstable."));
    Link().Close(CauseNetworkError);
    return true;
  }
  if (game_.NetServer() && gameStart_ && snapshot->Nodes == gameStart_->first &&
      snapshot->ActPlayer == gameStart_->second) {
    // A peer that knows only the listed messages sends its board when it reaches a new game by
    // the rules, as this side did. It may arrive after this side's first move in that game:
    // loading it would undo that move here while the peer has played it.
    return true;
  }
  game_.LoadBoard(std::move(snapshot->Nodes), snapshot->ActPlayer);
  view_.AddLog(tr("Game synchronized."));
  // The host counts the boards it sends, the connecting side the boards it loads.
  if (!game_.NetServer()) {
    if (const auto digest = sync_.BoardExchanged(game_.Nodes(), game_.ActPlayer(), true)) {
      Send(*digest);
    }
  }
  return true;
}

void NetGame::ReceiveDigest(const Message& iData) {
  if (sync_.DigestReceived(iData) != BoardSync::Verdict::OutOfStep) {
    return;
  }
  // Either side may be the one to notice; the host's board heals it.
  if (game_.NetServer()) {
    view_.AddLog(tr("Boards out of step: the board was sent again."));
    AnswerWithBoard();
  } else {
    view_.AddLog(tr("Boards out of step: the host sends its board again."));
    Send({QByteArray::number(MsgSyncRequest)});
  }
}

}  // namespace vextal
