#include "first_originals.h"

#include <QFileInfo>

#include "document_names.h"
#include "folder_guard.h"
#include "object_archive.h"
#include "path_helpers.h"
#include "safe_read.h"

namespace corvela {

namespace {

// A dangling link counts too: whatever stands there is not ours to replace.
bool taken(const QString& path) {
  const QFileInfo info(path);
  return info.exists() || info.isSymLink();
}

}  // namespace

FirstOriginalFiles firstOriginalFiles(const QString& folder, const QString& theme) {
  return {joinPath(folder, theme + QStringLiteral("_orig.ski")),
          joinPath(folder, QFileInfo(archiveFileName(theme, kPackedArchive)).completeBaseName() +
                               QStringLiteral("_orig.dat"))};
}

std::optional<QString> firstOriginals(const QString& folder, const QString& theme,
                                      const QByteArray& skinBytes,
                                      std::vector<OriginalCopy>& copies) {
  const auto [skinCopy, archiveCopy] = firstOriginalFiles(folder, theme);
  if (taken(skinCopy)) return std::nullopt;

  const QString archive = archivePath(folder, theme, kPackedArchive);
  if (QFileInfo(archive).exists() && !outsideLinkReason(archive, folder) && !taken(archiveCopy)) {
    QString error;
    std::optional<QByteArray> bytes = readRegularFile(archive, &error);
    if (!bytes) {
      return QStringLiteral("Impossibile leggere %1 per conservarne l'originale:\n%2")
          .arg(archive, error);
    }
    copies.push_back({archiveCopy, std::move(*bytes)});
  }
  copies.push_back({skinCopy, skinBytes});
  return std::nullopt;
}

}  // namespace corvela
