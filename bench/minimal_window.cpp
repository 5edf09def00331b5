// The yardstick of the editor's start-up: the least a Qt Widgets program does
// to show a window of the same size with a tool bar, a status bar and a text,
// and save a picture of the frame it painted, as `corvela --screenshot` does.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  QMainWindow window;
  window.addToolBar(QStringLiteral("tools"))->addAction(QStringLiteral("Apri..."));
  window.setCentralWidget(new QLabel(QStringLiteral("Corvela")));
  window.statusBar()->showMessage(QStringLiteral("Aprire un file Skin (*.ski)..."));
  window.resize(1280, 680);
  window.show();
  QCoreApplication::processEvents();
  // The kind of picture follows its name, as the editor's does.
  QPixmap frame = window.screen()->grabWindow(window.winId());
  if (frame.isNull()) frame = window.grab();
  return frame.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
