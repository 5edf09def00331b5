// The editors through the real window, offscreen, on the demo skin with its
// objects extracted, each step through to the repainted screen: one rebuild
// with its eleven images and twelve rectangles (aim: 2 ms median, 8 ms p99),
// one typed
// digit in a position box (aim: 2 ms median, 8 ms p99), one press of an
// arrow button with all twelve rectangles ticked (30 ms), one drag step at
// 4x zoom (16 ms, one frame at 60 Hz). Each reports its median and p99.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "desktop_surface.h"
#include "dialogs.h"
#include "frm_desktop.h"
#include "object_export.h"
#include "preview_controller.h"
#include "preview_tab.h"

namespace {

using namespace corvela;
using Clock = std::chrono::steady_clock;

// Nobody answers: every box is taken as read.
class Unattended : public Dialogs {
 public:
  Answer message(const QString&, const QString&, Icon, Buttons) override { return Answer::Ok; }
  std::optional<QString> openFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> saveFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QColor> chooseColor(const QColor&) override { return std::nullopt; }
  QString browseFolder(const QString&) override { return {}; }
};

struct DemoWindow {
  QTemporaryDir dir;
  std::unique_ptr<frmDesktop> w;
  bool ok = false;
};

// One window for every benchmark, opened on a copy of the demo skin.
DemoWindow& demoWindow() {
  static DemoWindow* demo = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "corvela_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    auto* d = new DemoWindow;
    const QDir source(QStringLiteral(CORVELA_SOURCE_DIR "/demo"));
    for (const QString& file :
         source.entryList({QStringLiteral("*.ski"), QStringLiteral("*.dat")}, QDir::Files)) {
      QFile::copy(source.filePath(file), QDir(d->dir.path()).filePath(file));
    }
    d->w = std::make_unique<frmDesktop>(std::make_unique<Unattended>());
    d->w->setAskBeforeClosing(false);
    d->w->show();
    d->w->openSkinFile(QDir(d->dir.path()).filePath(QStringLiteral("vodafone.ski")));
    d->ok = d->w->doc.L_Dim.rowCount() > 0 && exportAllObjects(d->w->doc).ok();
    d->w->UpdateDesktop();
    return d;
  }();
  return *demo;
}

// Runs `step` once per iteration and reports the median and the 99th
// percentile of the steps in milliseconds, and the rebuilds a step cost.
template <typename Step>
void measure(benchmark::State& state, const frmDesktop& w, Step step) {
  const int rebuildsBefore = w.preview->rebuildCount();
  std::vector<double> ms;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    step();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  if (ms.empty()) return;
  state.counters["rebuilds"] = static_cast<double>(w.preview->rebuildCount() - rebuildsBefore) /
                               static_cast<double>(ms.size());
  state.counters["median_ms"] = ms[ms.size() / 2];
  state.counters["p99_ms"] = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
}

void BM_RebuildAndRepaint(benchmark::State& state) {
  DemoWindow& demo = demoWindow();
  if (!demo.ok) return state.SkipWithError("the demo skin did not open");
  frmDesktop& w = *demo.w;
  w.tabPreview->cboZoom->setCurrentIndex(0);
  measure(state, w, [&] {
    w.UpdateDesktop();
    w.tabPreview->PicDesktop->repaint();
  });
}
BENCHMARK(BM_RebuildAndRepaint)->Unit(benchmark::kMillisecond);

void BM_TypeOneDigitIntoAPositionBox(benchmark::State& state) {
  DemoWindow& demo = demoWindow();
  if (!demo.ok) return state.SkipWithError("the demo skin did not open");
  frmDesktop& w = *demo.w;
  w.tabPreview->cboZoom->setCurrentIndex(0);
  QLineEdit* box = w.txt(1);
  box->setFocus();
  bool one = true;
  measure(state, w, [&] {
    box->selectAll();
    QTest::keyClick(box, one ? Qt::Key_1 : Qt::Key_2);
    w.tabPreview->PicDesktop->repaint();
    one = !one;
  });
}
BENCHMARK(BM_TypeOneDigitIntoAPositionBox)->Unit(benchmark::kMillisecond);

void BM_ArrowButtonWithAllTwelveTicked(benchmark::State& state) {
  DemoWindow& demo = demoWindow();
  if (!demo.ok) return state.SkipWithError("the demo skin did not open");
  PreviewTab& tab = *demo.w->tabPreview;
  for (QCheckBox* target : tab.optPos) target->setChecked(true);
  bool right = true;
  measure(state, *demo.w, [&] {
    // Back and forth, so the rectangles stay on the screen.
    (right ? tab.cmdMoveRight : tab.cmdMoveLeft)->click();
    tab.PicDesktop->repaint();
    right = !right;
  });
  for (QCheckBox* target : tab.optPos) target->setChecked(false);
}
BENCHMARK(BM_ArrowButtonWithAllTwelveTicked)->Unit(benchmark::kMillisecond);

void BM_DragStepAtZoom4(benchmark::State& state) {
  DemoWindow& demo = demoWindow();
  if (!demo.ok) return state.SkipWithError("the demo skin did not open");
  PreviewTab& tab = *demo.w->tabPreview;
  tab.cboZoom->setCurrentIndex(3);
  DesktopSurface* screen = tab.PicDesktop;
  const auto at = [](int x, int y) { return QPoint(x * 4 + 2, y * 4 + 2); };
  // Inside the operator text's box, which no smaller one overlaps.
  QTest::mousePress(screen, Qt::LeftButton, {}, at(20, 24));
  bool away = true;
  measure(state, *demo.w, [&] {
    QTest::mouseMove(screen, away ? at(21, 25) : at(20, 24));
    screen->repaint();
    away = !away;
  });
  QTest::mouseRelease(screen, Qt::LeftButton, {}, at(20, 24));
  tab.cboZoom->setCurrentIndex(0);
}
BENCHMARK(BM_DragStepAtZoom4)->Unit(benchmark::kMillisecond);

}  // namespace
