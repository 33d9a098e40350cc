// Who sits in which seat: the modes, which clicks may play, when the CPU may move, the enabled
// menu entries and the two CPU menu commands.

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

  void modes_data() {
    QTest::addColumn<bool>("netMode");
    QTest::addColumn<bool>("cpuOn");
    QTest::addColumn<bool>("demoOn");
    QTest::addColumn<Mode>("mode");
    QTest::newRow("start") << false << false << false << Mode::TwoPersons;
    QTest::newRow("demo checked, CPU off") << false << false << true << Mode::TwoPersons;
    QTest::newRow("against the CPU") << false << true << false << Mode::PersonAgainstCpu;
    QTest::newRow("demo") << false << true << true << Mode::Demo;
    QTest::newRow("network") << true << false << false << Mode::Network;
    QTest::newRow("network beats the CPU switches") << true << true << true << Mode::Network;
  }
  void modes() {
    QFETCH(bool, netMode);
    QFETCH(bool, cpuOn);
    QFETCH(bool, demoOn);
    QFETCH(Mode, mode);
    rig->SetNet(netMode, false, false);
    if (cpuOn) {
      game().ToggleCpuPlayer();
    }
    if (demoOn) {
      game().ToggleDemoPlayer();
    }
    QCOMPARE(game().CurrentMode(), mode);
    // Every switch that was turned told its listeners once.
    QCOMPARE(rig->rec.Take().count(QStringLiteral("seats")), 1 + int(cpuOn) + int(demoOn));
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

    game().PlayCell(1, 1);
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
    const MenuItem items[] = {MenuItem::EnableAI,   MenuItem::EnableDemo, MenuItem::Reset,
                              MenuItem::Server,     MenuItem::Client,     MenuItem::Disconnect,
                              MenuItem::Synchronize};
    QString actual;
    for (const MenuItem item : items) {
      actual += game().MenuEnabled(item) ? QLatin1Char('1') : QLatin1Char('0');
    }
    QCOMPARE(actual, enabled);
  }

  void cpuToggleChecksAndEnablesTheDemoEntry() {
    game().ToggleCpuPlayer();
    QVERIFY(game().CpuOn());
    QVERIFY(game().MenuEnabled(MenuItem::EnableDemo));
    QCOMPARE(rig->rec.Take(), QStringList({"seats"}));
    game().ToggleCpuPlayer();
    QVERIFY(!game().CpuOn());
    QVERIFY(!game().MenuEnabled(MenuItem::EnableDemo));
    QCOMPARE(rig->rec.Take(), QStringList({"seats"}));
  }

  void demoStaysCheckedWhenCpuIsOffAndResumes() {
    game().ToggleCpuPlayer();
    rig->rec.Clear();
    game().ToggleDemoPlayer();
    QVERIFY(game().DemoOn());
    QCOMPARE(game().CurrentMode(), Mode::Demo);
    QVERIFY(game().CpuMayMove());

    game().ToggleCpuPlayer();  // the demo entry keeps its check mark, disabled
    QCOMPARE(game().CurrentMode(), Mode::TwoPersons);
    QVERIFY(!game().MenuEnabled(MenuItem::EnableDemo));
    QVERIFY(game().DemoOn());
    QVERIFY(!game().CpuMayMove());
    QVERIFY(game().ClickMayPlay());
    game().SetActPlayer(2);
    QVERIFY(game().ClickMayPlay());
    rig->rec.Clear();

    game().ToggleCpuPlayer();
    QCOMPARE(game().CurrentMode(), Mode::Demo);
    QVERIFY(game().MenuEnabled(MenuItem::EnableDemo));
    QVERIFY(game().CpuMayMove());
    QVERIFY(!game().ClickMayPlay());
  }

  // A network game falls back to local play with the CPU on: the person keeps the seat played
  // there, and the CPU moves only once the change has been in view for a while.
  void fallBackKeepsThePersonsSeat_data() {
    QTest::addColumn<bool>("netServer");
    QTest::addColumn<int>("actPlayer");
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<bool>("personToMove");
    QTest::newRow("host, its own turn") << true << 1 << Mode::PersonAgainstCpu << true;
    QTest::newRow("host, the client's turn") << true << 2 << Mode::PersonAgainstCpu << false;
    QTest::newRow("client, its own turn") << false << 2 << Mode::CpuAgainstPerson << true;
    QTest::newRow("client, the host's turn") << false << 1 << Mode::CpuAgainstPerson << false;
  }
  void fallBackKeepsThePersonsSeat() {
    QFETCH(bool, netServer);
    QFETCH(int, actPlayer);
    QFETCH(Mode, mode);
    QFETCH(bool, personToMove);
    game().ToggleCpuPlayer();
    rig->SetNet(true, netServer, true);
    game().SetActPlayer(Player(actPlayer));
    rig->clock.Advance(10'000);
    rig->SetNet(false, netServer, false);
    QCOMPARE(game().CurrentMode(), mode);
    QCOMPARE(game().ClickMayPlay(), personToMove);
    QCOMPARE(game().CpuMayMove(), !personToMove);
    const Board before = game().Nodes();
    rig->clock.Advance(Game::kSeatChangePauseMs - 1);
    game().CpuTick();
    QCOMPARE(game().Nodes(), before);
    rig->clock.Advance(1);
    game().CpuTick();
    QCOMPARE(game().Nodes() != before, !personToMove);
    // Turning a seat switch gives the seats their usual places again.
    game().ToggleCpuPlayer();
    game().ToggleCpuPlayer();
    QCOMPARE(game().CurrentMode(), Mode::PersonAgainstCpu);
  }

  void togglesLeaveTheGameAlone() {
    QVERIFY(game().DoMove(2, 2, MoveSource::Peer));
    const Board before = game().Nodes();
    rig->rec.Clear();
    game().ToggleCpuPlayer();
    game().ToggleDemoPlayer();
    QVERIFY(game().Nodes() == before);
    QCOMPARE(game().ActPlayer(), Player(2));
    QCOMPARE(rig->rec.Take(), QStringList({"seats", "seats"}));
  }
};

QTEST_GUILESS_MAIN(RolesTest)
#include "test_roles.moc"
