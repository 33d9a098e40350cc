// What the main window remembers between runs, kept in a settings file of the test's own: two
// windows constructed one after the other on the same file are two starts of the program.
#include <memory>

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include "game/Random.h"
#include "shell/ShellSettings.h"
#include "shell/WindowFakes.h"
#include "shell/frmMain.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

// A tune of one note, enough for the music player to start it.
const QByteArray kTune = QByteArray::fromHex(
    "4d546864000000060000000100604d54726b0000001300ff510307a12000903c5083003c0000ff2f00");

// One start of the program with the program folder and settings file given.
struct Start {
  FakeClock clock{kWindowClockStartMs};
  SeededRandom random{3};
  RecordingDialogs dialogs;
  ShellSettings settings;
  std::unique_ptr<frmMain> window;

  Start(const QString& settingsFile, const QString& folder) : settings(settingsFile) {
    window = std::make_unique<frmMain>(clock, random, dialogs, settings, folder);
    window->findChild<QTimer*>(QStringLiteral("tmrAI"))->stop();
  }
  QAction* Item(const char* name) const {
    return window->findChild<QAction*>(QString::fromLatin1(name));
  }
  bool Checked(const char* name) const { return Item(name)->isChecked(); }

  // Everything as on a first start, but for the server address offered.
  void VerifyFirstStart(const QString& address = QString()) const {
    QVERIFY(Checked("mnuEnableSound") && !window->music().SoundOff());
    QVERIFY(Checked("mnuStopMusic") && !window->music().MusicPlaying());
    QVERIFY(!window->music().Repeat());
    QCOMPARE(window->music().EffectsVolume(), mMusic::kFullVolume);
    QCOMPARE(window->music().MusicVolume(), mMusic::kFullVolume);
    QVERIFY(!Checked("mnuEnableAI") && !window->game().CpuOn());
    QVERIFY(!Item("mnuCpuStrength")->isEnabled());
    QVERIFY(Checked("mnuCpuLevel0"));
    QCOMPARE(window->game().GetCpuLevel(), CpuLevel::Classic);
    QVERIFY(Checked("mnuSize0"));
    QVERIFY(Checked("mnuLanguage0") && !Checked("mnuLanguage2"));
    QVERIFY(Checked("mnuMarkLastMove"));
    QCOMPARE(window->net().LastServerAddress(), address);
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("lblPlayer2"))->text(), "Player 2");
    QVERIFY(dialogs.boxes.isEmpty());
  }
};

}  // namespace

class TestWindowSettings : public QObject {
  Q_OBJECT

