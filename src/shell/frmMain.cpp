// The main window's construction, start-up and shut-down.
#include "shell/frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QTimer>

#include "game/Rounding.h"
#include "shell/Artwork.h"
#include "shell/DesktopContrast.h"
#include "shell/ShellPaths.h"
#include "shell/frmAccount.h"
#include "shell/frmFindGames.h"
#include "stages/Stages.h"

namespace vextal {

namespace {

// Ends with the web site's address when there is one.
QString FarewellText(const QString& home) {
  // The spaces widen the box, which is as wide as its longest line.
  const QString text = frmMain::tr(
                           "Thanks for your support!%1\r\n\r\n"
                           "- Forward it to your friends\r\n"
                           "- Sign the guestbook\r\n"
                           "- Donate via PayPal\r\n\r\n"
                           "Murvo")
                           .arg(QString(30, QLatin1Char(' ')));
  return home.isEmpty() ? text : text + QStringLiteral("\r\n") + home;
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
  // A game is announced on the local network only while hosting waits for its client.
  net_.HostingWaits = [this](quint16 port) {
    discovery_.Publish(port, stage_);
    hostingWaits_ = true;
    AnnounceInLobby();
  };
  net_.HostingStops = [this] {
    discovery_.Withdraw();
    hostingWaits_ = false;
    if (account_) {
      account_->Lobby().Withdraw();
    }
  };
  StartUp();
}

frmMain::~frmMain() {
  music_.SetMenuChanged(nullptr);  // the menus go before the sound
  // The list of games browses through discovery_, which goes before the window's children.
  delete findGames_;
  delete accountWindow_;  // it follows the account, which goes before the window's children
  // The store may outlive this window; its report must not reach a window that is gone.
  settings_.SetWriteFailed(nullptr);
}

void frmMain::StartUp() {
  // The random source arrives seeded from the clock; it is the only generator of the run.
  setWindowIcon(ProgramIcon());
  QApplication::setWindowIcon(windowIcon());  // every other window and box takes it too

  // The length of the run is measured on the monotonic clock, so a run across midnight or a
  // change of the wall clock cannot distort it.
  StartTime = clock_.NowMs();

  music_.SetSoundPath(programFolder_ + QStringLiteral("/sound/"));
  music_.SetMusicPath(programFolder_ + QStringLiteral("/music/"));
  game_.SetOpeningBookFile(programFolder_ + QStringLiteral("/perfect.book"));

  // A store that cannot be written is said once; play goes on with the values held for this run.
  settings_.SetWriteFailed([this](const QString& path) {
    AddLog(tr("Settings cannot be saved to %1; changes last until the program ends.")
               .arg(QDir::toNativeSeparators(path)));
  });
  pages_.SetViewerSizeStore([this] { return settings_.HelpViewerSize(); },
                            [this](QSize size) { settings_.SetHelpViewerSize(size); });

  FillMusicList();
  commands_->AssignKeys();
  // Before the first game, so that it already starts with the remembered sound and players.
  ApplySettings();

  ShowVersion();

  tmrAI->start();
  // The internet account logs in by itself when asked to, once the window runs.
  QTimer::singleShot(0, this, [this] {
    if (settings_.InternetAutoLogIn() && !settings_.InternetAddress().isEmpty()) {
      Account().Start();
    }
  });
  PlayStage(DrawStartupStage(random_));
  // A new player learns once, as the last line of the first start, where the rules are; a
  // window that keeps no settings has no first start to remember.
  if (&settings_ != &forgetful_ && !settings_.WelcomeShown()) {
    AddLog(
        tr("New to Vextal? Help → How to play shows the rules; File → Enable CPU player lets "
           "you play against the computer."));
    settings_.SetWelcomeShown();
  }

  // Open centred on the screen, at the size kept from the last run.
  ApplyWindowSize(settings_.Size());
  adjustSize();
  if (const QScreen* where = screen()) {
    move(where->availableGeometry().center() - rect().center());
  }
  KeepOnScreen();
}

void frmMain::ApplySettings() {
  // Only what differs from a first start is applied, through the same operations as the menus.
  if (!settings_.SoundEffects()) {
    music_.mnuEnableSound_Click();
  }
  music_.SetRepeat(settings_.RepeatTune());
  music_.SetEffectsVolume(settings_.EffectsVolume());
  music_.SetMusicVolume(settings_.MusicVolume());
  ApplyTune(settings_.Tune());
  if (settings_.CpuPlayer()) {
    game_.ToggleCpuPlayer();
  }
  game_.SetCpuLevel(settings_.CpuStrength());
  visualCues_ = settings_.VisualCues();
  ApplyPlayerColors(settings_.PlayerColors().value_or(
      DesktopPrefersHighContrast() ? ColorScheme::HighContrast : ColorScheme::Original));
  if (!settings_.PlayerColors()) {
    // Until the player chooses, the colours follow the desktop's wish for high contrast, which
    // its settings portal tells a moment after the start.
    AskDesktopContrast(this, [this](bool higher) {
      if (higher && !settings_.PlayerColors()) {
        ApplyPlayerColors(ColorScheme::HighContrast);
        RefreshCommands();
      }
    });
  }
  net_.SetLastServerAddress(settings_.LastServerAddress());
  net_.ServerAddressTyped = [this](const QString& address) {
    settings_.SetLastServerAddress(address);
  };
  RefreshCommands();
}

void frmMain::ApplyTune(const QString& fileName) {
  if (fileName.isEmpty()) {
    return;
  }
  // A tune that is no longer in the music folder is not in the list, and stays silent. One that
  // cannot play is said in the log rather than in a box: the user did not just ask for it, and a
  // missing audio device has its own box already.
  music_.SetTuneDropped([this] { AddLog(mMusic::MidiFailedText()); });
  const std::vector<MusicMenuItem>& tunes = music_.Menu().PlayMusic;
  for (std::size_t i = 1; i < tunes.size(); ++i) {
    if (tunes[i].Tag == fileName) {
      music_.ResumeTune(int(i));
      return;
    }
  }
}

QString frmMain::VersionText() {
  return QStringLiteral("%1.%2+%3")
      .arg(VEXTAL_VERSION_MAJOR)
      .arg(VEXTAL_VERSION_MINOR)
      .arg(VEXTAL_VERSION_PATCH);
}

void frmMain::ShowVersion() {
  lblVersion->setText(FillPlaceholder(tr("Vextal Version [1]"), VersionText()));
}

void frmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::LanguageChange && commands_) {
    Retranslate();
  }
  // The program's font reaches the window from the event loop, after a size was chosen: the menu
  // bar has grown, and so has the window.
  if (event->type() == QEvent::FontChange && front) {
    layout()->activate();
    if (isVisible()) {
      KeepOnScreen();
    }
  }
}

void frmMain::Retranslate() {
  // The board, the log and the status line keep what they show: the log is a record of the run.
  commands_->Retranslate();
  ShowSeats();
  lblCopyright->setText(tr("(c) 2026 Vextal developers"));
  ShowVersion();
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
  pages_.CloseViewer();  // keeps its size for the next run
  if (RunSeconds() > kFarewellAfterSeconds) {
    dialogs_.Message(BoxIcon::Information, tr("Support Vextal"),
                     FarewellText(pages_.HomeAddress()));
  }
  chat_.UnloadChat();
  if (findGames_) {
    findGames_->close();
  }
  discovery_.Withdraw();
  QCoreApplication::quit();
}

void frmMain::closeEvent(QCloseEvent* event) {
  ShutDown();
  event->accept();
}

}  // namespace vextal
