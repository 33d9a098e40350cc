#include <cmath>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "game/Dialogs.h"
#include "shell/MusicFileCheck.h"
#include "shell/SoundLibrary.h"
#include "shell/WindowFakes.h"
#include "shell/mMusic.h"

using namespace vextal;
using vextal::testing::RecordingDialogs;

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

void PutLittle(QByteArray& out, quint32 value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
}

// A 16-bit mono 22050 Hz sine of the given length.
QByteArray Wav(int milliseconds) {
  const int frames = 22050 * milliseconds / 1000;
  QByteArray out("RIFF");
  PutLittle(out, 36 + frames * 2, 4);
  out.append("WAVEfmt ");
  PutLittle(out, 16, 4);
  PutLittle(out, 1, 2);
  PutLittle(out, 1, 2);
  PutLittle(out, 22050, 4);
  PutLittle(out, 44100, 4);
  PutLittle(out, 2, 2);
  PutLittle(out, 16, 2);
  out.append("data");
  PutLittle(out, frames * 2, 4);
  for (int i = 0; i < frames; ++i) {
    PutLittle(out, static_cast<quint16>(static_cast<qint16>(8000 * std::sin(i * 0.1))), 2);
  }
  return out;
}

QByteArray Chunk(const char* tag, const QByteArray& body) {
  QByteArray out(tag, 4);
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.append(static_cast<char>((body.size() >> shift) & 0xFF));
  }
  return out + body;
}

QByteArray Header(int format, int tracks) {
  return Chunk("MThd", QByteArray::fromHex("00") + QByteArray(1, char(format)) +
                           QByteArray::fromHex("00") + QByteArray(1, char(tracks)) +
                           QByteArray::fromHex("0060"));
}

// One bar of a C major chord on a piano (2 s), with running status as files commonly use it.
QByteArray TuneTrack() {
  return Chunk("MTrk", QByteArray::fromHex("00ff510307a120"  // tempo: 120 beats per minute
                                           "00c000"          // piano
                                           "00903c50"        // C on
                                           "004050"          // E on, running status
                                           "004350"          // G on
                                           "83003c00"        // four beats later: C off
                                           "004000"          // E off
                                           "004300"          // G off
                                           "00ff2f00"));     // end of track
}

QByteArray Tune() {
  return Header(0, 1) + TuneTrack();
}

// Asked once the sound has played, so the library is loaded.
bool TunePlaying() {
  return SoundLibrary::Load()->Mix_PlayingMusic() != 0;
}

}  // namespace

class MusicTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { qputenv("SDL_AUDIODRIVER", "dummy"); }
  void cleanup() {
    QDir(dir_.path() + "/sound").removeRecursively();
    QDir(dir_.path() + "/music").removeRecursively();
  }

  void inspectsMidiFiles_data();
  void inspectsMidiFiles();
  void emptyListWithoutTunes();
  void listsTunesAndFolders();
  void choosingTunesMovesTheCheckMark();
  void missingTuneLeavesMarks();
  void brokenTuneShowsMidiMessage();
  void soundSwitchLeavesMusicAlone();
  void effectsNeverInterruptEachOther();
  void effectsAreCached();
  void deviceClosesWhenSilentAndReopens();
  void repeatAndVolumes();
  void missingDeviceTurnsEffectsOffOnce_data();
  void missingDeviceTurnsEffectsOffOnce();

 private:
  QTemporaryDir dir_;
  QString Sound() const { return dir_.path() + "/sound/"; }
  QString Music() const { return dir_.path() + "/music/"; }
  void MakeFolders() {
    QDir(dir_.path()).mkpath("sound");
    QDir(dir_.path()).mkpath("music");
  }
};

