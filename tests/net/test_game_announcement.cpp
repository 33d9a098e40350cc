// What a hosting copy announces on the local network, and how the announcements of others are
// read: every byte of them came from the network.
#include <QHostAddress>
#include <QtTest>

#include "net/GameAnnouncement.h"

using namespace vextal;

class TestGameAnnouncement : public QObject {
  Q_OBJECT

 private slots:
  void txtRecord_data() {
    QTest::addColumn<QList<QByteArray>>("entries");
    QTest::addColumn<int>("stage");
    QTest::addColumn<int>("protocol");
    QTest::newRow("own") << TxtRecordFor(5) << 5 << kProtocolRevision;
    QTest::newRow("empty") << QList<QByteArray>{} << 0 << 0;
    QTest::newRow("stage out of range")
        << QList<QByteArray>{"stage=0", "stage=8", "stage=-1", "protocol=0"} << 0 << 0;
    QTest::newRow("not numbers") << QList<QByteArray>{"stage=3x", "stage=", "protocol=two", "stage"}
                                 << 0 << 0;
    QTest::newRow("other keys") << QList<QByteArray>{"stages=4", "xstage=4", "Stage=4",
                                                     "protocol=7"}
                                << 0 << 7;
    QTest::newRow("binary") << QList<QByteArray>{QByteArray("stage=2\0", 8),
                                                 QByteArray(255, '\xff'), "stage=6"}
                            << 6 << 0;
  }
  void txtRecord() {
    QFETCH(QList<QByteArray>, entries);
    FoundGame game;
    ReadTxtRecord(entries, game);
    QTEST(game.stage, "stage");
    QTEST(game.protocol, "protocol");
  }

  void serviceNameFitsOneLabel() {
    QCOMPARE(ServiceNameFor("host"), QByteArray("Vextal on host"));
    // 10 bytes of prefix and 27 two-byte characters: the cut falls inside the 27th.
    const QByteArray cut = ServiceNameFor(QString(27, QChar(0xE9)));
    QCOMPARE(cut.size(), 62);
    QCOMPARE(QString::fromUtf8(cut), "Vextal on " + QString(26, QChar(0xE9)));
    QCOMPARE(ReceivedServiceName(QByteArray(300, 'a').constData()).size(), 63);
  }

  // A name from the network can neither break the line nor turn the text after it around.
  void shownServiceName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "Vextal on box"
                           << "Vextal on box";
    QTest::newRow("right-to-left override")
        << QString::fromUtf8("evil\u202E2 egats") << "evil2 egats";
    QTest::newRow("embeddings, isolates, marks")
        << QString::fromUtf8("a\u202Ab\u202Cc\u2067d\u2069e\u200Ff\u061Cg") << "abcdefg";
    QTest::newRow("line breaks and controls")
        << QString::fromUtf8("one\ntwo\r\nthree\u2028four\u0085\t\x01") << "onetwothreefour";
    QTest::newRow("Arabic and emoji stay")
        << QString::fromUtf8("لعبة 🎲") << QString::fromUtf8("لعبة 🎲");
  }
  void shownServiceName() {
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QCOMPARE(ShownServiceName(name), QChar(0x2068) + shown + QChar(0x2069));
  }

  void addressPreference() {
    QVERIFY(AddressPreference("192.168.0.2") < AddressPreference("2001:db8::1"));
    QVERIFY(AddressPreference("2001:db8::1") < AddressPreference("fe80::1%eth0"));
    // Qt's own reading of the address is the reference for the system parser used here.
    for (const char* address :
         {"169.254.3.4", "169.253.3.4", "10.0.0.1", "fe80::1", "fe80::1%eth0", "febf::1", "fec0::1",
          "fe00::1", "::1", "::ffff:169.254.1.1", "2001:db8::1", "", "fe80::zz", "999.1.1.1"}) {
      QCOMPARE(IsLinkLocalAddress(address), QHostAddress(address).isLinkLocal());
    }
  }
};

QTEST_MAIN(TestGameAnnouncement)
#include "test_game_announcement.moc"
