// Who sits in which seat: the modes with their captions, which clicks may play, when the CPU may
// move, the enabled menu entries and the two CPU menu commands.

#include <QTest>

#include "common/CoreRecorder.h"

using namespace vextal;
using namespace vextal::testing;

Q_DECLARE_METATYPE(vextal::Mode)

class RolesTest : public CoreRigTest {
  Q_OBJECT

 private slots:
  void init() {
    CoreRigTest::init();
    rig->Place({"XXXXX", "XXXXX", "XXXXX", "XXXXX"}, 1);
  }

  void modesAndCaptions_data() {
    QTest::addColumn<bool>("netMode");
    QTest::addColumn<bool>("cpuOn");
    QTest::addColumn<bool>("demoOn");
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QString>("names");
    QTest::newRow("start") << false << false << false << Mode::TwoPersons
                           << "names:Player 1|Player 2";
    QTest::newRow("demo checked, CPU off")
        << false << false << true << Mode::TwoPersons << "names:Player 1|Player 2";
    QTest::newRow("against the CPU")
        << false << true << false << Mode::PersonAgainstCpu << "names:Player|CPU";
    QTest::newRow("demo") << false << true << true << Mode::Demo << "names:CPU 1|CPU 2";
    QTest::newRow("network") << true << false << false << Mode::Network << "names:Server|Client";
    QTest::newRow("network beats the CPU switches")
        << true << true << true << Mode::Network << "names:Server|Client";
  }
  void modesAndCaptions() {
    QFETCH(bool, netMode);
    QFETCH(bool, cpuOn);
    QFETCH(bool, demoOn);
    QFETCH(Mode, mode);
    QFETCH(QString, names);
    rig->SetNet(netMode, false, false);
    if (cpuOn) {
      game().ToggleCpuPlayer();
    }
    if (demoOn) {
      game().ToggleDemoPlayer();
    }
    rig->rec.Clear();
    QCOMPARE(game().CurrentMode(), mode);
    game().UpdatePlayerNames();
    QCOMPARE(rig->rec.Take(), QStringList({names}));
  }

  void clickPermission_data() {
    QTest::addColumn<bool>("netMode");
    QTest::addColumn<bool>("netServer");
    QTest::addColumn<bool>("cpuOn");
    QTest::addColumn<bool>("demoOn");
    QTest::addColumn<int>("actPlayer");
    QTest::addColumn<bool>("mayPlay");
    QTest::newRow("two persons, player 1") << false << false << false << false << 1 << true;
    QTest::newRow("two persons, player 2") << false << false << false << false << 2 << true;
    QTest::newRow("two persons with demo checked") << false << false << false << true << 2 << true;
    QTest::newRow("against CPU, person's turn") << false << false << true << false << 1 << true;
    QTest::newRow("against CPU, CPU's turn") << false << false << true << false << 2 << false;
    QTest::newRow("demo, player 1") << false << false << true << true << 1 << false;
    QTest::newRow("demo, player 2") << false << false << true << true << 2 << false;
    QTest::newRow("host, player 1") << true << true << false << false << 1 << true;
    QTest::newRow("host, player 2") << true << true << false << false << 2 << false;
    QTest::newRow("client, player 1") << true << false << false << false << 1 << false;
    QTest::newRow("client, player 2") << true << false << false << false << 2 << true;
    QTest::newRow("host with CPU and demo on") << true << true << true << true << 1 << true;
    QTest::newRow("client with CPU on") << true << false << true << false << 2 << true;
  }
  void clickPermission() {
    QFETCH(bool, netMode);
    QFETCH(bool, netServer);
    QFETCH(bool, cpuOn);
    QFETCH(bool, demoOn);
    QFETCH(int, actPlayer);
    QFETCH(bool, mayPlay);
    rig->SetNet(netMode, netServer, netMode);
    if (cpuOn) {
      game().ToggleCpuPlayer();
    }
    if (demoOn) {
      game().ToggleDemoPlayer();
    }
    rig->rec.Clear();
    game().SetActPlayer(Player(actPlayer));
    QCOMPARE(game().ClickMayPlay(), mayPlay);

    game().BoardClick(65, 65);
    QCOMPARE(game().Nodes()(1, 1).Owner, mayPlay ? Player(actPlayer) : Player(0));
  }