void MusicTest::inspectsMidiFiles_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<bool>("valid");
  const QByteArray track = TuneTrack();
  QTest::newRow("tune") << Tune() << true;
  QTest::newRow("format 1, two tracks") << Header(1, 2) + track + track << true;
  QTest::newRow("unknown chunk skipped") << Header(0, 1) + Chunk("XTRA", "abc") + track << true;
  QTest::newRow("empty") << QByteArray() << false;
  QTest::newRow("not midi") << QByteArray("RIFF....WAVEfmt garbage garbage") << false;
  QTest::newRow("header only") << Header(0, 1) << false;
  QTest::newRow("fewer tracks than declared") << Header(1, 2) + track << false;
  QTest::newRow("format 3") << Header(3, 1) + track << false;
  QTest::newRow("no tracks") << Header(0, 0) << false;
  QTest::newRow("track cut short") << Tune().left(Tune().size() - 5) << false;
  QTest::newRow("running status with nothing to run")
      << Header(0, 1) + Chunk("MTrk", QByteArray::fromHex("003c50")) << false;
  QTest::newRow("data byte out of range")
      << Header(0, 1) + Chunk("MTrk", QByteArray::fromHex("00903cff")) << false;
  QTest::newRow("meta longer than the track")
      << Header(0, 1) + Chunk("MTrk", QByteArray::fromHex("00ff0320414243")) << false;
  QTest::newRow("endless delta time")
      << Header(0, 1) + Chunk("MTrk", QByteArray::fromHex("ffffffff7f903c50")) << false;
  QTest::newRow("real-time byte in a track")
      << Header(0, 1) + Chunk("MTrk", QByteArray::fromHex("00f8")) << false;
}

void MusicTest::inspectsMidiFiles() {
  QFETCH(QByteArray, bytes);
  QFETCH(bool, valid);
  QCOMPARE(InspectMidiFile(bytes).Valid, valid);
}

void MusicTest::emptyListWithoutTunes() {
  RecordingDialogs dialogs;
  {
    mMusic music(dialogs, Sound(), Music());  // no music folder at all
    int changes = 0;
    music.SetMenuChanged([&] { ++changes; });
    music.FillMusicList();
    QCOMPARE(changes, 1);
    const MusicMenu& menu = music.Menu();
    QCOMPARE(menu.PlayMusic.size(), std::size_t{1});
    QCOMPARE(menu.PlayMusic[0].Caption, QStringLiteral("(none)"));
    QVERIFY(!menu.PlayMusic[0].Enabled);
    QVERIFY(menu.PlayMusic[0].Visible);
    QVERIFY(!menu.PlayMusic[0].Checked);
    QVERIFY(menu.StopMusicChecked);
    QVERIFY(menu.EnableSoundChecked);
    QVERIFY(!music.SoundOff());
    QVERIFY(!music.MusicPlaying());
    // Start-up leaves the sound system alone, not even loading it.
    QVERIFY(!music.DeviceOpen());
    QVERIFY(!SoundLibrary::Loaded());
  }
  MakeFolders();
  WriteBytes(Music() + "readme.txt", "not a tune");
  mMusic music(dialogs, Sound(), Music());
  music.FillMusicList();
  QCOMPARE(music.Menu().PlayMusic.size(), std::size_t{1});
  QVERIFY(music.Menu().PlayMusic[0].Visible);
  // The placeholder leads nowhere, even if a window let it be clicked.
  music.mnuPlayMusic_Click(0);
  QVERIFY(music.Menu().StopMusicChecked);
  QVERIFY(dialogs.boxes.isEmpty());
}

void MusicTest::listsTunesAndFolders() {
  MakeFolders();
  WriteBytes(Music() + "my song.mid", Tune());
  WriteBytes(Music() + "alpha.mid", Tune());
  WriteBytes(Music() + "Beta.MID", Tune());  // the suffix in any letter case
  WriteBytes(Music() + "notes.txt", "x");
  QDir(Music()).mkdir("x.mid");
  RecordingDialogs dialogs;
  mMusic music(dialogs, Sound(), Music());
  music.FillMusicList();
  const auto& items = music.Menu().PlayMusic;
  QCOMPARE(items.size(), std::size_t{5});
  QVERIFY(!items[0].Visible);
  QVERIFY(!items[0].Enabled);
  const QStringList captions{"alpha", "Beta", "my song", "x"};
  const QStringList tags{"alpha.mid", "Beta.MID", "my song.mid", "x.mid"};
  for (int i = 1; i < 5; ++i) {
    QCOMPARE(items[std::size_t(i)].Caption, captions[i - 1]);
    QCOMPARE(items[std::size_t(i)].Tag, tags[i - 1]);
    QVERIFY(items[std::size_t(i)].Enabled);
    QVERIFY(items[std::size_t(i)].Visible);
    QVERIFY(!items[std::size_t(i)].Checked);
  }
  QVERIFY(music.Menu().StopMusicChecked);
  QVERIFY(!music.DeviceOpen());

  // Filling again gives the same list, not a doubled one.
  music.FillMusicList();
  QCOMPARE(music.Menu().PlayMusic.size(), std::size_t{5});
}

