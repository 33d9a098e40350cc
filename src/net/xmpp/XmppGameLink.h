#pragma once

#include <memory>

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QTimer>

#include "net/MessageDelivery.h"
#include "net/NetView.h"
#include "net/PeerLink.h"
#include "net/xmpp/XmppInvitations.h"
#include "net/xmpp/XmppLobby.h"
#include "net/xmpp/XmppPeerLink.h"

namespace vextal {

// The game's link over the internet: an invitation sent or accepted through the account's
// XmppInvitations, then one session to the peer's game client (XmppPeerLink). It reports to the
// game protocol (NetGame::Events()) like every link: waiting while the invitation is under way,
// opened as host on the inviting side and as guest on the invited one, the peer's messages
// through a MessageDelivery, and closed once. A declined or unanswered invitation is said in the
// log before the link closes.
class XmppGameLink final : public QObject, public PeerLink {
  Q_DECLARE_TR_FUNCTIONS(XmppGameLink)

 public:
  // The client and its invitations must outlive this object.
  XmppGameLink(XmppClient& client, XmppInvitations& invitations, LinkEvents& events, NetView& view,
               QObject* parent = nullptr);
  ~XmppGameLink() override;
  XmppGameLink(const XmppGameLink&) = delete;
  XmppGameLink& operator=(const XmppGameLink&) = delete;

  // Invites the friend at a bare address to a game; the game waits for the answer. False (and
  // nothing happens) when the account is not online, the address is not a friend's, or this
  // link is in use.
  bool Invite(const QString& friendAddress, int stage);
  // Accepts an invitation received; the game waits until the inviter has taken the answer.
  // False when this link is in use or the invitation is no longer there.
  bool Accept(const QString& inviter, const QString& sessionId);
  // On the hosting side: a joiner from the lobby, known by its nickname there, asked from its
  // full address for a session id; it is invited as a friend is (without a contact request).
  // False when this link is in use.
  bool HostLobbyGame(const QString& joiner, const QString& sessionId, int stage,
                     const QString& nick);
  // Asks the host of a game listed in the lobby (by its nickname) to take this side; its
  // invitation is accepted at once. False when this link is in use or the game is not listed.
  bool JoinLobbyGame(XmppLobby& lobby, const QString& nick);
  // Setting up or playing.
  bool InUse() const { return phase_ != Phase::Idle; }
  // The peer's full address while playing.
  QString PeerAddress() const { return session_ ? session_->PeerAddress() : QString(); }

  // How often the peer is pinged in the sessions to come; tests make it short.
  void SetPingInterval(int ms) { pingIntervalMs_ = ms; }

  // --- PeerLink -----------------------------------------------------------------------------
  bool Send(const Message& message) override;
  void Close(qint32 cause) override;
  void HoldDelivery(bool hold) override { delivery_.Hold(hold); }
  bool Connected() const override { return phase_ == Phase::Open; }
  // Messages sent; a mark is written once the peer has acknowledged as many.
  qint64 QueuedTotal() const override { return sent_; }
  bool Written(qint64 mark) const override { return acknowledged_ >= mark || !session_; }

 private:
  enum class Phase { Idle, Inviting, Accepting, Open };

  void SessionStarts(const QString& peer, const QString& sessionId, bool host);
  void InviteFailed(const QString& friendAddress, bool declined);
  void AcceptRefused(const QString& inviter, const QString& sessionId);
  void SessionEnded(XmppPeerLink::Closing closing);
  void JoinFailed(const QString& nick);
  // Back to idle and the game told, after the messages before the end.
  void Ended(qint32 cause);

  XmppClient& client_;
  XmppInvitations& invitations_;
  LinkEvents& events_;
  NetView& view_;
  MessageDelivery delivery_;
  std::unique_ptr<XmppPeerLink> session_;
  Phase phase_ = Phase::Idle;
  LinkRole role_ = LinkRole::Host;
  QString sessionId_;  // the invitation accepted, while accepting
  qint32 endCause_ = 0;
  qint64 sent_ = 0;
  qint64 acknowledged_ = 0;
  // While a game of the lobby is joined: how long its host's invitation is waited for.
  QTimer joinTimeout_;
  int pingIntervalMs_ = XmppPeerLink::kPingIntervalMs;
};

}  // namespace vextal
