#pragma once

#include <functional>

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "net/Message.h"
#include "net/xmpp/XmppClient.h"

namespace vextal {

// A game's link to the peer over XMPP: one peer's full address and one session id. Each message
// goes as an IQ request (docs/XMPP.md); its result is the acknowledgement and an error means the
// peer's game client is gone. Only IQ requests from exactly that address, for this session and
// not marked as delivered late, are taken; anything else is ignored, each kind logged once.
// While the link lives it pings the peer; PingLimit unanswered pings in a row end it, as do an
// error from the peer, the peer's goodbye or unavailable presence, and the account going offline.
class XmppPeerLink final : public QObject {
  Q_OBJECT

 public:
  enum class Closing {
    PeerClosed,    // the peer ended the game or went offline
    NetworkError,  // unanswered pings, an error answer, the account offline
  };

  static constexpr int kPingIntervalMs = 20000;
  static constexpr int kPingLimit = 3;
  // Most messages sent and not yet acknowledged; past it the link ends as a network error, as
  // a TCP connection does past its unsent bound.
  static constexpr int kMaxUnacknowledged = 512;

  XmppPeerLink(XmppClient& client, QString peerAddress, QString sessionId,
               QObject* parent = nullptr);
  ~XmppPeerLink() override;

  const QString& PeerAddress() const { return peer_; }
  const QString& SessionId() const { return sessionId_; }
  bool IsOpen() const { return open_; }

  // How often the peer is pinged; tests make it short.
  void SetPingInterval(int ms) { pingTimer_.setInterval(ms); }

  // Sends one message; false (and nothing sent) when it is too large for the link or the link
  // is closed.
  bool Send(const Message& message);
  // Ends the link: the peer is told, nothing is reported here.
  void Close();
  int Unacknowledged() const { return unacknowledged_; }

  std::function<void(const Message&)> Received;
  // A message sent was acknowledged by the peer's game client.
  std::function<void()> Delivered;
  // Once, when the link ends for a reason of the peer's or the network's.
  std::function<void(Closing)> Closed;
  // A line for the event log (what was ignored or refused, once per kind).
  std::function<void(const QString&)> Log;

 private:
  enum Ignored {
    FromOther,
    OtherSession,
    Delayed,
    Broken,
    Oversized,
    TooLargeToSend,
    kIgnoredKinds
  };

  bool OnStanza(const XmlElement& stanza);
  void Answer(const XmlElement& iq, const char* errorCondition);
  void Ping();
  void Acknowledged(const XmlElement& reply);
  void End(Closing closing);
  void LogOnce(Ignored kind);

  XmppClient& client_;
  QString peer_;
  QString sessionId_;
  int handler_ = -1;
  bool open_ = true;
  int unacknowledged_ = 0;
  int unansweredPings_ = 0;
  bool logged_[kIgnoredKinds] = {};
  QTimer pingTimer_;
  QMetaObject::Connection offline_;
};

}  // namespace vextal
