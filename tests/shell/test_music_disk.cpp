// Plays the generated effects and tunes through SDL's "disk" audio driver, which writes what
// would be heard into a file, and checks that the file holds sound, not silence.
#include <algorithm>
#include <cstdlib>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "game/Dialogs.h"
#include "shell/mMusic.h"

using namespace vextal;

namespace {

class FakeDialogs : public Dialogs {
 public:
  BoxAnswer Message(BoxIcon, const QString&, const QString& text, BoxButtons) override {
    texts.append(text);
    return BoxAnswer::Ok;
  }
  QString Input(const QString&, const QString&, const QString&) override { return {}; }

  QStringList texts;
};

// The loudest sample of a raw file of signed 16-bit samples in host order.
int Peak(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return -1;
  }
  const QByteArray bytes = file.readAll();
  const auto* samples = reinterpret_cast<const qint16*>(bytes.constData());
  int peak = 0;
  for (qsizetype i = 0; i < bytes.size() / 2; ++i) {
    peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
  }
  return peak;
}

}  // namespace

class MusicDiskTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    qputenv("SDL_AUDIODRIVER", "disk");
  }

  void generatedTuneIsHeard() {
    const QString raw = dir_.filePath("tune.raw");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(raw));
    FakeDialogs dialogs;
    {
      mMusic music(dialogs, VEXTAL_SOUND_DIR, VEXTAL_MUSIC_DIR);
      music.FillMusicList();
      const auto& items = music.Menu().PlayMusic;
      const auto tune = std::find_if(items.begin(), items.end(), [](const MusicMenuItem& item) {
        return item.Caption == QStringLiteral("Crystal Grid");
      });
      QVERIFY(tune != items.end());
      music.mnuPlayMusic_Click(static_cast<int>(tune - items.begin()));
      QVERIFY(music.MusicPlaying());
      QTest::qWait(2000);  // past the one-beat lead-in, well into the first bar
    }                      // closing the device finishes the file
    QCOMPARE(dialogs.texts, QStringList());
    QVERIFY2(Peak(raw) > 2000, qPrintable(QString::number(Peak(raw))));
  }

  void generatedEffectIsHeard() {
    const QString raw = dir_.filePath("effect.raw");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(raw));
    FakeDialogs dialogs;
    {
      mMusic music(dialogs, VEXTAL_SOUND_DIR, VEXTAL_MUSIC_DIR);
      music.PlayWave("reset.wav");
      QCOMPARE(music.SoundingEffect(), QStringLiteral("reset.wav"));
      QTest::qWait(800);
    }
    QCOMPARE(dialogs.texts, QStringList());
    QVERIFY2(Peak(raw) > 2000, qPrintable(QString::number(Peak(raw))));
  }

 private:
  QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(MusicDiskTest)
#include "test_music_disk.moc"
