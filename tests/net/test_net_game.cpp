// The game over the network: connection events, the peer's messages (good, bad and broken), and
// two complete games played between two real sockets on the loopback address.

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <deque>
#include <random>

#include "common/CoreRecorder.h"
#include "net/NetGame.h"
#include "net/Snapshot.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

// One copy of the program: a game, its socket and the network side, all on loopback.
struct Side {
  CoreRecorder rec;
  FakeClock clock;
  ScriptedRandom random;
  cSocket socket;
  Game game{clock, random};
  NetGame net{game, rec, rec, socket};

  explicit Side(int stage) : random(std::uint64_t(stage) * 7919) {
    rec.Listen(game);
    net.NetPort = 0;
    net.ListenAddress = QHostAddress(QHostAddress::LocalHost);
    SetupStage(game, stage, random);
    rec.Clear();
  }

  bool Logged(const QString& line) const {
    return rec.Effects.contains(QStringLiteral("log:") + line);
  }
  // Hosts; `joiner` connects to `port` (the host's own, or a relay in front of it).
  void Join(Side& joiner, quint16 port = 0) {
    net.HostGame();
    joiner.net.NetPort = port != 0 ? port : socket.ListeningPort();
    joiner.rec.InputAnswers = {"127.0.0.1"};
    joiner.net.ConnectToServer();
  }
};

// Stands between a connecting side and the host on loopback and forwards the bytes of each
// direction in order, holding every chunk for a random time: messages of the two sides cross as
// they would on a slow network.
class DelayRelay final : public QObject {
 public:
  DelayRelay(quint16 hostPort, std::mt19937& rng, int maxDelayMs)
      : hostPort_(hostPort), rng_(rng), maxDelayMs_(maxDelayMs) {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      client_ = server_.nextPendingConnection();
      host_.connectToHost(QHostAddress::LocalHost, hostPort_);
      client_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
      connect(&host_, &QAbstractSocket::connected, this,
              [this] { host_.setSocketOption(QAbstractSocket::LowDelayOption, 1); });
      Wire(client_, &host_, toHost_);
      Wire(&host_, client_, toClient_);
    });
    clock_.start();
    pump_.setInterval(1);
    pump_.setTimerType(Qt::PreciseTimer);
    connect(&pump_, &QTimer::timeout, this, [this] {
      Flush(toHost_, &host_);
      Flush(toClient_, client_);
    });
    pump_.start();
  }
  quint16 Port() const { return server_.serverPort(); }
  // Nothing waits here and nothing has passed for a while: both sides have read all there was.
  bool Quiet() const {
    return toHost_.empty() && toClient_.empty() && clock_.elapsed() - lastActivity_ > 30;
  }

 private:
  using Queue = std::deque<std::pair<qint64, QByteArray>>;  // (due time, bytes), in order
  void Wire(QTcpSocket* from, QTcpSocket* to, Queue& queue) {
    connect(from, &QIODevice::readyRead, this, [this, from, &queue] {
      lastActivity_ = clock_.elapsed();
      const qint64 due = lastActivity_ + qint64(rng_() % unsigned(maxDelayMs_ + 1));
      queue.emplace_back(std::max(due, queue.empty() ? 0 : queue.back().first), from->readAll());
    });
    connect(from, &QAbstractSocket::disconnected, to, &QAbstractSocket::disconnectFromHost);
  }
  void Flush(Queue& queue, QTcpSocket* to) {
    while (to != nullptr && !queue.empty() && queue.front().first <= clock_.elapsed()) {
      to->write(queue.front().second);
      queue.pop_front();
      lastActivity_ = clock_.elapsed();
    }
  }

  quint16 hostPort_;
  std::mt19937& rng_;
  int maxDelayMs_;
  QTcpServer server_;
  QTcpSocket* client_ = nullptr;
  QTcpSocket host_;
  Queue toHost_;
  Queue toClient_;
  QElapsedTimer clock_;
  qint64 lastActivity_ = 0;
  QTimer pump_;
};

// Runs the event loop until `done` holds (checked every few milliseconds) or `ms` have passed.
// QTest::qWait sleeps between its passes, which would slow the sides' timers down.
template <typename Done>
bool RunUntil(Done done, int ms) {
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (done()) {
      loop.quit();
    }
  });
  check.start(3);
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
  return done();
}

