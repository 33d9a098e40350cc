// Which sound libraries an effect and a tune bring into the process, and the effects' samples
// against the mixer's own decoding. The slots run in order: the first tune loads the mixer.
#include <dlfcn.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "WindowFakes.h"
#include "shell/SoundLibrary.h"
#include "shell/mMusic.h"

using namespace vextal;

namespace {

bool Mapped(const char* name) {
  QFile maps(QStringLiteral("/proc/self/maps"));
  return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
}

// A 16-bit (or 8-bit) PCM wav of a rising ramp, `frames` frames long.
QByteArray Wav(int rate, int channels, int bits, int frames) {
  const int bytes = frames * channels * bits / 8;
  QByteArray out;
  const auto put = [&out](quint32 value, int size) {
    for (int i = 0; i < size; ++i)
      out.append(char(value >> (8 * i)));
  };
  out.append("RIFF"), put(36 + bytes, 4), out.append("WAVEfmt "), put(16, 4), put(1, 2);
  put(channels, 2), put(rate, 4), put(rate * channels * bits / 8, 4);
  put(channels * bits / 8, 2), put(bits, 2), out.append("data"), put(bytes, 4);
  for (int i = 0; i < bytes; ++i)
    out.append(char(i * 7));
  return out;
}

}  // namespace

class SoundChainTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    QFile wav(dir_.filePath("long.wav"));
    QVERIFY(wav.open(QIODevice::WriteOnly));
    wav.write(Wav(22050, 1, 16, 20 * 22050));  // outlasts loading the mixer on a busy machine
    QFile beep(dir_.filePath("beep.wav"));
    QVERIFY(beep.open(QIODevice::WriteOnly));
    beep.write(Wav(22050, 1, 16, 2205));
  }

  void effectsLoadNoMixer() {
    testing::RecordingDialogs dialogs;
    mMusic music(dialogs, dir_.path() + "/", dir_.path() + "/");
    music.PlayWave("beep.wav");
    QTRY_VERIFY(music.DeviceOpen());
    music.SetCloseAfterSilence(10);
    QVERIFY(Mapped("libSDL2-2.0.so"));
    QVERIFY(!Mapped("libSDL2_mixer") && !Mapped("libfluidsynth"));
    // Closing lets SDL go; the next effect loads it again.
    QTRY_VERIFY_WITH_TIMEOUT(!music.DeviceOpen(), 10000);
    QVERIFY(!Mapped("libSDL2-2.0.so"));
    music.PlayWave("long.wav");
    QTRY_VERIFY(music.DeviceOpen());
    QVERIFY(Mapped("libSDL2-2.0.so"));
    QCOMPARE(music.SoundingEffect(), QStringLiteral("long.wav"));

    // A tune opens the device again with the mixer; the effect plays on through it.
    QFile tune(dir_.filePath("tune.mid"));
    QVERIFY(tune.open(QIODevice::WriteOnly));
    tune.write(
        QByteArray::fromHex("4d54686400000006000000010060"
                            "4d54726b0000000d00903c508f00803c0000ff2f00"));
    tune.close();
    QVERIFY(music.PlayMusic("tune.mid"));
    QVERIFY(Mapped("libSDL2_mixer"));
    QCOMPARE(music.SoundingEffect(), QStringLiteral("long.wav"));
    QVERIFY(music.MusicPlaying());
    QVERIFY(dialogs.boxes.isEmpty());
  }

  void effectsDecodeAsTheMixer_data() {
    QTest::addColumn<QByteArray>("wav");
    QTest::newRow("22050 Hz mono") << Wav(22050, 1, 16, 1001);
    QTest::newRow("44100 Hz mono") << Wav(44100, 1, 16, 777);
    QTest::newRow("44100 Hz stereo, as played") << Wav(44100, 2, 16, 500);
    QTest::newRow("11025 Hz stereo, 8 bits") << Wav(11025, 2, 8, 333);
    QTest::newRow("data cut mid-frame") << Wav(22050, 2, 16, 100).chopped(3);
  }

  void effectsDecodeAsTheMixer() {
    QFETCH(QByteArray, wav);
    AudioDevice device;
    QVERIFY(device.Open(true));
    const auto decoded = device.Decode(wav);
    QVERIFY(decoded != nullptr);
    void* mixer = dlopen(SoundLibrary::kMixerFile, RTLD_NOW | RTLD_LOCAL);
    const auto load = reinterpret_cast<decltype(&Mix_LoadWAV_RW)>(dlsym(mixer, "Mix_LoadWAV_RW"));
    const SoundLibrary& sdl = *SoundLibrary::Load();
    Mix_Chunk* chunk = load(sdl.SDL_RWFromConstMem(wav.constData(), int(wav.size())), 1);
    QVERIFY(chunk != nullptr);
    const QByteArray theirs(reinterpret_cast<const char*>(chunk->abuf), int(chunk->alen));
    sdl.Mix_FreeChunk(chunk);
    dlclose(mixer);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(decoded->Bytes.data()),
                        qsizetype(decoded->Bytes.size())),
             theirs);
    QVERIFY(device.PlayEffect(decoded));
  }

 private:
  QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(SoundChainTest)
#include "test_sound_chain.moc"
