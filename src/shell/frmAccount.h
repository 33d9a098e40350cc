#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vextal {

class InternetAccount;

// Network → "Internet account…": the XMPP address, the password and "Log in automatically",
// with Log in and Log out and a line that says the account's state. Not modal: it follows the
// account while it is open. The password field is never filled from the keyring.
class frmAccount final : public QDialog {
  Q_OBJECT

 public:
  explicit frmAccount(InternetAccount& account, QWidget* parent = nullptr);

  // Opens it with the password field focused, as when the password must be typed.
  void AskPassword();

 private:
  void LogIn();
  void ShowState();

  InternetAccount& account_;
  QLineEdit* txtAddress_ = nullptr;
  QLineEdit* txtPassword_ = nullptr;
  QCheckBox* chkAutomatic_ = nullptr;
  QLabel* lblState_ = nullptr;
  QPushButton* cmdLogIn_ = nullptr;
  QPushButton* cmdLogOut_ = nullptr;
};

}  // namespace vextal
