#include "net/xmpp/XmppPeerLink.h"

#include "net/xmpp/GameStanza.h"

namespace vextal {
namespace {

const QString kPingNs = QStringLiteral("urn:xmpp:ping");

bool IsError(const XmlElement& reply) {
  return reply.Attribute(QStringLiteral("type")) == QLatin1String("error");
}

}  // namespace

XmppPeerLink::XmppPeerLink(XmppClient& client, QString peerAddress, QString sessionId,
                           QObject* parent)
    : QObject(parent),
      client_(client),
      peer_(std::move(peerAddress)),
      sessionId_(std::move(sessionId)) {
  handler_ = client_.AddHandler([this](const XmlElement& stanza) { return OnStanza(stanza); });
  offline_ =
      connect(&client_, &XmppClient::LoggedOut, this, [this] { End(Closing::NetworkError); });
  pingTimer_.setInterval(kPingIntervalMs);
  connect(&pingTimer_, &QTimer::timeout, this, &XmppPeerLink::Ping);
  pingTimer_.start();
}

XmppPeerLink::~XmppPeerLink() {
  client_.RemoveHandler(handler_);
}

bool XmppPeerLink::Send(const Message& message) {
  if (!open_) {
    return false;
  }
  std::optional<XmlElement> element = game_stanza::MessageElement(message, sessionId_);
  if (!element) {
    LogOnce(TooLargeToSend);
    return false;
  }
  if (unacknowledged_ >= kMaxUnacknowledged) {
    End(Closing::NetworkError);
    return false;
  }
  QPointer<XmppPeerLink> self(this);
  const bool sent = client_.SendIq(game_stanza::IqSet(peer_, std::move(*element)),
                                   [self](const XmlElement& reply) {
                                     if (self) {
                                       self->Acknowledged(reply);
                                     }
                                   });
  if (!sent) {
    End(Closing::NetworkError);
    return false;
  }
  ++unacknowledged_;
  return true;
}

void XmppPeerLink::Acknowledged(const XmlElement& reply) {
  if (!open_ || reply.Name.isEmpty()) {
    return;  // the account went offline: reported through LoggedOut
  }
  --unacknowledged_;
  if (IsError(reply)) {
    End(Closing::NetworkError);
    return;
  }
  unansweredPings_ = 0;
  if (Delivered) {
    Delivered();
  }
}

void XmppPeerLink::Close() {
  if (!open_) {
    return;
  }
  open_ = false;
  pingTimer_.stop();
  client_.SendIq(
      game_stanza::IqSet(peer_, game_stanza::SessionElement(QStringLiteral("end"), sessionId_)),
      nullptr);
  client_.RemoveHandler(handler_);
  handler_ = -1;
}

void XmppPeerLink::End(Closing closing) {
  if (!open_) {
    return;
  }
  open_ = false;
  pingTimer_.stop();
  client_.RemoveHandler(handler_);
  handler_ = -1;
  if (Closed) {
    Closed(closing);
  }
}

void XmppPeerLink::Ping() {
  if (!open_) {
    return;
  }
  if (unansweredPings_ >= kPingLimit) {
    End(Closing::NetworkError);
    return;
  }
  ++unansweredPings_;
  XmlElement iq(QStringLiteral("iq"));
  iq.Set(QStringLiteral("type"), QStringLiteral("get")).Set(QStringLiteral("to"), peer_);
  iq.Add(XmlElement(QStringLiteral("ping"), kPingNs));
  QPointer<XmppPeerLink> self(this);
  client_.SendIq(iq, [self](const XmlElement& reply) {
    if (!self || !self->open_ || reply.Name.isEmpty()) {
      return;
    }
    if (IsError(reply)) {
      self->End(Closing::NetworkError);  // the server says the peer's client is gone
    } else {
      self->unansweredPings_ = 0;
    }
  });
}

bool XmppPeerLink::OnStanza(const XmlElement& stanza) {
  if (!open_) {
    return false;
  }
  const QString from = stanza.Attribute(QStringLiteral("from"));
  if (stanza.Name == QLatin1String("presence")) {
    if (from == peer_ && stanza.Attribute(QStringLiteral("type")) == QLatin1String("unavailable")) {
      End(Closing::PeerClosed);
    }
    return false;
  }
  if (stanza.Name != QLatin1String("iq") ||
      stanza.Attribute(QStringLiteral("type")) != QLatin1String("set")) {
    return false;
  }
  const XmlElement* game = game_stanza::GameChild(stanza);
  if (game == nullptr) {
    return false;
  }
  const QString sid = game->Attribute(QStringLiteral("sid"));
  if (sid != sessionId_) {
    // Another game's (an invitation, say), or a stale one: left to others; unanswered ones get
    // the standard error from the client.
    if (from == peer_ && game->Name != QLatin1String("invite")) {
      LogOnce(OtherSession);
    }
    return false;
  }
  if (from != peer_) {
    LogOnce(FromOther);
    return false;
  }
  if (game_stanza::IsDelayed(stanza)) {
    LogOnce(Delayed);
    Answer(stanza, "not-acceptable");
    return true;
  }
  unansweredPings_ = 0;
  if (game->Name == QLatin1String("end")) {
    Answer(stanza, nullptr);
    End(Closing::PeerClosed);
    return true;
  }
  if (game->Name != QLatin1String("msg")) {
    return false;
  }
  game_stanza::Refusal refusal = game_stanza::Refusal::None;
  std::optional<Message> message = game_stanza::ReadMessage(*game, refusal);
  if (!message) {
    LogOnce(refusal == game_stanza::Refusal::TooLarge ? Oversized : Broken);
    Answer(stanza, refusal == game_stanza::Refusal::TooLarge ? "policy-violation" : "bad-request");
    return true;
  }
  Answer(stanza, nullptr);
  if (Received) {
    Received(*message);
  }
  return true;
}

void XmppPeerLink::Answer(const XmlElement& iq, const char* errorCondition) {
  XmlElement answer(QStringLiteral("iq"));
  answer
      .Set(QStringLiteral("type"),
           QString::fromLatin1(errorCondition == nullptr ? "result" : "error"))
      .Set(QStringLiteral("id"), iq.Attribute(QStringLiteral("id")))
      .Set(QStringLiteral("to"), iq.Attribute(QStringLiteral("from")));
  if (errorCondition != nullptr) {
    XmlElement& error = answer.Add(XmlElement(QStringLiteral("error")));
    error.Set(QStringLiteral("type"), QStringLiteral("modify"));
    error.Add(XmlElement(QString::fromLatin1(errorCondition),
                         QStringLiteral("urn:ietf:params:xml:ns:xmpp-stanzas")));
  }
  client_.Send(answer);
}

void XmppPeerLink::LogOnce(Ignored kind) {
  if (logged_[kind] || !Log) {
    return;
  }
  logged_[kind] = true;
  switch (kind) {
    case FromOther:
      Log(tr("Ignored a game message from another address."));
      break;
    case OtherSession:
      Log(tr("Ignored a game message for another game session."));
      break;
    case Delayed:
      Log(tr("Ignored a game message that was delivered late."));
      break;
    case Broken:
      Log(tr("Ignored a broken game message."));
      break;
    case Oversized:
      Log(tr("Refused a game message too large for the internet link."));
      break;
    case TooLargeToSend:
      Log(tr("A message too large for the internet link was not sent."));
      break;
    case kIgnoredKinds:
      break;
  }
}

}  // namespace vextal
