#include "skin_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <utility>
#include <vector>

#include "path_helpers.h"
#include "safe_read.h"
#include "safe_write.h"

namespace corvela {

namespace {

// A flock belongs to an open file, not to a process: a second open of the
// same folder in this process would wait for the first one for ever. So the
// process keeps one open folder per skin folder, found by its identity
// rather than its path, which another spelling of the folder would change.
struct Held {
  dev_t device;
  ino_t inode;
  int fd;
  int count;
  bool alone;
  QByteArray note;  // the note this process left, removed with the lock
};
std::mutex registryMutex;
std::vector<Held> registry;

QString lockFailure(const QString& file, const QString& reason) {
  return QStringLiteral("Impossibile bloccare la skin per leggerla o salvarla: %1 (%2)")
      .arg(file, reason);
}

// "corvela-skin, pid 1234" from the holder's note, or nothing. The file lies
// in a folder that may come from anyone, so only a number and a short
// printable name are taken from it.
QString holderFrom(const QString& folder) {
  const QByteArray name = QFile::encodeName(joinPath(editorFolder(folder), kLockName));
  const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {};
  char buffer[128];
  const ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
  ::close(fd);
  if (n <= 0) return {};
  const QString text = QString::fromUtf8(buffer, n).section(u'\n', 0, 0);
  bool ok = false;
  const qint64 pid = text.section(u' ', 0, 0).toLongLong(&ok);
  if (!ok || pid <= 0) return {};
  QString holder;
  for (const QChar c : text.section(u' ', 1).left(40)) {
    if (c.isPrint()) holder += c;
  }
  return holder.isEmpty() ? QStringLiteral("pid %1").arg(pid)
                          : QStringLiteral("%1, pid %2").arg(holder).arg(pid);
}

// Leaves the note in the editor folder, creating that folder. Read-only
// media take neither; that is no reason to refuse, since nothing can be
// written there anyway. A name there that is not a plain file of its own is
// refused: writing through it would change a file elsewhere.
bool leaveNote(const QString& folder, QByteArray* written, QString* error) {
  const QString hidden = editorFolder(folder);
  QString why;
  if (!makeEditorFolder(folder, &why)) {
    const QFileInfo info(hidden);
    if (!info.exists() && !info.isSymLink()) return true;
    if (error) *error = lockFailure(hidden, why);
    return false;
  }
  const QString file = joinPath(hidden, kLockName);
  const QByteArray name = QFile::encodeName(file);
  const int fd = ::open(name.constData(),
                        O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) return true;
  if (fd < 0) {
    if (error) *error = lockFailure(file, systemReason(errno));
    return false;
  }
  struct stat st {};
  QString refused;
  if (::fstat(fd, &st) != 0) {
    refused = systemReason(errno);
  } else if (!S_ISREG(st.st_mode)) {
    refused = QStringLiteral("non è un file regolare");
  } else if (st.st_nlink != 1) {
    // A hard link would make the note overwrite a file elsewhere.
    refused = QStringLiteral("ha più di un nome (collegamento fisico)");
  }
  if (refused.isEmpty()) {
    QString holder = QCoreApplication::applicationName();
    if (holder.isEmpty()) holder = QStringLiteral("Corvela");
    const QByteArray text =
        QByteArray::number(static_cast<qint64>(::getpid())) + ' ' + holder.toUtf8() + '\n';
    if (::ftruncate(fd, 0) == 0) {
      [[maybe_unused]] const ssize_t n = ::pwrite(fd, text.constData(), text.size(), 0);
    }
    *written = name;
  }
  ::close(fd);
  if (!refused.isEmpty() && error) *error = lockFailure(file, refused);
  return refused.isEmpty();
}

// Waits for the flock of `fd` until `deadline`; the errno of the failure, or
// 0 once held.
int lockUntil(int fd, int operation, std::chrono::steady_clock::time_point deadline) {
  while (::flock(fd, operation | LOCK_NB) != 0) {
    const int code = errno;
    if (code == EINTR) continue;
    if (code != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) return code;
    QThread::msleep(10);
  }
  return 0;
}

QString busyMessage(const QString& folder) {
  const QString holder = holderFrom(folder);
  return QStringLiteral(
             "La skin nella cartella %1 è in uso da un altro programma%2, che la sta leggendo o "
             "salvando: riprova quando avrà finito")
      .arg(folder, holder.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(holder));
}

// A file system without locks (some network shares) is used as it was
// before locks existed, rather than made unusable.
bool cannotLock(int code) {
  return code == ENOLCK || code == EOPNOTSUPP || code == ENOTSUP || code == EINVAL || code == EBADF;
}

}  // namespace

SkinLock::SkinLock(SkinLock&& other) noexcept
    : held_(std::exchange(other.held_, false)), slot_(std::exchange(other.slot_, -1)) {}

SkinLock& SkinLock::operator=(SkinLock&& other) noexcept {
  if (this != &other) {
    release();
    held_ = std::exchange(other.held_, false);
    slot_ = std::exchange(other.slot_, -1);
  }
  return *this;
}

SkinLock::~SkinLock() {
  release();
}

void SkinLock::release() {
  if (slot_ >= 0) {
    const std::lock_guard<std::mutex> guard(registryMutex);
    Held& h = registry[static_cast<size_t>(slot_)];
    if (--h.count == 0) {
      // Still under the lock, so no other holder's note is removed. An
      // editor folder left empty goes too: a refused or failed write leaves
      // the skin's folder as it found it.
      if (!h.note.isEmpty()) {
        ::unlink(h.note.constData());
        ::rmdir(QFile::encodeName(QFileInfo(QFile::decodeName(h.note)).path()).constData());
      }
      // Closing drops the flock.
      ::close(h.fd);
      h = {};
      h.fd = -1;
    }
  }
  slot_ = -1;
  held_ = false;
}

bool SkinLock::take(const QString& folder, QString* error, int waitMs, LockAccess access) {
  release();
  const int fd = ::open(QFile::encodeName(folder).constData(),
                        O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (error) *error = lockFailure(folder, systemReason(errno));
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    if (error) *error = lockFailure(folder, systemReason(errno));
    ::close(fd);
    return false;
  }
  const bool alone = access != LockAccess::Read;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);

