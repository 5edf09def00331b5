#pragma once
// The working folder holds one GIF per object, and modders edit those files
// with any image program. These keep the folder and the skin in agreement: a
// file that differs from its object is the user's change and gets saved, and
// a save leaves in the folder exactly what it packed, so a stale picture
// there can never be packed over a newer one.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace corvela {

class SkinDocument;

struct OutsideChanges {
  int marked = 0;       // objects now waiting to be replaced by their file
  QStringList notGifs;  // changed files that do not decode as GIF: left unmarked
  // What the user is told about the above; empty when there is nothing.
  QString note() const;
};

// Compares the working-folder GIF of each of `rows` with its object's bytes
// in its archive (sizes first, bytes only when the sizes agree) and marks
// every object whose file differs as replaced by that file. A row already
// replaced has no archive bytes to compare with: its changed file replaces
// it again.
OutsideChanges markOutsideChanges(SkinDocument& doc, const std::vector<int>& rows);

// The rows whose "Path GIF" is their own file in the working folder.
std::vector<int> rowsShowingWorkingFiles(const SkinDocument& doc);

struct PackedObject {
  int row;
  QByteArray bytes;
};

// After a save packed `packed` in this order into the packed archive: each
// row names its new place there, and its working-folder file holds exactly
// the packed bytes, written like every other file. A file imported from
// elsewhere stays as it is. A problem, in words for the user, or nothing.
std::optional<QString> mirrorPackedObjects(SkinDocument& doc,
                                           const std::vector<PackedObject>& packed);

}  // namespace corvela