 private slots:
  void survivesARestart() {
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("music")));
    QFile tune(folder.filePath(QStringLiteral("music/tune.mid")));
    QVERIFY(tune.open(QIODevice::WriteOnly) && tune.write(kTune) == kTune.size());
    tune.close();
    const QString file = folder.filePath(QStringLiteral("Vextal.conf"));
    {
      Start first(file, folder.path());
      first.VerifyFirstStart();
      first.Item("mnuEnableSound")->trigger();
      first.Item("mnuPlayMusic1")->trigger();
      first.Item("mnuRepeatMusic")->trigger();
      first.Item("mnuEffectsVolume2")->trigger();
      first.Item("mnuMusicVolume1")->trigger();
      first.Item("mnuEnableAI")->trigger();
      first.Item("mnuEnableDemo")->trigger();  // the demo is not kept
      first.Item("mnuCpuLevel3")->trigger();
      first.Item("mnuSize1")->trigger();
      first.Item("mnuLanguage2")->trigger();
      first.Item("mnuMarkLastMove")->trigger();
      first.window->net().NetPort = 0;  // the connection fails at once, on the loopback address
      first.dialogs.inputAnswer = QStringLiteral("127.0.0.1");
      first.Item("mnuClient")->trigger();
      // Written at each change, not at the end of the run.
      QVERIFY(QFile::exists(file));
      QCOMPARE(ShellSettings(file).CpuStrength(), CpuLevel::Master);
    }
    {
      Start second(file, folder.path());
      QVERIFY(!second.Checked("mnuEnableSound") && second.window->music().SoundOff());
      QVERIFY(second.Checked("mnuPlayMusic1") && !second.Checked("mnuStopMusic"));
      QVERIFY(second.window->music().MusicPlaying());
      QVERIFY(second.Checked("mnuRepeatMusic") && second.window->music().Repeat());
      QVERIFY(second.Checked("mnuEffectsVolume2") && !second.Checked("mnuEffectsVolume0"));
      QCOMPARE(second.window->music().EffectsVolume(), 50);
      QVERIFY(second.Checked("mnuMusicVolume1"));
      QCOMPARE(second.window->music().MusicVolume(), 75);
      QVERIFY(second.Checked("mnuEnableAI") && second.window->game().CpuOn());
      QVERIFY(!second.Checked("mnuEnableDemo") && !second.window->game().DemoOn());
      QVERIFY(second.Item("mnuCpuStrength")->isEnabled() && second.Checked("mnuCpuLevel3"));
      QCOMPARE(second.window->game().GetCpuLevel(), CpuLevel::Master);
      QVERIFY(second.Checked("mnuSize1") && !second.Checked("mnuSize0"));
      QVERIFY(second.Checked("mnuLanguage2") && !second.Checked("mnuLanguage0"));
      QCOMPARE(ShellSettings(file).Language(), QStringLiteral("de"));
      QVERIFY(!second.Checked("mnuMarkLastMove"));
      QCOMPARE(second.window->net().LastServerAddress(), QStringLiteral("127.0.0.1"));

      // Back to the first start's choices; a cancelled Connect box keeps the address.
      second.Item("mnuEnableSound")->trigger();
      second.Item("mnuStopMusic")->trigger();
      second.Item("mnuRepeatMusic")->trigger();
      second.Item("mnuEffectsVolume0")->trigger();
      second.Item("mnuMusicVolume0")->trigger();
      second.Item("mnuEnableAI")->trigger();
      second.Item("mnuCpuLevel0")->trigger();
      second.Item("mnuSize0")->trigger();
      second.Item("mnuLanguage0")->trigger();
      second.Item("mnuMarkLastMove")->trigger();
      second.dialogs.inputAnswer.clear();
      second.Item("mnuClient")->trigger();
    }
    Start third(file, folder.path());
    third.VerifyFirstStart(QStringLiteral("127.0.0.1"));
  }

  void nonsenseReadsAsAFirstStart_data() {
    QTest::addColumn<QByteArray>("content");  // empty: the settings path is a folder
    QTest::addColumn<bool>("unwritable");
    QTest::newRow("unreadable") << QByteArray() << true;
    QTest::newRow("binary") << QByteArray::fromHex("00ff5b0a3d3d00feffe2828d") + QByteArray(300, 0)
                            << false;
    // A file where the settings folder belongs: nothing to read, and no way to write.
    QTest::newRow("folder is a file") << QByteArray("/") << true;
    QTest::newRow("values")
        << QByteArray(
               "[sound]\neffects=maybe\ntune=gone.mid\nrepeat=1\neffectsVolume=101\nmusicVolume=-"
               "5\n"
               "[cpu]\nenabled=1\nstrength=Grandmaster\n"
               "[window]\nsize=Gigantic\nlanguage=Klingon\n[network]\nlastServerAddress=") +
               QByteArray(300, 'x') + "\n"
        << false;
  }

  void nonsenseReadsAsAFirstStart() {
    QFETCH(QByteArray, content);
    QFETCH(bool, unwritable);
    QTemporaryDir folder;
    QString file = folder.filePath(QStringLiteral("Vextal.conf"));
    if (content.isEmpty()) {
      QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Vextal.conf")));
    } else if (content == "/") {
      QFile out(file);
      QVERIFY(out.open(QIODevice::WriteOnly));
      file += QStringLiteral("/Vextal.conf");
    } else {
      QFile out(file);
      QVERIFY(out.open(QIODevice::WriteOnly) && out.write(content) == content.size());
    }
    Start start(file, folder.path());
    start.VerifyFirstStart();
    // Choosing still works, whether or not the store can keep it.
    start.Item("mnuEnableAI")->trigger();
    const QString failure = "Settings cannot be saved to " + file;
    QCOMPARE(start.window->findChild<QLabel*>("lblState")->text().contains(failure), unwritable);
    start.Item("mnuCpuLevel1")->trigger();
    QCOMPARE(start.window->game().GetCpuLevel(), CpuLevel::Good);
    // Said once per run, however many values fail after it.
    QCOMPARE(start.window->LogText().count(failure), unwritable ? 1 : 0);
  }

  // Without an audio device the one box comes once the window is up; the tune kept from the
  // last run is dropped with a line in the log, not a second box, and "No music" is marked.
  void rememberedTuneWithoutDevice() {
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("music")) &&
            QDir(folder.path()).mkpath(QStringLiteral("sound")));
    for (const char* name : {"music/tune.mid", "sound/reset.wav"}) {
      QFile out(folder.filePath(QString::fromLatin1(name)));
      QVERIFY(out.open(QIODevice::WriteOnly) && out.write(kTune) == kTune.size());
    }
    const QString file = folder.filePath(QStringLiteral("Vextal.conf"));
    ShellSettings(file).SetTune(QStringLiteral("tune.mid"));
    qputenv("SDL_AUDIODRIVER", "vextal-no-such-driver");
    auto restore = qScopeGuard([] { qputenv("SDL_AUDIODRIVER", "dummy"); });
    Start start(file, folder.path());
    QVERIFY(start.dialogs.boxes.isEmpty());
    start.window->show();
    QTRY_VERIFY(start.window->LogText().contains(mMusic::MidiFailedText()));
    QCOMPARE(start.dialogs.boxes.size(), 1);
    QCOMPARE(start.dialogs.boxes[0].text, mMusic::DeviceFailedText());
    QVERIFY(start.Checked("mnuStopMusic") && !start.Checked("mnuPlayMusic1"));
    QVERIFY(!start.window->music().MusicPlaying());
    QCOMPARE(ShellSettings(file).Tune(), QStringLiteral("tune.mid"));  // for a run with sound
  }
};

QTEST_MAIN(TestWindowSettings)
#include "test_window_settings.moc"
