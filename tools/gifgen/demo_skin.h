#pragma once

// The demo skin shipped in demo/: a complete, plausible skin whose every
// byte comes from code, so it can be regenerated and compared at any time.

#include <QByteArray>
#include <QString>

#include <vector>

namespace corvela::gifgen {

struct DemoFile {
  QString name;  // file name only, e.g. "vodafone14.dat"
  QByteArray bytes;
};

// The skin file comes first, then the archives in ascending number, then the
// wallpaper that lies beside them. The result is the same on every call.
std::vector<DemoFile> buildDemoSkin();

// Writes buildDemoSkin() into directory, creating it when missing. Existing
// files of the same name are replaced; nothing else in the folder is touched.
bool writeDemoSkin(const QString& directory, QString* error = nullptr);

// Writes each file into directory (created when missing), replacing files of
// the same name and leaving everything else alone.
bool writeFiles(const QString& directory, const std::vector<DemoFile>& files,
                QString* error = nullptr);

}  // namespace corvela::gifgen
