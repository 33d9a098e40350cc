#include <functional>
#include <memory>

#include <QHostAddress>
#include <QNetworkInterface>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include "net/KeepAlive.h"
#include "net/cSocket.h"

using namespace vextal;

namespace {

QByteArray Hex(const char* hex) {
  return QByteArray::fromHex(hex);
}

const QHostAddress kLoopback(QHostAddress::LocalHost);
const QString kLoopbackText = QStringLiteral("127.0.0.1");

// Writes down every callback as one line of text, and the messages as they came.
class Recorder : public SocketListener {
 public:
  QStringList events;
  QList<Message> received;
  // Runs inside wsReceive after the message was recorded, to act re-entrantly.
  std::function<void(cSocket*, const Message&)> onReceive;
  std::function<void(cSocket*, qint32)> onDisconnected;

  void wsListening(cSocket*, qint32 iPort) override {
    events << QStringLiteral("listening %1").arg(iPort);
  }
  void wsConnecting(cSocket*, const QString& iRemoteIP, qint32 iPort) override {
    events << QStringLiteral("connecting %1 %2").arg(iRemoteIP).arg(iPort);
  }
  void wsAccepted(cSocket*, const QString& iRemoteIP, qint32 iPort, qint32 iRequestID) override {
    events << QStringLiteral("accepted %1").arg(iRemoteIP);
    acceptedPort = iPort;
    requestId = iRequestID;
  }
  void wsConnected(cSocket*, const QString& iRemoteIP, const QString& iRemoteHost,
                   qint32 iPort) override {
    events << QStringLiteral("connected %1 %2 %3").arg(iRemoteIP, iRemoteHost).arg(iPort);
  }
  void wsDisconnected(cSocket* iSocket, qint32 iCause) override {
    events << QStringLiteral("disconnected %1").arg(iCause);
    if (onDisconnected) {
      onDisconnected(iSocket, iCause);
    }
  }
  void wsClientLeft(cSocket*, const QString& iRemoteIP) override {
    events << QStringLiteral("left %1").arg(iRemoteIP);
  }
  void wsReceive(cSocket* iSocket, const Message& iData) override {
    events << QStringLiteral("receive");
    received << iData;
    if (onReceive) {
      onReceive(iSocket, iData);
    }
  }

  qint32 acceptedPort = -1;
  qint32 requestId = -1;
};

}  // namespace

class TestCSocket : public QObject {
  Q_OBJECT

  // A host listening on the loopback address and a client connected to it.
  struct Pair {
    Recorder hostEvents, clientEvents;
    cSocket host{&hostEvents}, client{&clientEvents};
    quint16 port = 0;
  };

  static bool Connected(Pair& p) {
    if (!p.host.Listen(0, kLoopbackText)) {
      return false;
    }
    p.port = p.host.ListeningPort();
    if (!p.client.Connect(QStringLiteral("127.0.0.1"), p.port)) {
      return false;
    }
    return QTest::qWaitFor(
        [&] { return p.host.State() == StateConnected && p.client.State() == StateConnected; });
  }

  // A plain Qt socket as the peer, for bytes no cSocket would send.
  static std::unique_ptr<QTcpSocket> RawPeer(quint16 port) {
    auto raw = std::make_unique<QTcpSocket>();
    raw->connectToHost(kLoopback, port);
    return raw->waitForConnected(5000) ? std::move(raw) : nullptr;
  }

 private slots:
  // A peer that stops reading can make this side hold a few MiB at most: the send that would
  // pass the bound is refused and the connection then ends as a network error.
  void unsentDataIsBounded() {
    Pair p;
    QVERIFY(p.host.Listen(0, kLoopbackText));
    const std::unique_ptr<QTcpSocket> raw = RawPeer(p.host.ListeningPort());
    QVERIFY(raw);
    raw->setReadBufferSize(4096);
    QTRY_COMPARE(p.host.State(), qint16(StateConnected));
    const Message big{"36", QByteArray(1000 * 1000, 'x')};
    int sent = 0;
    while (sent < 10 && p.host.SendList(big)) {
      ++sent;
    }
    QCOMPARE(sent, int(cSocket::kMaxUnsentBytes / (1000 * 1000)));
    QVERIFY(p.host.Unsent() <= cSocket::kMaxUnsentBytes);
    QTRY_COMPARE(p.hostEvents.events.last(), QStringLiteral("disconnected 3"));
  }

