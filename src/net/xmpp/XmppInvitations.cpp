#include "net/xmpp/XmppInvitations.h"

#include <QPointer>

#include "game/Random.h"
#include "net/xmpp/GameStanza.h"

namespace vextal {
namespace {

XmlElement Marker() {
  XmlElement marker(QStringLiteral("game"), game_stanza::kNamespace);
  marker.Set(QStringLiteral("protocol"), QString::number(game_stanza::kProtocol));
  return marker;
}

bool HasMarker(const XmlElement& presence) {
  return presence.Child(QStringLiteral("game"), game_stanza::kNamespace) != nullptr;
}

}  // namespace

XmppInvitations::XmppInvitations(XmppClient& client, RandomSource& random, QObject* parent)
    : QObject(parent), client_(client), random_(random) {
  client_.SetPresenceExtras({Marker()});
  handler_ = client_.AddHandler([this](const XmlElement& stanza) { return OnStanza(stanza); });
  timeout_.setSingleShot(true);
  timeout_.setInterval(kInviteTimeoutMs);
  connect(&timeout_, &QTimer::timeout, this, [this] { Fail(false); });
  connect(&client_, &XmppClient::LoggedOut, this, [this] {
    incoming_.clear();
    shownTo_.clear();
    if (Inviting()) {
      Fail(false);
    }
  });
}

XmppInvitations::~XmppInvitations() {
  client_.RemoveHandler(handler_);
}

QString XmppInvitations::NewSessionId(RandomSource& random) {
  static const char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  QString id;
  for (int i = 0; i < 24; ++i) {
    id += QLatin1Char(kDigits[int(random.Uniform() * 36) % 36]);
  }
  return id;
}

bool XmppInvitations::Invite(const QString& friendAddress, int stage) {
  const QString bare = XmppClient::BareAddress(friendAddress.trimmed()).toLower();
  const qsizetype at = bare.indexOf(QLatin1Char('@'));
  if (client_.CurrentState() != XmppClient::State::Online || Inviting() || at <= 0 ||
      at == bare.size() - 1 || bare.contains(QLatin1Char(' ')) ||
      bare == client_.AccountAddress().toLower()) {
    return false;
  }
  outgoing_ = Outgoing{bare, NewSessionId(random_), {}, stage, false};
  if (!partners_.contains(bare)) {
    partners_.append(bare);
  }
  // The standard contact request (answered at once by the server when already subscribed),
  // and this game client shown to the friend's clients.
  SendPresence(bare, QStringLiteral("subscribe"));
  SendPresence(bare);
  timeout_.start();
  return true;
}

bool XmppInvitations::InviteGameClient(const QString& fullAddress, const QString& sessionId,
                                       int stage) {
  const QString bare = XmppClient::BareAddress(fullAddress).toLower();
  if (client_.CurrentState() != XmppClient::State::Online || Inviting() ||
      !fullAddress.contains(QLatin1Char('/')) || bare == client_.AccountAddress().toLower() ||
      !game_stanza::IsSessionId(sessionId)) {
    return false;
  }
  outgoing_ = Outgoing{bare, sessionId, fullAddress, stage, false};
  SendInvite();
  timeout_.start();
  return true;
}

void XmppInvitations::CancelInvite() {
  Forget(true);
}

void XmppInvitations::Forget(bool tell) {
  timeout_.stop();
  if (tell && outgoing_.Sent && client_.CurrentState() == XmppClient::State::Online) {
    client_.SendIq(game_stanza::IqSet(outgoing_.GameClient,
                                      game_stanza::SessionElement(QStringLiteral("withdraw"),
                                                                  outgoing_.SessionId)),
                   nullptr);
  }
  outgoing_ = Outgoing();
}

void XmppInvitations::Fail(bool declined) {
  const QString friendAddress = outgoing_.Friend;
  Forget(!declined);
  if (!friendAddress.isEmpty()) {
    emit InviteFailed(friendAddress, declined);
  }
}

void XmppInvitations::SendPresence(const QString& to, const QString& type) {
  XmlElement presence(QStringLiteral("presence"));
  presence.Set(QStringLiteral("to"), to);
  if (type.isEmpty()) {
    presence.Add(Marker());
  } else {
    presence.Set(QStringLiteral("type"), type);
  }
  client_.Send(presence);
}

void XmppInvitations::SendInvite() {
  if (outgoing_.Sent || outgoing_.GameClient.isEmpty()) {
    return;
  }
  outgoing_.Sent = true;
  XmlElement invite = game_stanza::SessionElement(QStringLiteral("invite"), outgoing_.SessionId);
  invite.Set(QStringLiteral("stage"), QString::number(outgoing_.Stage));
  invite.Set(QStringLiteral("protocol"), QString::number(game_stanza::kProtocol));
  const QString sid = outgoing_.SessionId;
  client_.SendIq(game_stanza::IqSet(outgoing_.GameClient, invite),
                 [this, sid](const XmlElement& reply) {
                   if (outgoing_.SessionId == sid &&
                       reply.Attribute(QStringLiteral("type")) == QLatin1String("error")) {
                     Fail(false);
                   }
                 });
}

bool XmppInvitations::OnStanza(const XmlElement& stanza) {
  if (stanza.Name == QLatin1String("presence")) {
    return OnPresence(stanza);
  }
  if (stanza.Name != QLatin1String("iq") ||
      stanza.Attribute(QStringLiteral("type")) != QLatin1String("set")) {
    return false;
  }
  const XmlElement* game = game_stanza::GameChild(stanza);
  return game != nullptr && OnGameIq(stanza, *game);
}

bool XmppInvitations::OnPresence(const XmlElement& presence) {
  const QString from = presence.Attribute(QStringLiteral("from"));
  const QString bare = XmppClient::BareAddress(from).toLower();
  const QString type = presence.Attribute(QStringLiteral("type"));
  if (bare.isEmpty() || bare == client_.AccountAddress().toLower()) {
    return false;
  }
  if (type == QLatin1String("subscribe")) {
    if (partners_.contains(bare)) {
      SendPresence(bare, QStringLiteral("subscribed"));
    }
    return false;
  }
  if (type == QLatin1String("unavailable")) {
    if (Inviting() && from == outgoing_.GameClient) {
      Fail(false);
    }
    // The invitations of a game client that went offline are withdrawn with it.
    for (auto it = incoming_.begin(); it != incoming_.end();) {
      if (it->second == from) {
        const QString sid = it->first;
        it = incoming_.erase(it);
        emit InvitationWithdrawn(sid);
      } else {
        ++it;
      }
    }
    return false;
  }
  if (!type.isEmpty() || !HasMarker(presence) || !from.contains(QLatin1Char('/'))) {
    return false;
  }
  if (Inviting() && bare == outgoing_.Friend && outgoing_.GameClient.isEmpty()) {
    // The friend's game client, which has seen this one's presence already.
    outgoing_.GameClient = from;
    shownTo_.insert(from);
    SendInvite();
  } else if (!shownTo_.contains(from)) {
    // A game client that showed itself here learns once where this one is, so it can invite.
    if (shownTo_.size() >= kMaxShownTo) {
      shownTo_.clear();
    }
    shownTo_.insert(from);
    SendPresence(from);
  }
  return false;
}

bool XmppInvitations::OnGameIq(const XmlElement& iq, const XmlElement& game) {
  const QString from = iq.Attribute(QStringLiteral("from"));
  const QString sid = game.Attribute(QStringLiteral("sid"));
  if (game_stanza::IsDelayed(iq) || !game_stanza::IsSessionId(sid) ||
      !from.contains(QLatin1Char('/'))) {
    return false;
  }
  if (game.Name == QLatin1String("invite")) {
    if (int(incoming_.size()) >= kMaxIncoming || incoming_.count(sid) != 0) {
      return false;
    }
    bool ok = false;
    const int stage = game.Attribute(QStringLiteral("stage")).toInt(&ok);
    incoming_[sid] = from;
    Reply(iq, true);
    if (!expected_.isEmpty() && sid == expected_) {
      expected_.clear();
      Answer(sid, false);  // asked for in the lobby: no question, no contact request
      return true;
    }
    emit Invited(from, sid, ok ? stage : 0);
    return true;
  }
  if (game.Name == QLatin1String("withdraw")) {
    const auto found = incoming_.find(sid);
    if (found == incoming_.end() || found->second != from) {
      return false;
    }
    incoming_.erase(found);
    Reply(iq, true);
    emit InvitationWithdrawn(sid);
    return true;
  }
  // Answers to this side's invitation: from its friend's game client, for its session only.
  if (!Inviting() || sid != outgoing_.SessionId || from != outgoing_.GameClient) {
    return false;
  }
  if (game.Name == QLatin1String("accept")) {
    Reply(iq, true);
    const Outgoing accepted = outgoing_;
    Forget(false);
    emit SessionStarts(accepted.GameClient, accepted.SessionId, true);
    return true;
  }
  if (game.Name == QLatin1String("decline")) {
    Reply(iq, true);
    Fail(true);
    return true;
  }
  return false;
}

bool XmppInvitations::Accept(const QString& sessionId) {
  return Answer(sessionId, true);
}

bool XmppInvitations::Answer(const QString& sessionId, bool subscribe) {
  const auto found = incoming_.find(sessionId);
  if (found == incoming_.end()) {
    return false;
  }
  const QString inviter = found->second;
  incoming_.erase(found);
  const QString bare = XmppClient::BareAddress(inviter).toLower();
  if (subscribe) {
    if (!partners_.contains(bare)) {
      partners_.append(bare);
    }
    // Accepting is consent: the inviter's contact request is approved and returned.
    SendPresence(bare, QStringLiteral("subscribed"));
    SendPresence(bare, QStringLiteral("subscribe"));
  }
  // The session starts once the inviter took the accept: an inviter that gave up meanwhile
  // answers with an error, and no game is started with a side that is not there. The inviter
  // answers before it sends anything of the game, so the session is open here in time.
  QPointer<XmppInvitations> self(this);
  const bool sent = client_.SendIq(
      game_stanza::IqSet(inviter, game_stanza::SessionElement(QStringLiteral("accept"), sessionId)),
      [self, inviter, sessionId](const XmlElement& reply) {
        if (!self) {
          return;
        }
        if (reply.Attribute(QStringLiteral("type")) == QLatin1String("result")) {
          emit self->SessionStarts(inviter, sessionId, false);
        } else {
          emit self->AcceptRefused(inviter, sessionId);
        }
      });
  if (!sent) {
    emit AcceptRefused(inviter, sessionId);
  }
  return true;
}

void XmppInvitations::Decline(const QString& sessionId) {
  const auto found = incoming_.find(sessionId);
  if (found == incoming_.end()) {
    return;
  }
  client_.SendIq(game_stanza::IqSet(found->second, game_stanza::SessionElement(
                                                       QStringLiteral("decline"), sessionId)),
                 nullptr);
  incoming_.erase(found);
}

void XmppInvitations::Reply(const XmlElement& iq, bool ok) {
  XmlElement answer(QStringLiteral("iq"));
  answer.Set(QStringLiteral("type"), ok ? QStringLiteral("result") : QStringLiteral("error"))
      .Set(QStringLiteral("id"), iq.Attribute(QStringLiteral("id")))
      .Set(QStringLiteral("to"), iq.Attribute(QStringLiteral("from")));
  client_.Send(answer);
}

}  // namespace vextal
