#pragma once
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "safe_read.h"

namespace corvela {

// A save changes the skin file, its backup, the packed archive and the
// working-folder copies of what it packed, which are only meaningful
// together. Before the first of them is renamed into place, the journal names
// all of them with their staged copies, and the files the save then removes;
// it is removed once all is done. A journal found later means a save was
// interrupted after that point, and exactly the staged files it names are
// renamed into place and the files it names for removal removed; staged
// files without a journal belong to a save
// interrupted before it, and are removed. Both happen under the skin's lock
// (skin_lock.h), so that no live save is completed or undone by another.
//
// The journal lies in the editor folder (path_helpers.h); one left at the
// top of the skin's folder by an earlier version is still completed.
inline const QString kJournalName = QStringLiteral("corvela.journal");
QString journalPath(const QString& folder);

// One file a save is about to rename into place: a path relative to the
// skin's folder (a plain name, or one inside the editor folder), or a plain
// name of the working folder `dir` inside it. A working file is the user's
// to edit at any time: its copy goes in only while the file is still as the
// save found it (`seen`), otherwise the file is the user's newer change and
// stays.
struct JournalEntry {
  QString name;
  QString dir;
  std::optional<PathStat> seen;
};

// Writes the journal naming the files whose staged copies (stagedPath) are
// complete, synced, and about to be renamed into place, and the files
// (names at the top of `folder`) to remove once they are.
bool writeJournal(const QString& folder, const std::vector<JournalEntry>& entries, QString* error,
                  const QStringList& removals = {});
// Whether a working file stands as `seen` (as lstat describes it).
bool standsAsSeen(const QString& file, const PathStat& seen);
// Removes what the journal names for removal, then the journal itself.
bool removeJournal(const QString& folder, QString* error, const QStringList& removals = {});

// Whether an interrupted save left anything to complete or undo in `folder`:
// a journal or staged files.
bool interruptedSavePending(const QString& folder);

// Run, holding the skin's lock alone, before anything of a skin's folder is
// read: completes or undoes an interrupted save and removes leftover
// temporary files there (the load removes those of the working folder as it
// lists it). It only renames and removes, never creates. What it did, in
// words for the user, or nothing when there was nothing to do. `settled`
// turns false when a save is left half done, some of its files new and some
// old: nothing of the skin may then be read as if it were whole.
std::optional<QString> recoverInterruptedSave(const QString& folder, bool* settled = nullptr);

}  // namespace corvela