  // A burst of messages is delivered in order, but the event loop gets its turn once a slice of
  // time is used up (here each message takes 8 ms of the 20 ms slice).
  void deliveryHandsBackControlAfterASlice() {
    Pair p;
    QVERIFY(Connected(p));
    qint64 now = 0;
    p.client.SetSliceClock([&now] { return now; });
    int deliveredBeforeTheLoopRan = -1;
    p.clientEvents.onReceive = [&](cSocket*, const Message&) {
      if (p.clientEvents.received.size() == 1) {
        QTimer::singleShot(
            0, [&] { deliveredBeforeTheLoopRan = int(p.clientEvents.received.size()); });
      }
      now += 8;
    };
    for (int i = 0; i < 10; ++i) {
      QVERIFY(p.host.SendList({"36", QByteArray::number(i)}));
    }
    QTRY_COMPARE(p.clientEvents.received.size(), 10);
    QVERIFY2(deliveredBeforeTheLoopRan >= 1 && deliveredBeforeTheLoopRan <= 3,
             qPrintable(QString::number(deliveredBeforeTheLoopRan)));
    for (int i = 0; i < 10; ++i) {
      QCOMPARE(p.clientEvents.received[i][1], QByteArray::number(i));
    }
  }

  void listenConnectAcceptAndTalk() {
    Pair p;
    QVERIFY(p.host.Listen(0, kLoopbackText));
    p.port = p.host.ListeningPort();
    QVERIFY(p.port != 0);
    QCOMPARE(p.host.State(), qint16(StateListening));
    QVERIFY(p.host.Listener());
    QCOMPARE(p.hostEvents.events, QStringList{QStringLiteral("listening %1").arg(p.port)});

    QVERIFY(p.client.Connect(QStringLiteral("127.0.0.1"), p.port));
    QVERIFY(!p.client.Listener());
    QCOMPARE(p.clientEvents.events.value(0), QStringLiteral("connecting 127.0.0.1 %1").arg(p.port));
    QTRY_COMPARE(p.hostEvents.events.size(), 2);
    QCOMPARE(p.hostEvents.events.at(1), QStringLiteral("accepted 127.0.0.1"));
    QCOMPARE(p.hostEvents.acceptedPort, qint32(p.port));
    QVERIFY(p.hostEvents.requestId >= 0);
    QTRY_COMPARE(p.clientEvents.events.size(), 2);
    QCOMPARE(p.clientEvents.events.at(1),
             QStringLiteral("connected 127.0.0.1 127.0.0.1 %1").arg(p.port));
    QCOMPARE(p.host.State(), qint16(StateConnected));
    QCOMPARE(p.client.State(), qint16(StateConnected));
    // The listener stays until the client has said something.
    QCOMPARE(p.host.ListeningPort(), p.port);

    QVERIFY(p.client.SendList({"120"}));
    QTRY_COMPARE(p.hostEvents.received, QList<Message>{Message{"120"}});
    QCOMPARE(p.host.ListeningPort(), quint16(0));

    QByteArray big(600, 'q');
    big[0] = '\0';
    big[599] = '\xFF';
    QVERIFY(p.host.SendList({"24", "1", "3", "2"}));
    QVERIFY(p.host.SendList({"124", big}));
    QVERIFY(p.host.SendList({"36", "hello"}));
    const QList<Message> expected{{"24", "1", "3", "2"}, {"124", big}, {"36", "hello"}};
    QTRY_COMPARE(p.clientEvents.received, expected);

    QVERIFY(!p.host.SendList({}));
    QVERIFY(!p.host.SendList(Message(256, "x")));
  }

  void peerCloseReportsHostAndClientCauses() {
    {
      Pair p;
      QVERIFY(Connected(p));
      p.host.Disconnect(CauseClosedHere);
      QCOMPARE(p.hostEvents.events.last(), QStringLiteral("disconnected 0"));
      QCOMPARE(p.host.State(), qint16(StateClosed));
      QTRY_COMPARE(p.clientEvents.events.last(), QStringLiteral("disconnected 1"));
      QCOMPARE(p.client.State(), qint16(StateClosed));
    }
    {
      Pair p;
      QVERIFY(Connected(p));
      QVERIFY(p.client.SendList({"120"}));
      QTRY_COMPARE(p.hostEvents.received.size(), 1);
      p.client.Disconnect(CauseClosedHere);
      QTRY_COMPARE(p.hostEvents.events.last(), QStringLiteral("disconnected 2"));
      QCOMPARE(p.clientEvents.events.count(QStringLiteral("disconnected 0")), 1);
    }
  }

