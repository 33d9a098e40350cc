// The generated effects and tunes beside the program: their formats, lengths and levels.
#include <algorithm>
#include <cstdlib>

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtEndian>

#include "shell/MusicFileCheck.h"

using namespace vextal;

class SoundFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void effects_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("longest");  // seconds
    // Move sounds stay short, so the next move (a CPU plays one a second) is never dropped.
    QTest::newRow("reset") << "reset.wav" << 0.8;
    QTest::newRow("claim") << "beep1.wav" << 0.3;
    QTest::newRow("refused") << "beep2.wav" << 0.3;
    QTest::newRow("expand") << "beep3.wav" << 0.3;
    QTest::newRow("neutralise") << "beep4.wav" << 0.3;
    QTest::newRow("win") << "over1.wav" << 1.5;
    QTest::newRow("draw") << "over2.wav" << 1.5;
  }

  void effects() {
    QFETCH(QString, name);
    QFETCH(double, longest);
    QFile file(QStringLiteral(VEXTAL_SOUND_DIR) + name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray wav = file.readAll();
    QVERIFY(wav.size() > 44);
    const char* at = wav.constData();
    QCOMPARE(wav.left(4), QByteArray("RIFF"));
    QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(qFromLittleEndian<quint16>(at + 20), quint16{1});  // PCM
    QCOMPARE(qFromLittleEndian<quint16>(at + 22), quint16{1});  // mono
    const auto rate = qFromLittleEndian<quint32>(at + 24);
    QVERIFY(rate == 22050 || rate == 44100);
    QCOMPARE(qFromLittleEndian<quint16>(at + 34), quint16{16});  // bits per sample
    QCOMPARE(wav.mid(36, 4), QByteArray("data"));
    const auto dataBytes = qFromLittleEndian<quint32>(at + 40);
    QCOMPARE(qsizetype(dataBytes), wav.size() - 44);

    const double seconds = dataBytes / 2.0 / rate;
    QVERIFY2(seconds >= 0.05 && seconds <= longest, qPrintable(QString::number(seconds)));
    int peak = 0;
    for (quint32 i = 0; i < dataBytes / 2; ++i) {
      peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(at + 44 + 2 * i))));
    }
    QVERIFY2(peak > 10000 && peak < 32000, qPrintable(QString::number(peak)));  // heard, unclipped
    // Faded at both ends: no click when the sound starts or stops.
    QVERIFY(std::abs(int(qFromLittleEndian<qint16>(at + 44))) < 500);
    QVERIFY(std::abs(int(qFromLittleEndian<qint16>(at + wav.size() - 2))) < 500);
  }

  void tunes() {
    const QStringList names =
        QDir(VEXTAL_MUSIC_DIR).entryList({QStringLiteral("*.mid")}, QDir::Files, QDir::Name);
    QCOMPARE(names, QStringList({"Crystal Grid.mid", "Link Waltz.mid", "Night Nodes.mid"}));
    for (const QString& name : names) {
      QFile file(QStringLiteral(VEXTAL_MUSIC_DIR) + name);
      QVERIFY(file.open(QIODevice::ReadOnly));
      const MidiFileInfo info = InspectMidiFile(file.readAll());
      QVERIFY2(info.Valid, qPrintable(name));
      QCOMPARE(info.Format, 1);
      QVERIFY(info.Tracks >= 4);  // tempo track, melody, harmony, bass
      QVERIFY2(info.Seconds >= 20 && info.Seconds <= 60,
               qPrintable(name + ": " + QString::number(info.Seconds)));
    }
  }
};

QTEST_GUILESS_MAIN(SoundFilesTest)
#include "test_sound_files.moc"
