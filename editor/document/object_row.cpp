#include "object_row.h"

#include <QSet>

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

std::vector<bool> workingFileOwners(const ReportList& objects) {
  std::vector<bool> owners(static_cast<size_t>(objects.rowCount()));
  QSet<QString> seen;
  seen.reserve(objects.rowCount());
  // By the file's name, which is what rows must not share: ids too long for
  // a number name one file too.
  for (int r = 0; r < objects.rowCount(); ++r) {
    const QString gif = objectGifName(rowId(objects.row(r)));
    owners[static_cast<size_t>(r)] = !seen.contains(gif);
    seen.insert(gif);
  }
  return owners;
}

QString shownFile(const SkinDocument& doc, int row) {
  return doc.objectFacts().shownPath(doc.L_Values, row);
}

ObjectState shownState(const SkinDocument& doc, int row) {
  return doc.objectFacts().shownState(doc.L_Values, row);
}

}  // namespace corvela