void MusicTest::choosingTunesMovesTheCheckMark() {
  MakeFolders();
  WriteBytes(Music() + "alpha.mid", Tune());
  WriteBytes(Music() + "my song.mid", Tune());
  RecordingDialogs dialogs;
  mMusic music(dialogs, Sound(), Music());
  music.FillMusicList();
  int changes = 0;
  music.SetMenuChanged([&] { ++changes; });
  auto checks = [&] {
    QString marks;
    for (const auto& item : music.Menu().PlayMusic) {
      marks += item.Checked ? 'x' : '.';
    }
    return marks + (music.Menu().StopMusicChecked ? 'x' : '.');
  };

  music.mnuPlayMusic_Click(2);  // the name with a space plays
  QCOMPARE(checks(), QStringLiteral("..x."));
  QVERIFY(music.MusicPlaying());
  QVERIFY(TunePlaying());
  QCOMPARE(changes, 1);

  music.mnuPlayMusic_Click(1);
  QCOMPARE(checks(), QStringLiteral(".x.."));
  QVERIFY(TunePlaying());

  music.mnuPlayMusic_Click(1);  // the same tune again starts it afresh
  QCOMPARE(checks(), QStringLiteral(".x.."));
  QVERIFY(TunePlaying());

  music.mnuStopMusic_Click();
  QCOMPARE(checks(), QStringLiteral("...x"));
  QVERIFY(!music.MusicPlaying());
  QVERIFY(!TunePlaying());
  QCOMPARE(changes, 4);

  music.mnuStopMusic_Click();  // stopping nothing is harmless
  QCOMPARE(checks(), QStringLiteral("...x"));
  QVERIFY(dialogs.boxes.isEmpty());
}

void MusicTest::missingTuneLeavesMarks() {
  MakeFolders();
  WriteBytes(Music() + "alpha.mid", Tune());
  WriteBytes(Music() + "beta.mid", Tune());
  RecordingDialogs dialogs;
  mMusic music(dialogs, Sound(), Music());
  music.FillMusicList();
  music.mnuPlayMusic_Click(1);
  QVERIFY(music.Menu().PlayMusic[1].Checked);
  QVERIFY(QFile::remove(Music() + "beta.mid"));

  int changes = 0;
  music.SetMenuChanged([&] { ++changes; });
  music.mnuPlayMusic_Click(2);
  QCOMPARE(changes, 1);  // told anyway, so a window can undo its own toggling
  QVERIFY(music.Menu().PlayMusic[1].Checked);
  QVERIFY(!music.Menu().PlayMusic[2].Checked);
  QVERIFY(!music.Menu().StopMusicChecked);
  QVERIFY(music.MusicPlaying());  // the old tune goes on
  QVERIFY(dialogs.boxes.isEmpty());
  QVERIFY(!music.PlayMusic("beta.mid"));
  QVERIFY(!music.PlayMusic(QString()));
  QVERIFY(dialogs.boxes.isEmpty());
}

