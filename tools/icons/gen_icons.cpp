// Renders the program icon into an icon theme folder:
//   vextal_gen_icons <theme folder> <size>...
// writes <theme folder>/<size>x<size>/apps/vextal.png for each size.
#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QString>

#include "shell/Artwork.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <theme folder> <size>...\n", argv[0]);
    return 2;
  }
  // A build step never needs a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  const QString theme = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i < argc; ++i) {
    bool ok = false;
    const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
    if (!ok || size < 1 || size > 1024) {
      std::fprintf(stderr, "not an icon size: %s\n", argv[i]);
      return 2;
    }
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(theme).arg(size);
    const QString file = folder + QStringLiteral("/vextal.png");
    if (!QDir().mkpath(folder) || !vextal::ProgramIconImage(size).save(file, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
