#include "net/xmpp/XmppGameLink.h"

#include <utility>

#include <QPointer>

#include "net/GameAnnouncement.h"
#include "net/SocketListener.h"

namespace vextal {
namespace {

// An address from the network as the log shows it: it can neither break the line nor reorder
// the text around it.
QString Shown(const QString& address) {
  return ShownServiceName(XmppClient::BareAddress(address));
}

}  // namespace

XmppGameLink::XmppGameLink(XmppClient& client, XmppInvitations& invitations, LinkEvents& events,
                           NetView& view, QObject* parent)
    : QObject(parent),
      client_(client),
      invitations_(invitations),
      events_(events),
      view_(view),
      delivery_(MessageDelivery::Source{
          [](QList<Message>&) { return false; },  // messages arrive whole, by Push
          [] { return false; },
          [this](const Message& message) { events_.LinkReceived(*this, message); },
          [this] { Ended(endCause_); },
      }) {
  connect(&invitations_, &XmppInvitations::SessionStarts, this, &XmppGameLink::SessionStarts);
  connect(&invitations_, &XmppInvitations::InviteFailed, this, &XmppGameLink::InviteFailed);
  connect(&invitations_, &XmppInvitations::AcceptRefused, this, &XmppGameLink::AcceptRefused);
  joinTimeout_.setSingleShot(true);
  joinTimeout_.setInterval(XmppInvitations::kInviteTimeoutMs);
}

XmppGameLink::~XmppGameLink() {
  // The program is closing: the peer is told, nothing is reported here.
  if (phase_ == Phase::Inviting) {
    invitations_.CancelInvite();
  }
  if (session_) {
    session_->Close();
  }
}

bool XmppGameLink::Invite(const QString& friendAddress, int stage) {
  if (InUse() || !invitations_.Invite(friendAddress, stage)) {
    return false;
  }
  phase_ = Phase::Inviting;
  role_ = LinkRole::Host;
  delivery_.Reset();
  view_.AddLog(
      tr("Inviting %1 to a game over the internet...").arg(Shown(friendAddress.trimmed())));
  events_.LinkWaiting(*this);
  return true;
}

bool XmppGameLink::Accept(const QString& inviter, const QString& sessionId) {
  if (InUse() || !invitations_.Accept(sessionId)) {
    return false;
  }
  phase_ = Phase::Accepting;
  role_ = LinkRole::Guest;
  sessionId_ = sessionId;
  delivery_.Reset();
  view_.AddLog(tr("Accepted the invitation from %1...").arg(Shown(inviter)));
  events_.LinkWaiting(*this);
  return true;
}

bool XmppGameLink::HostLobbyGame(const QString& joiner, const QString& sessionId, int stage,
                                 const QString& nick) {
  if (InUse() || !invitations_.InviteGameClient(joiner, sessionId, stage)) {
    return false;
  }
  phase_ = Phase::Inviting;
  role_ = LinkRole::Host;
  delivery_.Reset();
  view_.AddLog(tr("%1 joins your game from the lobby...").arg(ShownServiceName(nick)));
  events_.LinkWaiting(*this);
  return true;
}

bool XmppGameLink::JoinLobbyGame(XmppLobby& lobby, const QString& nick) {
  if (InUse()) {
    return false;
  }
  const QString sessionId = invitations_.NewSessionId();
  QPointer<XmppGameLink> self(this);
  const bool asked = lobby.Join(nick, sessionId, [self, nick, sessionId](bool taken) {
    if (self && !taken && self->phase_ == Phase::Accepting && self->sessionId_ == sessionId) {
      self->JoinFailed(nick);
    }
  });
  if (!asked) {
    return false;
  }
  invitations_.ExpectInvite(sessionId);
  phase_ = Phase::Accepting;
  role_ = LinkRole::Guest;
  sessionId_ = sessionId;
  delivery_.Reset();
  disconnect(&joinTimeout_, nullptr, this, nullptr);
  connect(&joinTimeout_, &QTimer::timeout, this, [this, nick] { JoinFailed(nick); });
  joinTimeout_.start();
  view_.AddLog(tr("Joining the game of %1 in the lobby...").arg(ShownServiceName(nick)));
  events_.LinkWaiting(*this);
  return true;
}

void XmppGameLink::JoinFailed(const QString& nick) {
  if (phase_ != Phase::Accepting) {
    return;
  }
  view_.AddLog(tr("The game of %1 in the lobby is no longer open.").arg(ShownServiceName(nick)));
  Ended(CauseClosedHere);
}

void XmppGameLink::SessionStarts(const QString& peer, const QString& sessionId, bool host) {
  const bool expected =
      host ? phase_ == Phase::Inviting : phase_ == Phase::Accepting && sessionId == sessionId_;
  auto session = std::make_unique<XmppPeerLink>(client_, peer, sessionId);
  if (!expected) {
    // Given up here meanwhile: the peer learns at once that no game follows.
    session->Close();
    return;
  }
  session->SetPingInterval(pingIntervalMs_);
  session->Received = [this](const Message& message) {
    delivery_.Push(message);
    delivery_.Schedule();
  };
  session->Delivered = [this] {
    if (++acknowledged_ == sent_) {
      events_.LinkWritten(*this);
    }
  };
  session->Closed = [this](XmppPeerLink::Closing closing) { SessionEnded(closing); };
  session->Log = [this](const QString& line) { view_.AddLog(line); };
  session_ = std::move(session);
  sessionId_.clear();
  joinTimeout_.stop();
  sent_ = 0;
  acknowledged_ = 0;
  phase_ = Phase::Open;
  view_.AddLog(tr("Playing over the internet with %1.").arg(Shown(peer)));
  events_.LinkOpened(*this, role_);
}

void XmppGameLink::InviteFailed(const QString& friendAddress, bool declined) {
  if (phase_ != Phase::Inviting) {
    return;
  }
  if (declined) {
    view_.AddLog(tr("%1 declined the invitation.").arg(Shown(friendAddress)));
  } else {
    view_.AddLog(tr("%1 did not answer the invitation: the friend is offline or not playing "
                    "Vextal now.")
                     .arg(Shown(friendAddress)));
  }
  Ended(CauseClosedHere);
}

void XmppGameLink::AcceptRefused(const QString& inviter, const QString& sessionId) {
  if (phase_ != Phase::Accepting || sessionId != sessionId_) {
    return;
  }
  view_.AddLog(tr("The invitation from %1 is no longer open.").arg(Shown(inviter)));
  Ended(CauseClosedHere);
}

void XmppGameLink::SessionEnded(XmppPeerLink::Closing closing) {
  // Reported from inside the session's own handling: the game hears it after the messages
  // before it, from the event loop, and the session is let go there.
  endCause_ = closing == XmppPeerLink::Closing::NetworkError ? CauseNetworkError
              : role_ == LinkRole::Host                      ? CauseClientClosed
                                                             : CauseHostClosed;
  delivery_.EndAfterLast(false);
  delivery_.Schedule();
}

bool XmppGameLink::Send(const Message& message) {
  if (phase_ != Phase::Open || !session_->Send(message)) {
    return false;
  }
  ++sent_;
  return true;
}

void XmppGameLink::Close(qint32 cause) {
  switch (phase_) {
    case Phase::Idle:
      if (cause >= 1) {
        events_.LinkClosed(*this, cause);
      }
      return;
    case Phase::Inviting:
      invitations_.CancelInvite();
      break;
    case Phase::Accepting:
      break;  // a session that starts after all is ended at once
    case Phase::Open:
      session_->Close();
      break;
  }
  Ended(cause);
}

void XmppGameLink::Ended(qint32 cause) {
  if (phase_ == Phase::Idle) {
    return;
  }
  phase_ = Phase::Idle;
  delivery_.Reset();
  session_.reset();
  sessionId_.clear();
  joinTimeout_.stop();
  invitations_.ExpectInvite({});
  events_.LinkClosed(*this, cause);
}

}  // namespace vextal