bool SameGame(const Game& a, const Game& b) {
  return a.Nodes() == b.Nodes() && a.ActPlayer() == b.ActPlayer();
}

Message Move(const char* mover, const char* column, const char* row) {
  return {"24", mover, column, row};
}

}  // namespace

class TestNetGame : public QObject {
  Q_OBJECT

 private slots:
  void bad_messages_change_nothing_data();
  void bad_messages_change_nothing();
  void a_move_message_makes_its_mover_the_player_to_move();
  void unknown_type_only_repaints();
  void chat_line_arrives_without_mark();
  void broken_snapshot_leaves_the_board_and_disconnects_data();
  void broken_snapshot_leaves_the_board_and_disconnects();
  void good_snapshot_replaces_board_size_and_player();
  void disconnect_texts_by_cause();
  void connecting_line_shows_the_address_as_typed();
  void synchronize_needs_a_connected_host();
  void connect_answer_of_spaces_does_nothing();
  void join_play_two_games_and_disconnect();
  void disconnect_question_keeps_connection_unless_yes();
  void crossing_moves_boards_and_result_boxes_never_diverge();
  void unread_board_requests_queue_one_answer();
};

void TestNetGame::bad_messages_change_nothing_data() {
  QTest::addColumn<Message>("message");
  QTest::newRow("type not a number") << Message{"x24", "1", "1", "1"};
  QTest::newRow("mover 7") << Move("7", "3", "1");
  QTest::newRow("mover 0") << Move("0", "3", "1");
  QTest::newRow("row 200") << Move("1", "3", "200");
  QTest::newRow("column beyond border") << Move("1", "7", "1");
  QTest::newRow("column not a number") << Move("1", "c", "1");
  QTest::newRow("row missing") << Message{"24", "1", "3"};
  QTest::newRow("chat without line") << Message{"36"};
  QTest::newRow("snapshot without board") << Message{"124"};
}

void TestNetGame::bad_messages_change_nothing() {
  QFETCH(Message, message);
  Side side(6);
  const Board before = side.game.Nodes();
  const Player player = side.game.ActPlayer();
  side.net.wsReceive(&side.socket, message);
  QCOMPARE(side.game.Nodes(), before);
  QCOMPARE(side.game.ActPlayer(), player);
  QVERIFY2(side.rec.Effects.isEmpty(), qPrintable(side.rec.Effects.join(QLatin1Char('\n'))));
}

void TestNetGame::a_move_message_makes_its_mover_the_player_to_move() {
  Side side(6);
  QCOMPARE(side.game.ActPlayer(), Player(1));
  side.net.wsReceive(&side.socket, Move("2", "3", "2"));
  QCOMPARE(side.game.Nodes()(3, 2).Owner, Player(2));
  QCOMPARE(side.game.ActPlayer(), Player(1));
  // Replayed, not to be sent back; then the repaint of the message handling.
  QCOMPARE(side.rec.Effects.mid(side.rec.Effects.size() - 2),
           (QStringList{"moved:2,3,2,peer", "draw"}));
}

void TestNetGame::unknown_type_only_repaints() {
  Side side(6);
  side.net.wsReceive(&side.socket, Message{"99", "whatever"});
  QCOMPARE(side.rec.Effects, QStringList{"draw"});
}

void TestNetGame::chat_line_arrives_without_mark() {
  Side side(6);
  side.net.wsReceive(&side.socket, Message{"36", "gr\xFC\xDF dich"});
  QCOMPARE(side.rec.Effects, (QStringList{QString::fromUtf8("chat:grüß dich"), "draw"}));
}

void TestNetGame::broken_snapshot_leaves_the_board_and_disconnects_data() {
  QTest::addColumn<QByteArray>("snapshot");
  ScriptedRandom random;
  const QByteArray good = GetSnapshot(BuildStage(3, random), 2);
  QTest::newRow("one byte short") << good.left(good.size() - 1);
  QByteArray owner3 = good;
  owner3[2 + 7] = 3;
  QTest::newRow("owner 3") << owner3;
  QByteArray player9 = good;
  player9[good.size() - 1] = 9;
  QTest::newRow("player to move 9") << player9;
  QTest::newRow("garbage") << QByteArray("\xFF\xFF garbage", 10);
  QTest::newRow("empty") << QByteArray();
}

