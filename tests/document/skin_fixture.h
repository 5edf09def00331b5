#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>

#include "by_hand.h"
#include "skin_document.h"

// Readable QString values in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace corvela::test {

// A scratch skin folder: write a skin and its archives, load it, read the
// files back.
class SkinFolder {
 public:
  SkinFolder();
  QString path(const QString& name) const;
  void write(const QString& name, const QByteArray& bytes) const;
  // Lines joined with line feeds, each line ended by one.
  void writeSkin(const QStringList& lines,
                 const QString& name = QStringLiteral("vodafone.ski")) const;
  QByteArray read(const QString& name) const;
  bool exists(const QString& name) const;
  QStringList entries() const;  // recursive listing with sizes, to prove nothing changed
  LoadOutcome load(SkinDocument& doc, const QString& name = QStringLiteral("vodafone.ski")) const;

 private:
  QTemporaryDir dir_;
};

// `n` bytes that start like a GIF file and differ for every `seed`.
QByteArray fakeGif(int n, char seed);
QStringList readLines(const QByteArray& skin);

}  // namespace corvela::test
