// One press of an arrow button with all twelve rectangles ticked, the
// operation alone: the window adds a rebuild after each rectangle, and the
// whole press should stay within 30 ms.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

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
  bool right = true;
  for (auto _ : state) {
    // Back and forth, so the corners stay small however long it runs.
    benchmark::DoNotOptimize(
        moveRectangles(doc.L_Dim, all, right ? MoveDirection::Right : MoveDirection::Left, u"2"));
    right = !right;
  }
}
BENCHMARK(BM_MoveTwelveRectangles)->Unit(benchmark::kMicrosecond);

}  // namespace
