#pragma once
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <ostream>
#include <vector>

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace corvela::clitest {

// A valid one-pixel GIF89a of exactly `size` bytes (35, or 40 and more): the
// palette colour varies with `shade` and a comment block pads it out, so
// every object of a fixture has its own bytes and its own length. Its
// header may claim a larger `side`, which decodes all the same.
QByteArray tinyGif(int shade, int size = 35, QSize claimed = QSize(1, 1));
// A 48-byte GIF whose header and frame claim `side` x `side` pixels.
QByteArray claimingGif(int side);

// A scratch folder holding one skin.
class Folder {
 public:
  Folder();
  QString path() const { return dir_.path(); }
  QString file(const QString& name) const { return dir_.path() + u'/' + name; }
  void write(const QString& name, const QByteArray& bytes) const;
  // Each line followed by a line feed, Latin-1 as the reader expects.
  void writeSkin(const QStringList& lines,
                 const QString& name = QStringLiteral("vodafone.ski")) const;
  QByteArray read(const QString& name) const;
  bool exists(const QString& name) const;
  // Every file and folder under the folder with the size and digest of its
  // bytes, to prove that a run left the disk untouched.
  QMap<QString, QString> snapshot() const;

 private:
  QTemporaryDir dir_;
};

struct ToolRun {
  int exit = -1;
  QString out;
  QString err;
};

// Runs `program` with `args`, from `workdir` when given, with corvela-skin's
// folder first on PATH (as an installed tool would be).
ToolRun runProgram(const QString& program, const QStringList& args,
                   const QString& workdir = QString());
// Runs corvela-skin with `args`, from `workdir` when given.
ToolRun runTool(const QStringList& args, const QString& workdir = QString());
// Starts one corvela-skin per argument list at once and waits for them all.
std::vector<ToolRun> runTogether(const std::vector<QStringList>& runs);

// Tab-separated output taken apart: one entry per line, cells kept as they
// are (empty cells included).
QList<QStringList> table(const QString& out);
// The rows of a listing keyed by their first cell, the header left out.
std::map<QString, QStringList> rowsById(const QString& out);

// A complete operator skin: every record the preview looks for, objects in
// archives 0, 3 and 14, all of them decodable GIFs.
struct SkinFixture {
  QStringList lines;
  std::map<int, QByteArray> archives;  // archive number -> bytes
  std::map<int, QByteArray> objects;   // object id -> its GIF bytes

  // Appends object `id` to archive `archive` and its line to the skin.
  void addObject(int id, int archive, const QByteArray& gif);
  void writeTo(const Folder& folder, const QString& name = QStringLiteral("vodafone.ski")) const;
};
SkinFixture completeSkin();

QString demoDir();
bool demoExists();

}  // namespace corvela::clitest