void TestNetGame::broken_snapshot_leaves_the_board_and_disconnects() {
  QFETCH(QByteArray, snapshot);
  Side side(6);
  side.game.DoMove(1, 1, MoveSource::Peer);
  side.rec.Clear();
  const Board before = side.game.Nodes();
  side.net.wsReceive(&side.socket, Message{"124", snapshot});
  QCOMPARE(side.game.Nodes(), before);
  QCOMPARE(side.game.ActPlayer(), Player(2));
  QCOMPARE(side.rec.Effects.first(),
           QStringLiteral("box:Critical|Network error|Received broken data! The connection "
                          "seems to be unstable."));
  QVERIFY(side.Logged("Disconnected (network error)."));
  QVERIFY(!side.Logged("Game synchronized."));
}

void TestNetGame::good_snapshot_replaces_board_size_and_player() {
  Side side(6);
  Board big = MakeBoard({"XXXXXXX", "X-----X", "XXXXXXX", "X-----X", "XXXXXXX", "XXXXXXX"});
  big(2, 1).Owner = 2;
  big(2, 1).Expanded = kTrue16;
  big(2, 1).LinkRight = 255;  // a link is set or not, whatever its byte
  side.net.wsReceive(&side.socket, Message{"124", GetSnapshot(big, 2)});
  QCOMPARE(side.game.Nodes(), big);
  QCOMPARE(side.game.ActPlayer(), Player(2));
  QCOMPARE(side.game.Score2(), 2);
  QCOMPARE(side.rec.Effects.mid(side.rec.Effects.size() - 3),
           (QStringList{"board", "log:Game synchronized.", "draw"}));
}

void TestNetGame::disconnect_texts_by_cause() {
  Side side(6);
  const QStringList texts = {"Disconnected.", "Disconnected (server disconnected).",
                             "Disconnected (client disconnected).", "Disconnected (network error).",
                             "Disconnected (unknown reason)."};
  for (int cause = 0; cause < texts.size(); ++cause) {
    side.game.SetNetSwitches(true, false, true);
    side.rec.Clear();
    side.net.wsDisconnected(&side.socket, cause);
    QCOMPARE(side.rec.Effects.first(), QStringLiteral("log:") + texts[cause]);
    QVERIFY(side.rec.Effects.contains("wave:over2.wav"));
    QVERIFY(!side.game.NetMode() && !side.game.NetConnected());
  }
}

void TestNetGame::connecting_line_shows_the_address_as_typed() {
  Side side(6);
  side.net.wsConnecting(&side.socket, QStringLiteral("fe80::1%2"), 2501);
  QCOMPARE(side.rec.Effects.first(), QStringLiteral("log:Connecting to fe80::1%2 on 2501..."));
}

void TestNetGame::synchronize_needs_a_connected_host() {
  Side side(6);
  side.game.SetNetSwitches(true, true, false);  // hosting, still waiting
  side.rec.Clear();
  side.net.Synchronize();
  QVERIFY(side.rec.Effects.isEmpty());
}

void TestNetGame::connect_answer_of_spaces_does_nothing() {
  Side side(6);
  side.rec.InputAnswers = {"   "};
  side.net.ConnectToServer();
  QCOMPARE(side.rec.Effects,
           QStringList{"input:Connect|Please enter server IP: (eg. 192.168.0.2)|"});
  QCOMPARE(side.socket.State(), qint16(StateClosed));
}

