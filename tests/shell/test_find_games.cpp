// Finding a game on the local network. Beside a private Avahi daemon (with_private_avahi.sh), two
// main windows find each other and play a move with no address typed; without the daemon or
// its library everything plays as before and the list says why it stays empty.
#include <semaphore>

#include <QListWidget>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include "net/AvahiLibrary.h"
#include "shell/WindowFakes.h"
#include "shell/frmFindGames.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

// Outside the private namespaces no test may reach the machine's own daemon.
const char kNoBus[] = "unix:path=/nonexistent/vextal-tests/system_bus_socket";

struct Copy : WindowRig {
  Copy() { window->net().ListenAddress = QStringLiteral("127.0.0.1"); }
  bool Logged(const QString& text) const {
    const QString log = window->LogText();
    return log.contains("] " + text + "\n") || log.endsWith("] " + text);
  }
};

// What avahi-browse lists for the game's service type, one line per record; resolved on request.
QString Browse(bool resolve) {
  QProcess browse;
  browse.start(QStringLiteral("avahi-browse"), {resolve ? "-rtp" : "-tp", "_vextal._tcp"});
  if (!browse.waitForFinished(5'000)) {
    browse.kill();
    browse.waitForFinished();
  }
  return QString::fromUtf8(browse.readAllStandardOutput());
}

}  // namespace

