#pragma once

#include <functional>
#include <optional>

#include <QObject>
#include <QString>
#include <QtGlobal>

#include "net/Framing.h"
#include "net/Message.h"
#include "net/MessageDelivery.h"
#include "net/NetworkLibrary.h"
#include "net/SocketListener.h"

class QIODevice;

namespace vextal {

// The program's one TCP endpoint. It either hosts (listens and accepts exactly one client) or
// connects to a host; it frames outgoing messages, reassembles incoming ones and reports every
// connection event to its SocketListener. It owns at most one listening server and one socket
// (Qt's, reached through NetworkLibrary).
//
// A host keeps listening after it has accepted a client until a whole message has come from it:
// a connection that closes before that (a port scan, a program that crashed at once) is let go
// with wsClientLeft and the host goes on waiting, and a newcomer takes the place of an accepted
// client that has not sent a byte yet. From the client's first message on, one client per listen.
//
// Nothing here blocks or spins an event loop: Qt's signals drive it. Callbacks may re-enter it
// (Disconnect, Listen, Connect, Send) or delete it; after every callback it checks that the
// connection it was working on is still the current one before touching anything.
class cSocket : public QObject {
  Q_OBJECT

 public:
  // A peer that stops reading can make this side hold at most this much unsent.
  static constexpr qint64 kMaxUnsentBytes = 4 * 1024 * 1024;
  // Received bytes held in memory before the peer is made to wait (TCP flow control).
  static constexpr qint64 kReadBufferBytes = 1024 * 1024;
  // One delivery pass hands control back to the event loop after this long, so a flood of
  // messages never freezes the window; the rest follow in the next pass, in order.
  static constexpr qint64 kDeliverySliceMs = MessageDelivery::kSliceMs;

  explicit cSocket(SocketListener* iListener = nullptr, QObject* parent = nullptr);
  ~cSocket() override;

  void SetListener(SocketListener* iListener) { listener_ = iListener; }

  // True after a successful Listen, false after a successful Connect (and at creation). Picks
  // the cause reported when the peer closes.
  bool Listener() const { return hosting_; }

  qint16 State() const;
  // This machine's first non-loopback IPv4 address, or "127.0.0.1" when it has none.
  static QString LocalIP();
  // The port the listener is bound to, 0 when not listening.
  quint16 ListeningPort() const;

  // Closes whatever is open and reports iCause; with nothing open, reports only a cause >= 1.
  void Disconnect(qint32 iCause);
  // Frames and queues one message. False when not connected, when the list has 0 or more than
  // 255 items or would pass kMaxMessageBytes, or when the peer has left more than
  // kMaxUnsentBytes unread: nothing is sent then, and in the last case the connection ends as a
  // network error once the caller has returned.
  bool SendList(const Message& iData);

  // The system's descriptor of the current connection, -1 without one.
  qintptr Descriptor() const;
  // Bytes queued on the current connection and not yet handed to the system.
  qint64 Unsent() const;
  // Bytes queued on this object so far, over all connections; a mark for Written.
  qint64 QueuedTotal() const { return queuedTotal_; }
  // Everything queued up to the mark has left this process (or the connection is gone).
  bool Written(qint64 mark) const;

  // Runs whenever everything queued has left this process (called from the event loop).
  void SetAllWritten(std::function<void()> handler) { allWritten_ = std::move(handler); }

  // While held, received messages wait, in order; releasing delivers them from the event loop.
  void HoldDelivery(bool hold);

  // The clock that measures a delivery slice, in milliseconds; tests pass a fake one.
  void SetSliceClock(std::function<qint64()> clock) { delivery_.SetSliceClock(std::move(clock)); }
  // Hosts on iPort (0 picks a free port). The program listens on all addresses, IPv4 and IPv6;
  // tests bind the loopback address (iBindAddress as text, empty for all). On failure reports
  // cause 2 and returns false.
  bool Listen(qint32 iPort, const QString& iBindAddress = QString());
  // Starts connecting to a host given as IPv4, IPv6 or a name. False, with nothing reported,
  // when the address or port is refused at once.
  bool Connect(const QString& iRemoteIP, qint32 iPort);

 private:
  void OnNewConnection();
  void OnAcceptError();
  void Accept(QIODevice* iPending, qint32 iRequestID);
  void OnConnected();
  // peerClosed: the failure is the peer closing the connection.
  void OnSocketError(bool peerClosed);
  void OnPeerClosed();

  void WatchSocket(QIODevice* socket);
  // Lets go of the server and the socket without reporting anything; a connected socket is
  // closed gracefully and deleted later, so it may be dropped from inside its own signals.
  // Returns whether anything was open.
  bool DropEndpoint();
  void DropServer();
  void DropSocket();
  // A client was accepted and the listener still runs: nothing whole has come from it yet.
  bool HoldsSilentClient() const { return server_ != nullptr && socket_ != nullptr; }
  // Lets that client go, keeps listening and reports wsClientLeft.
  void LetSilentClientGo();
  // Reads, decodes and delivers what is pending on the current socket, for one time slice.
  // Returns false when the connection ended meanwhile (a callback closed or replaced it, or
  // destroyed this object).
  bool DeliverPending();
  // What the delivery takes from this socket.
  MessageDelivery::Source DeliverySource();
  // Decodes the next chunk of what the socket holds into `into`; false when it holds nothing.
  bool Decode(QList<Message>& into);
  // Once every message before the peer's close or a fatal receive error is delivered, reports it.
  void ReportReceiveEnd();
  // Another connection, or none: code resuming after a callback sees the change.
  void NewGeneration();

  SocketListener* listener_ = nullptr;
  bool hosting_ = false;
  // Through net_, a QTcpServer and a QTcpSocket.
  const NetworkLibrary* net_ = nullptr;
  QObject* server_ = nullptr;
  QIODevice* socket_ = nullptr;
  // The address of the accepted client, as reported when it was accepted.
  QString clientAddress_;
  FrameDecoder decoder_;
  // The decoded messages of the current connection, on their way to the listener.
  MessageDelivery delivery_{DeliverySource()};
  // The decoder refused a message past its bound; reported after the messages before it.
  bool tooLarge_ = false;
  bool overflowed_ = false;
  qint64 queuedTotal_ = 0;
  std::function<void()> allWritten_;
  // Changes whenever the endpoint is dropped or replaced, so code resuming after a callback can
  // tell whether the connection it was working on is still there.
  quint64 generation_ = 1;
  // The peer closed while messages were being delivered; reported once they all are.
  bool peerClosedHeld_ = false;
  // While Connect starts the socket, its connected/error signals may fire at once; they are
  // held until wsConnecting has been reported so the events arrive in their natural order.
  bool holdEvents_ = false;
  bool heldConnected_ = false;
  std::optional<bool> heldError_;  // whether it was the peer's close
};

}  // namespace vextal