void MusicTest::brokenTuneShowsMidiMessage() {
  MakeFolders();
  WriteBytes(Music() + "alpha.mid", Tune());
  QByteArray garbage;
  for (int i = 0; i < 500; ++i) {
    garbage.append(static_cast<char>((i * 37 + 11) & 0xFF));
  }
  WriteBytes(Music() + "garbage.mid", garbage);
  QDir(Music()).mkdir("x.mid");
  RecordingDialogs dialogs;
  mMusic music(dialogs, Sound(), Music());
  music.FillMusicList();
  QCOMPARE(music.Menu().PlayMusic[2].Tag, QStringLiteral("garbage.mid"));
  music.mnuPlayMusic_Click(1);
  QVERIFY(music.Menu().PlayMusic[1].Checked);

  music.mnuPlayMusic_Click(2);
  QCOMPARE(dialogs.boxes.size(), 1);
  QCOMPARE(dialogs.boxes[0].icon, BoxIcon::Critical);
  QCOMPARE(dialogs.boxes[0].title, QStringLiteral("Vextal"));
  QCOMPARE(dialogs.boxes[0].text,
           QStringLiteral("Could not play MIDI music! Check your sound settings."));
  // The marks stay, but the tune that played before was stopped to make room.
  QVERIFY(music.Menu().PlayMusic[1].Checked);
  QVERIFY(!music.Menu().PlayMusic[2].Checked);
  QVERIFY(!music.MusicPlaying());
  QVERIFY(!TunePlaying());

  music.mnuPlayMusic_Click(3);  // the folder named like a tune
  QCOMPARE(dialogs.boxes.size(), 2);
  QCOMPARE(dialogs.boxes[1].text, dialogs.boxes[0].text);

  // A good tune still plays after the failures.
  music.mnuPlayMusic_Click(1);
  QVERIFY(TunePlaying());
  QCOMPARE(dialogs.boxes.size(), 2);
}

void MusicTest::soundSwitchLeavesMusicAlone() {
  MakeFolders();
  WriteBytes(Music() + "alpha.mid", Tune());
  WriteBytes(Sound() + "beep1.wav", Wav(50));
  RecordingDialogs dialogs;
  mMusic music(dialogs, Sound(), Music());
  music.FillMusicList();
  music.mnuPlayMusic_Click(1);

  music.mnuEnableSound_Click();
  QVERIFY(!music.Menu().EnableSoundChecked);
  QVERIFY(music.SoundOff());
  QVERIFY(TunePlaying());
  music.PlayWave("beep1.wav");
  QCOMPARE(music.SoundingEffect(), QString());

  music.mnuEnableSound_Click();
  QVERIFY(music.Menu().EnableSoundChecked);
  QVERIFY(!music.SoundOff());
  music.PlayWave("beep1.wav");
  QCOMPARE(music.SoundingEffect(), QStringLiteral("beep1.wav"));
  QVERIFY(dialogs.boxes.isEmpty());
}

void MusicTest::effectsNeverInterruptEachOther() {
  MakeFolders();
  WriteBytes(Sound() + "long.wav", Wav(600));
  WriteBytes(Sound() + "short.wav", Wav(40));
  RecordingDialogs dialogs;
  mMusic music(dialogs, Sound(), Music());

  // Nothing to play opens nothing.
  music.PlayWave(QString());
  music.PlayWave("missing.wav");
  QVERIFY(!music.DeviceOpen());

  // The caller never waits for the device: the effect starts from the event loop, and one
  // requested meanwhile is dropped as if the first were already sounding.
  music.PlayWave("long.wav");
  QVERIFY(!music.DeviceOpen());
  QCOMPARE(music.SoundingEffect(), QStringLiteral("long.wav"));
  music.PlayWave("short.wav");
  QTRY_VERIFY(music.DeviceOpen());
  QCOMPARE(music.SoundingEffect(), QStringLiteral("long.wav"));
  music.PlayWave("short.wav");  // dropped: the long one is still sounding
  QCOMPARE(music.SoundingEffect(), QStringLiteral("long.wav"));
  QTRY_COMPARE_WITH_TIMEOUT(music.SoundingEffect(), QString(), 3000);
  music.PlayWave("short.wav");
  QCOMPARE(music.SoundingEffect(), QStringLiteral("short.wav"));
  QVERIFY(dialogs.boxes.isEmpty());
}

