// The main window's side of games over the internet: inviting a friend and answering an
// invitation. The game itself plays through NetGame over the account's XmppGameLink.

#include <QApplication>
#include <QTimer>

#include "net/GameAnnouncement.h"
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
  const BoxAnswer answer = dialogs_.Message(BoxIcon::Question, QStringLiteral("Vextal"),
                                            tr("%1 invites you to a game of Vextal.").arg(shown),
                                            BoxButtons::AcceptDecline);
  invitationAsked_ = false;
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

}  // namespace vextal
