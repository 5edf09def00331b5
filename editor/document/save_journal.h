#pragma once
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "safe_read.h"

namespace corvela {

// A save changes the skin file, its backup, the packed archive and the
// working-folder copies of what it packed, which are only meaningful
// together. Before the first of them is renamed into
// place, the journal names all of them with their staged copies; it is
// removed once all are in place. A journal found later means a save was
// interrupted after that point, and exactly the staged files it names are
// renamed into place; staged files without a journal belong to a save
// interrupted before it, and are removed. Both happen under the skin's lock
// (skin_lock.h), so that no live save is completed or undone by another.
inline const QString kJournalName = QStringLiteral("corvela.journal");

// One file a save is about to rename into place: a plain name of the skin's
// folder, or of the working folder `dir` inside it. A working file is the
// user's to edit at any time: its copy goes in only while the file is still
// as the save found it (`seen`), otherwise the file is the user's newer
// change and stays.
struct JournalEntry {
  QString name;
  QString dir;
  std::optional<PathStat> seen;
};

// Writes the journal naming the files (inside `folder`) whose staged copies
// (stagedPath) are complete, synced, and about to be renamed into place.
bool writeJournal(const QString& folder, const std::vector<JournalEntry>& entries, QString* error);
// Whether a working file stands as `seen` (as lstat describes it).
bool standsAsSeen(const QString& file, const PathStat& seen);
bool removeJournal(const QString& folder, QString* error);

// Run, holding the skin's lock, before anything of a skin's folder is read:
// completes or undoes an interrupted save and removes leftover temporary
// files there (the load removes those of the working folder as it lists
// it). What it did, in words for the user, or nothing when there was
// nothing to do.
std::optional<QString> recoverInterruptedSave(const QString& folder);

}  // namespace corvela
