#include "skin_fixture.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <stdexcept>

namespace corvela::test {

SkinFolder::SkinFolder() {
  if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
}

QString SkinFolder::path(const QString& name) const {
  return dir_.filePath(name);
}

void SkinFolder::write(const QString& name, const QByteArray& bytes) const {
  QFile f(path(name));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
    throw std::runtime_error("cannot write fixture");
  }
}

void SkinFolder::writeSkin(const QStringList& lines, const QString& name) const {
  QByteArray text;
  for (const QString& l : lines) text += l.toLatin1() + '\n';
  write(name, text);
}

QByteArray SkinFolder::read(const QString& name) const {
  QFile f(path(name));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

bool SkinFolder::exists(const QString& name) const {
  return QFileInfo::exists(path(name));
}

QStringList SkinFolder::entries() const {
  QStringList out;
  QDirIterator it(dir_.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo fi(it.next());
    out << fi.filePath().mid(dir_.path().size()) + u' ' +
               QString::number(fi.isDir() ? -1 : fi.size());
  }
  out.sort();
  return out;
}

LoadOutcome SkinFolder::load(SkinDocument& doc, const QString& name) const {
  return doc.load(path(name));
}

QByteArray fakeGif(int n, char seed) {
  // From 40 bytes on, a real one-pixel GIF padded with a comment, since the
  // save packs only images that decode; shorter ones only look like a GIF.
  if (n < 40) {
    QByteArray b("GIF89a");
    while (b.size() < n) b.append(static_cast<char>(seed + b.size() % 7));
    return b.left(n);
  }
  QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
  gif += seed;
  gif += QByteArray(5, '\0');
  gif += QByteArray("\x21\xFE", 2);
  int payload = n - 35 - 3;  // the comment's introducer, label and terminator
  while (payload > 0) {
    int len = std::min(255, payload - 1);
    if (payload - (len + 1) == 1) --len;  // never leave a lone byte behind
    gif += static_cast<char>(len);
    gif += QByteArray(len, seed);
    payload -= len + 1;
  }
  gif += '\0';
  gif += QByteArray("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B", 16);
  return gif;
}

QStringList readLines(const QByteArray& skin) {
  QStringList lines = QString::fromLatin1(skin).split(u'\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace corvela::test
