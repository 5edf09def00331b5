#include "folder_guard.h"

#include <dirent.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "path_helpers.h"

namespace corvela {

namespace {
QString withoutTrailingSeparator(QString path) {
  while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(QDir::separator()))) {
    path.chop(1);
  }
  return path;
}
}  // namespace

bool resolvesInside(const QString& path, const QString& folder) {
  const QString base = QFileInfo(withoutTrailingSeparator(folder)).canonicalFilePath();
  const QString real = QFileInfo(withoutTrailingSeparator(path)).canonicalFilePath();
  if (base.isEmpty() || real.isEmpty()) return false;
  return real == base || real.startsWith(base + u'/');
}

std::optional<QString> outsideLinkReason(const QString& path, const QString& skinFolder) {
  const QFileInfo info(path);
  if (!info.isSymLink() || resolvesInside(path, skinFolder)) return std::nullopt;
  return QStringLiteral("è un collegamento a %1, fuori dalla cartella della skin")
      .arg(info.symLinkTarget().isEmpty() ? QStringLiteral("un file mancante")
                                          : info.symLinkTarget());
}

std::optional<QString> workingFolderReason(const QString& target, const QString& skinFolder) {
  const QString folder = withoutTrailingSeparator(target);
  const QFileInfo info(folder);
  if (!info.exists() && !info.isSymLink()) return std::nullopt;
  if (resolvesInside(folder, skinFolder)) return std::nullopt;
  return QStringLiteral(
             "La cartella di lavoro %1 è un collegamento a %2, fuori dalla cartella della skin: "
             "non viene usata.")
      .arg(folder, info.isSymLink() ? info.symLinkTarget() : info.canonicalFilePath());
}

QStringList usableFiles(const QString& folder, const QString& skinFolder) {
  QStringList names;
  DIR* dir = ::opendir(QFile::encodeName(folder).constData());
  if (!dir) return names;
  while (const dirent* e = ::readdir(dir)) {
    if (e->d_name[0] == '.') continue;  // hidden, as FileExist has it
    const QString name = QFile::decodeName(e->d_name);
    if (e->d_type == DT_REG) {
      names << name;
      continue;
    }
    if (e->d_type != DT_LNK && e->d_type != DT_UNKNOWN) continue;
    const QString path = joinPath(folder, name);
    const QFileInfo info(path);
    if (info.isFile() && (!info.isSymLink() || resolvesInside(path, skinFolder))) names << name;
  }
  ::closedir(dir);
  return names;
}

QStringList linksLeadingOut(const QString& folder, const QString& skinFolder) {
  QStringList names;
  DIR* dir = ::opendir(QFile::encodeName(folder).constData());
  if (!dir) return names;
  while (const dirent* e = ::readdir(dir)) {
    if (e->d_name[0] == '.' || (e->d_type != DT_LNK && e->d_type != DT_UNKNOWN)) continue;
    const QString name = QFile::decodeName(e->d_name);
    const QString path = joinPath(folder, name);
    if (QFileInfo(path).isSymLink() && !resolvesInside(path, skinFolder)) names << name;
  }
  ::closedir(dir);
  return names;
}

}  // namespace corvela
