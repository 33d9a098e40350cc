#include <QTest>

#include "net/cBuffer.h"

using namespace vextal;

namespace {

QByteArray Hex(const char* hex) {
  return QByteArray::fromHex(hex);
}

QByteArray LongBytes(qint32 value) {
  cBuffer b;
  b.WriteLong(value);
  return b.GetString();
}

}  // namespace

class TestCBuffer : public QObject {
  Q_OBJECT

 private slots:
  void fixedSizeValuesAreLittleEndian() {
    cBuffer b;
    QVERIFY(b.WriteLong(1));
    QVERIFY(b.WriteInteger(-2));
    QVERIFY(b.WriteSingle(1.0f));
    QVERIFY(b.WriteDate(1.0));  // 1899-12-31 00:00
    QVERIFY(b.WriteByte(200));
    QVERIFY(b.WriteBool(kTrue16));
    QVERIFY(b.WriteBool(5));
    QVERIFY(b.WriteBool(kFalse16));
    QCOMPARE(b.GetString(), Hex("01000000"
                                "FEFF"
                                "0000803F"
                                "000000000000F03F"
                                "C8"
                                "01"
                                "01"
                                "00"));
    QCOMPARE(b.DataLen(), 22);
    QCOMPARE(b.ReadPos(), 0);

    qint32 l = 0;
    qint16 i = 0;
    float s = 0;
    double d = 0;
    quint8 by = 0;
    Bool16 bo = 0;
    QVERIFY(b.ReadLong(l) && l == 1);
    QVERIFY(b.ReadInteger(i) && i == -2);
    QVERIFY(b.ReadSingle(s) && s == 1.0f);
    QVERIFY(b.ReadDate(d) && d == 1.0);
    QVERIFY(b.ReadByte(by) && by == 200);
    QVERIFY(b.ReadBool(bo) && bo == kTrue16);
    QVERIFY(b.ReadBool(bo) && bo == kTrue16);
    QVERIFY(b.ReadBool(bo) && bo == kFalse16);
    QCOMPARE(b.ReadPos(), 22);
  }

  void anyNonZeroByteReadsAsTrue() {
    cBuffer b;
    QVERIFY(b.SetString(Hex("07")));
    Bool16 value = 0;
    QVERIFY(b.ReadBool(value));
    QCOMPARE(value, kTrue16);
  }

  void stringsAreCounted() {
    cBuffer b;
    QVERIFY(b.WriteString(QStringLiteral("abc")));
    QVERIFY(b.WriteStringU(QStringLiteral("abc")));
    QCOMPARE(b.GetString(), Hex("03000000616263"
                                "06000000610062006300"));
    QString s8, s16;
    QVERIFY(b.ReadString(s8));
    QVERIFY(b.ReadStringU(s16));
    QCOMPARE(s8, QStringLiteral("abc"));
    QCOMPARE(s16, QStringLiteral("abc"));
  }

