#include "skin_fixture.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
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
  QByteArray b("GIF89a");
  while (b.size() < n) b.append(static_cast<char>(seed + b.size() % 7));
  return b.left(n);
}

QStringList readLines(const QByteArray& skin) {
  QStringList lines = QString::fromLatin1(skin).split(u'\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace corvela::test
