#include "pinned_images.h"

#include <QHash>
#include <QSet>
#include <map>
#include <tuple>
#include <utility>

#include "document_edits.h"
#include "document_names.h"
#include "object_archive.h"
#include "object_row.h"
#include "safe_read.h"
#include "skin_document.h"
#include "skin_line.h"
#include "text_number.h"
#include "working_mirror.h"

namespace corvela {

void pinOverwrittenImages(SkinDocument& doc, const WorkingPlan& plan, bool archiveRewritten) {
  if (doc.history().count() == 0) return;
  QSet<QString> overwritten;
  for (const WorkingRefresh& w : plan.refresh) overwritten.insert(w.gif);
  if (overwritten.isEmpty() && !archiveRewritten) return;

  // Many kept rows name one file or place: each is read once and shared.
  QHash<QString, std::shared_ptr<const QByteArray>> files;
  std::map<std::tuple<long long, long long, long long>, std::shared_ptr<const QByteArray>> places;
  ArchiveReader archives(doc.P_sPath, doc.P_sTheme);
  auto fileBytes = [&](const QString& gif) -> std::shared_ptr<const QByteArray> {
    if (auto it = files.constFind(gif); it != files.cend()) return *it;
    std::shared_ptr<const QByteArray> bytes;
    if (std::optional<QByteArray> read = readRegularFile(gif, nullptr))
      bytes = std::make_shared<const QByteArray>(std::move(*read));
    files.insert(gif, bytes);
    return bytes;
  };
  auto archivedBytes = [&](const ArchivePlace& place) -> std::shared_ptr<const QByteArray> {
    const auto key = std::make_tuple(place.archive, place.offset, place.size);
    if (auto it = places.find(key); it != places.end()) return it->second;
    std::shared_ptr<const QByteArray> bytes;
    const ArchiveReader::Object o = archives.cut(place);
    if (o.status == ArchiveReader::Status::Ok && !o.bytes.isEmpty())
      bytes = std::make_shared<const QByteArray>(o.bytes);
    places.emplace(key, bytes);
    return bytes;
  };

  doc.history().forEachKeptRow(doc.L_Values, [&](ListRow& row) {
    if (row.pinned) return;
    const QString gif = ownFile(row);
    if (!gif.isEmpty()) {
      if (overwritten.contains(gif)) row.pinned = fileBytes(gif);
      return;
    }
    // Without a file the row is taken from its archive place: gone when
    // this save writes the packed archive anew. And a row never extracted
    // would find the file this save leaves in the working folder, and take
    // it for the user's change.
    const std::optional<ArchivePlace> place = archivePlace(row);
    if (!place) return;
    const bool placeRewritten =
        archiveRewritten && row.state == ObjectState::ToReplace && place->archive == kPackedArchive;
    if (placeRewritten || overwritten.contains(objectGifPath(doc.P_sTarget, rowId(row))))
      row.pinned = archivedBytes(*place);
  });
}

void releaseSavedPins(SkinDocument& doc) {
  const SkinDocument::DiskWrite disk(doc);
  ReportList& list = doc.records().objects;
  const std::vector<bool> owners = workingFileOwners(list);
  for (int r = 0; r < list.rowCount(); ++r) {
    const ListRow& row = list.row(r);
    if (!row.pinned || !owners[static_cast<size_t>(r)]) continue;
    const QString gif = objectGifPath(doc.P_sTarget, rowId(row));
    const QString shown = shownFile(doc, r);
    const bool extracted = shown == gif;
    if (!extracted && !shown.isEmpty()) continue;
    if (!holdsExactly(gif, *row.pinned)) continue;
    // A row never extracted now finds its image there, as a new open would.
    if (!extracted) {
      list.setState(r, ObjectState::Found);
      doc.objectFacts().setFile(r, ObjectState::Found, gif);
    }
    list.setPinned(r, nullptr);
  }
}

}  // namespace corvela
