#pragma once
// The working folder holds one GIF per object, and modders edit those files
// with any image program. These keep the folder and the skin in agreement: a
// file that differs from its object is the user's change and gets saved, and
// a save leaves in the folder exactly what it packed, so a stale picture
// there can never be packed over a newer one.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

#include "safe_read.h"

namespace corvela {

class SkinDocument;

struct OutsideChanges {
  int marked = 0;    // objects now waiting to be replaced by their file
  int restored = 0;  // objects whose working file went: taken from their archive again
  // Objects whose working file still held what Corvela left in it while
  // their archive changed: the file was written anew from the archive, or,
  // where nothing may be written, is not used.
  int refreshed = 0;
  int stale = 0;
  // Changed files that cannot be packed, with the reason: left unmarked.
  std::vector<std::pair<QString, QString>> notGifs;
  // The regular files compared, by name, as they stood when compared: what
  // a watch of the folder counts as seen.
  QHash<QString, PathStat> seen;
  // What the user is told about the above; empty when there is nothing.
  QString note() const;
};

// Compares the working-folder GIF of each of `rows` with its object's bytes
// in its archive (sizes first, bytes only when the sizes agree) and marks
// every object whose file differs as replaced by that file; of such a file
// only the header is read, so that a load never waits on decoding (the save
// proves it whole). A row already replaced has no archive bytes to compare
// with: its changed file replaces it again. A file that appeared and holds
// the object names it; a row whose working file went takes its object
// from its archive again. A file that still holds what the last export or
// save left in it (WorkingRecord) is no change of the user's: its archive
// changed, and the file is written anew from it when `mayWrite`, or else not
// used.
OutsideChanges markOutsideChanges(SkinDocument& doc, const std::vector<int>& rows,
                                  bool mayWrite = true);

// The rows whose "Path GIF" is their own file in the working folder.
std::vector<int> rowsShowingWorkingFiles(const SkinDocument& doc);

struct PackedObject {
  int row;
  QByteArray bytes;
};

// A working file that does not hold what the save packs for its object, as
// the save found it: the save's journal renames the packed bytes over it
// only while it still stands so.
struct WorkingRefresh {
  QString gif;
  const QByteArray* bytes;
  PathStat seen;
  QString why;  // why it could not be written, once it could not
};
struct WorkingPlan {
  std::vector<WorkingRefresh> refresh;
  // Files the save packed from the working folder itself that changed after
  // it read them: the user's newer change, left alone.
  QStringList kept;
  // Working files that are links leading out of the skin's folder: never
  // read, and left as the user made them rather than replaced.
  QStringList links;
};
// Nothing to do when the working folder is not used (a link leading out).
WorkingPlan planWorkingRefresh(const SkinDocument& doc, const std::vector<PackedObject>& packed);

// After a save packed `packed` in this order into the packed archive: each
// row names its new place there and its working-folder file. Of the planned
// refreshes, `unwritten` could not be written: each such file goes, unless
// the user changed it, so that the next load takes the object from the
// archive instead of an old picture. The files of `kept` are the user's
// change and are marked to be packed by the next save. A problem, in words
// for the user, or nothing.
std::optional<QString> placePackedObjects(SkinDocument& doc,
                                          const std::vector<PackedObject>& packed,
                                          const std::vector<WorkingRefresh>& unwritten,
                                          const QStringList& kept, const QStringList& links = {});

}  // namespace corvela
