// The main window's construction, start-up and shut-down.
#include "shell/frmMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "game/Rounding.h"
#include "shell/Artwork.h"
#include "shell/ShellPaths.h"
#include "shell/Website.h"

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
    : QMainWindow(parent),
      clock_(clock),
      dialogs_(dialogs),
      game_(*this, dialogs, clock, random),
      music_(dialogs),
      programFolder_(programFolder.isEmpty() ? ProgramFolder() : programFolder) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Vextal"));
  // Fixed size, no maximize box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  BuildControls();
  BuildMenus();
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

  lblVersion->setText(FillPlaceholder(lblVersion->text(), QStringLiteral("%1.%2+%3")
                                                              .arg(VEXTAL_VERSION_MAJOR)
                                                              .arg(VEXTAL_VERSION_MINOR)
                                                              .arg(VEXTAL_VERSION_PATCH)));

  tmrAI->start();
  game_.SetupStage(game_.DrawStartupStage());

  // Open centred on the screen.
  adjustSize();
  if (const QScreen* where = screen()) {
    move(where->availableGeometry().center() - rect().center());
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
