// Load of a full-size skin, export and save of 300 objects, and file copies
// of the same bytes as the yardstick: export and save should stay within
// twice the copy, the load within 2 ms. The figures are printed at the end.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <sys/resource.h>

#include "object_export.h"
#include "skin_document.h"
#include "skin_problems.h"
#include "skin_saver.h"

namespace {

using namespace corvela;
namespace fs = std::filesystem;

constexpr int kLines = 1501;
constexpr int kObjects = 300;

// A one-pixel GIF padded to `size` bytes (at least 40) with a comment: the
// save packs only images that decode.
QByteArray objectBytes(int id, int size) {
  const char shade = static_cast<char>('A' + id % 26);
  QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
  gif += shade;
  gif += QByteArray(5, '\0');
  gif += QByteArray("\x21\xFE", 2);
  int payload = size - 35 - 3;  // the comment's introducer, label and terminator
  while (payload > 0) {
    int len = std::min(255, payload - 1);
    if (payload - (len + 1) == 1) --len;  // never leave a lone byte behind
    gif += static_cast<char>(len);
    gif += QByteArray(len, shade);
    payload -= len + 1;
  }
  gif += '\0';
  return gif + QByteArray("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B", 16);
}

// Sizes between 400 bytes and 8 KiB, like soft keys, icons and clock faces.
int objectSize(int i) {
  return 400 + (i * 2654435761u) % 7800;
}

struct SkinOnDisk {
  QString folder;
  QString skin;
  std::vector<QString> gifs;  // extracted objects in the working folder
  qint64 objectBytes = 0;
};

// A skin of the largest size a phone takes: 1501 lines, groups of 50, 300
// objects, 150 colours, 150 rectangles, the rest settings and kept lines.
// `packed` puts every object in archive 14 with its GIF already extracted,
// so the save packs all of them; otherwise they spread over archives 1-3.
SkinOnDisk writeSkin(const QString& folder, bool packed) {
  SkinOnDisk s;
  s.folder = folder;
  s.skin = folder + QStringLiteral("/vodafone.ski");
  QDir().mkpath(folder + QStringLiteral("/vodafone_Gifs"));
  std::map<int, QByteArray> archives;
  QByteArray text = "SKI1\n";
  int objects = 0, colours = 0, rects = 0;
  for (int k = 1; k < kLines; ++k) {
    QString line;
    if (k % 50 == 1) {
      line = k == 1 ? QStringLiteral("0 41 98") : QStringLiteral("0 %1 7").arg(k);
    } else if (k % 5 == 2 && objects < kObjects) {
      const int id = 600 + objects;
      const int archive = packed ? 14 : 1 + objects % 3;
      const QByteArray bytes = objectBytes(id, objectSize(objects));
      line = QStringLiteral("5 %1 %2 %3 %4")
                 .arg(id)
                 .arg(archives[archive].size())
                 .arg(bytes.size())
                 .arg(archive);
      archives[archive] += bytes;
      const QString gif = QStringLiteral("%1/vodafone_Gifs/%2.gif").arg(folder).arg(id);
      QFile f(gif);
      if (f.open(QIODevice::WriteOnly)) f.write(bytes);
      s.gifs.push_back(gif);
      s.objectBytes += bytes.size();
      ++objects;
    } else if (k % 5 == 3 && colours < 150) {
      line = QStringLiteral("4 %1 %2 %3 %4 0")
                 .arg(500 + colours)
                 .arg(k % 256)
                 .arg(colours)
                 .arg(255 - colours);
      ++colours;
    } else if (k % 5 == 4 && rects < 150) {
      line = QStringLiteral("1 %1 %2 %3 %4 %5")
                 .arg(500 + rects)
                 .arg(rects % 100)
                 .arg(rects)
                 .arg(175 - rects % 100)
                 .arg(219 - rects);
      ++rects;
    } else {
      line = QStringLiteral("%1 %2 %3").arg(k % 2 ? 2 : 3).arg(k % 40).arg(k);
    }
    text += line.toLatin1() + '\n';
  }
  QFile f(s.skin);
  if (f.open(QIODevice::WriteOnly)) f.write(text);
  for (const auto& [number, bytes] : archives) {
    QFile a(QStringLiteral("%1/vodafone%2.dat").arg(folder).arg(number));
    if (a.open(QIODevice::WriteOnly)) a.write(bytes);
  }
  return s;
}

struct Fixtures {
  QTemporaryDir dir;
  SkinOnDisk spread;
  SkinOnDisk packed;
  QString copyFolder;
  QString allBytes;  // one file as long as the 300 objects together

