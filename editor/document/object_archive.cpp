#include "object_archive.h"

#include <QDir>
#include <QFile>

#include "path_helpers.h"
#include "text_number.h"

namespace corvela {

QString archiveFileName(const QString& theme, long long number) {
  return theme + (number == 0 ? QString() : QString::number(number)) + QStringLiteral(".dat");
}

QString archivePath(const QString& skinFolder, const QString& theme, long long number) {
  return joinPath(skinFolder, archiveFileName(theme, number));
}

QString workingFolder(const QString& skinFolder, const QString& theme) {
  return joinPath(skinFolder, theme + QStringLiteral("_Gifs")) + QDir::separator();
}

QString objectGifPath(const QString& target, const QString& id) {
  return joinPath(target, QString::number(numericValue(id)) + QStringLiteral(".gif"));
}

std::optional<QByteArray> cutObject(const QByteArray& archive, long long offset, long long size) {
  if (offset < 0 || size < 0 || offset > archive.size() || size > archive.size() - offset) {
    return std::nullopt;
  }
  return archive.mid(offset, size);
}

std::optional<QByteArray> readWholeFile(const QString& path, QString* error) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    if (error) *error = f.errorString();
    return std::nullopt;
  }
  QByteArray bytes = f.readAll();
  if (f.error() != QFile::NoError) {
    if (error) *error = f.errorString();
    return std::nullopt;
  }
  return bytes;
}

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size() ||
      !f.flush()) {
    if (error) *error = f.errorString();
    return false;
  }
  return true;
}

}  // namespace corvela
