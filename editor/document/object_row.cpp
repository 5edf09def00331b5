#include "object_row.h"

#include "document_names.h"
#include "skin_document.h"
#include "skin_line.h"
#include "text_number.h"

namespace corvela {

std::optional<ArchivePlace> archivePlace(const ListRow& row) {
  const ObjectRecord& o = row.object();
  if (!o.archive || !o.offset) return std::nullopt;
  return ArchivePlace{o.archive->value(), o.offset->value(), o.size.value()};
}

std::optional<long long> archiveNumber(const ListRow& row) {
  const ObjectRecord& o = row.object();
  if (!o.archive) return std::nullopt;
  return o.archive->value();
}

QString ownFile(const ListRow& row) {
  return row.object().file;
}

QString shownFile(const SkinDocument& doc, int row) {
  return doc.objectFacts().shownPath(doc.L_Values, row);
}

ObjectState shownState(const SkinDocument& doc, int row) {
  return doc.objectFacts().shownState(doc.L_Values, row);
}

}  // namespace corvela
