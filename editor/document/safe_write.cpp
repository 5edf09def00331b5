#include "safe_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <mutex>

#include "path_helpers.h"
#include "safe_read.h"

namespace corvela {

namespace {
QByteArray nativeName(const QString& path) {
  return QFile::encodeName(path);
}

bool fail(QString* error, int code) {
  if (error) *error = systemReason(code);
  return false;
}

bool writeAll(int fd, const QByteArray& bytes, QString* error) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail(error, errno);
    // A write that takes nothing would loop for ever; the disk is full.
    if (n == 0) return fail(error, ENOSPC);
    done += n;
  }
  return true;
}
}  // namespace

QString stagedPath(const QString& target) {
  // The process id alone would repeat on another machine sharing the folder
  // and in a forked child, hence the random part, drawn again after a fork.
  static pid_t owner = 0;
  static QString token;
  // A skin read on its own thread at start-up may write working files.
  static std::mutex guard;
  QString ours;
  {
    const std::lock_guard<std::mutex> lock(guard);
    if (owner != ::getpid()) {
      owner = ::getpid();
      token = QStringLiteral(".%1-%2").arg(owner).arg(QRandomGenerator::system()->generate(), 8, 16,
                                                      QLatin1Char('0'));
    }
    ours = token;
  }
  // A skin's folder shows the modder only the skin's own files: what is
  // staged there waits in its editor folder, on the same file system.
  const QFileInfo info(target);
  if (editorFolderUsable(info.path())) {
    return joinPath(editorFolder(info.path()), info.fileName() + ours + kTempSuffix);
  }
  return target + ours + kTempSuffix;
}

bool stageFile(const QString& target, const QByteArray& bytes, QString* error, bool sync) {
  const QByteArray temp = nativeName(stagedPath(target));
  // A leftover of that name, even a link planted there, goes first: O_EXCL
  // with O_NOFOLLOW then guarantees a fresh file of our own.
  if (::unlink(temp.constData()) != 0 && errno != ENOENT) return fail(error, errno);
  const int fd =
      ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return fail(error, errno);
  // A file that is replaced keeps its permissions, as an edit in place would.
  struct stat old {};
  bool ok = true;
  if (::stat(nativeName(target).constData(), &old) == 0 && S_ISREG(old.st_mode) &&
      ::fchmod(fd, old.st_mode & 07777) != 0) {
    ok = fail(error, errno);
  }
  ok = ok && writeAll(fd, bytes, error);
  if (ok && sync && ::fsync(fd) != 0) ok = fail(error, errno);
  if (::close(fd) != 0 && ok) ok = fail(error, errno);
  if (!ok) ::unlink(temp.constData());
  return ok;
}

bool commitStaged(const QString& target, QString* error, bool syncTheFolder) {
  return renameInto(stagedPath(target), target, error, syncTheFolder);
}

bool renameInto(const QString& staged, const QString& target, QString* error, bool syncTheFolder) {
  if (::rename(nativeName(staged).constData(), nativeName(target).constData()) != 0) {
    return fail(error, errno);
  }
  return !syncTheFolder || syncFolder(QFileInfo(target).absolutePath(), error);
}

bool syncFileSystemOf(const QString& folder) {
#ifdef __linux__
  const int fd = ::open(nativeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::syncfs(fd) == 0;
  ::close(fd);
  return ok;
#else
  (void)folder;
  return false;
#endif
}

bool syncStaged(const QString& target, QString* error) {
  const int fd =
      ::open(nativeName(stagedPath(target)).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return fail(error, errno);
  const bool ok = ::fsync(fd) == 0;
  const int code = errno;
  ::close(fd);
  return ok || fail(error, code);
}

bool replaceFile(const QString& target, const QByteArray& bytes, QString* error) {
  if (!stageFile(target, bytes, error)) return false;
  if (!commitStaged(target, error)) {
    ::unlink(nativeName(stagedPath(target)).constData());
    return false;
  }
  return true;
}

bool syncFolder(const QString& folder, QString* error) {
  const int fd = ::open(nativeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return fail(error, errno);
  const bool ok = ::fsync(fd) == 0 || errno == EINVAL;  // some file systems cannot sync folders
  const int code = errno;
  ::close(fd);
  return ok || fail(error, code);
}

bool makeEditorFolder(const QString& skinFolder, QString* error) {
  if (::mkdir(nativeName(editorFolder(skinFolder)).constData(), 0777) != 0 && errno != EEXIST) {
    return fail(error, errno);
  }
  if (editorFolderUsable(skinFolder)) return true;
  if (error) *error = QStringLiteral("non è una cartella");
  return false;
}

std::optional<QString> unwritableReason(const QString& folder) {
  if (::access(nativeName(folder).constData(), W_OK) == 0) return std::nullopt;
  return systemReason(errno);
}

bool removeFile(const QString& path, QString* error) {
  if (::unlink(nativeName(path).constData()) != 0 && errno != ENOENT) return fail(error, errno);
  return true;
}

QStringList removeLeftoverTemporaries(const QString& folder) {
  const QStringList names = QDir(folder).entryList(
      {QStringLiteral("*") + kTempSuffix}, QDir::Files | QDir::System | QDir::Hidden, QDir::NoSort);
  for (const QString& name : names) removeFile(QDir(folder).filePath(name), nullptr);
  return names;
}

}  // namespace corvela