void MusicTest::effectsAreCached() {
  MakeFolders();
  WriteBytes(Sound() + "beep1.wav", Wav(30));
  RecordingDialogs dialogs;
  mMusic music(dialogs, Sound(), Music());
  music.PlayWave("beep1.wav");
  QCOMPARE(music.SoundingEffect(), QStringLiteral("beep1.wav"));
  QTRY_COMPARE_WITH_TIMEOUT(music.SoundingEffect(), QString(), 3000);
  // Spoil the file: the next beep still plays from memory.
  WriteBytes(Sound() + "beep1.wav", "spoilt");
  music.PlayWave("beep1.wav");
  QCOMPARE(music.SoundingEffect(), QStringLiteral("beep1.wav"));
  QTRY_COMPARE_WITH_TIMEOUT(music.SoundingEffect(), QString(), 3000);
  // A file that never decoded is silently skipped.
  WriteBytes(Sound() + "bad.wav", "not a wave");
  music.PlayWave("bad.wav");
  QCOMPARE(music.SoundingEffect(), QString());
  QVERIFY(dialogs.boxes.isEmpty());
}

void MusicTest::deviceClosesWhenSilentAndReopens() {
  MakeFolders();
  WriteBytes(Sound() + "beep1.wav", Wav(300));
  WriteBytes(Music() + "tune.mid", Tune());
  RecordingDialogs dialogs;
  mMusic music(dialogs, Sound(), Music());
  music.SetCloseAfterSilence(100);

  // An effect keeps the device open while it sounds, then the device closes: never before its
  // 300 ms have played (a busy machine only makes it later).
  QElapsedTimer sounding;
  sounding.start();
  music.PlayWave("beep1.wav");
  QTRY_VERIFY(music.DeviceOpen());
  QTRY_VERIFY_WITH_TIMEOUT(!music.DeviceOpen(), 3000);
  QVERIFY2(sounding.elapsed() >= 250, qPrintable(QString::number(sounding.elapsed())));

  // A playing tune keeps it open; one that ended lets it close and still counts as started.
  QVERIFY(music.PlayMusic("tune.mid"));
  QTest::qWait(300);
  QVERIFY(music.DeviceOpen());
  QTRY_VERIFY_WITH_TIMEOUT(!music.DeviceOpen(), 5000);
  QVERIFY(music.MusicPlaying());

  // The next effect opens it again.
  music.PlayWave("beep1.wav");
  QTRY_VERIFY(music.DeviceOpen());
  QCOMPARE(music.SoundingEffect(), QStringLiteral("beep1.wav"));
  QVERIFY(dialogs.boxes.isEmpty());
}

