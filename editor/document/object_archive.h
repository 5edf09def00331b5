#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

namespace corvela {

// An archive is the objects' GIF files back to back: no header, no padding.
// Archive NN of a theme is "<theme>NN.dat"; archive 0 has no number.
QString archiveFileName(const QString& theme, long long number);
QString archivePath(const QString& skinFolder, const QString& theme, long long number);

// The working folder of a skin: "<folder>/<theme>_Gifs/".
QString workingFolder(const QString& skinFolder, const QString& theme);

// The extracted GIF of object `id` (any text whose numeric value is the id):
// the working folder as it stands, then the id in plain decimal and ".gif".
QString objectGifPath(const QString& target, const QString& id);

// The `size` bytes at `offset`, or nothing when they do not lie wholly
// inside the archive.
std::optional<QByteArray> cutObject(const QByteArray& archive, long long offset, long long size);

// Whole-file helpers: errors come back as text for the user's message.
std::optional<QByteArray> readWholeFile(const QString& path, QString* error = nullptr);
// Writes exactly `bytes` (the file is truncated first).
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace corvela
