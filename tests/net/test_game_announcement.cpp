// What a hosting copy announces on the local network, and how the announcements of others are
// read: every byte of them came from the network.
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

  void addressPreference() {
    QVERIFY(AddressPreference("192.168.0.2") < AddressPreference("2001:db8::1"));
    QVERIFY(AddressPreference("2001:db8::1") < AddressPreference("fe80::1%eth0"));
  }
};

QTEST_MAIN(TestGameAnnouncement)
#include "test_game_announcement.moc"
