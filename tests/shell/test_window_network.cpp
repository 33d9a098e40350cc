// Two main windows in one process, joined over the loopback address as two copies of the
// program would be: hosting, joining, a move, chat both ways, and the disconnect.
#include <memory>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

#include "game/Random.h"
#include "net/Framing.h"
#include "net/Snapshot.h"
#include "shell/Front.h"
#include "shell/WindowFakes.h"
#include "shell/frmChat.h"
#include "shell/frmMain.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

struct Copy {
  QTemporaryDir folder;  // no sounds or tunes
  FakeClock clock{kWindowClockStartMs};
  SeededRandom random;
  RecordingDialogs dialogs;
  std::unique_ptr<frmMain> window;

  explicit Copy(std::uint64_t seed) : random(seed) {
    window = std::make_unique<frmMain>(clock, random, dialogs, folder.path());
    window->findChild<QTimer*>(QStringLiteral("tmrAI"))->stop();
    window->net().ListenAddress = QStringLiteral("127.0.0.1");
  }
  void Trigger(const char* item) {
    window->findChild<QAction*>(QString::fromLatin1(item))->trigger();
  }
  bool Enabled(const char* item) const {
    return window->findChild<QAction*>(QString::fromLatin1(item))->isEnabled();
  }
  QString Label(const char* name) const {
    return window->findChild<QLabel*>(QString::fromLatin1(name))->text();
  }
  bool Logged(const QString& text) const {
    const QString log = window->LogText();
    return log.contains(QStringLiteral("] ") + text + QLatin1Char('\n')) ||
           log.endsWith(QStringLiteral("] ") + text);
  }
  QString ChatText() const { return window->chat().Text(); }
  void Chat(const QString& line) {
    Trigger("mnuShowChat");
    auto* input = window->chat().Window()->findChild<QLineEdit*>(QStringLiteral("txtInput"));
    input->setText(line);
    QTest::keyClick(input, Qt::Key_Return);
  }
};

}  // namespace

class TestWindowNetwork : public QObject {
  Q_OBJECT

