#include <chrono>
#include <cstdint>
#include <random>

#include <QApplication>

#include "game/Clock.h"
#include "game/Random.h"
#include "shell/QtDialogs.h"
#include "shell/ShellSettings.h"
#include "shell/UiLanguage.h"
#include "shell/WindowSize.h"
#include "shell/frmMain.h"

namespace {

// Seeded from the time and the system's entropy source, so that no two runs play alike.
std::uint64_t StartSeed() {
  const auto now = std::chrono::system_clock::now().time_since_epoch().count();
  std::random_device entropy;
  return std::uint64_t(now) ^ (std::uint64_t(entropy()) << 32) ^ std::uint64_t(entropy());
}

}  // namespace

int main(int argc, char** argv) {
  // The window size scales the whole run, so it is read before Qt starts.
  vextal::ApplyWindowSizeBeforeStart(vextal::ShellSettings::ForUser().Size());
  QApplication app(argc, argv);
  QApplication::setOrganizationName(vextal::ShellSettings::kOrganization);
  QApplication::setApplicationName(vextal::ShellSettings::kApplication);

  vextal::ShellSettings settings = vextal::ShellSettings::ForUser();
  // Before the first window: every window takes its texts when it is built.
  const vextal::UiTranslation translation(settings.Language());

  vextal::SteadyClock clock;
  vextal::SeededRandom random(StartSeed());
  vextal::QtDialogs dialogs;
  vextal::frmMain window(clock, random, dialogs, settings);
  dialogs.SetParentWidget(&window);
  window.show();
  // A saved game given on the command line (a double click in a file manager) opens in the
  // record window.
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) {
    window.OpenGameFile(arguments.at(1));
  }
  return app.exec();
}
