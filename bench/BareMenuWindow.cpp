// The baseline of the process start-up benchmark (startup_process.sh): the least a Qt Widgets
// program with a menu bar shows, a main window with one menu and a label, nothing else.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("E&xit"), &app, &QApplication::quit);
  window.setCentralWidget(new QLabel(QStringLiteral("A bare window")));
  window.show();
  return app.exec();
}
