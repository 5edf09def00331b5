#pragma once
#include <QString>
#include <QStringList>
#include <functional>

namespace corvela {

class SkinDocument;

struct ExportOutcome {
  int exported = 0;        // rows whose object was written
  int beyondArchive = 0;   // rows whose object does not fit its archive (or is empty)
  QStringList unreadable;  // archives that are missing or could not be read
  QStringList unwritable;  // object files that could not be written
  QStringList reasons;     // the system's reason for each of the above, in order
  QString refused;         // why nothing at all was exported
  bool ok() const { return unreadable.isEmpty() && unwritable.isEmpty() && refused.isEmpty(); }
  // The text of the one "Errore:" message shown at the end; empty when ok.
  QString errorMessage() const;
};

// Cuts every object of the object list out of its archive into the working
// folder and brings its row up to date. Each GIF is written to a temporary
// file and renamed into place, so a failed export never leaves a cut-short
// image (nor writes through a link planted in the working folder). Rows
// already replaced (archive "-") are left alone, so no replacement is lost.
// `beforeRow` is called with each row index before it is handled, for the
// window's progress display; when `stopRequested` then says so, the export
// stops there, keeping what it did.
ExportOutcome exportAllObjects(SkinDocument& doc, const std::function<void(int)>& beforeRow = {},
                               const std::function<bool()>& stopRequested = {});

// The objects whose row names no file yet ("Path GIF" blank) and whose
// archive holds a GIF for them, written into the working folder so that a
// skin opened before its extraction does not show an empty screen. An
// existing file is never overwritten, and objects the archives cannot give
// are left as they are, unmarked: only write failures are reported.
ExportOutcome extractMissingObjects(SkinDocument& doc);

}  // namespace corvela
