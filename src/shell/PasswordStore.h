#pragma once

#include <functional>
#include <optional>

#include <QString>

namespace vextal {

// Where the password of the internet account is kept between runs: the desktop's keyring, never
// the settings file. Both calls answer later, on the user-interface thread.
class PasswordStore {
 public:
  virtual ~PasswordStore() = default;
  // The password kept for the address; nothing when there is none or no keyring.
  virtual void Read(const QString& address, std::function<void(std::optional<QString>)> done) = 0;
  // Keeps the password; done(false) when there is no keyring or it refused.
  virtual void Write(const QString& address, const QString& password,
                     std::function<void(bool stored)> done) = 0;
  // Forgets the password of the address, if any was kept.
  virtual void Remove(const QString& address) = 0;
};

// The desktop's keyring (Secret Service or KWallet) through QtKeychain, with no fallback to a
// file: without a keyring nothing is kept. QtKeychain lives in modules/libvextal_keyring.so
// beside the binary, opened at the first call, so a run that never touches the internet account
// never maps it; without that library nothing is kept either.
class KeyringPasswordStore final : public PasswordStore {
 public:
  void Read(const QString& address, std::function<void(std::optional<QString>)> done) override;
  void Write(const QString& address, const QString& password,
             std::function<void(bool stored)> done) override;
  void Remove(const QString& address) override;
};

}  // namespace vextal
