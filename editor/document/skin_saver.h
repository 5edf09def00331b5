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
// kept as "<theme>_old.ski", the skin file rewritten, and the working folder
// made to hold what was packed. Every new file is written whole and synced
// beside its target first, and all are renamed into place under a journal
// (save_journal.h), so a failed or interrupted save leaves the old files or
// the new ones, never a mix.
SaveOutcome SalvaSkin(SkinDocument& doc);

// The line table as the save would write it before packing: colour and
// rectangle lines regenerated from the lists, edited tree lines taken over.
std::vector<QString> regeneratedLines(const SkinDocument& doc);
// The bytes of a skin file holding `lines`: Latin-1, each ended by a line
// feed.
QByteArray skinFileBytes(const std::vector<QString>& lines);

// The points at which a save may be cut short; a test's hook is called at
// each one, in this order, and may end the process there.
enum class SaveStep {
  BackupStaged,
  ArchiveStaged,
  SkinStaged,
  WorkingStaged,
  JournalWritten,
  BackupReplaced,
  ArchiveReplaced,
  SkinReplaced,
  WorkingReplaced,
  JournalRemoved,
};
// For tests only; nullptr (the default) for none.
void setSaveStepHook(void (*hook)(SaveStep));

}  // namespace corvela
