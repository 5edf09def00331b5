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

// A plain file an earlier version left; a link there is not followed.
bool leftAtTop(const QString& path) {
  const PathStat st = pathStat(path, false);
  return st.exists && st.regular && !st.link;
}

QString skinCopyName(const QString& theme) {
  return theme + QStringLiteral("_orig.ski");
}

QString archiveCopyName(const QString& theme) {
  return QFileInfo(archiveFileName(theme, kPackedArchive)).completeBaseName() +
         QStringLiteral("_orig.dat");
}

QString unreadable(const QString& file, const QString& error) {
  return QStringLiteral("Impossibile leggere %1 per conservarne l'originale:\n%2").arg(file, error);
}

// Takes an original left at the top into the editor folder; one already
// there wins, and the one at the top goes only when it holds the same bytes,
// so that nothing an earlier version kept is lost.
std::optional<QString> takeIn(const QString& folder, const QString& name,
                              std::vector<OriginalCopy>& copies, QStringList& removals) {
  const QString top = joinPath(folder, name);
  if (!leftAtTop(top)) return std::nullopt;
  const QString hidden = joinPath(editorFolder(folder), name);
  QString error;
  std::optional<QByteArray> bytes = readRegularFile(top, &error);
  if (!bytes) return unreadable(top, error);
  if (taken(hidden)) {
    if (holdsExactly(hidden, *bytes)) removals << name;
    return std::nullopt;
  }
  copies.push_back({hidden, std::move(*bytes)});
  removals << name;
  return std::nullopt;
}

}  // namespace

FirstOriginalFiles firstOriginalFiles(const QString& folder, const QString& theme) {
  const FirstOriginalFiles kept = firstOriginalPlaces(folder, theme);
  auto where = [&](const QString& hidden) {
    for (const QString& path : {hidden, joinPath(folder, QFileInfo(hidden).fileName())}) {
      if (QFileInfo(path).isFile()) return path;
    }
    return QString();
  };
  return {where(kept.skin), where(kept.archive)};
}

FirstOriginalFiles firstOriginalPlaces(const QString& folder, const QString& theme) {
  return {joinPath(editorFolder(folder), skinCopyName(theme)),
          joinPath(editorFolder(folder), archiveCopyName(theme))};
}

QStringList firstOriginalPaths(const QString& folder, const QString& theme) {
  const FirstOriginalFiles places = firstOriginalPlaces(folder, theme);
  return {places.skin, places.archive, pathInAnyCase(folder, skinCopyName(theme)),
          pathInAnyCase(folder, archiveCopyName(theme))};
}

std::optional<QString> firstOriginals(const QString& folder, const QString& theme,
                                      const QByteArray& skinBytes,
                                      std::vector<OriginalCopy>& copies, QStringList& removals) {
  const FirstOriginalFiles places = firstOriginalPlaces(folder, theme);
  const bool savedBefore = taken(places.skin) || taken(joinPath(folder, skinCopyName(theme)));
  for (const QString& name : {archiveCopyName(theme), skinCopyName(theme)}) {
    if (std::optional<QString> problem = takeIn(folder, name, copies, removals)) return problem;
  }
  if (savedBefore) return std::nullopt;

  const QString archive = archivePath(folder, theme, kPackedArchive);
  if (QFileInfo(archive).exists() && !outsideLinkReason(archive, folder) &&
      !taken(places.archive)) {
    QString error;
    std::optional<QByteArray> bytes = readRegularFile(archive, &error);
    if (!bytes) return unreadable(archive, error);
    copies.push_back({places.archive, std::move(*bytes)});
  }
  copies.push_back({places.skin, skinBytes});
  return std::nullopt;
}

}  // namespace corvela
