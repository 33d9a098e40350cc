#include <map>

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "game/Random.h"
#include "net/GameAnnouncement.h"
#include "net/xmpp/StropheLibrary.h"
#include "shell/InternetAccount.h"
#include "shell/PasswordStore.h"
#include "shell/ShellSettings.h"
#include "shell/WindowFakes.h"
#include "shell/frmAccount.h"
#include "shell/frmFindGames.h"

using namespace vextal;
using namespace vextal::testing;

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

// The window's log has a line that reads `line` after its time (at least `times` such lines).
bool Logged(const testing::WindowRig& rig, const QString& line, qsizetype times = 1) {
  const QStringList lines = rig.LogLines();
  return std::count_if(lines.begin(), lines.end(), [&](const QString& l) {
           return l.endsWith(QStringLiteral("] ") + line);
         }) >= times;
}

const QString kSecret = QStringLiteral("s3cr3t-p4ss");

qsizetype Results(const testing::WindowRig& rig) {
  return std::count_if(rig.dialogs.boxes.begin(), rig.dialogs.boxes.end(),
                       [](const RecordingDialogs::Box& box) { return box.keep.has_value(); });
}

// Plays the first legal cell for whoever moves until the host's side shows one more result.
void PlayToTheEnd(testing::WindowRig& hostRig, testing::WindowRig& guestRig,
                  const QElapsedTimer& sinceClick) {
  Game& host = hostRig.window->game();
  Game& guest = guestRig.window->game();
  const qsizetype before = Results(hostRig);
  for (int moves = 0; Results(hostRig) == before && moves < 300; ++moves) {
    Game& mover = host.ActPlayer() == 1 ? host : guest;
    for (int cell = 0; cell < mover.NodesW() * mover.NodesH(); ++cell) {
      const int column = 1 + cell % mover.NodesW(), row = 1 + cell / mover.NodesW();
      if (mover.IsLegalMove(column, row, mover.ActPlayer())) {
        mover.PlayCell(column, row);
        break;
      }
    }
    QTRY_VERIFY_WITH_TIMEOUT(host.Nodes() == guest.Nodes() && Results(hostRig) == Results(guestRig),
                             5000);
    if (moves == 0) {
      qInfo("from the click to the first move on both boards: %lld ms", sinceClick.elapsed());
    }
  }
}

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
    // The field never holds the password in use; it says where it is kept.
    QVERIFY(password->text().isEmpty());
    QCOMPARE(password->placeholderText(), QStringLiteral("kept until the program ends"));
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("lblState"))
                ->text()
                .startsWith(QStringLiteral("Online as bob@beta.test/")));
  }

  // Two windows, an account each: one invites through the menu, the other accepts in its box,
  // they play a game to the result box on each side, and a second invitation is declined.
  void windowsPlayAnInvitedGame() {
    if (qEnvironmentVariableIsEmpty("VEXTAL_PROSODY_DIR")) {
      QSKIP(qPrintable(qEnvironmentVariable("VEXTAL_PROSODY_SKIP",
                                            QStringLiteral("runs beside a private Prosody only"))));
    }
    FakeKeyring keyring;
    WindowRig alice, bob;
    for (const auto& [rig, address] :
         {std::pair{&alice, "alice@alpha.test"}, std::pair{&bob, "bob@beta.test"}}) {
      rig->window->SetPasswordStore(keyring);
      rig->window->Account().SetCaFile(qEnvironmentVariable("VEXTAL_PROSODY_DIR") +
                                       QStringLiteral("/ca.crt"));
      rig->window->Account().LogIn(QString::fromLatin1(address),
                                   qEnvironmentVariable("VEXTAL_PROSODY_PASSWORD"), false);
    }
    QVERIFY(QTest::qWaitFor(
        [&] { return alice.window->Account().Online() && bob.window->Account().Online(); }, 20000));
    alice.dialogs.inputAnswer = QStringLiteral("bob@beta.test");
    bob.dialogs.questionAnswer = BoxAnswer::Yes;
    QElapsedTimer sinceClick;
    sinceClick.start();
    alice.Item("mnuInvite")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(Logged(bob, QStringLiteral("Game synchronized.")), 10000);
    const QString aliceShown = ShownServiceName(QStringLiteral("alice@alpha.test"));
    QCOMPARE(bob.dialogs.boxes.first().text,
             QStringLiteral("%1 invites you to a game of Vextal.").arg(aliceShown));
    QCOMPARE(bob.dialogs.boxes.first().buttons, BoxButtons::AcceptDecline);
    QVERIFY(!alice.Item("mnuInvite")->isEnabled());
    PlayToTheEnd(alice, bob, sinceClick);
    QCOMPARE(Results(alice), 1);
    QCOMPARE(Results(bob), 1);
    QVERIFY(bob.window->net().SendChat(QString::fromUtf8("gg ✓")));
    QTRY_VERIFY(alice.window->chat().Text().contains(QString::fromUtf8("gg ✓")));
    alice.dialogs.questionAnswer = BoxAnswer::Yes;
    alice.Item("mnuDisconnect")->trigger();
    QTRY_VERIFY(Logged(bob, QStringLiteral("Disconnected (server disconnected).")));

    bob.dialogs.questionAnswer = BoxAnswer::No;
    alice.Item("mnuInvite")->trigger();
    QTRY_VERIFY(Logged(alice, QStringLiteral("%1 declined the invitation.")
                                  .arg(ShownServiceName(QStringLiteral("bob@beta.test")))));
    QVERIFY(Logged(bob, QStringLiteral("Declined the invitation from %1.").arg(aliceShown)));
    QVERIFY(!alice.window->game().NetMode() && alice.Item("mnuInvite")->isEnabled());

    // Withdrawn while the friend's box is open: the box is closed and says why, no game starts.
    bob.dialogs.questionAnswer = BoxAnswer::Yes;
    bob.dialogs.onMessage = [&](const RecordingDialogs::Box&) {
      alice.Item("mnuDisconnect")->trigger();
      QTRY_COMPARE(bob.dialogs.dismissed, QList{BoxButtons::AcceptDecline});  // as modal boxes do
    };
    alice.Item("mnuInvite")->trigger();
    QTRY_VERIFY(Logged(bob, QStringLiteral("%1 withdrew the invitation.").arg(aliceShown)));
    bob.dialogs.onMessage = nullptr;
    QVERIFY(!bob.window->game().NetMode() && !alice.window->game().NetMode());
    // Nobody there: the invitation times out.
    alice.window->Account().Invitations().SetInviteTimeout(200);
    alice.dialogs.inputAnswer = QStringLiteral("nobody@beta.test");
    alice.Item("mnuInvite")->trigger();
    QTRY_VERIFY(Logged(alice, QStringLiteral("%1 did not answer the invitation: the friend is "
                                             "offline or not playing Vextal now.")
                                  .arg(ShownServiceName(QStringLiteral("nobody@beta.test")))));

    // Through the lobby: Alice hosts, Bob (whose server has no chat service, so he names the
    // room) finds her game by her nickname in the list and joins it; they play it to the end.
    bob.window->Account().SetLobby(QStringLiteral("vextal@lobby.alpha.test"), QString());
    alice.window->net().NetPort = 0;
    alice.window->net().ListenAddress = QStringLiteral("127.0.0.1");
    alice.Item("mnuServer")->trigger();
    bob.Item("mnuFindGames")->trigger();
    QListWidget* list = bob.window->FindGamesWindow()->lstGames();
    // Generous waits: these are not timings (the test prints those), and a loaded machine under
    // the sanitizers needs several seconds for the room's discovery, joins and presences.
    QTRY_VERIFY_WITH_TIMEOUT(
        list->count() == 1 && list->item(0)->text().contains(QStringLiteral("on the internet")),
        30000);
    QVERIFY(list->item(0)->text().startsWith(ShownServiceName(QStringLiteral("alice"))));
    QVERIFY(!list->item(0)->text().contains(QLatin1Char('@')));
    sinceClick.restart();
    bob.window->FindGamesWindow()->cmdJoin()->click();
    QTRY_VERIFY_WITH_TIMEOUT(bob.LogLines().last().endsWith(QStringLiteral("] Game synchronized.")),
                             30000);
    QVERIFY(Logged(alice, QStringLiteral("%1 joins your game from the lobby...")
                              .arg(ShownServiceName(QStringLiteral("bob")))));
    // Hosting handed over to the lobby's game without a word of its own.
    const QStringList hosted = alice.LogLines();
    const qsizetype waited =
        hosted.indexOf(QRegularExpression(QStringLiteral(".*Waiting for client.*")));
    QVERIFY(waited > 0 && !hosted.mid(waited).join(QLatin1Char('\n')).contains("] Disconnected."));
    PlayToTheEnd(alice, bob, sinceClick);
    QCOMPARE(Results(alice), 2);
    QCOMPARE(Results(bob), 2);
    QVERIFY(!alice.window->Account().Lobby().Announcing());

    // An inviter who goes offline while the friend's box is open has withdrawn the invitation.
    alice.Item("mnuDisconnect")->trigger();
    QTRY_VERIFY(!bob.window->game().NetMode());
    const qsizetype dismissedBefore = bob.dialogs.dismissed.size();
    bob.dialogs.onMessage = [&](const RecordingDialogs::Box&) {
      alice.window->Account().LogOut();
      QTRY_COMPARE_WITH_TIMEOUT(bob.dialogs.dismissed.size(), dismissedBefore + 1, 30000);
    };
    alice.dialogs.inputAnswer = QStringLiteral("bob@beta.test");
    alice.Item("mnuInvite")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(
        Logged(bob, QStringLiteral("%1 withdrew the invitation.").arg(aliceShown), 2), 30000);
    bob.dialogs.onMessage = nullptr;
    QVERIFY(!bob.window->game().NetMode());
  }
};

QTEST_MAIN(TestInternetAccount)
#include "test_internet_account.moc"
