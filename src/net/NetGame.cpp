#include "net/NetGame.h"

#include <cstdint>
#include <optional>

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
      return QStringLiteral("Disconnected.");
    case CauseHostClosed:
      return QStringLiteral("Disconnected (server disconnected).");
    case CauseClientClosed:
      return QStringLiteral("Disconnected (client disconnected).");
    case CauseNetworkError:
      return QStringLiteral("Disconnected (network error).");
    default:
      return QStringLiteral("Disconnected (unknown reason).");
  }
}

}  // namespace

NetGame::NetGame(Game& game, GameView& view, Dialogs& dialogs, cSocket& socket)
    : game_(game), view_(view), dialogs_(dialogs), socket_(socket) {
  socket_.SetListener(this);
}

// ---------------------------------------------------------------------------------------------
// Network menu

void NetGame::HostGame() {
  socket_.Listen(NetPort, ListenAddress);
}

void NetGame::ConnectToServer() {
  const QString answer = dialogs_
                             .Input(QStringLiteral("Connect"),
                                    QStringLiteral("Please enter server IP: (eg. 192.168.0.2)"),
                                    LastServerAddress)
                             .trimmed();
  if (answer.isEmpty()) {
    return;
  }
  LastServerAddress = answer;
  socket_.Connect(answer, NetPort);
}

void NetGame::Disconnect() {
  if (socket_.State() == StateConnected) {
    const BoxAnswer answer = dialogs_.Message(
        BoxIcon::None, QStringLiteral("Vextal"),
        QStringLiteral("You are currently connected. Close connection any continue?"),
        BoxButtons::YesNoCancel);
    if (answer != BoxAnswer::Yes) {
      return;
    }
  }
  socket_.Disconnect(CauseClosedHere);
}

void NetGame::Synchronize() {
  if (!(game_.NetMode && game_.NetConnected && game_.NetServer)) {
    return;
  }
  view_.AddLog(QStringLiteral("Game re-synchronized"));
  SendSnapshot();
}

void NetGame::SendSnapshot() {
  socket_.SendList({QByteArray::number(MsgSnapshot), GetSnapshot(game_.Nodes, game_.ActPlayer)});
}

// ---------------------------------------------------------------------------------------------
// Connection events

void NetGame::wsListening(cSocket*, qint32) {
  view_.AddLog(QStringLiteral("Waiting for client, IP is ") + cSocket::LocalIP());
  game_.NetMode = true;
  game_.UpdateMenus();
}

void NetGame::wsConnecting(cSocket*, const QString& iRemoteIP, qint32 iPort) {
  view_.AddLog(QStringLiteral("Connecting to %1 on %2...").arg(iRemoteIP).arg(iPort));
  game_.NetMode = true;
  game_.UpdateMenus();
}

void NetGame::wsAccepted(cSocket*, const QString& iRemoteIP, qint32, qint32) {
  view_.AddLog(QStringLiteral("Client %1 connected.").arg(iRemoteIP));
  game_.NetServer = true;
  game_.NetConnected = true;
  view_.PlayWave(kConnectSound);
  game_.UpdateMenus();
  game_.UpdatePlayerNames();
}

void NetGame::wsConnected(cSocket*, const QString& iRemoteIP, const QString&, qint32) {
  view_.AddLog(QStringLiteral("Connected to ") + iRemoteIP);
  game_.NetConnected = true;
  game_.NetServer = false;
  view_.PlayWave(kConnectSound);
  socket_.SendList({QByteArray::number(MsgSyncRequest)});
  game_.UpdateMenus();
  game_.UpdatePlayerNames();
}

void NetGame::wsDisconnected(cSocket*, qint32 iCause) {
  view_.AddLog(DisconnectText(iCause));
  game_.NetConnected = false;
  game_.NetMode = false;
  view_.PlayWave(kDisconnectSound);
  game_.UpdateMenus();
  game_.UpdatePlayerNames();
}

// ---------------------------------------------------------------------------------------------
// Messages from the peer

void NetGame::wsReceive(cSocket*, const Message& iData) {
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
      SendSnapshot();
      break;
    case MsgSnapshot:
      good = ReceiveSnapshot(iData);
      break;
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
  // The message carries the mover, who is the player to move whatever this side thought.
  game_.ActPlayer = Player(*mover);
  game_.DoMove(*column, *row, false);
  view_.PlayWave(game_.PendingSound);
  return true;
}

bool NetGame::ReceiveChat(const Message& iData) {
  if (iData.size() < 2) {
    return false;
  }
  view_.AddChatLine(BytesToText(iData[1]), false);
  return true;
}

bool NetGame::ReceiveSnapshot(const Message& iData) {
  if (iData.size() < 2) {
    return false;
  }
  std::optional<Snapshot> snapshot = ParseSnapshot(iData[1]);
  if (!snapshot) {
    // The board stays as it was; the connection cannot be trusted any more.
    dialogs_.Message(BoxIcon::Critical, QStringLiteral("Network error"),
                     QStringLiteral("Received broken data! The connection seems to be unstable."));
    socket_.Disconnect(CauseNetworkError);
    return true;
  }
  game_.Nodes = std::move(snapshot->Nodes);
  game_.ActPlayer = snapshot->ActPlayer;
  game_.SetActPlayer(game_.ActPlayer);
  game_.UpdatePlayerNames();
  view_.AddLog(QStringLiteral("Game synchronized."));
  return true;
}

}  // namespace vextal
