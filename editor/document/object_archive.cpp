#include "object_archive.h"

#include <algorithm>
#include <string>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "folder_guard.h"
#include "path_helpers.h"
#include "safe_write.h"
#include "text_number.h"

namespace corvela {

QString archiveFileName(const QString& theme, long long number) {
  return theme + (number == 0 ? QString() : QString::number(number)) + QStringLiteral(".dat");
}

QString archivePath(const QString& skinFolder, const QString& theme, long long number) {
  return pathInAnyCase(skinFolder, archiveFileName(theme, number));
}

QString backupFileName(const QString& theme) {
  return theme + QStringLiteral("_old.ski");
}

QString workingFolder(const QString& skinFolder, const QString& theme) {
  return joinPath(skinFolder, theme + QStringLiteral("_Gifs")) + QDir::separator();
}

QString objectGifName(QStringView id) {
  // Asked for every row of every load and check: the digits are written
  // straight into one string, not built and then grown.
  const auto number = std::to_string(numericValue(id));
  QString name(static_cast<qsizetype>(number.size()) + 4, Qt::Uninitialized);
  QChar* out = name.data();
  for (const char c : number) *out++ = QLatin1Char(c);
  for (const char c : {'.', 'g', 'i', 'f'}) *out++ = QLatin1Char(c);
  return name;
}

QString objectGifPath(const QString& target, const QString& id) {
  return joinPath(target, objectGifName(id));
}

bool objectFits(long long length, long long offset, long long size) {
  return offset >= 0 && size >= 0 && offset <= length && size <= length - offset;
}

std::optional<QByteArray> cutObject(const QByteArray& archive, long long offset, long long size) {
  if (!objectFits(archive.size(), offset, size)) return std::nullopt;
  return archive.mid(offset, size);
}

namespace {
// How much is read at once for small objects: a few dozen of a skin's
// images, never a large archive whole.
constexpr long long kReadAhead = 64 * 1024;
}  // namespace

ArchiveReader::ArchiveReader(QString skinFolder, QString theme)
    : folder_(std::move(skinFolder)), theme_(std::move(theme)) {}

ArchiveReader::Archive& ArchiveReader::archive(long long number) {
  auto found = open_.find(number);
  if (found != open_.end()) return found->second;
  Archive& a = open_[number];
  const auto moved = elsewhere_.find(number);
  const QString path =
      moved != elsewhere_.end() ? moved->second : archivePath(folder_, theme_, number);
  const QFileInfo info(path);
  a.exists = info.exists() || info.isSymLink();
  QString reason;
  if (!a.exists) {
    a.problem = QStringLiteral("mancante");
  } else if (std::optional<QString> link = outsideLinkReason(path, folder_)) {
    a.problem = *link;
  } else if (!a.file.open(path, &reason)) {
    a.problem = reason;
  } else if (a.file.size() > kMaxSkinBytes) {
    a.problem = tooLargeReason(a.file.size());
  }
  return a;
}

ArchiveReader::Object ArchiveReader::cut(long long number, long long offset, long long size) {
  Object o;
  Archive& a = archive(number);
  if (a.problem) {
    o.status = Status::NoArchive;
    o.reason = *a.problem;
    return o;
  }
  if (!objectFits(a.file.size(), offset, size)) {
    o.status = Status::Outside;
    return o;
  }
  const auto inWindow = [&a, offset, size] {
    return offset >= a.windowStart && offset - a.windowStart + size <= a.window.size();
  };
  if (!inWindow() && size < kReadAhead) {
    const long long count = std::min(kReadAhead, a.file.size() - offset);
    if (std::optional<QByteArray> stretch = a.file.read(offset, count, nullptr)) {
      a.windowStart = offset;
      a.window = std::move(*stretch);
    }
  }
  if (inWindow()) {
    o.status = Status::Ok;
    o.bytes = a.window.mid(offset - a.windowStart, size);
    return o;
  }
  std::optional<QByteArray> bytes = a.file.read(offset, size, &o.reason);
  if (!bytes) return o;
  o.status = Status::Ok;
  o.bytes = std::move(*bytes);
  return o;
}

std::optional<QString> ArchiveReader::problem(long long number) {
  return archive(number).problem;
}

bool ArchiveReader::exists(long long number) {
  return archive(number).exists;
}

long long ArchiveReader::length(long long number) {
  const Archive& a = archive(number);
  return a.problem ? 0 : a.file.size();
}

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error) {
  return replaceFile(path, bytes, error);
}

}  // namespace corvela
