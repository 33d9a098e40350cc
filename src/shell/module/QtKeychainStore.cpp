// The desktop's keyring through QtKeychain, built as a library of its own (see
// KeyringPasswordStore in shell/PasswordStore.h): the only code that touches QtKeychain.

#include <qt6keychain/keychain.h>

#include "shell/PasswordStore.h"

namespace vextal {
namespace {

const QString kService = QStringLiteral("Vextal internet account");

class QtKeychainStore final : public PasswordStore {
 public:
  void Read(const QString& address, std::function<void(std::optional<QString>)> done) override;
  void Write(const QString& address, const QString& password,
             std::function<void(bool stored)> done) override;
  void Remove(const QString& address) override;
};

void QtKeychainStore::Read(const QString& address,
                           std::function<void(std::optional<QString>)> done) {
  auto* job = new QKeychain::ReadPasswordJob(kService);
  job->setInsecureFallback(false);
  job->setKey(address);
  QObject::connect(job, &QKeychain::Job::finished, [done](QKeychain::Job* finished) {
    auto* read = static_cast<QKeychain::ReadPasswordJob*>(finished);
    if (read->error() == QKeychain::NoError) {
      done(read->textData());
    } else {
      done(std::nullopt);
    }
  });
  job->start();
}

void QtKeychainStore::Write(const QString& address, const QString& password,
                            std::function<void(bool)> done) {
  auto* job = new QKeychain::WritePasswordJob(kService);
  job->setInsecureFallback(false);
  job->setKey(address);
  job->setTextData(password);
  QObject::connect(job, &QKeychain::Job::finished, [done](QKeychain::Job* finished) {
    done(finished->error() == QKeychain::NoError);
  });
  job->start();
}

void QtKeychainStore::Remove(const QString& address) {
  auto* job = new QKeychain::DeletePasswordJob(kService);
  job->setInsecureFallback(false);
  job->setKey(address);
  job->start();
}

}  // namespace
}  // namespace vextal

extern "C" vextal::PasswordStore* vextal_keyring_store() {
  static vextal::QtKeychainStore store;
  return &store;
}
