#include "safe_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <utility>

namespace corvela {

QString systemReason(int error) {
  const QString words = QString::fromLocal8Bit(std::strerror(error));
  QString italian;
  switch (error) {
    case ENOENT:
      italian = QStringLiteral("file inesistente");
      break;
    case EACCES:
    case EPERM:
      italian = QStringLiteral("permesso negato");
      break;
    case EROFS:
      italian = QStringLiteral("supporto di sola lettura");
      break;
    case ENOSPC:
      italian = QStringLiteral("spazio esaurito sul disco");
      break;
    case EIO:
      italian = QStringLiteral("errore di lettura o scrittura del disco");
      break;
    case EFBIG:
      italian = QStringLiteral("file troppo grande");
      break;
    case EISDIR:
      italian = QStringLiteral("al suo posto c'è una cartella");
      break;
    case ENOTDIR:
      italian = QStringLiteral("una parte del percorso non è una cartella");
      break;
    case ENOTEMPTY:
      italian = QStringLiteral("cartella non vuota");
      break;
    case EEXIST:
      italian = QStringLiteral("esiste già");
      break;
    case ELOOP:
      italian = QStringLiteral("troppi collegamenti simbolici");
      break;
    case ENAMETOOLONG:
      italian = QStringLiteral("nome troppo lungo");
      break;
    case EDQUOT:
      italian = QStringLiteral("quota del disco esaurita");
      break;
    default:
      // The rarer ones stay in the system's words, which a search still finds.
      return words;
  }
  // The system's own words stay beside ours: they are what a search or a
  // question on a forum will quote.
  return QStringLiteral("%1 (%2)").arg(italian, words);
}

QString tooLargeReason(long long size, long long limit) {
  if (limit != kMaxSkinBytes) {
    return QStringLiteral("%1 byte, oltre il limite di %2 byte").arg(size).arg(limit);
  }
  return QStringLiteral("%1 byte, oltre il limite di %2 byte di una skin").arg(size).arg(limit);
}

PathStat pathStat(const QString& path, bool followLinks) {
  PathStat st;
  struct stat info {};
  const QByteArray name = QFile::encodeName(path);
  if ((followLinks ? ::stat(name.constData(), &info) : ::lstat(name.constData(), &info)) != 0)
    return st;
  st.exists = true;
  st.regular = S_ISREG(info.st_mode);
  st.link = S_ISLNK(info.st_mode);
  st.size = static_cast<long long>(info.st_size);
  st.modifiedNs = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
  return st;
}

bool holdsExactly(const QString& file, const PathStat& st, const QByteArray& bytes) {
  if (!st.regular || st.size != bytes.size()) return false;
  const std::optional<QByteArray> old = readRegularFile(file);
  return old && *old == bytes;
}

bool holdsExactly(const QString& file, const QByteArray& bytes) {
  return holdsExactly(file, pathStat(file, false), bytes);
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(other.size_) {}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    size_ = other.size_;
  }
  return *this;
}

RegularFile::~RegularFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool RegularFile::open(const QString& path, QString* error) {
  // Without O_NONBLOCK opening a FIFO waits for a writer that never comes.
  const QByteArray name = QFile::encodeName(path);
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    if (error) *error = systemReason(errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    if (error) *error = systemReason(errno);
    ::close(fd);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    if (error) *error = QStringLiteral("non è un file regolare");
    ::close(fd);
    return false;
  }
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
  size_ = static_cast<long long>(st.st_size);
  return true;
}

std::optional<QByteArray> RegularFile::read(long long offset, long long count,
                                            QString* error) const {
  if (fd_ < 0 || offset < 0 || count < 0 || offset > size_ || count > size_ - offset) {
    if (error) *error = QStringLiteral("posizione fuori dal file");
    return std::nullopt;
  }
  if (count > kMaxSkinBytes) {
    if (error) *error = tooLargeReason(count);
    return std::nullopt;
  }
  QByteArray bytes(static_cast<qsizetype>(count), Qt::Uninitialized);
  long long done = 0;
  while (done < count) {
    const ssize_t n = ::pread(fd_, bytes.data() + done, static_cast<size_t>(count - done),
                              static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (error) *error = systemReason(errno);
      return std::nullopt;
    }
    if (n == 0) {
      if (error) *error = QStringLiteral("il file si è accorciato durante la lettura");
      return std::nullopt;
    }
    done += n;
  }
  return bytes;
}

std::optional<QByteArray> readRegularFile(const QString& path, QString* error, long long limit) {
  RegularFile file;
  if (!file.open(path, error)) return std::nullopt;
  if (file.size() > limit) {
    if (error) *error = tooLargeReason(file.size(), limit);
    return std::nullopt;
  }
  return file.read(0, file.size(), error);
}

}  // namespace corvela
