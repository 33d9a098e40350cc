// The game over the network: connection events, the peer's messages (good, bad and broken), and
// two complete games played between two real sockets on the loopback address.

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <deque>
#include <random>

#include "common/CoreRecorder.h"
#include "game/Rules.h"
#include "net/Framing.h"
#include "net/MemoryLink.h"
#include "net/NetGame.h"
#include "net/Snapshot.h"
#include "net/cBuffer.h"

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
    net.ListenAddress = QStringLiteral("127.0.0.1");
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

// A peer that knows only the listed messages, written by hand: it sends what a test tells it
// and collects what it is sent.
struct PlainPeer {
  QTcpSocket socket;
  FrameDecoder decoder;
  QList<Message> received;

  bool Connect(quint16 port) {
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(5000);
  }
  void Send(const Message& message) { socket.write(EncodeMessage(message).value_or("")); }
  // Reads what has arrived; the messages of type `type` received so far.
  QList<Message> Received(const char* type) {
    received += decoder.Feed(socket.readAll()).Messages;
    QList<Message> ofType;
    for (const Message& message : std::as_const(received)) {
      if (message[0] == type) {
        ofType << message;
      }
    }
    return ofType;
  }
};

// The first free cell `player` may claim.
std::pair<int, int> FreeCell(const Board& board, Player player) {
  for (int c = 1; c <= board.NodesW(); ++c) {
    for (int r = 1; r <= board.NodesH(); ++r) {
      if (IsLegalMove(board, c, r, player) && board(c, r).Owner == 0) {
        return {c, r};
      }
    }
  }
  return {0, 0};
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
  void chat_carries_any_character_to_a_copy_and_what_it_can_to_others();
  void broken_snapshot_leaves_the_board_and_disconnects_data();
  void broken_snapshot_leaves_the_board_and_disconnects();
  void good_snapshot_replaces_board_size_and_player();
  void disconnect_texts_by_cause();
  void connecting_line_shows_the_address_as_typed();
  void synchronize_needs_a_connected_host();
  void connect_answer_of_spaces_does_nothing();
  void join_play_two_games_and_disconnect();
  void memory_links_carry_a_whole_game_and_its_end();
  void disconnect_question_keeps_connection_unless_yes();
  void crossing_moves_boards_and_result_boxes_never_diverge();
  void digest_verdicts_data();
  void digest_verdicts();
  void a_difference_either_side_notices_heals_data();
  void a_difference_either_side_notices_heals();
  void host_refuses_a_second_move_in_a_row();
  void stray_connections_leave_the_host_waiting();
  void host_ignores_the_peers_board_of_the_game_it_already_plays();
  void unread_board_causes_queue_one_answer_data();
  void unread_board_causes_queue_one_answer();
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
  QTest::newRow("chat text without line") << Message{"202"};
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

// Between two copies of this program a chat line carries any character. A peer that knows only
// the listed messages gets "?" for a character one byte cannot carry; the line is shown here as
// that peer will show it, and the log says so once.
void TestNetGame::chat_carries_any_character_to_a_copy_and_what_it_can_to_others() {
  const QString line = QString::fromUtf8("Grüße, Привет ✓ 🎲");
  Side host(6);
  Side client(6);
  host.Join(client);
  QTRY_VERIFY(client.Logged("Game synchronized."));
  QCOMPARE(client.net.ChatAsReceived(line), line);
  QVERIFY(client.net.SendChat(line));
  QTRY_VERIFY(host.rec.Effects.contains("chat:" + line));
  QVERIFY(client.rec.Effects.filter("log:The peer's").isEmpty());
  // Bytes that are not UTF-8 cannot harm the line.
  host.net.wsReceive(&host.socket, Message{"202", "a\xFF\xC3"});
  QVERIFY(host.rec.Effects.contains(QString::fromUtf8("chat:a\uFFFD\uFFFD")));

  Side alone(6);
  alone.net.HostGame();
  PlainPeer peer;
  QVERIFY(peer.Connect(alone.socket.ListeningPort()));
  QTRY_VERIFY(alone.game.NetConnected());
  const QString shown = QString::fromUtf8("Grüße, ?????? ? ??");
  QCOMPARE(alone.net.ChatAsReceived(line), shown);
  QVERIFY(alone.net.SendChat(line));
  QVERIFY(alone.net.SendChat(line));
  QVERIFY(alone.net.SendChat(QStringLiteral("plain")));
  QTRY_COMPARE(peer.Received("36").size(), 3);
  QCOMPARE(BytesToText(peer.Received("36").first()[1]), shown);
  QCOMPARE(alone.rec.Effects.count(
               QStringLiteral("log:The peer's program cannot show some of these characters; it "
                              "shows \"?\" instead.")),
           1);
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
  // The game is announced on the network exactly while the host waits for its client.
  QStringList announced;
  host.net.HostingWaits = [&](quint16 port) { announced << QString::number(port); };
  host.net.HostingStops = [&] { announced << QStringLiteral("withdrawn"); };
  host.net.HostGame();
  QVERIFY(host.game.NetMode());
  QVERIFY(host.rec.Effects.first().startsWith("log:Waiting for client, IP is "));
  const QString port = QString::number(host.socket.ListeningPort());
  QCOMPARE(announced, QStringList{port});

  client.net.NetPort = host.socket.ListeningPort();
  client.rec.InputAnswers = {" 127.0.0.1 "};
  client.net.ConnectToServer();
  QVERIFY(
      client.Logged(QStringLiteral("Connecting to 127.0.0.1 on %1...").arg(client.net.NetPort)));
  QTRY_VERIFY(client.Logged("Game synchronized."));
  QVERIFY(host.Logged("Client 127.0.0.1 connected."));
  QVERIFY(client.Logged("Connected to 127.0.0.1"));
  QVERIFY(SameGame(host.game, client.game));
  QCOMPARE(announced, (QStringList{port, "withdrawn"}));
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

// The same protocol over a pair of links in memory, without sockets: two games by random legal
// moves, a chat line, and a close that the other side hears after the last message before it.
void TestNetGame::memory_links_carry_a_whole_game_and_its_end() {
  Side host(7);
  Side client(2);
  MemoryLink hostEnd(host.net.Events());
  MemoryLink clientEnd(client.net.Events());
  MemoryLink::Join(hostEnd, clientEnd);
  QTRY_VERIFY(client.Logged("Game synchronized."));
  QVERIFY(SameGame(host.game, client.game));
  QVERIFY(host.game.NetServer() && !client.game.NetServer());
  std::mt19937 pick(7);
  for (int gamesEnded = 0, moves = 0; gamesEnded < 2 && moves < 200; ++moves) {
    Side& mover = host.game.ActPlayer() == 1 ? host : client;
    std::vector<std::pair<int, int>> legal;
    for (int col = 1; col <= mover.game.NodesW(); ++col) {
      for (int row = 1; row <= mover.game.NodesH(); ++row) {
        if (mover.game.IsLegalMove(col, row, mover.game.ActPlayer())) {
          legal.emplace_back(col, row);
        }
      }
    }
    QVERIFY(!legal.empty());
    const int ended = mover.rec.GamesEnded;
    const auto [mc, mr] = legal[pick() % legal.size()];
    mover.game.PlayCell(mc, mr);
    gamesEnded += mover.rec.GamesEnded > ended ? 1 : 0;
    QTRY_VERIFY(SameGame(host.game, client.game));
  }
  QVERIFY(host.rec.GamesEnded >= 2);
  QVERIFY(host.net.SendChat(QString::fromUtf8("last ✓")));
  host.rec.BoxAnswers = {BoxAnswer::Yes};
  host.net.Disconnect();
  QVERIFY(host.Logged("Disconnected."));
  QTRY_VERIFY(client.Logged("Disconnected (server disconnected)."));
  const QStringList& seen = client.rec.Effects;
  QVERIFY(seen.indexOf(QString::fromUtf8("chat:last ✓")) >= 0);
  QVERIFY(seen.indexOf(QString::fromUtf8("chat:last ✓")) <
          seen.indexOf("log:Disconnected (server disconnected)."));
  QVERIFY(!host.game.NetMode() && !client.game.NetMode());
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

// The digest bookkeeping of one side after a board and one move: what each digest of the peer
// means, and what the same digest means when it comes again.
void TestNetGame::digest_verdicts_data() {
  QTest::addColumn<Message>("digest");
  QTest::addColumn<int>("verdict");
  QTest::addColumn<int>("again");
  QTest::addColumn<bool>("peerBehind");
  using V = BoardSync::Verdict;
  ScriptedRandom random;
  const Board board = BuildStage(3, random);
  const QByteArray atBoard = QByteArray::number(BoardDigest(board, 1));
  Board moved = board;
  moved(1, 1).Owner = 1;
  const QByteArray atMove = QByteArray::number(BoardDigest(moved, 2));
  const auto row = [](const char* name, Message digest, V verdict, V again, bool behind) {
    QTest::newRow(name) << digest << int(verdict) << int(again) << behind;
  };
  row("agree after the move", {"201", "1", "1", atMove}, V::Agree, V::Agree, false);
  row("agree at the board", {"201", "1", "0", atBoard}, V::Agree, V::Agree, false);
  row("differ after the move", {"201", "1", "1", atBoard}, V::OutOfStep, V::Ignored, false);
  row("differ at the board", {"201", "1", "0", atMove}, V::OutOfStep, V::Ignored, false);
  row("peer a move ahead", {"201", "1", "2", atMove}, V::OutOfStep, V::Ignored, false);
  row("peer still on an older board", {"201", "0", "7", "1"}, V::Ignored, V::Ignored, true);
  row("a board never sent", {"201", "2", "0", atBoard}, V::Ignored, V::Ignored, false);
  row("not a number", {"201", "1", "x", atMove}, V::Ignored, V::Ignored, true);
}

void TestNetGame::digest_verdicts() {
  QFETCH(Message, digest);
  QFETCH(int, verdict);
  QFETCH(int, again);
  QFETCH(bool, peerBehind);
  ScriptedRandom random;
  Board board = BuildStage(3, random);
  BoardSync sync;
  sync.PeerAnnounced();
  QVERIFY(!sync.BoardExchanged(board, 1, false));
  QVERIFY(sync.PeerBehind());  // until the peer's first digest of this board
  board(1, 1).Owner = 1;
  QVERIFY(sync.MoveApplied(board, 2));
  QCOMPARE(int(sync.DigestReceived(digest)), verdict);
  QCOMPARE(int(sync.DigestReceived(digest)), again);
  QCOMPARE(sync.PeerBehind(), peerBehind);
}

// Two copies whose boards differ in one node: a move that the noticing side must refuse, and
// that only it sees as wrong, still ends with both holding the host's board within a second.
void TestNetGame::a_difference_either_side_notices_heals_data() {
  QTest::addColumn<bool>("hostNotices");
  QTest::newRow("the client refuses the host's move") << false;
  QTest::newRow("the host refuses the client's move") << true;
}

void TestNetGame::a_difference_either_side_notices_heals() {
  QFETCH(bool, hostNotices);
  Side host(6);
  Side client(6);
  host.Join(client);
  QTRY_VERIFY(client.Logged("Game synchronized."));
  if (hostNotices) {
    const auto [c, r] = FreeCell(host.game.Nodes(), 1);
    host.game.PlayCell(c, r);
  }
  QVERIFY(RunUntil([&] { return SameGame(host.game, client.game); }, 5000));
  RunUntil([] { return false; }, 50);  // the digests of that move go by

  Side& mover = hostNotices ? client : host;
  Side& noticer = hostNotices ? host : client;
  const Player player = mover.game.ActPlayer();
  const auto [c, r] = FreeCell(mover.game.Nodes(), player);
  QVERIFY(c > 0);
  Board planted = noticer.game.Nodes();
  planted(c, r).Owner = Player(3 - player);  // not the mover's to claim there
  noticer.game.LoadBoard(planted, noticer.game.ActPlayer());
  mover.game.PlayCell(c, r);
  QCOMPARE(mover.game.Nodes()(c, r).Owner, player);
  QVERIFY(RunUntil([&] { return SameGame(host.game, client.game); }, 1000));
  QVERIFY(noticer.rec.Effects.filter(QStringLiteral("log:Boards out of step")).size() == 1);
}

// Connections that close before a word (a port scan, a program that crashed at once) leave the
// host waiting, listening and announced; a real client joins after a thousand of them.
void TestNetGame::stray_connections_leave_the_host_waiting() {
  Side host(6);
  Side client(6);
  QStringList announced;
  host.net.HostingWaits = [&](quint16 port) { announced << QString::number(port); };
  host.net.HostingStops = [&] { announced << QStringLiteral("withdrawn"); };
  host.net.HostGame();
  const quint16 port = host.socket.ListeningPort();
  const QString left = QStringLiteral(
      "log:Client 127.0.0.1 left before the game began; still waiting for a client.");
  for (int i = 0; i < 1000; ++i) {
    QTcpSocket stray;
    stray.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(stray.waitForConnected(5000));
    if (i % 3 == 1) {
      stray.write(
          "\x04\x02"
          "24");  // the start of a move
    }
    i % 3 == 2 ? stray.abort() : stray.disconnectFromHost();
    QVERIFY(RunUntil([&] { return host.rec.Effects.count(left) == i + 1; }, 5000));
  }
  QVERIFY(host.game.NetMode() && !host.game.NetConnected());
  QCOMPARE(host.socket.ListeningPort(), port);
  QCOMPARE(announced, QStringList{QString::number(port)});
  QVERIFY(!host.rec.Effects.contains("wave:over2.wav"));

  client.net.NetPort = port;
  client.rec.InputAnswers = {"127.0.0.1"};
  client.net.ConnectToServer();
  QTRY_VERIFY(client.Logged("Game synchronized."));
  QVERIFY(SameGame(host.game, client.game));
  QCOMPARE(announced, (QStringList{QString::number(port), "withdrawn"}));
  QCOMPARE(host.socket.ListeningPort(), quint16(0));
}

// A peer's move when it is not the peer's turn on the host was made on another board: the host
// applies nothing of it and sends its board.
void TestNetGame::host_refuses_a_second_move_in_a_row() {
  Side host(6);
  host.net.HostGame();
  PlainPeer peer;
  QVERIFY(peer.Connect(host.socket.ListeningPort()));
  QTRY_VERIFY(host.game.NetConnected());
  const auto [c1, r1] = FreeCell(host.game.Nodes(), 1);
  host.game.PlayCell(c1, r1);
  const auto [c2, r2] = FreeCell(host.game.Nodes(), 2);
  Board second = host.game.Nodes();
  second(c2, r2).Owner = 2;
  const auto [c3, r3] = FreeCell(second, 2);
  peer.Send(Move("2", QByteArray::number(c2), QByteArray::number(r2)));
  peer.Send(Move("2", QByteArray::number(c3), QByteArray::number(r3)));
  QTRY_COMPARE(peer.Received("124").size(), 1);
  QCOMPARE(host.game.Nodes()(c2, r2).Owner, Player(2));
  QCOMPARE(host.game.Nodes()(c3, r3).Owner, Player(0));
  QCOMPARE(host.game.ActPlayer(), Player(1));
  const std::optional<Snapshot> sent = ParseSnapshot(peer.Received("124").first()[1]);
  QVERIFY(sent && sent->Nodes == host.game.Nodes() && sent->ActPlayer == 1);
}

// A peer that knows only the listed messages sends its cleared board when a game ends there. It
// may arrive after the host's first move of the next game; the host keeps that move.
void TestNetGame::host_ignores_the_peers_board_of_the_game_it_already_plays() {
  Side host(6);
  host.net.HostGame();
  PlainPeer peer;
  QVERIFY(peer.Connect(host.socket.ListeningPort()));
  QTRY_VERIFY(host.game.NetConnected());
  do {
    host.game.NewGame();  // the players take turns to open a game
  } while (host.game.ActPlayer() != 1);
  const Board start = host.game.Nodes();
  const QByteArray cleared = GetSnapshot(start, host.game.ActPlayer());
  const auto [c, r] = FreeCell(host.game.Nodes(), 1);
  host.game.PlayCell(c, r);
  const Board afterMove = host.game.Nodes();
  peer.Send({"124", cleared});
  peer.Send({"36", "after"});
  QTRY_VERIFY(host.rec.Effects.contains("chat:after"));
  QCOMPARE(host.game.Nodes(), afterMove);
  QVERIFY(!host.Logged("Game synchronized."));
  // Any other board from the peer is still taken.
  peer.Send({"124", GetSnapshot(start, 2)});
  QTRY_VERIFY(host.Logged("Game synchronized."));
  QCOMPARE(host.game.Nodes(), start);
  QCOMPARE(host.game.ActPlayer(), Player(2));
  // Once the host plays a board of the peer's, the start of its own earlier game is just another
  // board: a 7 x 6 board, then that start, and the host holds what the peer sent last.
  const Board big = MakeBoard({"XXXXXXX", "X-----X", "XXXXXXX", "X-----X", "XXXXXXX", "XXXXXXX"});
  peer.Send({"124", GetSnapshot(big, 1)});
  QTRY_COMPARE(host.game.NodesW(), std::uint8_t(7));
  peer.Send({"124", cleared});
  QTRY_COMPARE(host.game.Nodes(), start);
  QCOMPARE(host.game.ActPlayer(), Player(1));
}

// A peer that gives the host cause after cause to send a big board without reading what it is
// sent gets one copy at a time: what waits unsent never grows past one answer.
void TestNetGame::unread_board_causes_queue_one_answer_data() {
  QTest::addColumn<Message>("opening");
  QTest::addColumn<QList<Message>>("burst");
  QList<Message> requests(100, Message{"120"});
  QList<Message> moves(100, Move("1", "1", "1"));
  QList<Message> digests;
  for (int epoch = 1; epoch <= 100; ++epoch) {
    digests << Message{"201", QByteArray::number(epoch), "1000", "0"};
  }
  // The digests need a peer that announced itself, and a first board to be about.
  QTest::newRow("board requests") << Message{"36", "hi"} << requests;
  QTest::newRow("moves out of turn") << Message{"36", "hi"} << moves;
  QTest::newRow("digests that differ")
      << Message{"200", "1"} << (QList<Message>{{"120"}} + digests);
}

void TestNetGame::unread_board_causes_queue_one_answer() {
  QFETCH(Message, opening);
  QFETCH(QList<Message>, burst);
  Side host(6);
  host.game.LoadBoard(Board(255, 255), 1);
  const qsizetype answer =
      EncodeMessage({"124", GetSnapshot(host.game.Nodes(), 1)}).value_or(QByteArray()).size();
  host.net.HostGame();
  PlainPeer plain;
  QTcpSocket& peer = plain.socket;
  peer.setReadBufferSize(4096);
  QVERIFY(plain.Connect(host.socket.ListeningPort()));
  QTRY_VERIFY(host.game.NetConnected());
  plain.Send(opening);
  qint64 mostUnsent = 0;
  for (int round = 0; round < 20; ++round) {
    for (const Message& message : std::as_const(burst)) {
      plain.Send(message);
    }
    RunUntil([&] { return (mostUnsent = std::max(mostUnsent, host.socket.Unsent())), false; }, 25);
  }
  QVERIFY2(mostUnsent <= answer + 64, qPrintable(QString::number(mostUnsent)));
  // What the system took meanwhile stays far below one copy per request.
  QVERIFY(host.socket.QueuedTotal() >= answer);
  QVERIFY(host.socket.QueuedTotal() < 32 * 1024 * 1024);
  // Once the peer reads again, the causes it gave meanwhile get their one answer.
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
