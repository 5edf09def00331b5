// One press of an arrow button with all twelve rectangles ticked, the
// operation alone: the window adds a rebuild after each rectangle, and the
// whole press should stay within 30 ms. And what the undo history costs:
// 1,000 steps on a skin of the largest size, 100 of them image replacements
// whose steps keep the images' bytes, should take at most 20 MB.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>

#include "object_replace.h"
#include "position_edits.h"
#include "skin_document.h"

namespace {

using namespace corvela;

void BM_MoveTwelveRectangles(benchmark::State& state) {
  QTemporaryDir dir;
  QByteArray text = "SKI1\n0 12 7\n";
  for (const standby::PositionRecord& p : standby::kPositions) {
    text +=
        "1 " + QByteArray(p.code.data(), static_cast<qsizetype>(p.code.size())) + " 10 20 100 35\n";
  }
  QFile skin(dir.filePath(QStringLiteral("vodafone.ski")));
  if (!skin.open(QIODevice::WriteOnly) || skin.write(text) != text.size()) {
    state.SkipWithError("cannot write the skin");
    return;
  }
  skin.close();
  SkinDocument doc;
  if (doc.load(skin.fileName()).status != LoadStatus::Complete) {
    state.SkipWithError("cannot load the skin");
    return;
  }
  MoveTargets all;
  all.fill(true);
  // The rule on its own, outside any step.
  const SkinDocument::DiskWrite byHand(doc);
  ReportList& rects = doc.records().rects;
  bool right = true;
  for (auto _ : state) {
    // Back and forth, so the corners stay small however long it runs.
    benchmark::DoNotOptimize(
        moveRectangles(rects, all, right ? MoveDirection::Right : MoveDirection::Left, u"2"));
    right = !right;
  }
}
BENCHMARK(BM_MoveTwelveRectangles)->Unit(benchmark::kMicrosecond);

// Resident memory in MB, as the kernel counts it.
double residentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

void BM_ThousandUndoSteps(benchmark::State& state) {
  QTemporaryDir dir;
  QByteArray text = "SKI1\n0 12 7\n";
  for (const standby::PositionRecord& p : standby::kPositions) {
    text +=
        "1 " + QByteArray(p.code.data(), static_cast<qsizetype>(p.code.size())) + " 10 20 100 35\n";
  }
  for (int n = 1; text.count('\n') < 1501; ++n) text += "5 " + QByteArray::number(n) + " 0 10 3\n";
  QFile skin(dir.filePath(QStringLiteral("vodafone.ski")));
  if (!skin.open(QIODevice::WriteOnly) || skin.write(text) != text.size()) {
    state.SkipWithError("cannot write the skin");
    return;
  }
  skin.close();
  const QDir defaults(QStringLiteral(CORVELA_SOURCE_DIR "/default"));
  const QStringList gifs = defaults.entryList({QStringLiteral("*.gif")}, QDir::Files);
  for (auto _ : state) {
    SkinDocument doc;
    if (doc.load(skin.fileName()).status != LoadStatus::Complete) {
      state.SkipWithError("cannot load the skin");
      return;
    }
    const double before = residentMegabytes();
    MoveTargets all;
    all.fill(true);
    int images = 0;
    // Typed positions, with a press of the arrows ticking all twelve every
    // tenth step and an image from the default set every tenth other: each
    // a step of its own, none merged.
    for (int step = 0; step < 1000; ++step) {
      if (step % 10 == 4 && !gifs.isEmpty()) {
        const QString gif = defaults.filePath(gifs[images % gifs.size()]);
        const int row = doc.L_Values.rowCount() - 1 - images;
        doc.perform(QStringLiteral("immagine"), [&] { importObject(doc, row, gif, false); });
        ++images;
        continue;
      }
      if (step % 10 == 9) {
        doc.perform(QStringLiteral("spostamento"), [&] {
          moveRectangles(doc.records().rects, all,
                         step % 20 == 9 ? MoveDirection::Right : MoveDirection::Left, u"2");
        });
        continue;
      }
      const int row = step % doc.L_Dim.rowCount();
      const QString value = QString::number(step);
      doc.perform(QStringLiteral("posizione"), [&] {
        setPosition(doc.records().rects, row, {value, value, value, value});
      });
    }
    state.counters["steps"] = doc.history().count();
    state.counters["image_steps"] = images;
    state.counters["extra_MB"] = residentMegabytes() - before;
  }
}
BENCHMARK(BM_ThousandUndoSteps)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
