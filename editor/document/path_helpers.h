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

}  // namespace corvela
