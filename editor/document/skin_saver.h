#pragma once
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "working_mirror.h"

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

// What a save would write now, built in memory and nowhere else: the save
// writes it into the skin's folder, the export for the phone elsewhere.
struct SaveProduct {
  std::vector<QString> lines;  // the line table as written
  QByteArray skinText;
  QByteArray archive;  // the packed archive; empty when nothing is packed
  std::vector<PackedObject> packed;
};
// Why the skin cannot be saved as it was read (a load that stopped, a name
// the save does not write, a carriage return that hid lines), as the save
// says it, or nothing.
std::optional<QString> saveRefusalOf(const SkinDocument& doc);
// The file a save would read the image of object row `r` from, or nothing
// when it packs the row from an image the row holds or from its archive, or
// does not pack it at all.
std::optional<QString> fileToPack(const SkinDocument& doc, int r);
// Nothing when `out` holds the product; otherwise why a save would be
// refused or fail, as the save itself says it.
std::optional<SaveOutcome> produceSave(const SkinDocument& doc, SaveProduct& out);
// Why the skin's folder cannot take a save (read-only media, no
// permission), in a sentence for the user, or nothing.
std::optional<QString> unwritableFolderMessage(const QString& folder);

// "Salva con nome...": writes the open skin into `folder` as "vodafone.ski"
// with every archive it references, its working folder and its first
// originals, through the same journaled save, and leaves the document there.
// Never writes into the skin's own folder; a skin already in `folder` is
// overwritten (its previous file kept as the backup), so the caller asks
// first (skinIn). When the save fails the document stays where it was.
SaveOutcome saveSkinAs(SkinDocument& doc, const QString& folder);
// Why the open skin cannot be saved into `folder` at all, or nothing.
std::optional<QString> saveAsRefusal(const SkinDocument& doc, const QString& folder);
// The name of a skin file already in `folder`, or an empty text.
QString skinIn(const QString& folder);
// The skin file a save under another name writes into `folder`.
QString savedAsFile(const QString& folder);

// The line table as the save would write it before packing: edited tree
// lines taken over, and the colour and rectangle lines of records whose cells
// no longer read as their line regenerated from the lists (with `all`, every
// one of them: what an edit would make of each line). A record left as read
// keeps its line byte for byte, doubled blanks and all.
std::vector<QString> regeneratedLines(const SkinDocument& doc, bool all = false);
// Line `k` of regeneratedLines(doc) alone, as cheap as one line: what the
// save would write there now.
QString regeneratedLine(const SkinDocument& doc, long long k);
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
