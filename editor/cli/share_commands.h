#pragma once
#include <QString>
#include <QStringList>

namespace corvela::cli {

// `corvela-skin export SKIN DEST`: the files the phone needs, as a save
// would write them, into a folder or a .zip.
QString exportHelp();
int exportCommand(const QStringList& args);

// `corvela-skin unpack ZIP [FOLDER]`: a shared .zip unpacked into a new
// folder; prints the skin file found in it.
QString unpackHelp();
int unpackCommand(const QStringList& args);

}  // namespace corvela::cli
