// Any bytes as vodafone.ski beside small archives: the load must neither
// crash nor leave an inconsistent document, and whatever the save writes
// must load again completely and be written back unchanged by a second save.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "object_archive.h"
#include "object_export.h"
#include "skin_document.h"
#include "skin_saver.h"
#include "text_number.h"

namespace {

using namespace corvela;

[[noreturn]] void fault(const char* what) {
  std::fprintf(stderr, "skin reader fuzz: %s\n", what);
  std::abort();
}

// A one-pixel GIF: archives hold real objects so offsets can hit them.
QByteArray pixelGif(char shade) {
  QByteArray g("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
  g += shade;
  g += QByteArray(5, '\0');
  g += QByteArray("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B", 16);
  return g;
}

// In memory where the system has it: every save syncs its files to disk,
// which would otherwise cost most of the run.
QString workspaceTemplate() {
  const QFileInfo shm(QStringLiteral("/dev/shm"));
  const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
  return base + QStringLiteral("/corvela-fuzz-XXXXXX");
}

class Workspace {
 public:
  Workspace() : dir_(workspaceTemplate()), skin_(dir_.path() + QStringLiteral("/vodafone.ski")) {
    if (!dir_.isValid()) fault("no temporary folder");
  }
  const QString& skin() const { return skin_; }
  QString file(const char* name) const { return dir_.path() + u'/' + QLatin1String(name); }

  // Every input starts from the same folder: archives as shipped, no
  // working copies, no backup.
  void reset(const uint8_t* data, size_t size) {
    QDir(file("vodafone_Gifs")).removeRecursively();
    QFile::remove(file("vodafone_old.ski"));
    writeWholeFile(file("vodafone.dat"), pixelGif(1) + pixelGif(2));
    writeWholeFile(file("vodafone3.dat"), QByteArray(7, 'x') + pixelGif(3));
    writeWholeFile(file("vodafone14.dat"), pixelGif(4) + pixelGif(5) + pixelGif(6));
    writeWholeFile(skin_,
                   QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  }

 private:
  QTemporaryDir dir_;
  QString skin_;
};

void checkConsistent(const SkinDocument& doc, const LoadOutcome& outcome) {
  if (doc.P_MaxValues < 0 || doc.P_MaxValues > 1501) fault("line count out of range");
  if (outcome.status == LoadStatus::Complete &&
      doc.T_Strutt.nodeCount() != std::max<std::int32_t>(doc.P_MaxValues, 1)) {
    fault("complete load without one node per line");
  }
  const ReportList* lists[] = {&doc.L_Values, &doc.L_RGBA, &doc.L_Dim};
  for (const ReportList* list : lists) {
    for (int r = 0; r < list->rowCount(); ++r) {
      const ListRow& row = list->row(r);
      if (row.cells.size() != list->columnCount()) fault("row with a wrong number of cells");
      const long long line = numericValue(row.cells.back());
      if (line < 1 || line >= doc.P_MaxValues) fault("row pointing outside the line table");
      if (line >= doc.T_Strutt.nodeCount()) fault("row without its tree node");
    }
  }
}

QByteArray readAll(const QString& path) {
  return readWholeFile(path).value_or(QByteArray("<missing>"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Workspace ws;
  ws.reset(data, size);

  SkinDocument doc;
  const LoadOutcome outcome = doc.load(ws.skin());
  checkConsistent(doc, outcome);
  if (!doc.canSave()) return 0;

  // Half the inputs are exported first, so the save packs extracted files;
  // the other half packs straight from the old archive.
  if (size % 2 == 0) exportAllObjects(doc);
  if (SalvaSkin(doc).kind != SaveOutcome::Saved) return 0;

  const QByteArray firstSkin = readAll(ws.skin());
  const QByteArray firstArchive = readAll(ws.file("vodafone14.dat"));
  SkinDocument again;
  const LoadOutcome reloaded = again.load(ws.skin());
  if (reloaded.status != LoadStatus::Complete) fault("a saved skin does not load completely");
  checkConsistent(again, reloaded);
  if (again.P_MaxValues != doc.P_MaxValues ||
      again.L_Values.rowCount() != doc.L_Values.rowCount() ||
      again.L_RGBA.rowCount() != doc.L_RGBA.rowCount() ||
      again.L_Dim.rowCount() != doc.L_Dim.rowCount()) {
    fault("a saved skin reloads with other lines or rows");
  }
  if (SalvaSkin(again).kind != SaveOutcome::Saved) fault("a saved skin cannot be saved again");
  if (readAll(ws.skin()) != firstSkin) fault("a second save changed the skin");
  if (readAll(ws.file("vodafone14.dat")) != firstArchive)
    fault("a second save changed the archive");
  return 0;
}
