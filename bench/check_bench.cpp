// corvela-skin check on a skin of 1,500 objects that all point at one GIF of
// 48 bytes claiming 5790x5790 pixels: each decode of it would cost 134 MB.
// The tool runs as users run it; its time and its peak memory (the largest
// resident size of any child so far, counter peak_rss_mb) are printed at
// the end, against the aim of 200 MB.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int kObjects = 1500;
constexpr int kSide = 5790;

QByteArray claimingGif() {
  QByteArray gif("GIF89a\x00\x00\x00\x00\x80\x00\x00", 13);
  gif += QByteArray("\x00\x00\x00\xFF\xFF\xFF", 6);
  gif += QByteArray("\x21\xFE\x09", 3) + QByteArray(9, 'c') + '\0';  // pads it to 48 bytes
  gif += QByteArray("\x2C\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x02\x44\x01\x00\x3B", 16);
  const char lo = static_cast<char>(kSide & 0xFF);
  const char hi = static_cast<char>(kSide >> 8);
  const qsizetype frame = gif.size() - 16;
  for (qsizetype at : {qsizetype(6), qsizetype(8), frame + 5, frame + 7}) {
    gif[at] = lo;
    gif[at + 1] = hi;
  }
  return gif;
}

struct HugeClaims {
  QTemporaryDir dir;
  QString skin;
  HugeClaims() {
    skin = dir.path() + QStringLiteral("/vodafone.ski");
    const QByteArray gif = claimingGif();
    QByteArray text = "SKI1\n";
    for (int i = 0; i < kObjects; ++i) {
      text += QByteArray("5 ") + QByteArray::number(1000 + i) + " 0 " +
              QByteArray::number(gif.size()) + " 0\n";
    }
    QFile f(skin);
    if (f.open(QIODevice::WriteOnly)) f.write(text);
    QFile a(dir.path() + QStringLiteral("/vodafone.dat"));
    if (a.open(QIODevice::WriteOnly)) a.write(gif);
  }
};

double peakChildMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void BM_Check1500HugeClaims(benchmark::State& state) {
  static HugeClaims skin;
  for (auto _ : state) {
    QProcess p;
    p.start(QStringLiteral(CORVELA_SKIN_EXE), {QStringLiteral("check"), skin.skin});
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit) {
      state.SkipWithError("check did not finish");
      break;
    }
    // Every object is a problem to report, and nothing else went wrong.
    if (p.exitCode() != 1 || p.readAllStandardOutput().count("5790x5790") != kObjects) {
      state.SkipWithError("check did not report every oversized object");
      break;
    }
  }
  state.counters["peak_rss_mb"] = peakChildMegabytes();
}
BENCHMARK(BM_Check1500HugeClaims)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
