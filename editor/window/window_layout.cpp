#include "window_layout.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>

#include "program_settings.h"

namespace corvela {

namespace {

const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kPanelsKey = QStringLiteral("window/panels");
const QString kSplitterKey = QStringLiteral("window/previewSplitter");
// Raised when the panels change so much that an old arrangement would
// mislead; Qt then leaves them as built.
constexpr int kPanelsVersion = 1;

}  // namespace

// Fits a 1366 x 768 screen with its title bar and a task bar; a smaller
// screen (or a large scale factor) gets a window no larger than itself and
// the tabs scroll. The offscreen platform's screen is a stand-in and is not
// a reason to shrink.
QSize initialWindowSize(const QWidget& window) {
  QSize size(1280, 680);
  if (window.screen() && QGuiApplication::platformName() != QLatin1StringView("offscreen")) {
    size = size.boundedTo(window.screen()->availableGeometry().size() - QSize(0, 40));
  }
  return size;
}

void restoreWindowLayout(QMainWindow& window, QSplitter& preview) {
  const QSettings settings = programSettings();
  // Every panel is found by its objectName, whichever feature built it.
  window.restoreGeometry(settings.value(kGeometryKey).toByteArray());
  window.restoreState(settings.value(kPanelsKey).toByteArray(), kPanelsVersion);
  preview.restoreState(settings.value(kSplitterKey).toByteArray());
}

void saveWindowLayout(const QMainWindow& window, const QSplitter& preview) {
  QSettings settings = programSettings();
  settings.setValue(kGeometryKey, window.saveGeometry());
  settings.setValue(kPanelsKey, window.saveState(kPanelsVersion));
  settings.setValue(kSplitterKey, preview.saveState());
}

}  // namespace corvela
