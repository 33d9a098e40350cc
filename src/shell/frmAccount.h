#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vextal {

class InternetAccount;

// Network → "Internet account…": the XMPP address, the password and "Log in automatically",
// with Log in and Log out and a line that says the account's state, and the lobby's room and the
// name shown there. Not modal: it follows the account while it is open. The password field is
// never filled from the keyring: while empty it says where the password known now is kept.
class frmAccount final : public QDialog {
  Q_OBJECT

 public:
  explicit frmAccount(InternetAccount& account, QWidget* parent = nullptr);

  // Opens it with the password field focused, as when the password must be typed.
  void AskPassword();

 private:
  void LogIn();
  void ShowState();
  void KeepLobby();

  InternetAccount& account_;
  QLineEdit* txtAddress_ = nullptr;
  QLineEdit* txtPassword_ = nullptr;
  QLineEdit* txtLobbyRoom_ = nullptr;
  QLineEdit* txtLobbyName_ = nullptr;
  QCheckBox* chkAutomatic_ = nullptr;
  QLabel* lblState_ = nullptr;
  QPushButton* cmdLogIn_ = nullptr;
  QPushButton* cmdLogOut_ = nullptr;
};

}  // namespace vextal
