#include "image_cache.h"

#include "document_names.h"
#include "image_decode.h"
#include "safe_read.h"

namespace corvela {

std::optional<QImage> ImageCache::load(const QString& path) {
  const PathStat st = pathStat(path);
  if (!st.regular) return std::nullopt;
  auto found = entries_.find(path);
  if (found != entries_.end() && found->size == st.size && found->modifiedNs == st.modifiedNs) {
    return found->image;
  }
  QString why;
  std::optional<QImage> image = decodeImageFile(path, &why);
  if (!image) {
    entries_.remove(path);
    refused_.insert(path, why);
    return std::nullopt;
  }
  refused_.remove(path);
  entries_.insert(path, Entry{st.size, st.modifiedNs, *image});
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
  return load(path);
}

}  // namespace corvela
