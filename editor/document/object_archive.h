#pragma once
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <map>
#include <optional>

#include "safe_read.h"

namespace corvela {

// An archive is the objects' GIF files back to back: no header, no padding.
// Archive NN of a theme is "<theme>NN.dat"; archive 0 has no number. Its
// path is that name in any case (pathInAnyCase).
QString archiveFileName(const QString& theme, long long number);
QString archivePath(const QString& skinFolder, const QString& theme, long long number);
// The save's copy of the skin it replaces: "<theme>_old.ski".
QString backupFileName(const QString& theme);

// The working folder of a skin: "<folder>/<theme>_Gifs/".
QString workingFolder(const QString& skinFolder, const QString& theme);

// The extracted GIF of object `id` (any text whose numeric value is the id):
// the working folder as it stands, then the id in plain decimal and ".gif".
// "595.gif" for object "0595".
QString objectGifName(QStringView id);
QString objectGifPath(const QString& target, const QString& id);

// True when the `size` bytes at `offset` lie wholly inside `length` bytes.
bool objectFits(long long length, long long offset, long long size);

// The `size` bytes at `offset`, or nothing when they do not lie wholly
// inside the archive.
std::optional<QByteArray> cutObject(const QByteArray& archive, long long offset, long long size);

// Where an object's bytes lie: `size` bytes at `offset` of archive number
// `archive` ("<theme><archive>.dat", "<theme>.dat" for 0).
struct ArchivePlace {
  long long archive = 0;
  long long offset = 0;
  long long size = 0;
  friend bool operator==(const ArchivePlace&, const ArchivePlace&) = default;
};

// The one reader of archive bytes, shared by the export, the check and the
// save. Each archive is opened once, only if it is a regular file that is no
// link leading out of the skin's folder, and only each object's own bytes are
// read from it.
class ArchiveReader {
 public:
  ArchiveReader(QString skinFolder, QString theme);
  // Archive `number` read from `path` instead: a kept original's packed
  // archive lies under another name.
  void readFrom(long long number, const QString& path) { elsewhere_[number] = path; }

  enum class Status { Ok, NoArchive, Outside, Failed };
  struct Object {
    Status status = Status::Failed;
    QByteArray bytes;
    QString reason;  // for NoArchive and Failed
  };
  Object cut(long long archive, long long offset, long long size);
  Object cut(const ArchivePlace& p) { return cut(p.archive, p.offset, p.size); }

  // Why archive `number` cannot be read ("mancante" when it does not exist),
  // or nothing.
  std::optional<QString> problem(long long number);
  bool exists(long long number);
  // Its length in bytes, once it could be opened.
  long long length(long long number);

 private:
  struct Archive {
    RegularFile file;
    bool exists = false;
    std::optional<QString> problem;
    // The stretch read last. Objects lie one after another and are mostly
    // cut in that order, so one read serves many small ones.
    long long windowStart = 0;
    QByteArray window;
  };
  Archive& archive(long long number);

  QString folder_;
  QString theme_;
  std::map<long long, Archive> open_;
  std::map<long long, QString> elsewhere_;
};

// A scratch image written whole: to a temporary file that replaces the
// target (or a link in its place) only once complete and synced. Errors come
// back as the system's reason.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace corvela
