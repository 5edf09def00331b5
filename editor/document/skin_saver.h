#pragma once
#include <QString>

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
// kept as "<theme>_old.ski", the skin file rewritten. Everything that can
// fail is checked or written to temporary files first, so a failed save
// leaves every file and the document as they were.
SaveOutcome SalvaSkin(SkinDocument& doc);

}  // namespace corvela