 private slots:
  void host_join_play_chat_disconnect() {
    Copy host(1);
    Copy client(2);
    host.window->net().NetPort = 0;  // any free port on the loopback address
    host.Trigger("mnuServer");
    QVERIFY(host.Enabled("mnuDisconnect"));
    QVERIFY(!host.Enabled("mnuServer") && !host.Enabled("mnuClient"));
    QVERIFY(!host.Enabled("mnuEnableAI"));
    QVERIFY(host.Label("lblState").contains("Waiting for client, IP is "));

    client.window->net().NetPort = host.window->socket().ListeningPort();
    client.dialogs.inputAnswer = QStringLiteral("127.0.0.1");
    client.Trigger("mnuClient");
    QTRY_VERIFY(client.Logged("Game synchronized."));
    QVERIFY(client.Logged("Connected to 127.0.0.1"));
    QTRY_VERIFY(host.Logged("Client 127.0.0.1 connected."));
    QCOMPARE(client.Label("lblPlayer1"), QStringLiteral("Server"));
    QCOMPARE(host.Label("lblPlayer2"), QStringLiteral("Client"));
    QVERIFY(host.Enabled("mnuSynchronize") && host.Enabled("mnuReset"));
    QVERIFY(!client.Enabled("mnuSynchronize") && !client.Enabled("mnuReset"));
    QCOMPARE(client.window->game().Nodes(), host.window->game().Nodes());

    // The host plays player 1: a click on the first node it may claim reaches the client.
    Game& game = host.window->game();
    QCOMPARE(game.ActPlayer(), Player(1));
    int column = 0;
    int row = 0;
    for (int c = 1; c <= game.NodesW() && !column; ++c) {
      for (int r = 1; r <= game.NodesH() && !column; ++r) {
        if (game.IsLegalMove(c, r, 1) && game.Nodes()(c, r).Owner == 0) {
          column = c;
          row = r;
        }
      }
    }
    QVERIFY(column > 0);
    auto* hostBoard = host.window->findChild<QWidget*>(QStringLiteral("Front"));
    QTest::mouseClick(hostBoard, Qt::LeftButton, {}, QPoint(50 * column + 16, 50 * row + 16));
    QCOMPARE(game.Nodes()(column, row).Owner, Player(1));
    QTRY_COMPARE(client.window->game().Nodes(), game.Nodes());
    QCOMPARE(client.window->game().ActPlayer(), Player(2));
    QCOMPARE(client.Label("lblSum1"), QStringLiteral("1 + 0 = 1"));
    // The peer's move is marked there; a network game has no undo or hint, and only the host
    // clears the board (Ctrl+N reaches Clear even while its menu is disabled).
    const auto* clientBoard = client.window->findChild<Front*>(QStringLiteral("Front"));
    QVERIFY(clientBoard->MoveMarker() &&
            clientBoard->MoveMarker()->contains(QPoint(50 * column + 15, 50 * row + 15)));
    QVERIFY(!client.Enabled("mnuUndo") && !client.Enabled("mnuHint"));
    QVERIFY(!host.Enabled("mnuUndo") && !host.Enabled("mnuHint"));
    QVERIFY(!client.Enabled("mnuClear"));
    client.window->mnuClear_Click();
    QCOMPARE(client.window->game().Nodes(), game.Nodes());

    client.Chat(QStringLiteral("  hello host  "));
    QTRY_VERIFY(host.ChatText().contains(QStringLiteral("hello host\r\n")));
    QVERIFY(client.ChatText().contains(QStringLiteral("> hello host\r\n")));
    QVERIFY(host.window->chat().Window() != nullptr);
    host.Chat(QStringLiteral("hello client"));
    QTRY_VERIFY(client.ChatText().endsWith(QStringLiteral("hello client\r\n")));

    client.dialogs.questionAnswer = BoxAnswer::Yes;
    client.Trigger("mnuDisconnect");
    QVERIFY(client.Logged("Disconnected."));
    QTRY_VERIFY(host.Logged("Disconnected (client disconnected)."));
    QCOMPARE(host.Label("lblPlayer1"), QStringLiteral("Player 1"));
    QVERIFY(host.Enabled("mnuServer") && client.Enabled("mnuClient"));
  }

  // A peer that floods the host with boards, differing digests and moves out of turn, reading
  // all it is sent: the host keeps its newest log lines, answers one board per cause at most,
  // and stays connected and responsive.
  void floodOfBoardsDigestsAndMovesStaysBounded() {
    Copy host(1);
    host.window->net().NetPort = 0;
    host.Trigger("mnuServer");
    QTcpSocket peer;
    peer.connectToHost(QHostAddress::LocalHost, host.window->socket().ListeningPort());
    QVERIFY(peer.waitForConnected(5000));
    const Board board = host.window->game().Nodes();
    QByteArray flood = *EncodeMessage({"200", "1"}) + *EncodeMessage({"120"});
    for (int i = 1; i <= frmMain::kMaxLogLines + 100; ++i) {
      flood += *EncodeMessage({"124", GetSnapshot(board, Player(1 + i % 2))}) +
               *EncodeMessage({"201", QByteArray::number(i), "1000", "0"}) +
               *EncodeMessage({"24", "1", "1", "1"});
    }
    peer.write(flood + *EncodeMessage({"36", "end"}));
    QTRY_VERIFY_WITH_TIMEOUT((peer.readAll(), host.ChatText().contains("end")), 30000);
    const QStringList log = host.window->LogText().split(QLatin1Char('\n'));
    QCOMPARE(log.size(), frmMain::kMaxLogLines);
    QCOMPARE(host.Label("lblState"), log.last());
    QCOMPARE(host.window->socket().State(), qint16(StateConnected));
  }
};

QTEST_MAIN(TestWindowNetwork)
#include "test_window_network.moc"