  const std::lock_guard<std::mutex> guard(registryMutex);
  size_t slot = 0;
  while (slot < registry.size() && !(registry[slot].fd >= 0 && registry[slot].device == st.st_dev &&
                                     registry[slot].inode == st.st_ino)) {
    ++slot;
  }
  const bool known = slot < registry.size();
  if (known) {
    ::close(fd);
  } else {
    slot = 0;
    while (slot < registry.size() && registry[slot].fd >= 0) ++slot;
    if (slot == registry.size()) registry.push_back({});
    registry[slot] = {st.st_dev, st.st_ino, fd, 0, false, {}};
  }
  Held& h = registry[slot];
  if (!known || (alone && !h.alone)) {
    const int code = lockUntil(h.fd, alone ? LOCK_EX : LOCK_SH, deadline);
    if (code != 0 && !cannotLock(code)) {
      if (error) {
        *error =
            code == EWOULDBLOCK ? busyMessage(folder) : lockFailure(folder, systemReason(code));
      }
      // A reader that was going alone keeps what it had.
      if (h.count == 0) {
        ::close(h.fd);
        h = {};
        h.fd = -1;
      } else {
        lockUntil(h.fd, LOCK_SH, deadline);
      }
      return false;
    }
    h.alone = h.alone || alone;
  }
  if (access == LockAccess::Write && h.note.isEmpty() && !leaveNote(folder, &h.note, error)) {
    if (h.count == 0) {
      ::close(h.fd);
      h = {};
      h.fd = -1;
    }
    return false;
  }
  ++h.count;
  slot_ = static_cast<int>(slot);
  held_ = true;
  return true;
}

}  // namespace corvela
