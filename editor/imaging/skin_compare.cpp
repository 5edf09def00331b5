#include "skin_compare.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
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

// What each row is found by in the other skin: its id, the first row of an
// id winning, as the editor finds them. A row without an id by its place
// among the rows without an id of its group, so that a line added or taken
// away elsewhere in the group moves none of them; the background colour by
// being the group's first line, which is how the preview finds it. A line
// feed, which no id holds, sets such a key apart.
std::vector<QString> rowKeys(const SkinDocument& doc, const ReportList& list) {
  std::vector<QString> keys(static_cast<size_t>(list.rowCount()));
  std::map<QString, int> idless;  // per group, the rows without an id so far
  for (int r = 0; r < list.rowCount(); ++r) {
    QString& key = keys[static_cast<size_t>(r)];
    key = rowId(list.row(r));
    if (key != kNoId) continue;
    key.clear();
    const long long line = rowLine(list, r);
    if (line < 0 || line >= doc.T_Strutt.nodeCount()) continue;
    const QString tag = doc.T_Strutt.tag(static_cast<int>(line) + 1);
    const QString group = tag.section(u'_', 0, -2);
    const int place = ++idless[group];
    key = tag == QLatin1StringView(standby::kBackgroundTag)
              ? u'\n' + tag
              : QStringLiteral("\n%1_%2").arg(group).arg(place);
  }
  return keys;
}

std::map<QString, int> rowsByKey(const std::vector<QString>& keys) {
  std::map<QString, int> rows;
  for (size_t r = 0; r < keys.size(); ++r) {
    if (!keys[r].isEmpty()) rows.try_emplace(keys[r], static_cast<int>(r));
  }
  return rows;
}

QString keyName(const ReportList& list, int r, const QString& key) {
  if (!key.startsWith(u'\n')) return standby::rowName(list, r);
  const QString tag = key.mid(1);
  if (tag == QLatin1StringView(standby::kBackgroundTag)) return QStringLiteral("Colore di sfondo");
  return QStringLiteral("Senza id, n° %1 del gruppo \"%2\"")
      .arg(tag.section(u'_', -1), tag.section(u'_', 0, -2));
}

// The length a hand's line gives, as the preview binds it, or nothing.
std::optional<QString> handLength(const SkinDocument& doc, std::string_view prefix) {
  const int node = standby::lastNodeStartingWith(doc.T_Strutt, prefix);
  if (node <= 0) return std::nullopt;
  return doc.T_Strutt.node(node).text.mid(static_cast<qsizetype>(prefix.size())).trimmed();
}

template <size_t N>
QString numbers(const std::array<long long, N>& values) {
  QStringList out;
  for (const long long v : values) out << QString::number(v);
  return out.join(u',');
}

struct Image {
  std::optional<QByteArray> bytes;
  QString text;         // "79 × 22, 312 byte (vodafone3.dat)"
  QString location;     // where the skin says the bytes are
  bool broken = false;  // its file or archive is there, but the bytes cannot be read from it
};

// Whether the skin's folder holds any archive it names: a copy beside the
// skin under another name has none, and its images are told apart by
// where they lie; a skin with archives of its own is missing any other.
bool hasOwnArchives(const SkinDocument& doc, ArchiveReader& archives) {
  const std::vector<long long> named = doc.namedArchives();
  return std::any_of(named.begin(), named.end(), [&](long long n) { return archives.exists(n); });
}

Image imageOf(const SkinDocument& doc, ArchiveReader& archives, bool ownArchives, int r) {
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
    image.broken = !image.bytes;
    from = QFileInfo(gif).fileName();
    image.location = gif;
  } else if (const std::optional<ArchivePlace> place = archivePlace(row)) {
    from = archiveFileName(doc.P_sTheme, place->archive);
    image.location = numbers(std::array<long long, 3>{place->archive, place->offset, place->size});
    const ArchiveReader::Object object = archives.cut(*place);
    if (object.status == ArchiveReader::Status::Ok) image.bytes = object.bytes;
    image.broken = object.status == ArchiveReader::Status::Outside ||
                   object.status == ArchiveReader::Status::Failed ||
                   (object.status == ArchiveReader::Status::NoArchive && ownArchives);
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
  const bool oldOwn = hasOwnArchives(before, oldArchives);
  const bool newOwn = hasOwnArchives(after, newArchives);
  const Kind kinds[] = {{kListObjects, ProblemPlace::Objects, QStringLiteral("immagine")},
                        {kListColours, ProblemPlace::Colours, QStringLiteral("colore")},
                        {kListRects, ProblemPlace::Rects, QStringLiteral("posizione")}};
  std::vector<RecordDifference> out;
  for (const Kind& kind : kinds) {
    const ReportList& oldList = before.list(kind.list);
    const ReportList& newList = after.list(kind.list);
    const std::map<QString, int> oldRows = rowsByKey(rowKeys(before, oldList));
    const std::vector<QString> newKeys = rowKeys(after, newList);
    const std::map<QString, int> newRows = rowsByKey(newKeys);
    auto value = [&](const SkinDocument& doc, ArchiveReader& archives, int r) {
      const ListRow& row = doc.list(kind.list).row(r);
      switch (kind.place) {
        case ProblemPlace::Objects:
          return imageOf(doc, archives, &doc == &before ? oldOwn : newOwn, r);
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
    auto add = [&](const ReportList& list, int listRow, int newRow, const QString& key,
                   const QString& was, const QString& is) {
      out.push_back({kind.place, newRow, rowId(list.row(listRow)), keyName(list, listRow, key),
                     kind.what, was, is});
    };
    std::set<QString> seen;
    for (int r = 0; r < newList.rowCount(); ++r) {
      const QString& key = newKeys[static_cast<size_t>(r)];
      if (key.isEmpty() || !seen.insert(key).second) continue;
      const Image now = value(after, newArchives, r);
      const auto old = oldRows.find(key);
      if (old == oldRows.end()) {
        add(newList, r, r, key, kAbsent, now.text);
        continue;
      }
      const Image was = value(before, oldArchives, old->second);
      // Images count by their bytes. Where one side has no archive (a copy
      // beside the skin under another name has none of its own), by where
      // the skin says they are, which only a replacement changes; an image
      // that one side holds and the other's file or archive no longer gives
      // (cut short, unreadable) differs.
      bool differs = was.text != now.text;
      if (was.bytes && now.bytes) {
        differs = *was.bytes != *now.bytes;
      } else if (kind.place == ProblemPlace::Objects) {
        differs = was.location != now.location ||
                  (was.bytes.has_value() != now.bytes.has_value() && (was.broken || now.broken));
      }
      if (differs) add(newList, r, r, key, was.text, now.text);
    }
    for (const auto& [key, r] : oldRows) {
      if (newRows.count(key)) continue;
      add(oldList, r, -1, key, value(before, oldArchives, r).text, kAbsent);
    }
  }
  const std::pair<std::string_view, const char*> hands[] = {
      {standby::kMinuteLengthPrefix, "Lancetta dei minuti"},
      {standby::kHourLengthPrefix, "Lancetta delle ore"}};
  for (const auto& [prefix, name] : hands) {
    const std::optional<QString> was = handLength(before, prefix);
    const std::optional<QString> is = handLength(after, prefix);
    if (was == is) continue;
    out.push_back({ProblemPlace::Tree,
                   is ? standby::lastNodeStartingWith(after.T_Strutt, prefix) : -1, kNoId,
                   QString::fromLatin1(name), QStringLiteral("lunghezza"), was.value_or(kAbsent),
                   is.value_or(kAbsent)});
  }
  return out;
}

}  // namespace corvela
