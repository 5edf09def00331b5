#include "object_row.h"

#include "document_names.h"
#include "skin_document.h"
#include "skin_line.h"
#include "text_number.h"

namespace corvela {

std::optional<ArchivePlace> archivePlace(const ListRow& row) {
  const QString archive = row.cells.value(V_NDat).trimmed();
  const QString offset = row.cells.value(V_Offset).trimmed();
  if (archive == kNoId || offset == kNoId) return std::nullopt;
  return ArchivePlace{numericValue(archive), numericValue(offset),
                      numericValue(row.cells.value(V_Byte))};
}

std::optional<long long> archiveNumber(const ListRow& row) {
  const QString archive = row.cells.value(V_NDat).trimmed();
  if (archive == kNoId) return std::nullopt;
  return numericValue(archive);
}

QString ownFile(const ListRow& row) {
  return row.cells.value(V_PathGif).trimmed();
}

QString shownFile(const SkinDocument& doc, int row) {
  return doc.objectFacts().shownPath(doc.L_Values, row).trimmed();
}

ObjectState shownState(const SkinDocument& doc, int row) {
  return doc.objectFacts().shownState(doc.L_Values, row);
}

}  // namespace corvela