// Hosts on one side, joins from the other, then plays two whole games by clicks on random
// legal cells; after every move both sides must hold the same board and player to move.
void TestNetGame::join_play_two_games_and_disconnect() {
  Side host(7);
  Side client(2);
  host.net.HostGame();
  QVERIFY(host.game.NetMode());
  QVERIFY(host.rec.Effects.first().startsWith("log:Waiting for client, IP is "));

  client.net.NetPort = host.socket.ListeningPort();
  client.rec.InputAnswers = {" 127.0.0.1 "};
  client.net.ConnectToServer();
  QVERIFY(
      client.Logged(QStringLiteral("Connecting to 127.0.0.1 on %1...").arg(client.net.NetPort)));
  QTRY_VERIFY(client.Logged("Game synchronized."));
  QVERIFY(host.Logged("Client 127.0.0.1 connected."));
  QVERIFY(client.Logged("Connected to 127.0.0.1"));
  QVERIFY(SameGame(host.game, client.game));
  QCOMPARE(client.game.CurrentMode(), Mode::Network);
  QVERIFY(!client.game.MenuEnabled(MenuItem::Reset));
  QVERIFY(host.game.MenuEnabled(MenuItem::Synchronize));

  std::mt19937 pick(99);
  int gamesEnded = 0;
  for (int moves = 0; gamesEnded < 2 && moves < 200; ++moves) {
    Side& mover = host.game.ActPlayer() == 1 ? host : client;
    std::vector<std::pair<int, int>> legal;
    for (int c = 1; c <= mover.game.NodesW(); ++c) {
      for (int r = 1; r <= mover.game.NodesH(); ++r) {
        if (mover.game.IsLegalMove(c, r, mover.game.ActPlayer())) {
          legal.emplace_back(c, r);
        }
      }
    }
    QVERIFY(!legal.empty());
    const auto [c, r] = legal[pick() % legal.size()];
    const int ended = mover.rec.GamesEnded;
    mover.game.PlayCell(c, r);
    if (mover.rec.GamesEnded > ended) {
      ++gamesEnded;
      // Both sides announce the result and start a new game; the crossing snapshots agree.
      QTRY_COMPARE(host.rec.GamesEnded, client.rec.GamesEnded);
    }
    QTRY_VERIFY(SameGame(host.game, client.game));
  }
  QCOMPARE(gamesEnded, 2);

  // A chat line crosses one byte per character.
  QVERIFY(client.net.SendChat(QStringLiteral("Grüße")));
  QTRY_VERIFY(host.rec.Effects.contains(QStringLiteral("chat:Grüße")));

  client.net.Disconnect();  // no question in the recorder's default answer: Ok is not Yes
  QCOMPARE(client.socket.State(), qint16(StateConnected));
  client.rec.BoxAnswers = {BoxAnswer::Yes};
  client.net.Disconnect();
  QVERIFY(client.Logged("Disconnected."));
  QTRY_VERIFY(host.Logged("Disconnected (client disconnected)."));
  QVERIFY(!host.game.NetMode() && !client.game.NetMode());
  QCOMPARE(host.game.CurrentMode(), Mode::TwoPersons);
}

void TestNetGame::disconnect_question_keeps_connection_unless_yes() {
  Side host(6);
  Side client(6);
  host.net.HostGame();
  client.net.NetPort = host.socket.ListeningPort();
  client.rec.InputAnswers = {"127.0.0.1"};
  client.net.ConnectToServer();
  QTRY_VERIFY(client.Logged("Game synchronized."));
  host.net.Synchronize();
  QVERIFY(host.Logged("Game re-synchronized"));
  QTRY_COMPARE(client.rec.Effects.count("log:Game synchronized."), 2);

  host.rec.BoxAnswers = {BoxAnswer::No, BoxAnswer::Cancel, BoxAnswer::Yes};
  host.net.Disconnect();
  host.net.Disconnect();
  QCOMPARE(host.socket.State(), qint16(StateConnected));
  QVERIFY(host.rec.Effects.contains(
      "box:None|Vextal|You are currently connected. Close connection any continue?|YesNoCancel"));
  host.net.Disconnect();
  QVERIFY(host.Logged("Disconnected."));
  QTRY_VERIFY(client.Logged("Disconnected (server disconnected)."));
}

