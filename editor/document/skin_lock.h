#pragma once
#include <QString>

namespace corvela {

// A skin's files are only meaningful together, and a save replaces three of
// them while another process may be reading or saving the same folder. So
// every reader and writer of a skin's folder (recovery, load, save, export)
// holds this lock: an advisory flock on a file in the folder, which the
// system drops by itself when its holder dies, so a killed writer never
// leaves the skin locked.
inline const QString kLockName = QStringLiteral("corvela.lock");
// Long enough for another process's load or save to finish, short enough
// that a script waiting on an editor left open gets its answer.
inline constexpr int kLockWaitMs = 3000;

class SkinLock {
 public:
  SkinLock() = default;
  SkinLock(const SkinLock&) = delete;
  SkinLock& operator=(const SkinLock&) = delete;
  SkinLock(SkinLock&& other) noexcept;
  SkinLock& operator=(SkinLock&& other) noexcept;
  ~SkinLock();

  // Takes the lock of the skin folder `folder`, waiting up to `waitMs` for
  // another process to let it go. A process that already holds it takes it
  // again at once, so the save may lock what `edit` holds from load to save.
  // False with a message for the user, one sentence without its full stop
  // (naming the holder where the lock file says who it is); nothing is then
  // to be written. A folder in which
  // the lock file cannot be created (read-only media) is used unlocked:
  // nothing can be saved there anyway.
  bool take(const QString& folder, QString* error, int waitMs = kLockWaitMs);
  void release();
  bool held() const { return held_; }

 private:
  bool held_ = false;
  int slot_ = -1;  // this process's entry for the lock file; -1 when unlocked
};

}  // namespace corvela
