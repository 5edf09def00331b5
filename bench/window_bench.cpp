// Speed of what the window does on every keystroke: the rebuild of the
// phone screen with its repaint, on the demo skin with every object
// extracted. Prints the median and the 99th percentile of many runs, the
// figures the targets are stated in.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "desktop_surface.h"
#include "frm_desktop.h"
#include "object_export.h"
#include "preview_tab.h"

namespace {

struct Figures {
  double median = 0;
  double p99 = 0;
};

Figures measure(int runs, const std::function<void()>& step) {
  std::vector<double> ms;
  ms.reserve(static_cast<size_t>(runs));
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    step();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 99 / 100)]};
}

void report(const char* what, const Figures& f, const char* aim) {
  std::printf("%s: median %.3f ms, p99 %.3f ms (aim: %s)\n", what, f.median, f.p99, aim);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QDir demo(QStringLiteral(CORVELA_SOURCE_DIR "/demo"));
  for (const QString& name : demo.entryList(QDir::Files))
    QFile::copy(demo.filePath(name), QDir(dir.path()).filePath(name));
  const QString skin = QDir(dir.path()).filePath(QStringLiteral("vodafone.ski"));

  corvela::frmDesktop w;
  w.setAskBeforeClosing(false);
  w.show();
  w.openSkinFile(skin);
  corvela::exportAllObjects(w.doc);
  w.UpdateDesktop();
  corvela::DesktopSurface* screen = w.tabPreview->PicDesktop;

  for (int zoom : {1, 4}) {
    w.tabPreview->cboZoom->setCurrentIndex(zoom - 1);
    const Figures f = measure(2000, [&] {
      w.UpdateDesktop();
      screen->repaint();
    });
    report(zoom == 1 ? "rebuild and repaint at 1x" : "rebuild and repaint at 4x", f,
           "median 2 ms, p99 8 ms");
  }
  return 0;
}