  Fixtures() {
    spread = writeSkin(dir.path() + QStringLiteral("/spread"), false);
    packed = writeSkin(dir.path() + QStringLiteral("/packed"), true);
    copyFolder = dir.path() + QStringLiteral("/copies");
    QDir().mkpath(copyFolder);
    allBytes = dir.path() + QStringLiteral("/all.bin");
    QFile f(allBytes);
    if (f.open(QIODevice::WriteOnly)) f.write(QByteArray(spread.objectBytes, 'x'));
  }
};

Fixtures& fixtures() {
  static Fixtures f;
  return f;
}

void BM_LoadFullSkin(benchmark::State& state) {
  SkinDocument doc;
  for (auto _ : state) {
    const LoadOutcome o = doc.load(fixtures().spread.skin);
    if (o.status != LoadStatus::Complete || doc.P_MaxValues != kLines) {
      state.SkipWithError("the skin did not load completely");
      break;
    }
    benchmark::DoNotOptimize(doc.L_Values.rowCount());
  }
  state.counters["objects"] = doc.L_Values.rowCount();
}
BENCHMARK(BM_LoadFullSkin)->Unit(benchmark::kMicrosecond);

// The reading of the same skin's text alone, from bytes already in memory:
// the lines, the three lists and the tree, without the files around them
// (lock, working folder, the check of its images, the digests).
void BM_ParseFullSkin(benchmark::State& state) {
  QFile file(fixtures().spread.skin);
  if (!file.open(QIODevice::ReadOnly)) {
    state.SkipWithError("cannot read the skin");
    return;
  }
  const QByteArray bytes = file.readAll();
  SkinDocument doc;
  doc.P_sPath = fixtures().spread.folder;
  doc.P_sTheme = QStringLiteral("vodafone");
  doc.P_sTarget = fixtures().spread.folder + QStringLiteral("/vodafone_Gifs/");
  for (auto _ : state) {
    const LoadOutcome o = doc.parse(bytes);
    if (o.status != LoadStatus::Complete || doc.P_MaxValues != kLines) {
      state.SkipWithError("the skin did not parse completely");
      break;
    }
    benchmark::DoNotOptimize(doc.L_Values.rowCount());
  }
}
BENCHMARK(BM_ParseFullSkin)->Unit(benchmark::kMicrosecond);

double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// The "Problemi" panel's checks on the largest skin, against the shipped
// default set. `cached`: the same checker again, as after every step once
// the skin is open; otherwise a new one, as when the skin opens. The peak
// memory the process gained in the first check is counter rss_gain_mb.
void BM_ProblemsOfFullSkin(benchmark::State& state) {
  const bool cached = state.range(0) != 0;
  SkinDocument doc;
  doc.load(fixtures().spread.skin);
  const QString defaults = QStringLiteral(CORVELA_SOURCE_DIR "/default");
  const double before = peakMegabytes();
  SkinChecker kept(defaults);
  size_t found = kept.check(doc, LoadStatus::Complete).size();
  const double gain = peakMegabytes() - before;
  for (auto _ : state) {
    if (cached) {
      found = kept.check(doc, LoadStatus::Complete).size();
    } else {
      SkinChecker fresh(defaults);
      found = fresh.check(doc, LoadStatus::Complete).size();
    }
    benchmark::DoNotOptimize(found);
  }
  state.counters["problems"] = static_cast<double>(found);
  state.counters["rss_gain_mb"] = gain;
}
BENCHMARK(BM_ProblemsOfFullSkin)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Empties a folder between iterations, outside the timing, so that every
// export or copy writes new files rather than finding them in place.
void emptyFolder(benchmark::State& state, const QString& folder) {
  state.PauseTiming();
  QDir dir(folder);
  for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) dir.remove(name);
  state.ResumeTiming();
}

