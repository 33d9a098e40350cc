#include "shell/frmAccount.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/InternetAccount.h"

namespace vextal {

frmAccount::frmAccount(InternetAccount& account, QWidget* parent)
    : QDialog(parent), account_(account) {
  setObjectName(QStringLiteral("frmAccount"));
  setWindowTitle(tr("Internet account"));
  txtAddress_ = new QLineEdit(account_.Address(), this);
  txtAddress_->setObjectName(QStringLiteral("txtAddress"));
  txtAddress_->setPlaceholderText(tr("name@example.org"));
  txtPassword_ = new QLineEdit(this);
  txtPassword_->setObjectName(QStringLiteral("txtPassword"));
  txtPassword_->setEchoMode(QLineEdit::Password);
  // Wide enough for the note on where the password is kept, in every language.
  txtPassword_->setMinimumWidth(
      txtPassword_->fontMetrics().horizontalAdvance(tr("kept in the desktop's keyring")) + 24);
  txtLobbyRoom_ = new QLineEdit(account_.LobbyRoom(), this);
  txtLobbyRoom_->setObjectName(QStringLiteral("txtLobbyRoom"));
  txtLobbyRoom_->setPlaceholderText(tr("vextal on your server's chat service"));
  txtLobbyRoom_->setToolTip(
      tr("The chat room where games wait, like room@chat.example.org; players of other servers "
         "meet in a room they all name."));
  txtLobbyName_ = new QLineEdit(account_.LobbyName(), this);
  txtLobbyName_->setObjectName(QStringLiteral("txtLobbyName"));
  txtLobbyName_->setMaxLength(XmppLobby::kMaxNickChars);
  txtLobbyName_->setToolTip(
      tr("Others in the lobby see this name, never your address; empty: the part of your address "
         "before @."));
  connect(txtLobbyRoom_, &QLineEdit::editingFinished, this, &frmAccount::KeepLobby);
  connect(txtLobbyName_, &QLineEdit::editingFinished, this, &frmAccount::KeepLobby);
  chkAutomatic_ = new QCheckBox(tr("Log in automatically"), this);
  chkAutomatic_->setObjectName(QStringLiteral("chkAutomatic"));
  chkAutomatic_->setChecked(account_.AutomaticLogIn());
  chkAutomatic_->setToolTip(
      tr("Logs in at every start; the password is kept in the desktop's keyring."));
  lblState_ = new QLabel(this);
  lblState_->setObjectName(QStringLiteral("lblState"));
  lblState_->setWordWrap(true);

  auto* form = new QFormLayout;
  form->addRow(tr("XMPP address:"), txtAddress_);
  form->addRow(tr("Password:"), txtPassword_);
  form->addRow(QString(), chkAutomatic_);
  form->addRow(tr("Lobby room:"), txtLobbyRoom_);
  form->addRow(tr("Name in the lobby:"), txtLobbyName_);

  auto* buttons = new QDialogButtonBox(this);
  cmdLogIn_ = buttons->addButton(tr("Log in"), QDialogButtonBox::AcceptRole);
  cmdLogIn_->setObjectName(QStringLiteral("cmdLogIn"));
  cmdLogOut_ = buttons->addButton(tr("Log out"), QDialogButtonBox::ActionRole);
  cmdLogOut_->setObjectName(QStringLiteral("cmdLogOut"));
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  connect(cmdLogIn_, &QPushButton::clicked, this, &frmAccount::LogIn);
  connect(cmdLogOut_, &QPushButton::clicked, this, [this] { account_.LogOut(); });
  connect(close, &QPushButton::clicked, this, &QDialog::hide);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(lblState_);
  layout->addWidget(buttons);
  connect(&account_, &InternetAccount::StateChanged, this, &frmAccount::ShowState);
  ShowState();
}

void frmAccount::AskPassword() {
  show();
  raise();
  activateWindow();
  txtPassword_->setFocus();
}

void frmAccount::LogIn() {
  const QString password = txtPassword_->text();
  if (password.isEmpty() && !account_.KnowsPassword()) {
    txtPassword_->setFocus();
    return;
  }
  txtPassword_->clear();
  KeepLobby();
  account_.LogIn(txtAddress_->text(), password, chkAutomatic_->isChecked());
}

void frmAccount::KeepLobby() {
  account_.SetLobby(txtLobbyRoom_->text(), txtLobbyName_->text());
}

void frmAccount::ShowState() {
  // The password itself is never shown: an empty field says where the one known is kept.
  switch (account_.PasswordPlace()) {
    case InternetAccount::PasswordKept::Keyring:
      txtPassword_->setPlaceholderText(tr("kept in the desktop's keyring"));
      break;
    case InternetAccount::PasswordKept::ThisRun:
      txtPassword_->setPlaceholderText(tr("kept until the program ends"));
      break;
    case InternetAccount::PasswordKept::Nowhere:
      txtPassword_->setPlaceholderText(QString());
      break;
  }
  if (account_.Online() || account_.LoggingIn()) {
    txtPassword_->clear();  // nothing typed stays once it is in use
  }
  txtLobbyName_->setPlaceholderText(
      XmppClient::BareAddress(txtAddress_->text().trimmed()).section(QLatin1Char('@'), 0, 0));
  if (account_.Online()) {
    lblState_->setText(tr("Online as %1.").arg(account_.Client().BoundAddress()));
  } else if (account_.LoggingIn()) {
    lblState_->setText(tr("Logging in..."));
  } else {
    lblState_->setText(tr("Offline."));
  }
  cmdLogIn_->setEnabled(!account_.Online() && !account_.LoggingIn());
  cmdLogOut_->setEnabled(account_.Online() || account_.LoggingIn());
}

}  // namespace vextal
