#pragma once
// The files of one folder that a file list shows: a pattern of wildcards
// separated by ';', matched without regard to case (skins come from FAT
// media, and a modder's "wallpaper.jpg" is as good as "WALLPAPER.JPG"),
// sorted without regard to case.

#include <QString>
#include <QStringList>

namespace corvela {

// The wallpapers the preview offers.
inline const QString kWallpaperPattern = QStringLiteral("*.JPG;*.GIF");

bool matchesPattern(const QString& name, const QString& pattern);
// Names only, regular files only.
QStringList matchingFiles(const QString& folder, const QString& pattern);

}  // namespace corvela
