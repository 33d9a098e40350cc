#include <random>
#include <span>
#include <vector>

#include <QTest>

#include "net/Framing.h"

using namespace vextal;

namespace {

QByteArray Hex(const char* hex) {
  return QByteArray::fromHex(hex);
}

QByteArray Encoded(const Message& message) {
  const std::optional<QByteArray> bytes = EncodeMessage(message);
  return bytes.value_or(QByteArray("<refused>"));
}

QByteArray Text(qsizetype n) {
  QByteArray text(n, Qt::Uninitialized);
  for (qsizetype i = 0; i < n; ++i) {
    text[i] = char('a' + i % 26);
  }
  return text;
}

// A stream of several messages with items of every interesting length, chains included.
QList<Message> SampleMessages() {
  QList<Message> messages{{"120"}, {"24", "1", "3", "2"}, {"36", ""}, {Text(600)}};
  Message mixed;
  for (const qsizetype n : {0, 1, 253, 254, 255, 256, 508, 509, 1000}) {
    mixed.append(Text(n));
  }
  messages.append(mixed);
  QByteArray binary;
  for (int v = 0; v < 256; ++v) {
    binary.append(char(v));
  }
  messages.append(Message{"124", binary});
  messages.append(Message(255, "x"));
  return messages;
}

QByteArray Stream(const QList<Message>& messages) {
  QByteArray stream;
  for (const Message& m : messages) {
    stream += Encoded(m);
  }
  return stream;
}

}  // namespace

class TestFraming : public QObject {
  Q_OBJECT

 private slots:
  void encodesTheKnownExamples() {
    QCOMPARE(Encoded({"120"}), Hex("0103313230"));
    QCOMPARE(Encoded({"24", "1", "3", "2"}), Hex("04023234013101330132"));
    QCOMPARE(Encoded({""}), Hex("0100"));

    const QByteArray text600 = Text(600);
    const QByteArray bytes600 = Encoded({text600});
    QCOMPARE(bytes600.size(), 604);
    QCOMPARE(bytes600, Hex("01") + Hex("FF") + text600.mid(0, 254) + Hex("FF") +
                           text600.mid(254, 254) + Hex("5C") + text600.mid(508));
  }

  void encodesChainBoundaries() {
    const QByteArray t254 = Text(254), t255 = Text(255), t508 = Text(508);
    QCOMPARE(Encoded({t254}), Hex("01FE") + t254);
    QCOMPARE(Encoded({t255}), Hex("01FF") + t255.left(254) + Hex("01") + t255.mid(254));
    QCOMPARE(Encoded({t508}), Hex("01FF") + t508.left(254) + Hex("FE") + t508.mid(254));
    // n >= 1 characters take n + 1 + (n - 1) / 254 bytes.
    for (const qsizetype n : {1, 253, 254, 255, 507, 508, 509, 2000}) {
      QCOMPARE(Encoded({Text(n)}).size(), 1 + n + 1 + (n - 1) / 254);
    }
  }

  void itemCountIsOneTo255() {
    QCOMPARE(Encoded(Message(255, "")).left(1), Hex("FF"));
    QVERIFY(!EncodeMessage(Message(256, "")));
    QVERIFY(!EncodeMessage(Message()));
  }

  void refusesMessagesThePeerWouldRefuse() {
    // One item of n bytes takes 2 + n + (n - 1) / 254 bytes framed.
    qsizetype fits = kMaxMessageBytes;
    while (2 + fits + (fits - 1) / 254 > kMaxMessageBytes) {
      --fits;
    }
    QVERIFY(!EncodeMessage({Text(fits + 1)}));
    QVERIFY(Encoded({Text(fits)}).size() <= kMaxMessageBytes);
    QVERIFY(Encoded({Text(fits)}).size() > kMaxMessageBytes - 2);

    // The decoder takes exactly what the encoder sends.
    FrameDecoder d;
    QCOMPARE(d.Feed(Encoded({Text(fits)})).Messages.size(), 1);
  }