  // A client that goes before a whole message came from it leaves the host listening; one that
  // has not sent a byte makes way for a newcomer; from the first message on, nobody else gets in.
  void silentClientsLeaveTheHostListening() {
    Recorder events;
    cSocket host(&events);
    QVERIFY(host.Listen(0, kLoopbackText));
    const quint16 port = host.ListeningPort();
    for (const bool reset : {false, true}) {
      const auto raw = RawPeer(port);
      QVERIFY(raw);
      raw->write(Hex("040232"));  // half a move
      raw->flush();
      QTRY_COMPARE(events.events.count(QStringLiteral("accepted 127.0.0.1")), 1 + int(reset));
      reset ? raw->abort() : raw->disconnectFromHost();
      QTRY_COMPARE(events.events.last(), QStringLiteral("left 127.0.0.1"));
      QCOMPARE(host.State(), qint16(StateListening));
      QCOMPARE(host.ListeningPort(), port);
    }
    const auto silent = RawPeer(port);
    QVERIFY(silent);
    QTRY_COMPARE(events.events.count(QStringLiteral("accepted 127.0.0.1")), 3);
    const auto talker = RawPeer(port);
    QVERIFY(talker);
    QTRY_COMPARE(events.events.count(QStringLiteral("accepted 127.0.0.1")), 4);
    QCOMPARE(events.events.count(QStringLiteral("left 127.0.0.1")), 3);
    QTRY_COMPARE(silent->state(), QAbstractSocket::UnconnectedState);
    talker->write(Hex("0103313230"));
    QTRY_COMPARE(events.received, QList<Message>{Message{"120"}});
    QCOMPARE(host.ListeningPort(), quint16(0));
    QTcpSocket late;
    late.connectToHost(kLoopback, port);
    QVERIFY(!late.waitForConnected(5000));
    QCOMPARE(host.State(), qint16(StateConnected));
    QVERIFY(!events.events.contains(QStringLiteral("disconnected 2")));
  }

  void messagesSentJustBeforeACloseArriveFirst() {
    Pair p;
    QVERIFY(Connected(p));
    QVERIFY(p.client.SendList({"36", "bye"}));
    QVERIFY(p.client.SendList({"24", "2", "1", "1"}));
    p.client.Disconnect(CauseClosedHere);
    QTRY_COMPARE(p.hostEvents.events.last(), QStringLiteral("disconnected 2"));
    QCOMPARE(p.hostEvents.received, (QList<Message>{{"36", "bye"}, {"24", "2", "1", "1"}}));
  }

  // Both ends of a connection probe a quiet link, so a peer that vanished without a word ends
  // the game as a network error within about a minute on either side.
  void bothSidesNoticeADeadLink() {
    Pair p;
    QVERIFY(Connected(p));
    QVERIFY(ReadKeepAlive(p.host.Descriptor()) == kKeepAlive);
    QVERIFY(ReadKeepAlive(p.client.Descriptor()) == kKeepAlive);
  }

  void oneClientPerListen() {
    Pair p;
    QVERIFY(Connected(p));
    QVERIFY(p.client.SendList({"120"}));
    QTRY_COMPARE(p.hostEvents.received.size(), 1);
    Recorder lateEvents;
    cSocket late(&lateEvents);
    QVERIFY(late.Connect(QStringLiteral("127.0.0.1"), p.port));
    QTRY_COMPARE(lateEvents.events.last(), QStringLiteral("disconnected 3"));
    QCOMPARE(p.host.State(), qint16(StateConnected));
    QCOMPARE(p.hostEvents.events.count(QStringLiteral("accepted 127.0.0.1")), 1);
  }

  void portInUseReportsCause2() {
    QTcpServer taken;
    QVERIFY(taken.listen(kLoopback, 0));
    Recorder events;
    cSocket host(&events);
    QVERIFY(!host.Listen(taken.serverPort(), kLoopbackText));
    QCOMPARE(events.events, QStringList{QStringLiteral("disconnected 2")});
    QCOMPARE(host.State(), qint16(StateClosed));
    QVERIFY(!host.Listen(70000, kLoopbackText));
  }

