#include "folder_files.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace corvela {

namespace {

// The wildcards of a pattern ("*.jpg;*.gif"), each compiled once.
std::vector<QRegularExpression> wildcardsOf(const QString& pattern) {
  std::vector<QRegularExpression> wildcards;
  for (const QString& part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString wildcard = part.trimmed();
    if (!wildcard.isEmpty())
      wildcards.push_back(QRegularExpression::fromWildcard(wildcard, Qt::CaseInsensitive));
  }
  return wildcards;
}

bool matchesAny(const QString& name, const std::vector<QRegularExpression>& wildcards) {
  return std::any_of(wildcards.begin(), wildcards.end(),
                     [&name](const QRegularExpression& w) { return w.match(name).hasMatch(); });
}

}  // namespace

bool matchesPattern(const QString& name, const QString& pattern) {
  return matchesAny(name, wildcardsOf(pattern));
}

QStringList matchingFiles(const QString& folder, const QString& pattern) {
  QStringList names;
  if (folder.isEmpty()) return names;
  const std::vector<QRegularExpression> wildcards = wildcardsOf(pattern);
  const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files, QDir::NoSort);
  for (const QFileInfo& info : entries) {
    if (matchesAny(info.fileName(), wildcards)) names.append(info.fileName());
  }
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
  });
  return names;
}

}  // namespace corvela
