#include "image_cache.h"

#include "document_names.h"
#include "image_decode.h"
#include "safe_read.h"

namespace corvela {

std::optional<QImage> ImageCache::load(const QString& path, const char* format,
                                       QHash<QString, Entry>& entries) {
  const PathStat st = pathStat(path);
  if (!st.regular) return std::nullopt;
  auto found = entries.find(path);
  if (found != entries.end() && found->size == st.size && found->modifiedNs == st.modifiedNs) {
    return found->image;
  }
  QString why;
  std::optional<QImage> image = decodeImageFile(path, &why, format);
  if (!image) {
    entries.remove(path);
    refused_.insert(path, why);
    return std::nullopt;
  }
  refused_.remove(path);
  entries.insert(path, Entry{st.size, st.modifiedNs, *image});
  return image;
}

std::optional<QImage> ImageCache::loadArchived(const QString& skinFolder, const QString& theme,
                                               const ArchivePlace& place) {
  const QString archive = archivePath(skinFolder, theme, place.archive);
  const PathStat st = pathStat(archive);
  if (!st.regular) return std::nullopt;
  const QString key = QStringLiteral("%1\n%2\n%3").arg(archive).arg(place.offset).arg(place.size);
  auto found = archived_.find(key);
  if (found != archived_.end() && found->size == st.size && found->modifiedNs == st.modifiedNs) {
    return found->image;
  }
  ArchiveReader archives(skinFolder, theme);
  const ArchiveReader::Object object = archives.cut(place);
  std::optional<QImage> image;
  if (object.status == ArchiveReader::Status::Ok) image = decodeImage(object.bytes);
  if (!image) {
    archived_.remove(key);
    return std::nullopt;
  }
  archived_.insert(key, Entry{st.size, st.modifiedNs, *image});
  return image;
}

std::optional<QImage> ImageCache::loadObject(const ListRow& row, const QString& path) {
  if (row.pinned) {
    if (auto found = pinned_.constFind(row.pinned.get()); found != pinned_.cend())
      return found->image;
    std::optional<QImage> image = decodeImage(*row.pinned);
    if (image) pinned_.insert(row.pinned.get(), Pinned{row.pinned, *image});
    return image;
  }
  if (path.isEmpty()) return std::nullopt;
  return load(path, "gif", objects_);
}

}  // namespace corvela
