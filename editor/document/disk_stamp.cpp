#include "disk_stamp.h"

#include <QCryptographicHash>

#include "safe_read.h"

namespace corvela {

DiskStamp::File DiskStamp::stampOf(const QString& path) {
  File f;
  f.path = path;
  const PathStat st = pathStat(path);
  if (!st.exists) return f;
  f.exists = true;
  f.size = st.size;
  f.modifiedNs = st.modifiedNs;
  // A file that cannot be read (a FIFO, one beyond a skin's size) keeps an
  // empty digest: it was not read then either.
  if (const std::optional<QByteArray> bytes = readRegularFile(path)) {
    f.digest = QCryptographicHash::hash(*bytes, QCryptographicHash::Md5);
  }
  return f;
}

void DiskStamp::record(const QStringList& paths) {
  files_.clear();
  for (const QString& p : paths) files_.push_back(stampOf(p));
}

std::optional<QString> DiskStamp::firstChanged() const {
  for (const File& f : files_) {
    if (!(stampOf(f.path) == f)) return f.path;
  }
  return std::nullopt;
}

bool DiskStamp::unchanged(const QString& path) const {
  for (const File& f : files_) {
    if (f.path == path) return stampOf(path) == f;
  }
  return true;
}

}  // namespace corvela
