#pragma once
#include <QString>

namespace corvela {

// A skin's files are only meaningful together, and a save replaces three of
// them while another process may be reading or saving the same folder. So
// every reader and writer of a skin's folder holds this lock: an advisory
// flock on the skin's folder itself, which the system drops by itself when
// its holder dies, so a killed writer never leaves the skin locked. Taking
// the folder rather than a file in it lets a command that only reads lock
// out writers without creating anything, even on read-only media.
//
// A writer also leaves a note naming itself in this file of the editor
// folder (path_helpers.h), for whoever waits; it goes when the lock does.
inline const QString kLockName = QStringLiteral("corvela.lock");
// Long enough for another process's load or save to finish, short enough
// that a script waiting on an editor left open gets its answer.
inline constexpr int kLockWaitMs = 3000;

enum class LockAccess {
  // Shared with other readers; creates nothing in the folder.
  Read,
  // Alone, to complete an interrupted save found by a reader: renames and
  // removals only, nothing created.
  Recover,
  // Alone, to write: the editor folder is created and the note left in it.
  Write,
};

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
  // again at once (going from shared to alone first where it must), so the
  // save may lock what `edit` holds from load to save. False with a message
  // for the user, one sentence without its full stop (naming the holder
  // where its note says who it is); nothing is then to be read or written. A
  // file system that cannot lock is used unlocked, as it was before locks.
  bool take(const QString& folder, QString* error, int waitMs = kLockWaitMs,
            LockAccess access = LockAccess::Write);
  void release();
  bool held() const { return held_; }

 private:
  bool held_ = false;
  int slot_ = -1;  // this process's entry for the folder; -1 when unlocked
};

}  // namespace corvela
