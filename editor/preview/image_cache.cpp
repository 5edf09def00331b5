#include "image_cache.h"

#include <QFileInfo>

#include "image_decode.h"

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
  QString why;
  std::optional<QImage> image = decodeImageFile(path, &why);
  if (!image) {
    entries_.remove(path);
    refused_.insert(path, why);
    return std::nullopt;
  }
  refused_.remove(path);
  entries_.insert(path, Entry{size, modified, *image});
  return image;
}

}  // namespace corvela
