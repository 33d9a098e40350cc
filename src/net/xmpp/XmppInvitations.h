#pragma once

#include <functional>
#include <map>

#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include "net/xmpp/XmppClient.h"

namespace vextal {

class RandomSource;

// Invitations between two game clients over XMPP (docs/XMPP.md). Inviting a friend asks for the
// standard presence subscription and shows this game client to the friend's with a directed
// presence; once the friend's game client shows itself, the invitation goes to its full address.
// The invited side answers with accept or decline; an accepted invitation starts a session of
// the id the inviter chose, the inviter playing player 1 and owning the board.
//
// A subscription request is approved here only from the address of an invitation this side
// sent or accepted; others are left to the person's usual chat client.
class XmppInvitations final : public QObject {
  Q_OBJECT

 public:
  // How long an invitation waits for the friend's game client to show itself and answer.
  static constexpr int kInviteTimeoutMs = 60000;
  // Most invitations received and not yet answered; more are declined at once.
  static constexpr int kMaxIncoming = 8;
  static constexpr qsizetype kMaxShownTo = 256;

  XmppInvitations(XmppClient& client, RandomSource& random, QObject* parent = nullptr);
  ~XmppInvitations() override;

  // Invites the friend at a bare address; false when not online, the address is not one, it
  // is the account's own, or an invitation is already on its way.
  bool Invite(const QString& friendAddress, int stage);
  // Invites the game client at a full address, known already (a joiner from the lobby), for
  // the session id it chose; no contact request is made. False as Invite.
  bool InviteGameClient(const QString& fullAddress, const QString& sessionId, int stage);
  // Withdraws the invitation on its way, if any; the friend's game client is told once it has
  // the invitation.
  void CancelInvite();
  bool Inviting() const { return !outgoing_.Friend.isEmpty(); }

  // Answers an invitation received (by the session id it came with); false when there is no such
  // invitation (any more).
  bool Accept(const QString& sessionId);
  void Decline(const QString& sessionId);
  // An invitation of this session id (asked for in the lobby) is accepted at once, without a
  // contact request, instead of being shown; empty expects none.
  void ExpectInvite(const QString& sessionId) { expected_ = sessionId; }

  // Times out invitations sooner; tests use it.
  void SetInviteTimeout(int ms) { timeout_.setInterval(ms); }

  static QString NewSessionId(RandomSource& random);
  // A session id from this side's random source.
  QString NewSessionId() { return NewSessionId(random_); }

 signals:
  // An invitation from the full address `from` (whose bare part is the friend's address).
  void Invited(const QString& from, const QString& sessionId, int stage);
  // The invitation this side sent was declined, withdrawn by the friend's side going offline, or
  // not answered in time (answered false).
  void InviteFailed(const QString& friendAddress, bool declined);
  // A session begins with the peer's full address; host is true on the inviting side. The
  // invited side starts once the inviter has taken its accept.
  void SessionStarts(const QString& peerAddress, const QString& sessionId, bool host);
  // The inviter no longer waits for the accept sent (it gave up, or went offline).
  void AcceptRefused(const QString& inviter, const QString& sessionId);
  // An invitation received and not yet answered was withdrawn by the inviter (it gave up, or
  // its game client went offline).
  void InvitationWithdrawn(const QString& sessionId);

 private:
  struct Outgoing {
    QString Friend;  // bare
    QString SessionId;
    QString GameClient;  // full, once seen
    int Stage = 0;
    bool Sent = false;
  };

  bool OnStanza(const XmlElement& stanza);
  bool OnPresence(const XmlElement& presence);
  bool OnGameIq(const XmlElement& iq, const XmlElement& game);
  void SendInvite();
  void Reply(const XmlElement& iq, bool ok);
  void SendPresence(const QString& to, const QString& type = {});
  void Fail(bool declined);
  // Forgets the invitation on its way; with tell, its friend learns it is withdrawn.
  void Forget(bool tell);
  bool Answer(const QString& sessionId, bool subscribe);

  XmppClient& client_;
  RandomSource& random_;
  int handler_ = -1;
  Outgoing outgoing_;
  // Invitations received and not yet answered, by session id: the inviter's full address.
  std::map<QString, QString> incoming_;
  // Bare addresses this side invited or accepted, whose subscription requests are approved.
  QStringList partners_;
  // Full addresses of game clients this one has shown itself to, once each.
  QSet<QString> shownTo_;
  QString expected_;
  QTimer timeout_;
};

}  // namespace vextal
