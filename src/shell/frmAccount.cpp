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
  account_.LogIn(txtAddress_->text(), password, chkAutomatic_->isChecked());
}

void frmAccount::ShowState() {
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
