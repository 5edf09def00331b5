#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace corvela {

// What a set of files looked like at one moment: whether each existed, its
// size, modification time and a digest of its bytes. The window compares
// the skin and its archives with what it read before saving over them, so
// that a change another program made meanwhile is not lost unasked. The
// digest catches a copy that kept the size and time (cp -p, rsync -t); it
// tells changes apart, it is no defence against a forger.
class DiskStamp {
 public:
  void record(const QStringList& paths);
  // The first recorded file that is no longer as it was, or nothing.
  std::optional<QString> firstChanged() const;
  // Whether `path` is as it was recorded; a path never recorded counts as
  // unchanged, since nothing is known of it.
  bool unchanged(const QString& path) const;

 private:
  struct File {
    QString path;
    bool exists = false;
    long long size = 0;
    long long modifiedNs = 0;
    QByteArray digest;
    bool operator==(const File&) const = default;
  };
  static File stampOf(const QString& path);
  std::vector<File> files_;
};

}  // namespace corvela
