#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

namespace corvela {

// Far above any real skin (the handset's whole flash is smaller), so only a
// hostile or broken file reaches it: a skin file, one object, the objects
// packed by one save and the part of an archive that is read.
inline constexpr long long kMaxSkinBytes = 32LL * 1024 * 1024;

// The reason for a failed system call, for a message: the common ones in
// Italian with the system's own words after them in brackets ("file
// inesistente (No such file or directory)"), the others in the system's
// words. Every message that carries a system error goes through it.
QString systemReason(int error);
QString tooLargeReason(long long size, long long limit = kMaxSkinBytes);

// What the file system says of a path, asked once: the checks of one file
// share it. Times stay in nanoseconds since the epoch, so comparing them
// never converts to local time.
struct PathStat {
  bool exists = false;
  bool regular = false;
  bool link = false;
  long long size = 0;
  long long modifiedNs = 0;
  bool operator==(const PathStat&) const = default;
};
// Without `followLinks`, a link is described itself, not what it leads to.
PathStat pathStat(const QString& path, bool followLinks = true);

// Reads a whole regular file of at most `limit` bytes. FIFOs, devices and
// folders are refused without blocking on them. `error` gets the reason only;
// the caller names the file.
std::optional<QByteArray> readRegularFile(const QString& path, QString* error = nullptr,
                                          long long limit = kMaxSkinBytes);

// Whether `file` is a regular file holding exactly `bytes`. Never read
// through a link: a planted one must not make a stranger's file look like the
// user's own. `st` is what lstat said of the file, when the caller asked.
bool holdsExactly(const QString& file, const PathStat& st, const QByteArray& bytes);
bool holdsExactly(const QString& file, const QByteArray& bytes);

// An open regular file read piece by piece, so that a large archive is never
// read whole. Closed when it goes out of scope.
class RegularFile {
 public:
  RegularFile() = default;
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;
  RegularFile(RegularFile&& other) noexcept;
  RegularFile& operator=(RegularFile&& other) noexcept;
  ~RegularFile();

  // False with the reason when the path is missing or not a regular file.
  bool open(const QString& path, QString* error);
  long long size() const { return size_; }
  // Exactly `count` bytes from `offset`, or nothing with the reason.
  std::optional<QByteArray> read(long long offset, long long count, QString* error) const;

 private:
  int fd_ = -1;
  long long size_ = 0;
};

}  // namespace corvela
