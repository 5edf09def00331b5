#include "skin_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QThread>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <utility>
#include <vector>

#include "path_helpers.h"
#include "safe_read.h"

namespace corvela {

namespace {

// A flock belongs to an open file, not to a process: a second open of the
// same lock file in this process would wait for the first one for ever. So
// the process keeps one open file per lock file, found by its identity
// rather than its path, which another spelling of the folder would change.
struct Held {
  dev_t device;
  ino_t inode;
  int fd;
  int count;
};
std::mutex registryMutex;
std::vector<Held> registry;

QString lockFailure(const QString& file, const QString& reason) {
  return QStringLiteral("Impossibile bloccare la skin per leggerla o salvarla: %1 (%2)")
      .arg(file, reason);
}

// "corvela-skin, pid 1234" from what the holder wrote, or nothing. The file
// lies in a folder that may come from anyone, so only a number and a short
// printable name are taken from it.
QString holderFrom(int fd) {
  char buffer[128];
  const ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
  if (n <= 0) return {};
  const QString text = QString::fromUtf8(buffer, n).section(u'\n', 0, 0);
  bool ok = false;
  const qint64 pid = text.section(u' ', 0, 0).toLongLong(&ok);
  if (!ok || pid <= 0) return {};
  QString name;
  for (const QChar c : text.section(u' ', 1).left(40)) {
    if (c.isPrint()) name += c;
  }
  return name.isEmpty() ? QStringLiteral("pid %1").arg(pid)
                        : QStringLiteral("%1, pid %2").arg(name).arg(pid);
}

void writeHolder(int fd) {
  QString name = QCoreApplication::applicationName();
  if (name.isEmpty()) name = QStringLiteral("Corvela");
  const QByteArray text =
      QByteArray::number(static_cast<qint64>(::getpid())) + ' ' + name.toUtf8() + '\n';
  // Only a courtesy for whoever waits: a lock taken on a read-only file
  // still excludes the others.
  if (::ftruncate(fd, 0) == 0) {
    [[maybe_unused]] const ssize_t written = ::pwrite(fd, text.constData(), text.size(), 0);
  }
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
      // Closing drops the flock. The file itself stays: removing it would
      // let the next process lock a new file while a waiter locks the old.
      ::close(h.fd);
      h.fd = -1;
    }
  }
  slot_ = -1;
  held_ = false;
}

bool SkinLock::take(const QString& folder, QString* error, int waitMs) {
  release();
  const QString file = joinPath(folder, kLockName);
  const QByteArray name = QFile::encodeName(file);
  // Never through a link, and never blocking on a FIFO planted under the name.
  const int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
  int fd = ::open(name.constData(), O_RDWR | O_CREAT | flags, 0666);
  if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
    fd = ::open(name.constData(), O_RDONLY | flags);
    if (fd < 0 && errno == ENOENT) {
      held_ = true;
      return true;
    }
  }
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
    // A hard link could make the holder's note overwrite a file elsewhere.
    refused = QStringLiteral("ha più di un nome (collegamento fisico)");
  }
  if (!refused.isEmpty()) {
    ::close(fd);
    if (error) *error = lockFailure(file, refused);
    return false;
  }

  const std::lock_guard<std::mutex> guard(registryMutex);
  for (size_t i = 0; i < registry.size(); ++i) {
    Held& h = registry[i];
    if (h.fd >= 0 && h.device == st.st_dev && h.inode == st.st_ino) {
      ::close(fd);
      ++h.count;
      slot_ = static_cast<int>(i);
      held_ = true;
      return true;
    }
  }

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int code = errno;
    if (code == EINTR) continue;
    if (code != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
      if (error) {
        const QString holder = holderFrom(fd);
        *error = code != EWOULDBLOCK
                     ? lockFailure(file, systemReason(code))
                     : QStringLiteral(
                           "La skin nella cartella %1 è in uso da un altro programma%2, che la "
                           "sta leggendo o salvando: riprova quando avrà finito")
                           .arg(folder,
                                holder.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(holder));
      }
      ::close(fd);
      return false;
    }
    QThread::msleep(10);
  }
  writeHolder(fd);

  size_t slot = 0;
  while (slot < registry.size() && registry[slot].fd >= 0) ++slot;
  if (slot == registry.size()) registry.push_back({});
  registry[slot] = {st.st_dev, st.st_ino, fd, 1};
  slot_ = static_cast<int>(slot);
  held_ = true;
  return true;
}

}  // namespace corvela