  void refusedOrRejectedConnects() {
    quint16 closedPort = 0;
    {
      QTcpServer probe;
      QVERIFY(probe.listen(kLoopback, 0));
      closedPort = probe.serverPort();
    }
    Recorder events;
    cSocket client(&events);
    QVERIFY(client.Connect(QStringLiteral("127.0.0.1"), closedPort));
    QTRY_COMPARE(events.events.last(), QStringLiteral("disconnected 3"));
    QCOMPARE(events.events.first(), QStringLiteral("connecting 127.0.0.1 %1").arg(closedPort));

    // On Linux a broadcast address fails inside the connect call itself; that failure is still
    // told after "connecting", never before.
    events.events.clear();
    QVERIFY(client.Connect(QStringLiteral("255.255.255.255"), 2501));
    QTRY_COMPARE(events.events.size(), 2);
    QCOMPARE(events.events, QStringList({QStringLiteral("connecting 255.255.255.255 2501"),
                                         QStringLiteral("disconnected 3")}));

    // An address or port refused at once: nothing opens, nothing is reported.
    events.events.clear();
    QVERIFY(!client.Connect(QStringLiteral("  "), 2501));
    QVERIFY(!client.Connect(QStringLiteral("127.0.0.1"), 0));
    QVERIFY(events.events.isEmpty());
  }

  void hostNamesAndIPv6() {
    Pair p;
    QVERIFY(p.host.Listen(0, kLoopbackText));
    QVERIFY(p.client.Connect(QStringLiteral("localhost"), p.host.ListeningPort()));
    QTRY_VERIFY(p.clientEvents.events.last().startsWith(QStringLiteral("connected")));
    QCOMPARE(p.clientEvents.events.last().section(' ', 2, 2), QStringLiteral("LOCALHOST"));

    Recorder hostEvents, clientEvents;
    cSocket host(&hostEvents), client(&clientEvents);
    if (!host.Listen(0, QStringLiteral("::1"))) {
      QSKIP("no IPv6 loopback here");
    }
    QVERIFY(client.Connect(QStringLiteral("::1"), host.ListeningPort()));
    QTRY_COMPARE(hostEvents.events.last(), QStringLiteral("accepted ::1"));
    QTRY_VERIFY(clientEvents.events.last().startsWith(QStringLiteral("connected ::1 ::1")));
  }

  void closedAndIdleRules() {
    Recorder events;
    cSocket idle(&events);
    QCOMPARE(idle.State(), qint16(StateClosed));
    QVERIFY(!idle.SendList({"120"}));
    idle.Disconnect(CauseClosedHere);
    QVERIFY(events.events.isEmpty());
    idle.Disconnect(CauseNetworkError);
    QCOMPARE(events.events, QStringList{QStringLiteral("disconnected 3")});

    // Listening or still connecting is not connected: nothing is sent.
    QVERIFY(idle.Listen(0, kLoopbackText));
    QVERIFY(!idle.SendList({"120"}));
    Recorder otherEvents;
    cSocket other(&otherEvents);
    QVERIFY(other.Connect(QStringLiteral("127.0.0.1"), idle.ListeningPort()));
    // A loopback connect is mostly still under way here, but may have completed already.
    QCOMPARE(other.SendList({"120"}), other.State() == StateConnected);
    // A new Listen first closes what is open and says so.
    events.events.clear();
    QVERIFY(idle.Listen(0, kLoopbackText));
    QCOMPARE(events.events.value(0), QStringLiteral("disconnected 0"));
    QVERIFY(events.events.value(1).startsWith(QStringLiteral("listening")));
  }

