#pragma once

#include <functional>

#include <QCoreApplication>
#include <QObject>
#include <QString>

#include "net/xmpp/XmppClient.h"
#include "net/xmpp/XmppInvitations.h"
#include "net/xmpp/XmppLobby.h"

namespace vextal {

class PasswordStore;
class RandomSource;
class ShellSettings;

// The player's internet (XMPP) account: the address and "Log in automatically" in the settings,
// the password in the desktop's keyring (PasswordStore) and never in the settings or a log.
// Without a keyring the password is asked once and kept in memory until the program ends. Every
// change of the account's state is one log line that says what happened and, for a failure, why.
class InternetAccount final : public QObject {
  Q_OBJECT

 public:
  InternetAccount(ShellSettings& settings, PasswordStore& passwords, RandomSource& random,
                  QObject* parent = nullptr);

  XmppClient& Client() { return client_; }
  XmppInvitations& Invitations() { return invitations_; }
  XmppLobby& Lobby() { return lobby_; }
  bool Online() const { return client_.CurrentState() == XmppClient::State::Online; }
  bool LoggingIn() const { return client_.CurrentState() == XmppClient::State::Connecting; }
  QString Address() const;
  bool AutomaticLogIn() const;
  // Whether a password is known for the address without asking (typed earlier in this run).
  bool KnowsPassword() const { return !runPassword_.isEmpty(); }
  // Where the password known now is kept: nowhere yet, the desktop's keyring, or memory until
  // the program ends. The password itself is never handed out.
  enum class PasswordKept { Nowhere, Keyring, ThisRun };
  PasswordKept PasswordPlace() const;

  // The lobby room (room@service, empty for the server's own) and the nickname there, kept in
  // the settings; they take effect at the next entry into the room.
  QString LobbyRoom() const;
  QString LobbyName() const;
  void SetLobby(const QString& room, const QString& name);

  // At start-up: logs in when "Log in automatically" is set, with the password from the keyring,
  // or asks for it (NeedsPassword) when the keyring has none.
  void Start();
  // Logs in with what was typed; the address and the choice are kept in the settings, the
  // password in the keyring when logging in automatically (otherwise it is removed from there).
  void LogIn(const QString& address, const QString& password, bool automatic);
  void LogOut();

  // A CA file to trust instead of the system's store; tests name their own.
  void SetCaFile(const QString& file) { caFile_ = file; }

  std::function<void(const QString&)> Log;
  // The password is needed and not known: the account window should ask for it.
  std::function<void()> NeedsPassword;

 signals:
  void StateChanged();

 private:
  void Begin(const QString& password);
  void LoggedOut(XmppClient::Failure failure);
  void Say(const QString& line);

  ShellSettings& settings_;
  PasswordStore& passwords_;
  XmppClient client_;
  XmppInvitations invitations_;
  XmppLobby lobby_;
  QString runPassword_;
  bool inKeyring_ = false;  // the password known now is the keyring's
  QString caFile_;
  bool keyringWarned_ = false;
};

}  // namespace vextal