class TestFindGames : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (!qEnvironmentVariableIsSet("VEXTAL_AVAHI_NAMESPACE")) {
      qputenv("DBUS_SYSTEM_BUS_ADDRESS", kNoBus);
    }
  }

  void unavailableSaidOnce_data() {
    QTest::addColumn<QByteArray>("library");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no system bus") << QByteArray(AvahiLibrary::kClientFile) << QString();
    QTest::newRow("no library") << QByteArray("libvextal-missing.so.0")
                                << QStringLiteral("the Avahi client library is not installed");
  }
  void unavailableSaidOnce() {
    if (qEnvironmentVariableIsSet("VEXTAL_AVAHI_NAMESPACE")) {
      QSKIP("runs without a daemon");
    }
    QFETCH(QByteArray, library);
    QFETCH(QString, reason);
    AvahiLibrary::SetClientFile(library.constData());
    Copy host;
    QSignalSpy unavailable(&host.window->discovery(), &GameDiscovery::DiscoveryUnavailable);
    // Hosting logs exactly what it always has, and nothing about discovery.
    const qsizetype lines = host.LogLines().size();
    host.window->net().NetPort = 0;
    host.Item("mnuServer")->trigger();
    QVERIFY(host.Logged("Waiting for client, IP is " + cSocket::LocalIP()));
    QTRY_COMPARE(unavailable.count(), 1);
    host.Item("mnuFindGames")->trigger();
    QLabel* status = host.window->FindGamesWindow()->lblStatus();
    QTRY_VERIFY(status->text().contains("unavailable on this machine"));
    QVERIFY(status->text().contains(reason));
    QCOMPARE(host.LogLines().size(), lines + 1);
    QCOMPARE(unavailable.count(), 1);
    QCOMPARE(host.window->FindGamesWindow()->lstGames()->count(), 0);
    AvahiLibrary::SetClientFile(AvahiLibrary::kClientFile);
  }

  // The list opens beside the main window and says what to do while it is empty; Join waits for
  // a selected game, and Close, Escape and Ctrl+W close the list.
  void listBesideTheWindowWithJoinAndClose() {
    Copy copy;
    copy.window->move(0, 0);
    copy.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(copy.window.get()));
    for (const QKeySequence& key :
         {QKeySequence(), QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
      copy.Item("mnuFindGames")->trigger();
      frmFindGames* list = copy.window->FindGamesWindow();
      QVERIFY(list->isVisible());
      QVERIFY(!list->frameGeometry().intersects(copy.window->frameGeometry()));
      QVERIFY(list->screen()->availableGeometry().contains(list->frameGeometry()));
      QVERIFY(!list->cmdJoin()->isEnabled());
      if (list->lblStatus()->text().contains("Looking")) {  // unless found unavailable already
        QVERIFY(list->lblStatus()->text().contains("\"Host game\""));
      }
      if (key.isEmpty()) {
        list->cmdClose()->click();
      } else {
        list->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(list));
        QTest::keySequence(list, key);
      }
      QTRY_VERIFY(copy.window->FindGamesWindow() == nullptr);
    }
  }

  // Closing never waits on the discovery's thread, even one a hung daemon holds: the thread ends
  // on its own once let go, and is deleted then (a thread waited for in vain would be leaked).
  void shutdownLeavesABusyWorkerToFinishAlone() {
    std::binary_semaphore hold(0);
    QPointer<QThread> thread;
    auto blocker = std::make_unique<QObject>();
    {
      GameDiscovery discovery;
      discovery.StartBrowsing();
      thread = discovery.WorkerThread();
      QVERIFY(thread);
      blocker->moveToThread(thread);
      QMetaObject::invokeMethod(blocker.get(), [&hold] { hold.acquire(); });
    }
    QVERIFY(thread && thread->isRunning());
    hold.release();
    QTRY_VERIFY(thread.isNull());
  }

  void findJoinAndPlay() {
    if (!qEnvironmentVariableIsSet("VEXTAL_AVAHI_NAMESPACE")) {
      const QString why = qEnvironmentVariable("VEXTAL_AVAHI_SKIP");
      QSKIP(qPrintable(why.isEmpty() ? "needs the private Avahi daemon (test_find_games_avahi)"
                                     : "no private Avahi daemon here: " + why));
    }
    Copy host;
    Copy client;
    host.Item("mnuSetup3")->trigger();
    host.window->net().NetPort = 0;
    QSignalSpy published(&host.window->discovery(), &GameDiscovery::Published);
    host.Item("mnuServer")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(published.count(), 1, 10'000);
    QCOMPARE(published[0][0].toString(), QStringLiteral("Vextal on vextal-test"));
    const QString port = QString::number(host.window->socket().ListeningPort());
    // The daemon's own tools list it with its address, port and text record.
    const QString listed = Browse(true);
    QVERIFY2(listed.contains(";127.0.0.1;" + port + ";\"protocol=1\" \"stage=3\"") ||
                 listed.contains(";127.0.0.1;" + port + ";\"stage=3\" \"protocol=1\""),
             qPrintable(listed));

    client.Item("mnuFindGames")->trigger();
    QListWidget* list = client.window->FindGamesWindow()->lstGames();
    QTRY_COMPARE_WITH_TIMEOUT(list->count(), 1, 10'000);
    // Join follows the selection.
    QPushButton* join = client.window->FindGamesWindow()->cmdJoin();
    QVERIFY(join->isEnabled());
    list->clearSelection();
    QVERIFY(!join->isEnabled());
    list->item(0)->setSelected(true);
    QVERIFY(join->isEnabled());
    // The name is isolated from the text around it.
    QCOMPARE(list->item(0)->text(), QChar(0x2068) + QStringLiteral("Vextal on vextal-test") +
                                        QChar(0x2069) + " (stage 3)");
    QTest::keyClick(list, Qt::Key_Return);
    // Joined as a typed address would have been.
    QTRY_VERIFY(client.Logged("Game synchronized."));
    QVERIFY(client.Logged("Connecting to 127.0.0.1 on " + port + "..."));
    QVERIFY(client.Logged("Connected to 127.0.0.1"));
    QTRY_VERIFY(host.Logged("Client 127.0.0.1 connected."));
    QTRY_VERIFY(client.window->FindGamesWindow() == nullptr);

    // Whoever is to move (the host plays player 1) claims a cell; the other side sees it.
    Game& game = host.window->game();
    Game& other = client.window->game();
    Game& mover = game.ActPlayer() == 1 ? game : other;
    bool played = false;
    for (int c = 1; c <= mover.NodesW() && !played; ++c) {
      for (int r = 1; r <= mover.NodesH() && !played; ++r) {
        if (mover.IsLegalMove(c, r, mover.ActPlayer()) && mover.Nodes()(c, r).Owner == 0) {
          mover.PlayCell(c, r);
          played = mover.Nodes()(c, r).Owner != 0;
        }
      }
    }
    QVERIFY(played);
    QTRY_COMPARE(other.Nodes(), game.Nodes());

    // With its client accepted the game is no longer announced.
    bool withdrawn = false;
    for (int tries = 0; tries < 10 && !withdrawn; ++tries) {
      withdrawn = !Browse(false).contains("_vextal._tcp");
      QTest::qWait(withdrawn ? 0 : 200);
    }
    QVERIFY(withdrawn);
  }
};

QTEST_MAIN(TestFindGames)
#include "test_find_games.moc"