  void messageHoldsItsItems_data() {
    QTest::addColumn<QList<QByteArray>>("items");
    QTest::newRow("no item") << QList<QByteArray>{};
    QTest::newRow("one empty item") << QList<QByteArray>{""};
    QTest::newRow("empty items around one") << QList<QByteArray>{"", "", "x", ""};
    QTest::newRow("a move") << QList<QByteArray>{"24", "1", "3", "2"};
    QTest::newRow("fills the block inside") << QList<QByteArray>{Text(Message::kInlineBytes - 4)};
    QTest::newRow("one byte past it") << QList<QByteArray>{Text(Message::kInlineBytes - 3)};
    QTest::newRow("255 items") << QList<QByteArray>(255, "ab");
    QTest::newRow("bytes with zeros") << QList<QByteArray>{"124", QByteArray(600, '\0')};
  }

  void messageHoldsItsItems() {
    QFETCH(QList<QByteArray>, items);
    const std::vector<QByteArrayView> views(items.begin(), items.end());
    const Message m{std::span<const QByteArrayView>(views)};
    QCOMPARE(m.size(), items.size());
    QList<QByteArray> read;
    for (const QByteArrayView item : m) {
      read << item.toByteArray();
    }
    QCOMPARE(read, items);

    // Built item by item, it is the same message; a copy is changed alone; a moved message keeps
    // its items.
    Message appended;
    for (const QByteArray& item : items) {
      appended.append(item);
    }
    QCOMPARE(appended, m);
    Message copy = m;
    copy.append(copy.isEmpty() ? "" : copy[0]);
    QVERIFY(copy != m);
    QCOMPARE(m.size(), items.size());
    Message moved = std::move(appended);
    QCOMPARE(moved, m);
    QVERIFY(appended.isEmpty());
  }

  void messagesDifferInHowBytesSplitIntoItems() {
    QVERIFY(Message({"ab", "c"}) != Message({"a", "bc"}));
    QVERIFY(Message({"a", ""}) != Message({"a"}));
  }

  void decodedMessagesOwnTheirBytes() {
    QByteArray stream = Encoded({"24", "1", "3", "2"}) + Encoded({Text(21), "abc"}) +
                        Encoded({"36", Text(300)}) + Hex("0201");
    QList<Message> got;
    {
      FrameDecoder d;
      got = d.Feed(stream).Messages;
      got += d.Feed(Hex("7A00")).Messages;
    }
    stream.fill('\xEE');  // the socket reuses its read buffer
    QCOMPARE(got, (QList<Message>{
                      {"24", "1", "3", "2"}, {Text(21), "abc"}, {"36", Text(300)}, {"z", ""}}));
  }

  void wholeShortMessageOverTheBoundFails() {
    const QByteArray move = Encoded({"24", "1", "3", "2"});
    FrameDecoder tight(move.size() - 1);
    const FrameDecoder::Result r = tight.Feed(move + move);
    QCOMPARE(r.Error, FrameError::TooLarge);
    QVERIFY(r.Messages.isEmpty());
    QCOMPARE(tight.ItemCount(), qint16(-1));
    FrameDecoder exact(move.size());
    const Message decoded{"24", "1", "3", "2"};
    QCOMPARE(exact.Feed(move + move).Messages, (QList<Message>{decoded, decoded}));
  }

