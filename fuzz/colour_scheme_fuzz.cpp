// Any bytes as a colour scheme and as another skin to import colours from:
// a refused source must leave every colour row as it was, and an accepted
// one may write only bytes onto colour lines of the right id.

#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "colour_scheme.h"
#include "document_names.h"
#include "skin_document.h"
#include "skin_line.h"
#include "skin_saver.h"
#include "text_number.h"

namespace {

using namespace corvela;

[[noreturn]] void fault(const char* what) {
  std::fprintf(stderr, "colour scheme fuzz: %s\n", what);
  std::abort();
}

const QByteArray kSkin =
    "SKI1\n0 41 98\n4 1 2 3 0\n4 595 255 255 255 0\n5 630 0 12 14\n1 570 0 0 10 10\n"
    "4 9 255 255 255 7\n4 12 0 0 0 0\n";

void openSkin(SkinDocument& doc) {
  doc.P_sPath = QStringLiteral("/nonexistent");
  doc.P_sTheme = QStringLiteral("vodafone");
  doc.P_sTarget = QStringLiteral("/nonexistent/vodafone_Gifs/");
  if (doc.parse(kSkin).status != LoadStatus::Complete) fault("the base skin does not load");
}

std::vector<ListRow> colourRows(const SkinDocument& doc) {
  std::vector<ListRow> rows;
  for (int r = 0; r < doc.L_RGBA.rowCount(); ++r) rows.push_back(doc.L_RGBA.row(r));
  return rows;
}

bool isByte(const QString& cell) {
  bool ok = false;
  const int v = cell.toInt(&ok);
  return ok && v >= 0 && v <= 255;
}

// Only colour lines change, each into a colour line of its own id, with
// components of a byte.
void checkWritten(const SkinDocument& doc) {
  const std::vector<QString> written = regeneratedLines(doc);
  for (size_t k = 0; k < written.size(); ++k) {
    if (written[k] == doc.lines[k]) continue;
    const std::optional<RecordFields> before = parseRecordLine(doc.lines[k]);
    const std::optional<RecordFields> after = parseRecordLine(written[k]);
    if (!before || !after || before->kind != u'4' || after->kind != u'4') {
      fault("a line that is no colour was overwritten");
    }
    if (after->id != kNoId && numericValue(after->id) != numericValue(before->id)) {
      fault("a colour line took another colour's id");
    }
    for (const QString& v : after->values) {
      if (!isByte(v)) fault("a component outside 0..255");
    }
  }
}

QString scratchFile() {
  static const QString path =
      QStringLiteral("/tmp/corvela-colour-fuzz-%1.txt").arg(static_cast<long long>(::getpid()));
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QFile file(scratchFile());
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    fault("cannot write the scratch file");
  }
  file.close();

  SkinDocument scheme;
  openSkin(scheme);
  const std::vector<ListRow> before = colourRows(scheme);
  // The rules on their own, outside any step.
  const SkinDocument::DiskWrite schemeByHand(scheme);
  const SchemeOutcome loaded = loadColourScheme(scheme, scratchFile());
  if (!loaded.ok && colourRows(scheme) != before) fault("a refused scheme changed rows");
  if (loaded.ok) checkWritten(scheme);

  SkinDocument imported;
  openSkin(imported);
  const SkinDocument::DiskWrite importedByHand(imported);
  const ColourImport import = importColoursFromSkin(imported, scratchFile());
  if (!import.ok && colourRows(imported) != before) fault("a refused import changed rows");
  if (import.ok) checkWritten(imported);
  return 0;
}
