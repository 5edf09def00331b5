#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace corvela {

// A save changes the skin file, its backup and the packed archive, which
// are only meaningful together. Before the first of them is renamed into
// place, the journal names all of them with their staged copies; it is
// removed once all are in place. A journal found later means a save was
// interrupted after that point, and exactly the staged files it names are
// renamed into place; staged files without a journal belong to a save
// interrupted before it, and are removed. Both happen under the skin's lock
// (skin_lock.h), so that no live save is completed or undone by another.
inline const QString kJournalName = QStringLiteral("corvela.journal");

// Writes the journal naming the files (names inside `folder`) whose staged
// copies (stagedPath) are complete, synced, and about to be renamed into
// place.
bool writeJournal(const QString& folder, const QStringList& names, QString* error);
bool removeJournal(const QString& folder, QString* error);

// Run, holding the skin's lock, before anything of a skin's folder is read:
// completes or undoes an interrupted save and removes leftover temporary
// files there (the load removes those of the working folder as it lists
// it). What it did, in words for the user, or nothing when there was
// nothing to do.
std::optional<QString> recoverInterruptedSave(const QString& folder);

}  // namespace corvela