  // The address a host tells the other player: one of this machine's own IPv4 addresses, and
  // loopback only when there is no other.
  void localIPIsThisMachinesIPv4Address() {
    QStringList own;
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
      if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) {
        own << address.toString();
      }
    }
    const QString ip = cSocket::LocalIP();
    QVERIFY2(own.isEmpty() ? ip == QStringLiteral("127.0.0.1") : own.contains(ip), qPrintable(ip));
  }

  void countByteZeroDiscardsWhatIsPending() {
    Recorder events;
    cSocket host(&events);
    QVERIFY(host.Listen(0, kLoopbackText));
    const auto raw = RawPeer(host.ListeningPort());
    QVERIFY(raw);
    raw->write(Hex("0103313230") + Hex("00") + Hex("0103313230"));
    QTRY_COMPARE(events.received.size(), 1);
    // The connection stays, and the next bytes begin a new message: the second message is this
    // one, so the pending one was discarded.
    raw->write(Hex("01023234"));
    QTRY_COMPARE(events.received.size(), 2);
    QCOMPARE(events.received.last(), Message{"24"});
    QCOMPARE(host.State(), qint16(StateConnected));
  }

  void oversizedMessageEndsTheConnection() {
    Recorder events;
    cSocket host(&events);
    QVERIFY(host.Listen(0, kLoopbackText));
    const auto raw = RawPeer(host.ListeningPort());
    QVERIFY(raw);
    QByteArray flood = Hex("01");
    while (flood.size() <= kMaxMessageBytes + 255) {
      flood += Hex("FF") + QByteArray(254, 'z');
    }
    raw->write(flood);
    QTRY_COMPARE(events.events.last(), QStringLiteral("disconnected 3"));
    QTRY_COMPARE(raw->state(), QAbstractSocket::UnconnectedState);
    QVERIFY(events.received.isEmpty());
  }

  void eachConnectionStartsWithACleanReceiveState() {
    Recorder events;
    cSocket host(&events);
    QVERIFY(host.Listen(0, kLoopbackText));
    {
      const auto raw = RawPeer(host.ListeningPort());
      QVERIFY(raw);
      raw->write(Hex("040232"));  // half a move, then the peer goes
      raw->flush();
      QTest::qWait(50);
      raw->disconnectFromHost();
      QTRY_COMPARE(events.events.last(), QStringLiteral("left 127.0.0.1"));
    }
    const auto raw = RawPeer(host.ListeningPort());
    QVERIFY(raw);
    raw->write(Hex("0103313230"));
    QTRY_COMPARE(events.received, QList<Message>{Message{"120"}});
  }

  void callbacksMayDisconnectOrDestroyTheSocket() {
    // Several messages arrive in one piece; the first one's handler closes the connection.
    {
      Recorder events;
      cSocket host(&events);
      events.onReceive = [](cSocket* s, const Message&) { s->Disconnect(CauseNetworkError); };
      QVERIFY(host.Listen(0, kLoopbackText));
      const auto raw = RawPeer(host.ListeningPort());
      QVERIFY(raw);
      raw->write(Hex("0103313230") + Hex("0103313230") + Hex("0103313230"));
      QTRY_COMPARE(events.events.last(), QStringLiteral("disconnected 3"));
      QCOMPARE(events.received.size(), 1);
      QTRY_COMPARE(raw->state(), QAbstractSocket::UnconnectedState);
    }
    // The handler destroys the cSocket itself, in the middle of the socket's signal.
    {
      Recorder events;
      QPointer<cSocket> host = new cSocket(&events);
      events.onReceive = [](cSocket* s, const Message&) { delete s; };
      QVERIFY(host->Listen(0, kLoopbackText));
      const auto raw = RawPeer(host->ListeningPort());
      QVERIFY(raw);
      raw->write(Hex("0103313230") + Hex("0103313230"));
      QTRY_VERIFY(host.isNull());
      QCOMPARE(events.received.size(), 1);
      QTRY_COMPARE(raw->state(), QAbstractSocket::UnconnectedState);
    }
    // The handler starts hosting again: the old connection's remaining messages are dropped.
    {
      Recorder events;
      cSocket host(&events);
      events.onReceive = [](cSocket* s, const Message&) { s->Listen(0, kLoopbackText); };
      QVERIFY(host.Listen(0, kLoopbackText));
      const auto raw = RawPeer(host.ListeningPort());
      QVERIFY(raw);
      raw->write(Hex("0103313230") + Hex("01023234"));
      QTRY_COMPARE(host.State(), qint16(StateListening));
      QTest::qWait(50);
      QCOMPARE(events.received, QList<Message>{Message{"120"}});
      QCOMPARE(events.events.value(3), QStringLiteral("disconnected 0"));
    }
    // The peer's close, handled by replying on a closed socket and reconnecting elsewhere.
    {
      Pair p;
      QVERIFY(Connected(p));
      QVERIFY(p.client.SendList({"120"}));
      QTRY_COMPARE(p.hostEvents.received.size(), 1);
      p.hostEvents.onDisconnected = [](cSocket* s, qint32) { QVERIFY(!s->SendList({"120"})); };
      p.client.Disconnect(CauseClosedHere);
      QTRY_COMPARE(p.hostEvents.events.last(), QStringLiteral("disconnected 2"));
    }
  }
};

QTEST_GUILESS_MAIN(TestCSocket)
#include "test_csocket.moc"
