#include <map>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "game/Random.h"
#include "net/xmpp/StropheLibrary.h"
#include "shell/InternetAccount.h"
#include "shell/PasswordStore.h"
#include "shell/ShellSettings.h"
#include "shell/frmAccount.h"

using namespace vextal;

namespace {

// A keyring in memory, or none at all.
class FakeKeyring final : public PasswordStore {
 public:
  bool available = true;
  std::map<QString, QString> kept;
  int reads = 0;
  void Read(const QString& address, std::function<void(std::optional<QString>)> done) override {
    ++reads;
    const auto found = kept.find(address);
    done(available && found != kept.end() ? std::optional(found->second) : std::nullopt);
  }
  void Write(const QString& address, const QString& password,
             std::function<void(bool)> done) override {
    if (available) {
      kept[address] = password;
    }
    done(available);
  }
  void Remove(const QString& address) override { kept.erase(address); }
};

struct Fixture {
  QTemporaryDir dir;
  QString file = dir.filePath(QStringLiteral("Vextal.conf"));
  ShellSettings settings{file};
  FakeKeyring keyring;
  SeededRandom random{1};
  InternetAccount account{settings, keyring, random};
  QStringList log;
  int asked = 0;
  Fixture() {
    account.Log = [this](const QString& line) { log << line; };
    account.NeedsPassword = [this] { ++asked; };
    account.SetCaFile(qEnvironmentVariable("VEXTAL_PROSODY_DIR") + QStringLiteral("/ca.crt"));
  }
  QByteArray SettingsBytes() {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
};

const QString kSecret = QStringLiteral("s3cr3t-p4ss");

}  // namespace

class TestInternetAccount : public QObject {
  Q_OBJECT

 private slots:
  // The password goes to the keyring when logging in automatically, never to the settings; the
  // next start logs in with it without asking.
  void passwordKeptInKeyringOnly() {
    StropheLibrary::SetFile("libstrophe-missing.so.0");
    {
      Fixture f;
      f.account.LogIn(QStringLiteral(" alice@alpha.test "), kSecret, true);
      QCOMPARE(f.keyring.kept[QStringLiteral("alice@alpha.test")], kSecret);
      QCOMPARE(f.settings.InternetAddress(), QStringLiteral("alice@alpha.test"));
      QVERIFY(f.settings.InternetAutoLogIn());
      QVERIFY(!f.SettingsBytes().isEmpty());
      QVERIFY(!f.SettingsBytes().contains(kSecret.toUtf8()));
      QCOMPARE(
          f.log.last(),
          QStringLiteral("Internet login failed: the XMPP library (libstrophe) is not installed."));
      for (const QString& line : f.log) {
        QVERIFY(!line.contains(kSecret));
      }
      // Started again with the keyring's password: no question.
      f.account.Start();
      QCOMPARE(f.asked, 0);
      QCOMPARE(f.keyring.reads, 1);
      // Not automatic any more: the keyring forgets it.
      f.account.LogIn(QStringLiteral("alice@alpha.test"), QString(), false);
      QVERIFY(f.keyring.kept.empty());
    }
    StropheLibrary::SetFile(StropheLibrary::kFile);
  }

  // Without a keyring the password is asked at start and kept for this run only, said once.
  void noKeyringAsksOncePerRun() {
    StropheLibrary::SetFile("libstrophe-missing.so.0");
    Fixture f;
    f.keyring.available = false;
    f.settings.SetInternetAddress(QStringLiteral("alice@alpha.test"));
    f.settings.SetInternetAutoLogIn(true);
    f.account.Start();
    QCOMPARE(f.asked, 1);
    QVERIFY(!f.account.KnowsPassword());
    f.account.LogIn(QStringLiteral("alice@alpha.test"), kSecret, true);
    f.account.LogIn(QStringLiteral("alice@alpha.test"), QString(), true);  // known for the run
    QVERIFY(f.account.KnowsPassword());
    QCOMPARE(f.log.count(QStringLiteral(
                 "No keyring is available: the password is kept only until the program ends.")),
             1);
    QVERIFY(!f.SettingsBytes().contains(kSecret.toUtf8()));
    StropheLibrary::SetFile(StropheLibrary::kFile);
  }

  // Beside a private server: the window logs in, the status says so, and a wrong password says why.
  void windowLogsIn() {
    if (qEnvironmentVariableIsEmpty("VEXTAL_PROSODY_DIR")) {
      QSKIP(qPrintable(qEnvironmentVariable("VEXTAL_PROSODY_SKIP",
                                            QStringLiteral("runs beside a private Prosody only"))));
    }
    Fixture f;
    frmAccount window(f.account);
    window.show();
    window.findChild<QLineEdit*>(QStringLiteral("txtAddress"))
        ->setText(QStringLiteral("bob@beta.test"));
    auto* password = window.findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    password->setText(QStringLiteral("wrong"));
    window.findChild<QPushButton*>(QStringLiteral("cmdLogIn"))->click();
    QVERIFY(password->text().isEmpty());
    QVERIFY(QTest::qWaitFor(
        [&] { return !f.log.isEmpty() && f.log.last().contains(QStringLiteral("wrong")); }, 20000));
    QCOMPARE(f.log.last(),
             QStringLiteral("Internet login failed: the address or the password is wrong."));
    password->setText(qEnvironmentVariable("VEXTAL_PROSODY_PASSWORD"));
    window.findChild<QPushButton*>(QStringLiteral("cmdLogIn"))->click();
    QVERIFY(QTest::qWaitFor([&] { return f.account.Online(); }, 20000));
    QCOMPARE(f.log.last(), QStringLiteral("Online on the internet as bob@beta.test."));
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("lblState"))
                ->text()
                .startsWith(QStringLiteral("Online as bob@beta.test/")));
  }
};

QTEST_MAIN(TestInternetAccount)
#include "test_internet_account.moc"
