// The main window's side of games over the internet: inviting a friend, answering an
// invitation, and the lobby. The game itself plays through NetGame over the account's
// XmppGameLink.

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <utility>

#include "net/GameAnnouncement.h"
#include "shell/frmFindGames.h"
#include "shell/frmMain.h"

namespace vextal {
namespace {

// How soon an invitation that came while another box was open is looked at again.
constexpr int kAskAgainMs = 250;

}  // namespace

XmppGameLink& frmMain::InternetGame() {
  Account();  // makes the link with the account
  return *internetGame_;
}

void frmMain::mnuInvite_Click() {
  if (game_.NetMode()) {
    return;  // as "Host game", offered only outside a network game
  }
  if (!Account().Online()) {
    AddLog(tr("Log in to the internet first: Network → \"Internet account…\"."));
    mnuInternetAccount_Click();
    return;
  }
  const QString address = dialogs_
                              .Input(tr("Invite over the internet"),
                                     tr("Your friend's internet address (like name@example.org):"),
                                     settings_.InternetFriend())
                              .trimmed();
  if (address.isEmpty()) {
    return;
  }
  settings_.SetInternetFriend(address);
  if (!InternetGame().Invite(address, stage_)) {
    AddLog(tr("%1 cannot be invited: an address is like name@example.org, and not your own.")
               .arg(ShownServiceName(address)));
  }
}

void frmMain::InvitationReceived(const QString& from, const QString& sessionId) {
  XmppInvitations& invitations = Account().Invitations();
  const QString shown = ShownServiceName(XmppClient::BareAddress(from));
  if (shutDown_) {
    invitations.Decline(sessionId);  // the program is closing (behind its farewell box)
    return;
  }
  if (!game_.NetMode() && !invitationAsked_ &&
      (game_.ResultShowing() || QApplication::activeModalWidget() != nullptr)) {
    // Another box is open (a result, a question): asked once it has closed; the inviter waits.
    QTimer::singleShot(kAskAgainMs, this,
                       [this, from, sessionId] { InvitationReceived(from, sessionId); });
    return;
  }
  if (game_.NetMode() || invitationAsked_) {
    invitations.Decline(sessionId);
    AddLog(tr("Declined the invitation from %1: a game or another invitation is under way.")
               .arg(shown));
    return;
  }
  invitationAsked_ = true;
  invitationShown_ = sessionId;
  invitationWithdrawn_ = false;
  const BoxAnswer answer = dialogs_.Message(BoxIcon::Question, QStringLiteral("Vextal"),
                                            tr("%1 invites you to a game of Vextal.").arg(shown),
                                            BoxButtons::AcceptDecline);
  invitationAsked_ = false;
  invitationShown_.clear();
  if (std::exchange(invitationWithdrawn_, false)) {
    AddLog(tr("%1 withdrew the invitation.").arg(shown));
    return;
  }
  if (answer != BoxAnswer::Yes) {
    invitations.Decline(sessionId);
    AddLog(tr("Declined the invitation from %1.").arg(shown));
    return;
  }
  // A game may have begun while the box was open (a client joined the game hosted here).
  if (game_.NetMode() || !InternetGame().Accept(from, sessionId)) {
    invitations.Decline(sessionId);
    AddLog(tr("The invitation from %1 could not be accepted: a game is under way or the "
              "invitation is gone.")
               .arg(shown));
  }
}

void frmMain::InvitationWithdrawn(const QString& sessionId) {
  if (invitationAsked_ && sessionId == invitationShown_) {
    invitationWithdrawn_ = true;
    dialogs_.Dismiss(BoxButtons::AcceptDecline);
  }
}

void frmMain::AnnounceInLobby() {
  if (account_ && hostingWaits_) {
    account_->Lobby().Announce(stage_);
  }
}

bool frmMain::LobbyJoinAsked(const QString& nick, const QString& address,
                             const QString& sessionId) {
  // Only a game that waits for its client is taken, and only once.
  if (!game_.NetMode() || !net_.Tcp().Waiting() || InternetGame().InUse() || shutDown_) {
    return false;
  }
  net_.Tcp().HandOver();
  if (!InternetGame().HostLobbyGame(address, sessionId, stage_, nick)) {
    net_.Events().LinkClosed(net_.Tcp(), CauseClosedHere);
    return false;
  }
  return true;
}

void frmMain::JoinLobbyGame(const QString& nick) {
  // As a game of the local network: offered only outside a network game.
  if (game_.NetMode()) {
    findGames_->lblStatus()->setText(tr("Disconnect from the current network game first."));
    return;
  }
  // Asked before the list closes: the lobby is left once nothing needs it any more.
  const QString chosen = nick;
  const bool asked = InternetGame().JoinLobbyGame(Account().Lobby(), chosen);
  findGames_->close();
  if (!asked) {
    AddLog(tr("The game of %1 in the lobby is no longer open.").arg(ShownServiceName(chosen)));
  }
}

}  // namespace vextal
