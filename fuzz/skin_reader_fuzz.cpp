// Any bytes as the text of a skin file, parsed in memory: the parse must
// neither crash nor leave an inconsistent document, and the lines the save
// would write must parse again into the same document and be written back
// unchanged.

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "skin_document.h"
#include "skin_saver.h"
#include "text_number.h"

namespace {

using namespace corvela;

[[noreturn]] void fault(const char* what) {
  std::fprintf(stderr, "skin reader fuzz: %s\n", what);
  std::abort();
}

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
      const long long line = rowLine(row);
      if (line < 1 || line >= doc.P_MaxValues) fault("row pointing outside the line table");
      if (line >= doc.T_Strutt.nodeCount()) fault("row without its tree node");
    }
  }
}

// A document as the load of an operator skin leaves it, minus the files.
LoadOutcome parseAsOperatorSkin(SkinDocument& doc, const QByteArray& bytes) {
  doc.P_sPath = QStringLiteral("/nonexistent");
  doc.P_sTheme = QStringLiteral("vodafone");
  doc.P_sTarget = QStringLiteral("/nonexistent/vodafone_Gifs/");
  return doc.parse(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  SkinDocument doc;
  const LoadOutcome outcome = parseAsOperatorSkin(doc, bytes);
  checkConsistent(doc, outcome);
  if ((outcome.status == LoadStatus::Complete) != (doc.status() == LoadStatus::Complete)) {
    fault("outcome and document disagree");
  }
  if (bytes.contains('\r') != (doc.carriageReturnLine() >= 0)) fault("carriage return missed");
  if (!doc.loadedCompletely()) return 0;

  const std::vector<QString> written = regeneratedLines(doc);
  if (written.size() != static_cast<size_t>(doc.P_MaxValues)) fault("save changes the line count");
  SkinDocument again;
  const LoadOutcome reloaded = parseAsOperatorSkin(again, skinFileBytes(written));
  if (reloaded.status != LoadStatus::Complete) fault("a saved skin does not parse completely");
  checkConsistent(again, reloaded);
  if (again.P_MaxValues != doc.P_MaxValues ||
      again.L_Values.rowCount() != doc.L_Values.rowCount() ||
      again.L_RGBA.rowCount() != doc.L_RGBA.rowCount() ||
      again.L_Dim.rowCount() != doc.L_Dim.rowCount()) {
    fault("a saved skin parses with other lines or rows");
  }
  if (regeneratedLines(again) != written) fault("a second save would change the skin");
  return 0;
}
