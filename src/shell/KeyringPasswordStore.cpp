#include <qt6keychain/keychain.h>

#include "shell/PasswordStore.h"

namespace vextal {
namespace {

const QString kService = QStringLiteral("Vextal internet account");

}  // namespace

void KeyringPasswordStore::Read(const QString& address,
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

void KeyringPasswordStore::Write(const QString& address, const QString& password,
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

void KeyringPasswordStore::Remove(const QString& address) {
  auto* job = new QKeychain::DeletePasswordJob(kService);
  job->setInsecureFallback(false);
  job->setKey(address);
  job->start();
}

}  // namespace vextal
