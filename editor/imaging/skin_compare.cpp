#include "skin_compare.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <map>
#include <optional>
#include <set>

#include "document_names.h"
#include "object_archive.h"
#include "object_row.h"
#include "pinned_images.h"
#include "record_rows.h"
#include "safe_read.h"
#include "skin_document.h"
#include "skin_line.h"
#include "standby_records.h"
#include "text_number.h"

namespace corvela {

namespace {

// The row of each id, the first one winning.
std::map<QString, int> rowsById(const ReportList& list) {
  std::map<QString, int> rows;
  for (int r = 0; r < list.rowCount(); ++r) {
    const QString id = rowId(list.row(r));
    if (id != kNoId) rows.try_emplace(id, r);
  }
  return rows;
}

template <size_t N>
QString numbers(const std::array<long long, N>& values) {
  QStringList out;
  for (const long long v : values) out << QString::number(v);
  return out.join(u',');
}

struct Image {
  std::optional<QByteArray> bytes;
  QString text;      // "79 × 22, 312 byte (vodafone3.dat)"
  QString location;  // where the skin says the bytes are
};

Image imageOf(const SkinDocument& doc, ArchiveReader& archives, int r) {
  const ListRow& row = doc.L_Values.row(r);
  const QString gif = shownFile(doc, r);
  Image image;
  QString from;
  if (const QByteArray* pinned = pinnedImage(row)) {
    image.bytes = *pinned;
    from = QFileInfo(gif).fileName();
    image.location = gif;
  } else if (row.state == ObjectState::ToReplace && !gif.isEmpty() && QFileInfo(gif).isFile()) {
    image.bytes = readRegularFile(gif, nullptr);
    from = QFileInfo(gif).fileName();
    image.location = gif;
  } else if (const std::optional<ArchivePlace> place = archivePlace(row)) {
    from = archiveFileName(doc.P_sTheme, place->archive);
    image.location = numbers(std::array<long long, 3>{place->archive, place->offset, place->size});
    const ArchiveReader::Object object = archives.cut(*place);
    if (object.status == ArchiveReader::Status::Ok) image.bytes = object.bytes;
  } else {
    // Replaced by a file that is gone: no archive holds its image either.
    from = gif.isEmpty() ? QStringLiteral("nessun file") : QFileInfo(gif).fileName();
    image.location = gif;
  }
  if (!image.bytes) {
    image.text = QStringLiteral("non leggibile (%1)").arg(from);
    return image;
  }
  QByteArray copy = *image.bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  const QSize size = QImageReader(&buffer).size();
  image.text = QStringLiteral("%1, %2 byte (%3)")
                   .arg(size.isValid() ? sizeText(size) : QStringLiteral("?"))
                   .arg(image.bytes->size())
                   .arg(from);
  return image;
}

struct Kind {
  QString list;
  ProblemPlace place;
  QString what;
};

}  // namespace

std::vector<RecordDifference> compareSkins(const SkinDocument& before, const SkinDocument& after,
                                           const QString& beforePacked) {
  ArchiveReader oldArchives(before.P_sPath, before.P_sTheme);
  if (!beforePacked.isEmpty()) oldArchives.readFrom(kPackedArchive, beforePacked);
  ArchiveReader newArchives(after.P_sPath, after.P_sTheme);
  const Kind kinds[] = {{kListObjects, ProblemPlace::Objects, QStringLiteral("immagine")},
                        {kListColours, ProblemPlace::Colours, QStringLiteral("colore")},
                        {kListRects, ProblemPlace::Rects, QStringLiteral("posizione")}};
  std::vector<RecordDifference> out;
  for (const Kind& kind : kinds) {
    const ReportList& oldList = before.list(kind.list);
    const ReportList& newList = after.list(kind.list);
    const std::map<QString, int> oldRows = rowsById(oldList);
    const std::map<QString, int> newRows = rowsById(newList);
    auto value = [&](const SkinDocument& doc, ArchiveReader& archives, int r) {
      const ListRow& row = doc.list(kind.list).row(r);
      switch (kind.place) {
        case ProblemPlace::Objects:
          return imageOf(doc, archives, r);
        case ProblemPlace::Colours: {
          const std::array<long long, 3> rgb = componentValues(row);
          return Image{std::nullopt,
                       numbers(std::array{rgb[0], rgb[1], rgb[2], transparencyValue(row)}),
                       {}};
        }
        default:
          return Image{std::nullopt, numbers(cornerValues(row)), {}};
      }
    };
    auto add = [&](const ReportList& list, int listRow, int newRow, const QString& id,
                   const QString& was, const QString& is) {
      out.push_back({kind.place, newRow, id, standby::rowName(list, listRow), kind.what, was, is});
    };
    std::set<QString> seen;
    for (int r = 0; r < newList.rowCount(); ++r) {
      const QString id = rowId(newList.row(r));
      if (id == kNoId || !seen.insert(id).second) continue;
      const Image now = value(after, newArchives, r);
      const auto old = oldRows.find(id);
      if (old == oldRows.end()) {
        add(newList, r, r, id, kAbsent, now.text);
        continue;
      }
      const Image was = value(before, oldArchives, old->second);
      // Images count by their bytes. Where one side cannot be read (a copy
      // beside the skin under another name has no archives of its own), by
      // where the skin says they are, which only a replacement changes.
      bool differs = was.text != now.text;
      if (was.bytes && now.bytes) {
        differs = *was.bytes != *now.bytes;
      } else if (kind.place == ProblemPlace::Objects) {
        differs = was.location != now.location;
      }
      if (differs) add(newList, r, r, id, was.text, now.text);
    }
    for (const auto& [id, r] : oldRows) {
      if (newRows.count(id)) continue;
      add(oldList, r, -1, id, value(before, oldArchives, r).text, kAbsent);
    }
  }
  return out;
}

}  // namespace corvela