  void eightBitStringsUseLatin1() {
    cBuffer b;
    // A character Latin-1 lacks becomes '?', and each half of a surrogate pair counts as one.
    QVERIFY(b.WriteString(QString::fromUtf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80")));
    QCOMPARE(b.GetString(), Hex("04000000E93F3F3F"));
    QString back;
    QVERIFY(b.ReadString(back));
    QCOMPARE(back, QString::fromUtf8("\xC3\xA9???"));
  }

  void emptyStringLeavesDestination() {
    cBuffer b;
    QVERIFY(b.WriteString(QString()));
    QCOMPARE(b.GetString(), Hex("00000000"));
    QString dest = QStringLiteral("kept");
    QVERIFY(b.ReadString(dest));
    QCOMPARE(dest, QStringLiteral("kept"));
    QCOMPARE(b.ReadPos(), 4);
  }

  void stringCountLimitIs65536() {
    const QByteArray payload(65537, 'x');
    for (const bool utf16 : {false, true}) {
      cBuffer b;
      QVERIFY(b.SetString(LongBytes(65536) + payload.left(65536)));
      QString s;
      QVERIFY(utf16 ? b.ReadStringU(s) : b.ReadString(s));
      QCOMPARE(s.size(), utf16 ? 32768 : 65536);
      QCOMPARE(b.ReadPos(), 4 + 65536);

      // One more: no text, only the count consumed; the next read starts inside the payload.
      b.Reset();
      QVERIFY(b.SetString(LongBytes(65537) + payload));
      s = QStringLiteral("kept");
      QVERIFY(utf16 ? b.ReadStringU(s) : b.ReadString(s));
      QCOMPARE(s, QStringLiteral("kept"));
      QCOMPARE(b.ReadPos(), 4);
      quint8 next = 0;
      QVERIFY(b.ReadByte(next));
      QCOMPARE(next, quint8('x'));

      // Negative counts are out of range too.
      b.Reset();
      QVERIFY(b.SetString(LongBytes(-5)));
      QVERIFY(utf16 ? b.ReadStringU(s) : b.ReadString(s));
      QCOMPARE(s, QStringLiteral("kept"));
    }
  }

  void oddUtf16CountDropsHalfUnit() {
    cBuffer b;
    QVERIFY(b.SetString(Hex("03000000410042") + "Z"));
    QString s;
    QVERIFY(b.ReadStringU(s));
    QCOMPARE(s, QStringLiteral("A"));
    QCOMPARE(b.ReadPos(), 7);
  }

  void failingReadsKeepReadPos() {
    cBuffer b;
    QVERIFY(b.SetString(Hex("010203")));
    qint32 l = 77;
    QVERIFY(!b.ReadLong(l));
    QCOMPARE(l, 77);
    QCOMPARE(b.ReadPos(), 0);
    quint8 by = 0;
    QVERIFY(b.ReadByte(by) && b.ReadByte(by) && b.ReadByte(by));
    QCOMPARE(by, quint8(3));
    QVERIFY(!b.ReadByte(by));
    qint16 i = 0;
    QVERIFY(!b.ReadInteger(i));
    double d = 0;
    QVERIFY(!b.ReadDate(d));
    QCOMPARE(b.ReadPos(), 3);

    // A counted payload longer than what remains: the count stays consumed, nothing else.
    for (int kind = 0; kind < 3; ++kind) {
      cBuffer c;
      QVERIFY(c.SetString(LongBytes(10) + "abc"));
      QString s = QStringLiteral("kept");
      QByteArray a = "kept";
      const bool ok = kind == 0 ? c.ReadString(s) : kind == 1 ? c.ReadStringU(s) : c.ReadArray(a);
      QVERIFY(!ok);
      QCOMPARE(c.ReadPos(), 4);
      QCOMPARE(s, QStringLiteral("kept"));
      QCOMPARE(a, QByteArray("kept"));
    }

    // A count that is itself cut short consumes nothing.
    cBuffer c;
    QVERIFY(c.SetString(Hex("0100")));
    QString s;
    QVERIFY(!c.ReadString(s));
    QCOMPARE(c.ReadPos(), 0);
  }

  void hugeCountsFailWithoutAllocating() {
    cBuffer b;
    QVERIFY(b.SetString(LongBytes(0x7FFFFFFF) + "ab"));
    QByteArray a;
    QVERIFY(!b.ReadArray(a));
    QVERIFY(a.isEmpty());
    QCOMPARE(b.ReadPos(), 4);
  }

  void arrays() {
    cBuffer b;
    QVERIFY(!b.WriteArray(QByteArray()));
    QCOMPARE(b.DataLen(), 0);
    QVERIFY(b.WriteArray(Hex("00FF10")));
    QCOMPARE(b.GetString(), Hex("0300000000FF10"));
    QByteArray a = "previous contents";
    QVERIFY(b.ReadArray(a));
    QCOMPARE(a, Hex("00FF10"));

    cBuffer zero;
    QVERIFY(zero.SetString(LongBytes(0)));
    QVERIFY(!zero.ReadArray(a));
    QCOMPARE(zero.ReadPos(), 4);
  }

  void getAndSetStringAreInverses() {
    QByteArray all;
    for (int v = 0; v < 256; ++v) {
      all.append(char(v));
    }
    cBuffer source;
    QVERIFY(source.GetString().isEmpty());
    QVERIFY(source.WriteByte(65) && source.WriteByte(66));
    QCOMPARE(source.GetString(), QByteArray("AB"));
    source.Reset();
    for (int v = 0; v < 256; ++v) {
      QVERIFY(source.WriteByte(quint8(v)));
    }
    QCOMPARE(source.GetString(), all);

    cBuffer copy;
    QVERIFY(copy.SetString(source.GetString()));
    QCOMPARE(copy.DataLen(), 256);
    for (int v = 0; v < 256; ++v) {
      quint8 by = 0;
      QVERIFY(copy.ReadByte(by));
      QCOMPARE(int(by), v);
    }
    // The text form of the wire maps every byte to one character and back.
    QCOMPARE(TextToBytes(BytesToText(all)), all);
  }

  void setStringKeepsReadPosAndWritesAppend() {
    cBuffer b;
    QVERIFY(b.SetString("xyz"));
    quint8 by = 0;
    QVERIFY(b.ReadByte(by) && b.ReadByte(by));
    QVERIFY(b.WriteByte('!'));
    QCOMPARE(b.ReadPos(), 2);
    QCOMPARE(b.GetString(), QByteArray("xyz!"));

    // Loading shorter content leaves the cursor past its end: reads fail, nothing breaks.
    QVERIFY(b.SetString("a"));
    QCOMPARE(b.ReadPos(), 2);
    QVERIFY(!b.ReadByte(by));
    b.Reset();
    QCOMPARE(b.ReadPos(), 0);
    QCOMPARE(b.DataLen(), 0);
  }
};

QTEST_APPLESS_MAIN(TestCBuffer)
#include "test_cbuffer.moc"