  void decodesAllAtOnceByteByByteAndInRandomSplits() {
    const QList<Message> messages = SampleMessages();
    const QByteArray stream = Stream(messages);

    FrameDecoder whole;
    const FrameDecoder::Result r = whole.Feed(stream);
    QVERIFY(!r.Failed());
    QCOMPARE(r.Messages, messages);
    QCOMPARE(whole.ItemCount(), qint16(-1));

    FrameDecoder single;
    QList<Message> got;
    for (const char c : stream) {
      const FrameDecoder::Result step = single.Feed(QByteArrayView(&c, 1));
      QVERIFY(!step.Failed());
      got += step.Messages;
    }
    QCOMPARE(got, messages);

    std::mt19937 random(2501);
    for (int round = 0; round < 50; ++round) {
      FrameDecoder split;
      got.clear();
      qsizetype pos = 0;
      while (pos < stream.size()) {
        const qsizetype n = std::min<qsizetype>(stream.size() - pos, random() % 700);
        const FrameDecoder::Result step = split.Feed(QByteArrayView(stream).sliced(pos, n));
        QVERIFY(!step.Failed());
        got += step.Messages;
        pos += n;
      }
      QCOMPARE(got, messages);
    }
  }

  void stateCarriesAcrossFeeds() {
    FrameDecoder d;
    QVERIFY(d.Feed(Hex("0402")).Messages.isEmpty());
    QCOMPARE(d.ItemCount(), qint16(4));
    QCOMPARE(d.ItemIndex(), qint16(0));
    QCOMPARE(d.PieceLen(), qint16(2));
    QVERIFY(d.Feed(Hex("3234")).Messages.isEmpty());
    QCOMPARE(d.PieceLen(), qint16(-1));
    QCOMPARE(d.Items()[0].toByteArray(), QByteArray("24"));
    const FrameDecoder::Result r = d.Feed(Hex("013101330132") + Hex("0103"));
    QCOMPARE(r.Messages, QList<Message>{Message({"24", "1", "3", "2"})});
    QCOMPARE(d.ItemCount(), qint16(1));
    d.ResetReceive();
    QCOMPARE(d.ItemCount(), qint16(-1));
    QCOMPARE(d.PieceLen(), qint16(-1));
    QCOMPARE(d.ItemIndex(), qint16(-1));
    QCOMPARE(d.Feed(Hex("0103313230")).Messages, QList<Message>{Message{"120"}});
  }

  void countByteZeroFailsAndDropsTheRest() {
    FrameDecoder d;
    const FrameDecoder::Result r = d.Feed(Hex("0103313230") + Hex("00") + Hex("0103313230"));
    QCOMPARE(r.Error, FrameError::EmptyMessage);
    // The message before the bad byte still counts; what follows it in the same feed is gone.
    QCOMPARE(r.Messages, QList<Message>{Message{"120"}});
    QCOMPARE(d.ItemCount(), qint16(-1));
    // The next feed starts a new message.
    const FrameDecoder::Result next = d.Feed(Hex("01023234"));
    QVERIFY(!next.Failed());
    QCOMPARE(next.Messages, QList<Message>{Message{"24"}});
  }

  void oversizedMessageFailsBeforeItsBytesArrive() {
    // A chain of FF pieces announcing more than the bound; fed piece by piece, the decoder
    // refuses as soon as the total passes it and keeps no more than the bound meanwhile.
    FrameDecoder d;
    QVERIFY(!d.Feed(Hex("01")).Failed());
    const QByteArray piece = Hex("FF") + Text(254);
    qsizetype fed = 1;
    FrameDecoder::Result r;
    while (!r.Failed()) {
      QVERIFY(fed <= kMaxMessageBytes);
      r = d.Feed(piece);
      fed += piece.size();
    }
    QCOMPARE(r.Error, FrameError::TooLarge);
    QVERIFY(fed > kMaxMessageBytes);
    QCOMPARE(d.ItemCount(), qint16(-1));
    QVERIFY(d.Items().isEmpty());
  }

  void largestLegalMessagePasses() {
    // The snapshot of a 255 x 255 board.
    const Message snapshot{"124", Text(3 + 9 * 255 * 255)};
    FrameDecoder d;
    const FrameDecoder::Result r = d.Feed(Encoded(snapshot));
    QVERIFY(!r.Failed());
    QCOMPARE(r.Messages, QList<Message>{snapshot});
  }
};

QTEST_APPLESS_MAIN(TestFraming)
#include "test_framing.moc"
