#include <QTimer>

#include "net/ProgramModule.h"
#include "shell/PasswordStore.h"

namespace vextal {
namespace {

PasswordStore* Keyring() {
  using EntryPoint = PasswordStore* (*)();
  static PasswordStore* const store = [] {
    auto entry = reinterpret_cast<EntryPoint>(
        ProgramModuleSymbol("modules/libvextal_keyring.so", "vextal_keyring_store"));
    return entry != nullptr ? entry() : nullptr;
  }();
  return store;
}

}  // namespace

void KeyringPasswordStore::Read(const QString& address,
                                std::function<void(std::optional<QString>)> done) {
  if (PasswordStore* keyring = Keyring()) {
    keyring->Read(address, std::move(done));
  } else {
    QTimer::singleShot(0, [done = std::move(done)] { done(std::nullopt); });  // later, as a keyring
  }
}

void KeyringPasswordStore::Write(const QString& address, const QString& password,
                                 std::function<void(bool)> done) {
  if (PasswordStore* keyring = Keyring()) {
    keyring->Write(address, password, std::move(done));
  } else {
    QTimer::singleShot(0, [done = std::move(done)] { done(false); });
  }
}

void KeyringPasswordStore::Remove(const QString& address) {
  if (PasswordStore* keyring = Keyring()) {
    keyring->Remove(address);
  }
}

}  // namespace vextal
