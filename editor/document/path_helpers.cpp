#include "path_helpers.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace corvela {

namespace {
bool isSeparator(QChar c) {
  return c == u'/' || c == u'\\';
}

qsizetype lastSeparator(const QString& p) {
  for (qsizetype i = p.size() - 1; i >= 0; --i) {
    if (isSeparator(p[i])) return i;
  }
  return -1;
}

bool isNetworkPath(const QString& p) {
  return p.size() >= 2 && isSeparator(p[0]) && isSeparator(p[1]);
}
}  // namespace

QString SplitPath(const QString& sPath, int Part) {
  const qsizetype slash = lastSeparator(sPath);
  const QString fileName = sPath.mid(slash + 1);
  const qsizetype dot = fileName.indexOf(u'.');
  switch (Part) {
    case NetworkShare: {
      if (!isNetworkPath(sPath)) return {};
      qsizetype end = 2;
      while (end < sPath.size() && !isSeparator(sPath[end])) ++end;
      return sPath.mid(2, end - 2 + 1);
    }
    case Drive:
      return isNetworkPath(sPath) ? QString() : sPath.left(2);
    case Folder:
      return slash < 0 ? QString() : sPath.left(slash);
    case BaseName:
      if (slash < 0) return {};
      return dot < 0 ? fileName : fileName.left(dot);
    case Extension:
      return dot < 0 ? QString() : fileName.mid(dot + 1);
    default:
      return {};
  }
}

bool FileExist(const QString& path) {
  if (path.isEmpty()) return false;
  if (path.contains(u'*') || path.contains(u'?')) {
    const QFileInfo pattern(path);
    const QDir dir = pattern.dir();
    return !dir.entryList({pattern.fileName()}, QDir::Files).isEmpty();
  }
  const QFileInfo info(path);
  return info.isFile() && !info.isHidden();
}

QString joinPath(const QString& folder, const QString& name) {
  // Only the platform's own separators end a folder: where '/' is the
  // separator, a trailing backslash belongs to the folder's name.
  if (folder.isEmpty() || folder.back() == u'/' || folder.back() == QDir::separator()) {
    return folder + name;
  }
  return folder + QDir::separator() + name;
}

QString editorFolder(const QString& skinFolder) {
  return joinPath(skinFolder, kEditorFolderName);
}

bool editorFolderUsable(const QString& skinFolder) {
  const QFileInfo info(editorFolder(skinFolder));
  return info.isDir() && !info.isSymLink();
}

bool isSkinBackupName(const QString& fileName) {
  return fileName.endsWith(QStringLiteral("_old.ski"), Qt::CaseInsensitive) ||
         fileName.endsWith(QStringLiteral("_orig.ski"), Qt::CaseInsensitive);
}

QString pathInAnyCase(const QString& folder, const QString& name, QStringList* clashes) {
  if (clashes) clashes->clear();
  const QString exact = joinPath(folder, name);
  const QFileInfo info(exact);
  if (info.exists() || info.isSymLink()) return exact;
  QStringList matches;
  QDirIterator entries(folder,
                       QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  while (entries.hasNext()) {
    entries.next();
    if (entries.fileName().compare(name, Qt::CaseInsensitive) == 0) matches << entries.fileName();
  }
  if (matches.size() == 1) return joinPath(folder, matches[0]);
  if (clashes && matches.size() > 1) {
    matches.sort();
    *clashes = matches;
  }
  return exact;
}

std::optional<QString> nameClash(const QString& folder, const QString& name) {
  QStringList clashes;
  pathInAnyCase(folder, name, &clashes);
  if (clashes.isEmpty()) return std::nullopt;
  return QStringLiteral(
             "Nella cartella %1 più file si chiamano %2 a meno di maiuscole e minuscole (%3): "
             "nessuno di essi è usato.")
      .arg(folder, name, clashes.join(QStringLiteral(", ")));
}

}  // namespace corvela