// Two sides joined through a relay that delays every chunk at random. Each side clicks random
// legal cells whenever it believes it is its turn, the host also clears, changes the stage and
// synchronizes at random, and every result box stays open for a random time while the other side
// plays on. Whenever play is paused and the wire is quiet, both sides hold the same board and
// player to move, and no digest ever disagreed.
void TestNetGame::crossing_moves_boards_and_result_boxes_never_diverge() {
  constexpr int kGames = 200;
  std::mt19937 rng(4242);
  Side host(7);
  Side client(2);
  host.net.HostGame();
  DelayRelay relay(host.socket.ListeningPort(), rng, 6);
  client.net.NetPort = relay.Port();
  client.rec.InputAnswers = {"127.0.0.1"};
  client.net.ConnectToServer();
  QTRY_VERIFY(client.Logged("Game synchronized."));

  const auto boxStaysOpen = [&rng] {
    QEventLoop box;
    QTimer::singleShot(int(rng() % 30), &box, &QEventLoop::quit);
    box.exec();
  };
  host.rec.WhileResultShown = boxStaysOpen;
  client.rec.WhileResultShown = boxStaysOpen;
  const auto play = [&rng](Side& side) {
    Game& game = side.game;
    if (game.ResultShowing() || !game.ClickMayPlay() || rng() % 2 != 0) {
      return;
    }
    std::vector<std::pair<int, int>> legal;
    for (int c = 1; c <= game.NodesW(); ++c) {
      for (int r = 1; r <= game.NodesH(); ++r) {
        if (game.IsLegalMove(c, r, game.ActPlayer())) {
          legal.emplace_back(c, r);
        }
      }
    }
    if (!legal.empty()) {
      const auto [c, r] = legal[rng() % legal.size()];
      game.PlayCell(c, r);
    }
  };
  // One timer a side: a side whose result box is open must not stop the other from playing.
  QTimer hostTurns;
  QTimer clientTurns;
  hostTurns.setTimerType(Qt::PreciseTimer);
  clientTurns.setTimerType(Qt::PreciseTimer);
  QObject::connect(&hostTurns, &QTimer::timeout, [&] {
    if (host.game.ResultShowing()) {
      return;
    }
    switch (rng() % 400) {
      case 0:
        host.game.NewGame();
        break;
      case 1:
        SetupStage(host.game, 1 + int(rng() % 7), host.random);
        break;
      case 2:
        host.net.Synchronize();
        break;
      default:
        play(host);
    }
  });
  QObject::connect(&clientTurns, &QTimer::timeout, [&] { play(client); });

  while (host.rec.GamesEnded < kGames) {
    hostTurns.start(2);
    clientTurns.start(2);
    RunUntil([] { return false; }, 40 + int(rng() % 120));
    hostTurns.stop();
    clientTurns.stop();
    // Settled: the wire has been quiet for a while and both hold the same game.
    QVERIFY2(RunUntil([&] { return relay.Quiet() && SameGame(host.game, client.game); }, 3000),
             qPrintable(QStringLiteral("after %1 games").arg(host.rec.GamesEnded)));
  }
  for (const Side* side : {&host, &client}) {
    for (const QString& effect : side->rec.Effects) {
      QVERIFY2(!effect.contains(QStringLiteral("out of step")), qPrintable(effect));
    }
  }
}

// A peer that asks for a big board again and again without reading what it is sent gets one
// copy at a time: what waits unsent never grows past one answer.
void TestNetGame::unread_board_requests_queue_one_answer() {
  Side host(6);
  host.game.LoadBoard(Board(255, 255), 1);
  const qsizetype answer =
      EncodeMessage({"124", GetSnapshot(host.game.Nodes(), 1)}).value_or(QByteArray()).size();
  host.net.HostGame();
  QTcpSocket peer;
  peer.setReadBufferSize(4096);
  peer.connectToHost(QHostAddress::LocalHost, host.socket.ListeningPort());
  QTRY_VERIFY(host.game.NetConnected());
  qint64 mostUnsent = 0;
  for (int burst = 0; burst < 20; ++burst) {
    peer.write(QByteArray::fromHex("0103313230").repeated(100));
    RunUntil([&] { return (mostUnsent = std::max(mostUnsent, host.socket.Unsent())), false; }, 25);
  }
  QVERIFY2(mostUnsent <= answer + 64, qPrintable(QString::number(mostUnsent)));
  // What the system took meanwhile stays far below one copy per request.
  QVERIFY(host.socket.QueuedTotal() >= answer);
  QVERIFY(host.socket.QueuedTotal() < 32 * 1024 * 1024);
  // Once the peer reads again, the requests it made meanwhile get their one answer.
  const qint64 queued = host.socket.QueuedTotal();
  peer.setReadBufferSize(0);
  QVERIFY(RunUntil(
      [&] {
        peer.readAll();
        return host.socket.QueuedTotal() >= queued + answer;
      },
      5000));
  QCOMPARE(host.socket.State(), qint16(StateConnected));
}

QTEST_GUILESS_MAIN(TestNetGame)
#include "test_net_game.moc"