// Every iteration exports into an empty working folder: the cost a user pays
// on the first "Esporta tutto" of a skin.
void BM_Export300Objects(benchmark::State& state) {
  SkinDocument doc;
  doc.load(fixtures().spread.skin);
  for (auto _ : state) {
    emptyFolder(state, doc.P_sTarget);
    const ExportOutcome o = exportAllObjects(doc);
    if (!o.ok() || o.exported != kObjects) {
      state.SkipWithError("the export failed");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * fixtures().spread.objectBytes);
}
BENCHMARK(BM_Export300Objects)->Unit(benchmark::kMillisecond);

// A second "Esporta tutto": every file already holds exactly its object and
// is left alone, so this measures reading and comparing only.
void BM_Export300AlreadyIdentical(benchmark::State& state) {
  SkinDocument doc;
  doc.load(fixtures().spread.skin);
  exportAllObjects(doc);
  for (auto _ : state) {
    const ExportOutcome o = exportAllObjects(doc);
    if (!o.ok() || o.exported != kObjects) {
      state.SkipWithError("the export failed");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * fixtures().spread.objectBytes);
}
BENCHMARK(BM_Export300AlreadyIdentical)->Unit(benchmark::kMillisecond);

void BM_Save300PackedObjects(benchmark::State& state) {
  SkinDocument doc;
  doc.load(fixtures().packed.skin);
  for (auto _ : state) {
    const SaveOutcome o = SalvaSkin(doc);
    if (o.kind != SaveOutcome::Saved || !o.archiveWritten) {
      state.SkipWithError("the save failed");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * fixtures().packed.objectBytes);
}
BENCHMARK(BM_Save300PackedObjects)->Unit(benchmark::kMillisecond);

// The load once every object was extracted: each working file is weighed,
// and read beside its archive bytes, to find the ones changed outside.
void BM_LoadExtractedSkin(benchmark::State& state) {
  SkinDocument doc;
  doc.load(fixtures().spread.skin);
  if (!exportAllObjects(doc).ok()) state.SkipWithError("the export failed");
  for (auto _ : state) {
    const LoadOutcome o = doc.load(fixtures().spread.skin);
    if (o.status != LoadStatus::Complete || o.outside.marked != 0) {
      state.SkipWithError("the extracted skin did not load unchanged");
      break;
    }
  }
  state.counters["objects"] = doc.L_Values.rowCount();
}
BENCHMARK(BM_LoadExtractedSkin)->Unit(benchmark::kMicrosecond);

// A working GIF that claims 2048 x 2048 pixels in 3.9 KB, unlike its object:
// every one reads as changed outside, and decoding one costs far more than
// reading it.
QByteArray largeClaim(int id) {
  QByteArray gif("GIF89a\x00\x08\x00\x08\x80\x00\x00", 13);
  gif += QByteArray("\x00\x00\x00\xFF\xFF\xFF", 6);
  gif += QByteArray("\x2C\x00\x00\x00\x00\x00\x08\x00\x08\x00\x02", 11);
  for (int block = 0; block < 15; ++block) {
    gif += static_cast<char>(255);
    for (int i = 0; i < 255; ++i) gif += static_cast<char>((id * 31 + block * 7 + i) & 0xFF);
  }
  return gif + QByteArray("\x00\x3B", 2);
}

// The largest skin a phone takes, all objects: 1,500 of them, each with a
// working GIF changed outside.
struct ChangedSkin {
  QTemporaryDir dir;
  QString skin;
  ChangedSkin() {
    const QString folder = dir.path();
    skin = folder + QStringLiteral("/vodafone.ski");
    QDir().mkpath(folder + QStringLiteral("/vodafone_Gifs"));
    QByteArray text = "SKI1\n";
    QByteArray archive;
    for (int k = 1; k < kLines; ++k) {
      const int id = 1000 + k;
      const QByteArray bytes = objectBytes(id, 400 + k % 300);
      text +=
          QStringLiteral("5 %1 %2 %3 1\n").arg(id).arg(archive.size()).arg(bytes.size()).toLatin1();
      archive += bytes;
      QFile gif(QStringLiteral("%1/vodafone_Gifs/%2.gif").arg(folder).arg(id));
      if (gif.open(QIODevice::WriteOnly)) gif.write(largeClaim(id));
    }
    QFile f(skin);
    if (f.open(QIODevice::WriteOnly)) f.write(text);
    QFile a(folder + QStringLiteral("/vodafone1.dat"));
    if (a.open(QIODevice::WriteOnly)) a.write(archive);
  }
};

// The load must tell every changed file without decoding any: within 0.5 s.
void BM_Load1500ChangedGifs(benchmark::State& state) {
  static ChangedSkin skin;
  SkinDocument doc;
  for (auto _ : state) {
    const LoadOutcome o = doc.load(skin.skin);
    if (o.status != LoadStatus::Complete || o.outside.marked != kLines - 1) {
      state.SkipWithError("the changed GIFs were not all told at the load");
      break;
    }
  }
  state.counters["objects"] = doc.L_Values.rowCount();
}
BENCHMARK(BM_Load1500ChangedGifs)->Unit(benchmark::kMillisecond);

// The yardstick of the export and the save: the same 300 files copied one
// by one (as many files opened and written as the export makes).
void BM_Copy300Files(benchmark::State& state) {
  const auto& gifs = fixtures().spread.gifs;
  std::vector<fs::path> targets;
  for (size_t i = 0; i < gifs.size(); ++i) {
    targets.push_back(fs::path(fixtures().copyFolder.toStdString()) / (std::to_string(i) + ".gif"));
  }
  for (auto _ : state) {
    emptyFolder(state, fixtures().copyFolder);
    for (size_t i = 0; i < gifs.size(); ++i) {
      fs::copy_file(gifs[i].toStdString(), targets[i], fs::copy_options::overwrite_existing);
    }
  }
  state.SetBytesProcessed(state.iterations() * fixtures().spread.objectBytes);
}
BENCHMARK(BM_Copy300Files)->Unit(benchmark::kMillisecond);

// The same number of bytes in one file copy.
void BM_CopyOneFileOfTheSameBytes(benchmark::State& state) {
  const fs::path from = fixtures().allBytes.toStdString();
  const fs::path to = fs::path(fixtures().copyFolder.toStdString()) / "all.bin";
  for (auto _ : state) fs::copy_file(from, to, fs::copy_options::overwrite_existing);
  state.SetBytesProcessed(state.iterations() * fixtures().spread.objectBytes);
}
BENCHMARK(BM_CopyOneFileOfTheSameBytes)->Unit(benchmark::kMillisecond);

// Prints the ratios the targets are stated in once every run is in.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type == Run::RT_Iteration && r.iterations > 0 && !r.error_occurred) {
        seconds_[r.run_name.function_name] =
            r.real_accumulated_time / static_cast<double>(r.iterations);
        const auto peak = r.counters.find("peak_rss_mb");
        if (peak != r.counters.end()) peakMb_[r.run_name.function_name] = peak->second.value;
        const auto median = r.counters.find("median_ms");
        const auto p99 = r.counters.find("p99_ms");
        if (median != r.counters.end() && p99 != r.counters.end()) {
          spread_[r.run_name.function_name] = {median->second.value, p99->second.value};
        }
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    auto has = [&](const char* n) { return seconds_.count(n) != 0; };
    if (has("BM_ParseFullSkin")) {
      std::printf("parse of a %d-line skin in memory: %.3f ms (aim: within 0.5 ms)\n", kLines,
                  seconds_["BM_ParseFullSkin"] * 1000.0);
    }
    if (has("BM_LoadFullSkin")) {
      std::printf("load of a %d-line skin: %.3f ms (aim: within 2 ms)\n", kLines,
                  seconds_["BM_LoadFullSkin"] * 1e3);
    }
    if (has("BM_LoadExtractedSkin")) {
      std::printf("load of the same skin extracted: %.3f ms\n",
                  seconds_["BM_LoadExtractedSkin"] * 1e3);
    }
    if (has("BM_Load1500ChangedGifs")) {
      std::printf(
          "load of %d objects, each working GIF changed and claiming 2048x2048: %.1f ms "
          "(aim: within 500 ms)\n",
          kLines - 1, seconds_["BM_Load1500ChangedGifs"] * 1e3);
    }
    if (has("BM_MoveTwelveRectangles")) {
      std::printf("move of the twelve rectangles: %.3f ms (aim: within 30 ms with the rebuilds)\n",
                  seconds_["BM_MoveTwelveRectangles"] * 1e3);
    }
    for (const auto& [name, peak] : peakMb_) {
      std::printf("%s: %.0f ms a run, peak resident memory %.1f MB (aim: within 200 MB)\n",
                  name.c_str(), seconds_[name] * 1e3, peak);
    }
    for (const auto& [name, figures] : spread_) {
      std::printf("%s: median %.3f ms, p99 %.3f ms\n", name.c_str(), figures.first, figures.second);
    }
    for (const char* op :
         {"BM_Export300Objects", "BM_Export300AlreadyIdentical", "BM_Save300PackedObjects"}) {
      for (const char* base : {"BM_Copy300Files", "BM_CopyOneFileOfTheSameBytes"}) {
        if (has(op) && has(base)) {
          std::printf("%s / %s = %.2f (aim: within 2)\n", op, base, seconds_[op] / seconds_[base]);
        }
      }
    }
  }

 private:
  std::map<std::string, double> seconds_;
  std::map<std::string, std::pair<double, double>> spread_;  // median and p99 in ms
  std::map<std::string, double> peakMb_;  // peak resident memory of a child process
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  fixtures();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
