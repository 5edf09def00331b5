#pragma once
// Decoded images of the working folder, read again only when their file
// changed: a rebuild follows every keystroke, and decoding eleven GIFs each
// time costs more than everything else it does.

#include <QHash>
#include <QImage>
#include <QString>
#include <memory>
#include <optional>

#include "object_archive.h"
#include "report_list.h"

namespace corvela {

class ImageCache {
 public:
  // The image in `path`, or nothing when the file is missing, not a regular
  // file, too large or cannot be decoded. A file rewritten since the last
  // call (other size or modification time) is decoded anew.
  std::optional<QImage> load(const QString& path) { return load(path, nullptr, entries_); }
  // The image an object's row shows: the one it holds itself since a save
  // wrote over its file, or else the one of `path`, the file it shows, when
  // that is a GIF: no other kind is ever packed, so none is shown.
  std::optional<QImage> loadObject(const ListRow& row, const QString& path);
  // The object at `place` in its archive of the skin in `skinFolder`, read
  // again only when the archive changed.
  std::optional<QImage> loadArchived(const QString& skinFolder, const QString& theme,
                                     const ArchivePlace& place);
  // The files that are there but were refused, with the reason, so that the
  // caller can say why an image is not shown.
  const QHash<QString, QString>& refused() const { return refused_; }
  void clear() {
    entries_.clear();
    refused_.clear();
    pinned_.clear();
    archived_.clear();
    objects_.clear();
  }

 private:
  struct Entry {
    long long size = -1;
    long long modifiedNs = 0;
    QImage image;
  };
  std::optional<QImage> load(const QString& path, const char* format,
                             QHash<QString, Entry>& entries);
  QHash<QString, Entry> entries_;
  QHash<QString, Entry> objects_;  // object files, read as GIFs only
  QHash<QString, QString> refused_;
  struct Pinned {
    std::shared_ptr<const QByteArray> bytes;  // keeps the key alive
    QImage image;
  };
  QHash<const QByteArray*, Pinned> pinned_;
  QHash<QString, Entry> archived_;  // by archive, offset and size
};

}  // namespace corvela
