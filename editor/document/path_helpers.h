#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace corvela {

// Part codes of SplitPath.
enum PathPart { NetworkShare = 0, Drive = 1, Folder = 2, BaseName = 3, Extension = 4 };

// Splits a path at its last separator ('/' or '\') and at the first full
// stop after it. Part 0: the share of a network path ("\\server\x" gives
// "server\"); 1: the drive (first two characters); 2: the folder without
// its trailing separator; 3: the file name up to its first full stop;
// 4: everything after that full stop. Any other code gives "".
QString SplitPath(const QString& sPath, int Part);

// True for an existing ordinary file that is not hidden; folders count as
// absent. A path with wildcards is true when any such file matches.
bool FileExist(const QString& path);

// Joins a folder and a name with the platform's separator.
QString joinPath(const QString& folder, const QString& name);

// The hidden folder beside a skin that holds the editor's own files (the
// lock's note, the save's journal and staged copies, the first originals), so
// that the skin's folder shows the modder only the skin, its archives, the
// backup and the working folder.
inline const QString kEditorFolderName = QStringLiteral(".corvela");
QString editorFolder(const QString& skinFolder);
// Whether `skinFolder`'s editor folder is a real folder of its own, not a link
// planted to send the editor's files elsewhere.
bool editorFolderUsable(const QString& skinFolder);
// The copies a save keeps of a skin file ("vodafone_old.ski", and
// "vodafone_orig.ski" where an earlier version left it): no skins to open.
bool isSkinBackupName(const QString& fileName);
// The entry `name` of `folder` as it stands on disk. A skin copied from a
// phone or a FAT card comes in capitals (VODAFONE.SKI beside
// VODAFONE14.DAT), so when no entry has exactly that name, the one entry
// whose name matches it ignoring case is taken, to be read and to be saved
// over. When several match that way none is taken: the exact path comes
// back, and `clashes` (when given) gets their names.
QString pathInAnyCase(const QString& folder, const QString& name, QStringList* clashes = nullptr);
// What to tell the user when several entries of `folder` match `name`
// ignoring case and none exactly, or nothing.
std::optional<QString> nameClash(const QString& folder, const QString& name);

}  // namespace corvela
