#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

namespace corvela {

class SkinDocument;

struct SaveOutcome {
  enum Kind { Saved, Refused, Failed };
  Kind kind = Failed;
  bool archiveWritten = false;  // the packed archive was written
  QString title;                // of the message box to show
  QString message;
};

inline const QString kSavedWithArchive = QStringLiteral(
    "File: vodafone14.dat creato con successo, file: vodafone.ski aggiornato con successo.");
inline const QString kSavedWithoutArchive = QStringLiteral(
    "File: vodafone.ski aggiornato con successo, nessun oggetto grafico sostituito.");

// Writes the open skin back: colour, rectangle and edited lines regenerated,
// objects waiting to be replaced packed into "<theme>14.dat", the old skin
// kept as "<theme>_old.ski", the skin file rewritten. Every new file is
// written whole and synced beside its target first, and the three are renamed
// into place under a journal (save_journal.h), so a failed or interrupted save
// leaves the old files or the new ones, never a mix.
SaveOutcome SalvaSkin(SkinDocument& doc);

// The line table as the save would write it before packing: edited tree
// lines taken over, and the colour and rectangle lines of records whose cells
// no longer read as their line regenerated from the lists (with `all`, every
// one of them: what an edit would make of each line). A record left as read
// keeps its line byte for byte, doubled blanks and all.
std::vector<QString> regeneratedLines(const SkinDocument& doc, bool all = false);
// The bytes of a skin file holding `lines`: Latin-1, each ended by a line
// feed.
QByteArray skinFileBytes(const std::vector<QString>& lines);

// The points at which a save may be cut short; a test's hook is called at
// each one, in this order, and may end the process there.
enum class SaveStep {
  BackupStaged,
  ArchiveStaged,
  SkinStaged,
  JournalWritten,
  BackupReplaced,
  ArchiveReplaced,
  SkinReplaced,
  JournalRemoved,
};
// For tests only; nullptr (the default) for none.
void setSaveStepHook(void (*hook)(SaveStep));

}  // namespace corvela
