#include "working_record.h"

#include <QCryptographicHash>
#include <QList>
#include <algorithm>

#include "path_helpers.h"
#include "safe_read.h"
#include "safe_write.h"

namespace corvela {

namespace {

// Some hundred lines of a few dozen bytes; anything far larger is no record.
constexpr long long kMaxRecordBytes = 1024 * 1024;
constexpr qsizetype kDigestLength = 40;

QString recordPath(const QString& skinFolder, const QString& theme) {
  return joinPath(editorFolder(skinFolder), theme + kRecordSuffix);
}

QByteArray digestOf(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

}  // namespace

WorkingRecord WorkingRecord::read(const QString& skinFolder, const QString& theme) {
  WorkingRecord record;
  if (!editorFolderUsable(skinFolder)) return record;
  const std::optional<QByteArray> text =
      readRegularFile(recordPath(skinFolder, theme), nullptr, kMaxRecordBytes);
  if (!text) return record;
  for (const QByteArray& line : text->split('\n')) {
    // "<40 hex digits>  <name>"; a line of any other form is skipped.
    if (line.size() <= kDigestLength + 2 || line.mid(kDigestLength, 2) != "  ") continue;
    const QByteArray digest = line.left(kDigestLength);
    const bool hex = std::all_of(digest.begin(), digest.end(), [](char c) {
      return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    });
    if (hex) record.digests_.insert(QString::fromUtf8(line.mid(kDigestLength + 2)), digest);
  }
  return record;
}

bool WorkingRecord::leftAsWritten(const QString& name, const QByteArray& bytes) const {
  const auto it = digests_.constFind(name);
  return it != digests_.cend() && *it == digestOf(bytes);
}

void WorkingRecord::note(const QString& name, const QByteArray& bytes) {
  digests_.insert(name, digestOf(bytes));
}

void WorkingRecord::write(const QString& skinFolder, const QString& theme) const {
  if (!editorFolderUsable(skinFolder)) return;
  QList<QString> names = digests_.keys();
  std::sort(names.begin(), names.end());
  QByteArray text;
  for (const QString& name : names) text += digests_.value(name) + "  " + name.toUtf8() + '\n';
  replaceFile(recordPath(skinFolder, theme), text, nullptr);
}

}  // namespace corvela
