#include <QTest>

#include "net/Framing.h"
#include "net/xmpp/GameStanza.h"

using namespace vextal;
using namespace vextal::game_stanza;

class TestGameStanza : public QObject {
  Q_OBJECT

 private slots:
  // What a <msg> element may carry: exactly one framed message in strict base64, within bounds.
  void readMessage_data() {
    QTest::addColumn<QByteArray>("base64");
    QTest::addColumn<int>("refusal");
    const QByteArray move = EncodeMessage(Message{"24", "1", "2", "3"})->toBase64();
    QTest::newRow("a move") << move << int(Refusal::None);
    QTest::newRow("empty") << QByteArray() << int(Refusal::BadBase64);
    QTest::newRow("not base64") << QByteArray("AQ!!") << int(Refusal::BadBase64);
    QTest::newRow("white space") << (move.left(4) + " " + move.mid(4)) << int(Refusal::BadBase64);
    QTest::newRow("unfinished") << QByteArray("AgE=") << int(Refusal::BadFrame);
    QTest::newRow("two messages")
        << (*EncodeMessage(Message{"120"}) + *EncodeMessage(Message{"120"})).toBase64()
        << int(Refusal::BadFrame);
    QTest::newRow("count byte 0") << QByteArray("AA==") << int(Refusal::BadFrame);
    QTest::newRow("text past the bound")
        << QByteArray(kMaxBase64Chars + 4, 'A') << int(Refusal::TooLarge);
  }
  void readMessage() {
    QFETCH(QByteArray, base64);
    QFETCH(int, refusal);
    XmlElement element = SessionElement(QStringLiteral("msg"), QStringLiteral("s"));
    element.Text = QString::fromLatin1(base64);
    Refusal got = Refusal::None;
    const std::optional<Message> message = ReadMessage(element, got);
    QCOMPARE(int(got), refusal);
    QCOMPARE(message.has_value(), refusal == int(Refusal::None));
    if (message) {
      QCOMPARE(*message, (Message{"24", "1", "2", "3"}));
    }
  }

  // The sender refuses what the receiver would: a message framed past the bound.
  void messageElementBounded() {
    const QString sid = QStringLiteral("session-0123456789");
    const QByteArray fits(kMaxFramedBytes - 300, 'x');
    const std::optional<XmlElement> element = MessageElement(Message{"36", fits}, sid);
    QVERIFY(element);
    QCOMPARE(element->Attribute(QStringLiteral("sid")), sid);
    QCOMPARE(element->Namespace, kNamespace);
    Refusal refusal = Refusal::None;
    QCOMPARE(ReadMessage(*element, refusal), (Message{"36", fits}));
    QVERIFY(!MessageElement(Message{"36", QByteArray(kMaxFramedBytes, 'x')}, sid));
  }

  void sessionIds() {
    QVERIFY(IsSessionId(QStringLiteral("abcdefABCDEF0123-_")));
    QVERIFY(!IsSessionId(QStringLiteral("short")));
    QVERIFY(!IsSessionId(QStringLiteral("abcdefABCDEF0123 ")));
    QVERIFY(!IsSessionId(QString(65, QLatin1Char('a'))));
  }
};

QTEST_GUILESS_MAIN(TestGameStanza)
#include "test_game_stanza.moc"
