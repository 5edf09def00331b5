#pragma once
// Decoded images of the working folder, read again only when their file
// changed: a rebuild follows every keystroke, and decoding eleven GIFs each
// time costs more than everything else it does.

#include <QHash>
#include <QImage>
#include <QString>
#include <memory>
#include <optional>

#include "report_list.h"

namespace corvela {

class ImageCache {
 public:
  // The image in `path`, or nothing when the file is missing, not a regular
  // file, too large or cannot be decoded. A file rewritten since the last
  // call (other size or modification time) is decoded anew.
  std::optional<QImage> load(const QString& path);
  // The image an object's row shows: the one it holds itself since a save
  // wrote over its file, or else the one of `path`, the file it shows.
  std::optional<QImage> loadObject(const ListRow& row, const QString& path);
  // The files that are there but were refused, with the reason, so that the
  // caller can say why an image is not shown.
  const QHash<QString, QString>& refused() const { return refused_; }
  void clear() {
    entries_.clear();
    refused_.clear();
    pinned_.clear();
  }

 private:
  struct Entry {
    long long size = -1;
    long long modifiedNs = 0;
    QImage image;
  };
  QHash<QString, Entry> entries_;
  QHash<QString, QString> refused_;
  struct Pinned {
    std::shared_ptr<const QByteArray> bytes;  // keeps the key alive
    QImage image;
  };
  QHash<const QByteArray*, Pinned> pinned_;
};

}  // namespace corvela
