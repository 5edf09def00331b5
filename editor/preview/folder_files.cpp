#include "folder_files.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace corvela {

bool matchesPattern(const QString& name, const QString& pattern) {
  const QStringList parts = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  return std::any_of(parts.begin(), parts.end(), [&name](const QString& part) {
    const QString wildcard = part.trimmed();
    if (wildcard.isEmpty()) return false;
    return QRegularExpression::fromWildcard(wildcard, Qt::CaseInsensitive).match(name).hasMatch();
  });
}

QStringList matchingFiles(const QString& folder, const QString& pattern) {
  QStringList names;
  if (folder.isEmpty()) return names;
  const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files, QDir::NoSort);
  for (const QFileInfo& info : entries) {
    if (matchesPattern(info.fileName(), pattern)) names.append(info.fileName());
  }
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
  });
  return names;
}

}  // namespace corvela
