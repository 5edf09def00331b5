#include "default_set.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "object_archive.h"
#include "path_helpers.h"

namespace corvela {

namespace {
const QString kDefaultFolderName = QStringLiteral("default");
}

QStringList defaultFolderCandidates(const QString& programFolder) {
  const QDir program(programFolder);
  return {QDir::cleanPath(program.filePath(kDefaultFolderName)),
          QDir::cleanPath(program.filePath(QStringLiteral(CORVELA_DATA_FROM_PROGRAM "/") +
                                           kDefaultFolderName))};
}

QString findDefaultFolder(const QString& programFolder) {
  for (const QString& candidate : defaultFolderCandidates(programFolder)) {
    if (QFileInfo(candidate).isDir()) return QDir::toNativeSeparators(candidate);
  }
  return {};
}

QString findDefaultFolder() {
  return findDefaultFolder(QCoreApplication::applicationDirPath());
}

QString defaultObjectPath(const QString& folder, const QString& id) {
  return objectGifPath(folder, id);
}

QString defaultColoursPath(const QString& folder) {
  return joinPath(folder, QStringLiteral("colors.txt"));
}

}  // namespace corvela
