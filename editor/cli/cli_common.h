#pragma once
// What every command of corvela-skin shares: exit statuses, output and the
// load of the skin it works on.

#include <QString>
#include <cstdio>
#include <optional>

#include "skin_document.h"
#include "skin_lock.h"

namespace corvela::cli {

enum Exit { ExitOk = 0, ExitProblems = 1, ExitUsage = 2 };

void write(std::FILE* stream, const QString& text);
// Every line of an error gets the tool's name, so a multi-line message from
// the library still reads as ours when mixed with other output.
void fail(const QString& message);
// Why `file` was not found, for a name given on the command line: Qt reads
// a name that is not UTF-8 with its odd bytes replaced, and the file so
// named does not exist although the one meant does.
QString notFound(const QString& file);

// Loads the skin and says on standard error why a load did not complete
// (`quietStop`: not an early stop, which check reports as a problem of its
// own). Returns the exit status the load alone deserves. `keep` then holds
// the skin's lock to the command's end, so that no other process saves in
// between. A command that only reads takes it shared and creates nothing in
// the skin's folder; one that writes passes LockAccess::Write.
int openSkin(SkinDocument& doc, const QString& file, LoadOutcome& outcome, bool quietStop = false,
             SkinLock* keep = nullptr, LockAccess access = LockAccess::Read);

// Whether openSkin left nothing to list or check: a file it could not read,
// a skin another program held locked or one a save left half done (said
// already; nothing was read).
inline bool nothingRead(int status, const LoadOutcome& outcome) {
  return status == ExitUsage || outcome.status == LoadStatus::NotLoaded ||
         outcome.status == LoadStatus::HalfSaved;
}

// Says why a save of `file` would be refused whatever the working folder
// holds, and returns true, or returns false; writes nothing.
bool refusedBeforeLoading(const QString& file);
// A record's id as typed on the command line, as the lists show it ("595"
// is "0595"), "-" for a row without an id, or nothing for anything else.
std::optional<QString> recordId(const QString& text);
// Held by a command that writes: unless `saved` is set, the working folder
// its load made goes again when the command ends (while nothing is in it),
// so that a refused command leaves the skin's folder as it found it.
struct UnlessSaved {
  SkinDocument& doc;
  bool saved = false;
  explicit UnlessSaved(SkinDocument& d) : doc(d) {}
  UnlessSaved(const UnlessSaved&) = delete;
  UnlessSaved& operator=(const UnlessSaved&) = delete;
  ~UnlessSaved() {
    if (!saved) doc.dropUnusedWorkingFolder();
  }
};
// Saves `folder.doc` as "Salva" does, prints the save's message and marks
// `folder` saved; `loaded` is the status the load alone gave. The exit
// status: 1 also for a save that went through with a problem to tell (a
// working folder that could not follow it).
int saveAndReport(UnlessSaved& folder, int loaded = ExitOk);
// Says why the skin was not saved, naming its file.
void failToSave(const SkinDocument& doc, const QString& why);

}  // namespace corvela::cli
