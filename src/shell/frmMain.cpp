// The main window's construction, start-up and shut-down.
#include "shell/frmMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "game/Rounding.h"
#include "shell/Artwork.h"
#include "shell/Mnemonics.h"
#include "shell/ShellPaths.h"
#include "shell/Website.h"
#include "stages/Stages.h"

namespace vextal {

namespace {

QString FarewellText() {
  const QString crlf = QStringLiteral("\r\n");
  return QStringLiteral("Thanks for your support!") + QString(30, QLatin1Char(' ')) + crlf + crlf +
         QStringLiteral("- Forward it to your friends") + crlf +
         QStringLiteral("- Sign the guestbook") + crlf + QStringLiteral("- Donate via PayPal") +
         crlf + crlf + QStringLiteral("Murvo") + crlf + kWebsiteHome;
}

}  // namespace

frmMain::frmMain(const Clock& clock, RandomSource& random, Dialogs& dialogs,
                 const QString& programFolder, QWidget* parent)
    : frmMain(clock, random, dialogs, nullptr, nullptr, programFolder, parent) {}

frmMain::frmMain(const Clock& clock, RandomSource& random, Dialogs& dialogs,
                 ShellSettings& settings, const QString& programFolder, QWidget* parent)
    : frmMain(clock, random, dialogs, &settings, nullptr, programFolder, parent) {}

frmMain::frmMain(const Clock& clock, RandomSource& random, Dialogs& dialogs, UrlOpener& urlOpener,
                 const QString& programFolder, QWidget* parent)
    : frmMain(clock, random, dialogs, nullptr, &urlOpener, programFolder, parent) {}

frmMain::frmMain(const Clock& clock, RandomSource& random, Dialogs& dialogs,
                 ShellSettings* settings, UrlOpener* urlOpener, const QString& programFolder,
                 QWidget* parent)
    : QMainWindow(parent),
      clock_(clock),
      random_(random),
      dialogs_(dialogs),
      settings_(settings ? *settings : forgetful_),
      game_(clock, random),
      music_(dialogs),
      programFolder_(programFolder.isEmpty() ? ProgramFolder() : programFolder),
      urlOpener_(urlOpener ? *urlOpener : desktop_) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Vextal"));
  // Fixed size, no maximize box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  BuildControls();
  BuildMenus();
  ConnectGameEvents();
  StartUp();
}

frmMain::~frmMain() = default;

void frmMain::StartUp() {
  // The random source arrives seeded from the clock; it is the only generator of the run.
  setWindowIcon(ProgramIcon());

  // The length of the run is measured on the monotonic clock, so a run across midnight or a
  // change of the wall clock cannot distort it.
  StartTime = clock_.NowMs();

  music_.SetSoundPath(programFolder_ + QStringLiteral("/sound/"));
  music_.SetMusicPath(programFolder_ + QStringLiteral("/music/"));

  BuildStageItems();
  FillMusicList();
  AssignMenuMnemonics(this);
  // Before the first game, so that it already starts with the remembered sound and players.
  ApplySettings();

  lblVersion->setText(FillPlaceholder(lblVersion->text(), QStringLiteral("%1.%2+%3")
                                                              .arg(VEXTAL_VERSION_MAJOR)
                                                              .arg(VEXTAL_VERSION_MINOR)
                                                              .arg(VEXTAL_VERSION_PATCH)));

  tmrAI->start();
  SetupStage(game_, DrawStartupStage(random_), random_);

  // Open centred on the screen.
  adjustSize();
  if (const QScreen* where = screen()) {
    move(where->availableGeometry().center() - rect().center());
  }
}

void frmMain::ApplySettings() {
  // Only what differs from a first start is applied, through the same operations as the menus.
  if (!settings_.SoundEffects()) {
    music_.mnuEnableSound_Click();
  }
  ApplyTune(settings_.Tune());
  if (settings_.CpuPlayer()) {
    game_.ToggleCpuPlayer();
  }
  SelectCpuLevel(settings_.CpuStrength());
  mnuMarkLastMove->setChecked(settings_.MarkLastMove());
  const WindowSize size = settings_.Size();
  for (qsizetype i = 0; i < mnuSize.size(); ++i) {
    mnuSize[i]->setChecked(kWindowSizes[std::size_t(i)] == size);
  }
  net_.SetLastServerAddress(settings_.LastServerAddress());
  net_.ServerAddressTyped = [this](const QString& address) {
    settings_.SetLastServerAddress(address);
  };
}

void frmMain::ApplyTune(const QString& fileName) {
  if (fileName.isEmpty()) {
    return;
  }
  // A tune that is no longer in the music folder is not in the list, and stays silent.
  const std::vector<MusicMenuItem>& tunes = music_.Menu().PlayMusic;
  for (std::size_t i = 1; i < tunes.size(); ++i) {
    if (tunes[i].Tag == fileName) {
      music_.mnuPlayMusic_Click(int(i));
      return;
    }
  }
}

std::int64_t frmMain::RunSeconds() const {
  return std::int64_t(RoundHalfEven(double(clock_.NowMs() - StartTime) / 1000.0));
}

void frmMain::ShutDown() {
  if (shutDown_) {
    return;
  }
  shutDown_ = true;
  // Nothing may move once the program is closing, not even behind the farewell box.
  tmrAI->stop();
  game_.StopCpu();
  music_.StopMusic();
  if (RunSeconds() > kFarewellAfterSeconds) {
    dialogs_.Message(BoxIcon::Information, QStringLiteral("Support Vextal"), FarewellText());
  }
  chat_.UnloadChat();
  QCoreApplication::quit();
}

void frmMain::closeEvent(QCloseEvent* event) {
  ShutDown();
  event->accept();
}

}  // namespace vextal
