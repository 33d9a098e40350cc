// The generated effects and tunes beside the program: formats, lengths, levels, and the mix.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "Loudness.h"
#include "WindowFakes.h"
#include "shell/MusicFileCheck.h"
#include "shell/mMusic.h"

using namespace vextal;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Signed 16-bit little-endian samples, scaled to -1..1, and the loudest of them.
std::vector<float> Samples(const QByteArray& bytes, float& peak) {
  std::vector<float> samples(static_cast<std::size_t>(bytes.size() / 2));
  for (std::size_t i = 0; i < samples.size(); ++i) {
    samples[i] = qFromLittleEndian<qint16>(bytes.constData() + 2 * i) / 32768.0F;
    peak = std::max(peak, std::abs(samples[i]));
  }
  return samples;
}

// The sharpest click: the largest third difference of the samples against the RMS of the third
// differences within 5 ms around it, silence before and after the sound. A tone that starts or
// stops abruptly stands out of its surroundings by 6 or more; smooth tones and noise stay under 4.
double Click(const std::vector<float>& samples) {
  constexpr std::size_t kHalf = 110;
  std::vector<double> x(kHalf, 0.0);
  x.insert(x.end(), samples.begin(), samples.end());
  x.resize(x.size() + kHalf + 3, 0.0);
  std::vector<double> d(x.size(), 0.0);
  for (std::size_t i = 3; i < x.size(); ++i) {
    d[i] = x[i] - 3 * x[i - 1] + 3 * x[i - 2] - x[i - 3];
  }
  double sharpest = 0;
  for (std::size_t i = kHalf; i + kHalf < d.size(); ++i) {
    const auto from = d.begin() + std::ptrdiff_t(i - kHalf), to = from + 2 * kHalf + 1;
    const double energy = std::inner_product(from, to, from, 0.0);
    sharpest = std::max(sharpest, std::abs(d[i]) / (std::sqrt(energy / (2 * kHalf + 1)) + 1e-4));
  }
  return sharpest;
}

}  // namespace

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
    const QByteArray wav = ReadAll(QStringLiteral(VEXTAL_SOUND_DIR) + name);
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
  }

  // The effects are click-free, within 2 LU of one another by momentary loudness (the loudest
  // 400 ms, K-weighted), and each keeps its loudness within 3 dB through a 300 Hz high-pass, as a
  // small speaker plays it. Mixed over a tune by plain addition, the loudest effect and the
  // loudest moment of each tune together stay below full scale with half a decibel to spare.
  void levels() {
    float effectPeak = 0;
    double quietest = 0, loudest = tools::kSilence;
    for (const QString& name : QDir(VEXTAL_SOUND_DIR).entryList({"*.wav"})) {
      const QByteArray wav = ReadAll(QStringLiteral(VEXTAL_SOUND_DIR) + name);
      QVERIFY(wav.size() > 44);
      const int rate = int(qFromLittleEndian<quint32>(wav.constData() + 24));
      const std::vector<float> samples = Samples(wav.mid(44), effectPeak);
      QVERIFY2(Click(samples) < 5, qPrintable(name + QString(": %1").arg(Click(samples))));
      const double loudness = tools::MomentaryLoudness(samples, rate);
      const double smallSpeaker =
          tools::MomentaryLoudness(tools::HighPass(samples, rate, 300), rate);
      QVERIFY2(loudness - smallSpeaker <= 3,
               qPrintable(name + QString(": loses %1 dB").arg(loudness - smallSpeaker)));
      quietest = std::min(quietest, loudness);
      loudest = std::max(loudest, loudness);
    }
    QVERIFY2(quietest > -30 && loudest - quietest <= 2,
             qPrintable(QString("%1 to %2 LUFS").arg(quietest).arg(loudest)));
    QTemporaryDir dir;
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIODELAY", "0");  // as fast as the synthesiser goes
    for (const QString& tune : QDir(VEXTAL_MUSIC_DIR).entryList({"*.mid"})) {
      qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(dir.filePath(tune)));
      testing::RecordingDialogs dialogs;
      mMusic music(dialogs, VEXTAL_SOUND_DIR, VEXTAL_MUSIC_DIR);
      music.SetCloseAfterSilence(20);  // the device closes, finishing the file, once the tune ends
      QVERIFY(music.PlayMusic(tune));
      QVERIFY(QTest::qWaitFor([&] { return !music.DeviceOpen(); }, 120'000));
      float tunePeak = 0;
      const std::vector<float> samples = Samples(ReadAll(dir.filePath(tune)), tunePeak);
      QVERIFY2(tunePeak > 0.1F && effectPeak + tunePeak < 0.944F,
               qPrintable(tune + QString(": %1 + %2").arg(effectPeak).arg(tunePeak)));
      // Heard for 20 s to a minute (stereo, 44.1 kHz). The device writes silence while the
      // synthesiser loads, so the tune runs from the first audible sample to the last.
      const auto audible = [](float sample) { return std::abs(sample) > 1e-3F; };
      const auto first = std::find_if(samples.begin(), samples.end(), audible);
      const auto last = std::find_if(samples.rbegin(), samples.rend(), audible).base();
      const double seconds = double(last - first) / 2 / 44100;
      QVERIFY2(seconds >= 20 && seconds <= 60, qPrintable(tune + ": " + QString::number(seconds)));
    }
  }

  void tunes() {
    const QStringList names =
        QDir(VEXTAL_MUSIC_DIR).entryList({QStringLiteral("*.mid")}, QDir::Files, QDir::Name);
    QCOMPARE(names, QStringList({"Crystal Grid.mid", "Link Waltz.mid", "Night Nodes.mid"}));
    for (const QString& name : names) {
      const QByteArray bytes = ReadAll(QStringLiteral(VEXTAL_MUSIC_DIR) + name);
      QVERIFY2(InspectMidiFile(bytes).Valid, qPrintable(name));
      QCOMPARE(qFromBigEndian<quint16>(bytes.constData() + 8), quint16{1});  // format
      // Tracks: tempo, melody, harmony, bass.
      QVERIFY(qFromBigEndian<quint16>(bytes.constData() + 10) >= 4);
    }
  }
};

QTEST_GUILESS_MAIN(SoundFilesTest)
#include "test_sound_files.moc"