void MusicTest::repeatAndVolumes() {
  MakeFolders();
  // One eighth of a second of one note.
  WriteBytes(
      Music() + "short.mid",
      Header(0, 1) + Chunk("MTrk", QByteArray::fromHex("00ff510307a12000903c5018803c0000ff2f00")));
  WriteBytes(Sound() + "beep1.wav", Wav(30));
  RecordingDialogs dialogs;
  mMusic music(dialogs, Sound(), Music());
  QVERIFY(!music.Repeat());
  QCOMPARE(music.EffectsVolume(), mMusic::kFullVolume);
  QCOMPARE(music.MusicVolume(), mMusic::kFullVolume);
  music.SetEffectsVolume(50);
  music.SetMusicVolume(250);  // out of range: full
  QCOMPARE(music.MusicVolume(), 100);

  // Played once by default; with Repeat it starts again each time it ends, until turned off.
  QVERIFY(music.PlayMusic("short.mid"));
  QCOMPARE(music.TunePlays(), 1);
  // The synthesiser lets the last note ring out for a few seconds after the tune's end.
  QTRY_VERIFY_WITH_TIMEOUT(!TunePlaying(), 10000);
  QCOMPARE(music.TunePlays(), 1);
  music.SetRepeat(true);
  QVERIFY(music.PlayMusic("short.mid"));
  QTRY_VERIFY_WITH_TIMEOUT(music.TunePlays() >= 2, 10000);
  music.SetRepeat(false);
  QTRY_VERIFY_WITH_TIMEOUT(!TunePlaying(), 10000);
  const int plays = music.TunePlays();
  QTest::qWait(300);
  QCOMPARE(music.TunePlays(), plays);

  // The volumes hold for the device as opened, and again after it closed and opened anew.
  const SoundLibrary& sdl = *SoundLibrary::Load();
  QCOMPARE(sdl.Mix_Volume(AudioDevice::kEffectChannel, -1), MIX_MAX_VOLUME / 2);
  QCOMPARE(sdl.Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
  music.SetMusicVolume(0);
  QCOMPARE(sdl.Mix_VolumeMusic(-1), 0);
  music.mnuStopMusic_Click();
  music.SetCloseAfterSilence(10);
  music.PlayWave("beep1.wav");
  QTRY_VERIFY(music.DeviceOpen());
  QTRY_VERIFY_WITH_TIMEOUT(!music.DeviceOpen(), 3000);
  music.PlayWave("beep1.wav");
  QTRY_VERIFY(music.DeviceOpen());
  QCOMPARE(sdl.Mix_Volume(AudioDevice::kEffectChannel, -1), MIX_MAX_VOLUME / 2);
  QCOMPARE(sdl.Mix_VolumeMusic(-1), 0);
  QVERIFY(dialogs.boxes.isEmpty());
}

void MusicTest::missingDeviceTurnsEffectsOffOnce_data() {
  QTest::addColumn<QByteArray>("driver");
  QTest::addColumn<QByteArray>("mixerFile");
  QTest::newRow("no audio output")
      << QByteArray("vextal-no-such-driver") << QByteArray(SoundLibrary::kMixerFile);
  QTest::newRow("no sound library")
      << QByteArray("dummy") << QByteArray("libvextal-no-such-mixer.so.0");
}

void MusicTest::missingDeviceTurnsEffectsOffOnce() {
  QFETCH(QByteArray, driver);
  QFETCH(QByteArray, mixerFile);
  MakeFolders();
  WriteBytes(Sound() + "beep1.wav", Wav(30));
  WriteBytes(Music() + "alpha.mid", Tune());
  qputenv("SDL_AUDIODRIVER", driver);
  SoundLibrary::SetMixerFile(mixerFile.constData());
  auto restore = qScopeGuard([] {
    qputenv("SDL_AUDIODRIVER", "dummy");
    SoundLibrary::SetMixerFile(SoundLibrary::kMixerFile);
  });
  RecordingDialogs dialogs;
  mMusic music(dialogs, Sound(), Music());
  music.FillMusicList();

  music.PlayWave("beep1.wav");
  QTRY_COMPARE(dialogs.boxes.size(), 1);
  QCOMPARE(dialogs.boxes[0].icon, BoxIcon::Critical);
  QCOMPARE(dialogs.boxes[0].title, QStringLiteral("Vextal"));
  QCOMPARE(dialogs.boxes[0].text,
           QStringLiteral("Sound device not available. Sound will be disabled"));
  QVERIFY(music.SoundOff());
  QVERIFY(music.Menu().EnableSoundChecked);  // the mark is left as it was
  QVERIFY(!music.DeviceOpen());

  music.PlayWave("beep1.wav");
  music.PlayWave("beep1.wav");
  QCOMPARE(dialogs.boxes.size(), 1);

  // One click removes the mark and leaves sound off; a second turns it on again.
  music.mnuEnableSound_Click();
  QVERIFY(!music.Menu().EnableSoundChecked);
  QVERIFY(music.SoundOff());
  music.mnuEnableSound_Click();
  QVERIFY(music.Menu().EnableSoundChecked);
  QVERIFY(!music.SoundOff());

  // A tune needs the same device and fails with its own message.
  music.mnuPlayMusic_Click(1);
  QCOMPARE(dialogs.boxes.size(), 2);
  QCOMPARE(dialogs.boxes[1].text,
           QStringLiteral("Could not play MIDI music! Check your sound settings."));
  QVERIFY(music.Menu().StopMusicChecked);
  QVERIFY(!music.Menu().PlayMusic[1].Checked);
}

QTEST_GUILESS_MAIN(MusicTest)
#include "test_music.moc"
