#pragma once
// The default set that ships beside the program: one GIF per object id and
// the default colour scheme, in a folder named "default".

#include <QString>
#include <QStringList>

namespace corvela {

// Where the program looks for the set, first match wins: beside the program
// itself (the build tree, or an unpacked copy), then the data folder of an
// installed program (<prefix>/share/corvela/default). The program's folder
// is taken as the file system names it: lower-casing it would name another
// folder on a case-sensitive system.
QStringList defaultFolderCandidates(const QString& programFolder);
// The first candidate that is a folder; empty when there is none.
QString findDefaultFolder(const QString& programFolder);
// The same for the running program.
QString findDefaultFolder();

// "<folder>/<id as plain decimal>.gif": object "0012" has 12.gif.
QString defaultObjectPath(const QString& folder, const QString& id);
// "<folder>/colors.txt".
QString defaultColoursPath(const QString& folder);

}  // namespace corvela