  void menuStates_data() {
    QTest::addColumn<bool>("netMode");
    QTest::addColumn<bool>("netServer");
    QTest::addColumn<bool>("netConnected");
    QTest::addColumn<bool>("cpuOn");
    QTest::addColumn<QString>("enabled");  // EnableAI EnableDemo Reset Server Client Disc. Sync
    QTest::newRow("local, CPU off") << false << false << false << false << "1011100";
    QTest::newRow("local, CPU on") << false << false << false << true << "1111100";
    QTest::newRow("hosting, waiting") << true << true << false << false << "0010011";
    QTest::newRow("host connected, CPU on") << true << true << true << true << "0010011";
    QTest::newRow("connecting") << true << false << false << false << "0000010";
    QTest::newRow("client connected") << true << false << true << true << "0000010";
  }
  void menuStates() {
    QFETCH(bool, netMode);
    QFETCH(bool, netServer);
    QFETCH(bool, netConnected);
    QFETCH(bool, cpuOn);
    QFETCH(QString, enabled);
    rig->SetNet(netMode, netServer, netConnected);
    if (cpuOn) {
      game().ToggleCpuPlayer();
    }
    rig->rec.Clear();
    game().UpdateMenus();
    const QStringList items = {"EnableAI", "EnableDemo", "Reset",      "Server",
                               "Client",   "Disconnect", "Synchronize"};
    QStringList expected;
    for (int i = 0; i < items.size(); ++i) {
      expected << QStringLiteral("menu:%1=%2").arg(items[i], enabled.mid(i, 1));
    }
    QCOMPARE(rig->rec.Take(), expected);  // check marks untouched
  }

  void cpuToggleChecksAndEnablesTheDemoEntry() {
    game().ToggleCpuPlayer();
    QVERIFY(game().CpuOn());
    QCOMPARE(rig->rec.Take(),
             QStringList({"check:EnableAI=1", "menu:EnableDemo=1", "names:Player|CPU"}));
    game().ToggleCpuPlayer();
    QVERIFY(!game().CpuOn());
    QCOMPARE(rig->rec.Take(),
             QStringList({"check:EnableAI=0", "menu:EnableDemo=0", "names:Player 1|Player 2"}));
  }

  void demoStaysCheckedWhenCpuIsOffAndResumes() {
    game().ToggleCpuPlayer();
    rig->rec.Clear();
    game().ToggleDemoPlayer();
    QVERIFY(game().DemoOn());
    QCOMPARE(rig->rec.Take(), QStringList({"check:EnableDemo=1", "names:CPU 1|CPU 2"}));
    QVERIFY(game().CpuMayMove());

    game().ToggleCpuPlayer();  // the demo entry keeps its check mark, disabled
    QCOMPARE(rig->rec.Take(),
             QStringList({"check:EnableAI=0", "menu:EnableDemo=0", "names:Player 1|Player 2"}));
    QVERIFY(game().DemoOn());
    QVERIFY(!game().CpuMayMove());
    QVERIFY(game().ClickMayPlay());
    game().SetActPlayer(2);
    QVERIFY(game().ClickMayPlay());
    rig->rec.Clear();

    game().ToggleCpuPlayer();
    QCOMPARE(rig->rec.Take(),
             QStringList({"check:EnableAI=1", "menu:EnableDemo=1", "names:CPU 1|CPU 2"}));
    QVERIFY(game().CpuMayMove());
    QVERIFY(!game().ClickMayPlay());
  }

  void togglesLeaveTheGameAlone() {
    QVERIFY(game().DoMove(2, 2, false));
    const Board before = game().Nodes();
    rig->rec.Clear();
    game().ToggleCpuPlayer();
    game().ToggleDemoPlayer();
    QVERIFY(game().Nodes() == before);
    QCOMPARE(game().ActPlayer(), Player(2));
    for (const QString& effect : rig->rec.Take()) {
      QVERIFY2(effect.startsWith(QStringLiteral("check:")) ||
                   effect.startsWith(QStringLiteral("menu:")) ||
                   effect.startsWith(QStringLiteral("names:")),
               qPrintable(effect));
    }
  }
};

QTEST_GUILESS_MAIN(RolesTest)
#include "test_roles.moc"
