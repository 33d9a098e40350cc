#include "shell/InternetAccount.h"

#include <QPointer>

#include "shell/PasswordStore.h"
#include "shell/ShellSettings.h"

namespace vextal {

InternetAccount::InternetAccount(ShellSettings& settings, PasswordStore& passwords,
                                 RandomSource& random, QObject* parent)
    : QObject(parent),
      settings_(settings),
      passwords_(passwords),
      client_(this),
      invitations_(client_, random),
      lobby_(client_) {
  lobby_.SetRoom(settings_.InternetLobbyRoom());
  lobby_.SetNickname(settings_.InternetLobbyName());
  connect(&client_, &XmppClient::LoggedIn, this, [this] {
    Say(tr("Online on the internet as %1.").arg(client_.AccountAddress()));
    emit StateChanged();
  });
  connect(&client_, &XmppClient::LoggedOut, this, &InternetAccount::LoggedOut);
}

QString InternetAccount::Address() const {
  return settings_.InternetAddress();
}

bool InternetAccount::AutomaticLogIn() const {
  return settings_.InternetAutoLogIn();
}

InternetAccount::PasswordKept InternetAccount::PasswordPlace() const {
  if (runPassword_.isEmpty()) {
    return PasswordKept::Nowhere;
  }
  return inKeyring_ ? PasswordKept::Keyring : PasswordKept::ThisRun;
}

QString InternetAccount::LobbyRoom() const {
  return settings_.InternetLobbyRoom();
}

QString InternetAccount::LobbyName() const {
  return settings_.InternetLobbyName();
}

void InternetAccount::SetLobby(const QString& room, const QString& name) {
  settings_.SetInternetLobbyRoom(room.trimmed());
  settings_.SetInternetLobbyName(name.trimmed());
  lobby_.SetRoom(room);
  lobby_.SetNickname(name);
}

void InternetAccount::Start() {
  if (!AutomaticLogIn() || Address().isEmpty()) {
    return;
  }
  QPointer<InternetAccount> self(this);
  const QString address = Address();
  passwords_.Read(address, [self, address](std::optional<QString> password) {
    if (!self || self->Address() != address ||
        self->client_.CurrentState() != XmppClient::State::Offline) {
      return;
    }
    if (password && !password->isEmpty()) {
      self->runPassword_ = *password;
      self->inKeyring_ = true;
      self->Begin(*password);
    } else if (self->NeedsPassword) {
      self->NeedsPassword();
    }
  });
}

void InternetAccount::LogIn(const QString& address, const QString& password, bool automatic) {
  const QString bare = XmppClient::BareAddress(address.trimmed());
  if (bare != Address()) {
    passwords_.Remove(Address());
  }
  settings_.SetInternetAddress(bare);
  settings_.SetInternetAutoLogIn(automatic);
  if (!password.isEmpty()) {
    runPassword_ = password;
  }
  inKeyring_ = false;
  if (automatic) {
    QPointer<InternetAccount> self(this);
    const QString kept = runPassword_;
    passwords_.Write(bare, runPassword_, [self, kept](bool stored) {
      if (!self) {
        return;
      }
      self->inKeyring_ = stored && self->runPassword_ == kept;
      if (!stored && !self->keyringWarned_) {
        self->keyringWarned_ = true;
        self->Say(tr("No keyring is available: the password is kept only until the program ends."));
      }
      emit self->StateChanged();
    });
  } else {
    passwords_.Remove(bare);
  }
  Begin(runPassword_);
}

void InternetAccount::Begin(const QString& password) {
  Say(tr("Logging in to the internet as %1...").arg(Address()));
  client_.LogIn({Address(), password, caFile_});
  emit StateChanged();
}

void InternetAccount::LogOut() {
  client_.LogOut();
}

void InternetAccount::LoggedOut(XmppClient::Failure failure) {
  const QString domain = XmppClient::DomainOf(Address());
  switch (failure) {
    case XmppClient::Failure::None:
      Say(tr("Logged out of the internet."));
      break;
    case XmppClient::Failure::LibraryMissing:
      Say(tr("Internet login failed: the XMPP library (libstrophe) is not installed."));
      break;
    case XmppClient::Failure::BadAddress:
      Say(tr("Internet login failed: \"%1\" is not an address like name@example.org.")
              .arg(Address()));
      break;
    case XmppClient::Failure::ServerNotFound:
      Say(tr("Internet login failed: no server was found for %1.").arg(domain));
      break;
    case XmppClient::Failure::CertificateRefused:
      Say(tr("Internet login failed: the certificate of the server for %1 was refused, so the "
             "connection is not safe.")
              .arg(domain));
      break;
    case XmppClient::Failure::WrongPassword:
      // The password typed in this run is forgotten, so it is asked again.
      runPassword_.clear();
      inKeyring_ = false;
      Say(tr("Internet login failed: the address or the password is wrong."));
      break;
    case XmppClient::Failure::ConnectionLost:
      Say(tr("Internet connection lost."));
      break;
  }
  emit StateChanged();
}

void InternetAccount::Say(const QString& line) {
  if (Log) {
    Log(line);
  }
}

}  // namespace vextal
