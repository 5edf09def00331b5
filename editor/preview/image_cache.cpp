#include "image_cache.h"

#include <QFileInfo>
#include <QImageReader>

namespace corvela {

std::optional<QImage> ImageCache::load(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile()) return std::nullopt;
  const qint64 size = info.size();
  const QDateTime modified = info.lastModified();
  auto found = entries_.find(path);
  if (found != entries_.end() && found->size == size && found->modified == modified) {
    return found->image;
  }
  QImageReader reader(path);
  QImage image = reader.read();
  if (image.isNull()) {
    entries_.remove(path);
    return std::nullopt;
  }
  entries_.insert(path, Entry{size, modified, image});
  return image;
}

}  // namespace corvela
