#pragma once
#include <QString>

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

}  // namespace corvela
