#include "cli_support.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <memory>
#include <stdexcept>

#include "skin_document.h"

namespace corvela::clitest {

QByteArray tinyGif(int shade, int size, QSize claimed) {
  if (size != 35 && size < 40) throw std::invalid_argument("tinyGif: 35 or at least 40 bytes");
  const char s = static_cast<char>(shade & 0xFF);
  QByteArray gif("GIF89a");
  gif += QByteArray("\x01\x00\x01\x00\x80\x00\x00", 7);  // 1x1, two-colour global table
  gif += s;
  gif += static_cast<char>(255 - (shade & 0xFF));
  gif += s;
  gif += QByteArray(3, '\0');
  int padding = size - 35;
  if (padding > 0) {
    gif += QByteArray("\x21\xFE", 2);
    int payload = padding - 3;  // introducer, label and terminator
    while (payload > 0) {
      int len = std::min(255, payload - 1);
      if (payload - (len + 1) == 1) --len;  // never leave a lone byte behind
      gif += static_cast<char>(len);
      gif += QByteArray(len, static_cast<char>('a' + shade % 26));
      payload -= len + 1;
    }
    gif += '\0';
  }
  gif += QByteArray("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10);
  gif += QByteArray("\x02\x02\x44\x01\x00", 5);
  gif += '\x3B';
  if (gif.size() != size) throw std::logic_error("tinyGif: wrong size");
  // The screen takes the size; the one pixel drawn stays a whole frame.
  for (const auto& [at, value] :
       {std::pair{qsizetype(6), claimed.width()}, {qsizetype(8), claimed.height()}}) {
    gif[at] = static_cast<char>(value & 0xFF);
    gif[at + 1] = static_cast<char>((value >> 8) & 0xFF);
  }
  return gif;
}

QByteArray claimingGif(int side) {
  QByteArray gif = tinyGif(1, 48, QSize(side, side));
  const qsizetype frame = gif.size() - 16;  // the image descriptor
  for (qsizetype at : {frame + 5, frame + 7}) {
    gif[at] = static_cast<char>(side & 0xFF);
    gif[at + 1] = static_cast<char>((side >> 8) & 0xFF);
  }
  return gif;
}

Folder::Folder() {
  if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
}

void Folder::write(const QString& name, const QByteArray& bytes) const {
  const QString path = file(name);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
    throw std::runtime_error("cannot write fixture " + path.toStdString());
  }
}

void Folder::writeSkin(const QStringList& lines, const QString& name) const {
  QByteArray text;
  for (const QString& l : lines) text += l.toLatin1() + '\n';
  write(name, text);
}

QByteArray Folder::read(const QString& name) const {
  QFile f(file(name));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

bool Folder::exists(const QString& name) const {
  return QFileInfo::exists(file(name));
}

QMap<QString, QString> Folder::snapshot() const {
  QMap<QString, QString> all;
  QDirIterator it(path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  const QDir root(path());
  while (it.hasNext()) {
    const QString p = it.next();
    const QFileInfo info(p);
    QString content = QStringLiteral("<folder>");
    if (info.isFile()) {
      QFile f(p);
      const QByteArray bytes =
          f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
      content = QStringLiteral("%1 bytes, sha1 %2")
                    .arg(bytes.size())
                    .arg(QString::fromLatin1(
                        QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()));
    }
    all.insert(root.relativeFilePath(p), content);
  }
  return all;
}

ToolRun runProgram(const QString& program, const QStringList& args, const QString& workdir) {
  QProcess p;
  if (!workdir.isEmpty()) p.setWorkingDirectory(workdir);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("PATH"), QFileInfo(QStringLiteral(CORVELA_SKIN_EXE)).absolutePath() +
                                         u':' + env.value(QStringLiteral("PATH")));
  p.setProcessEnvironment(env);
  p.start(program, args);
  ToolRun run;
  if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) {
    ADD_FAILURE() << program.toStdString() << " did not finish: " << args.join(' ').toStdString();
    p.kill();
    p.waitForFinished();
    return run;
  }
  run.exit = p.exitCode();
  run.out = QString::fromUtf8(p.readAllStandardOutput());
  run.err = QString::fromUtf8(p.readAllStandardError());
  return run;
}

ToolRun runTool(const QStringList& args, const QString& workdir) {
  return runProgram(QStringLiteral(CORVELA_SKIN_EXE), args, workdir);
}

std::vector<ToolRun> runTogether(const std::vector<QStringList>& runs) {
  std::vector<std::unique_ptr<QProcess>> started;
  for (const QStringList& args : runs) {
    started.push_back(std::make_unique<QProcess>());
    started.back()->start(QStringLiteral(CORVELA_SKIN_EXE), args);
  }
  std::vector<ToolRun> done(runs.size());
  for (size_t i = 0; i < runs.size(); ++i) {
    QProcess& p = *started[i];
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) {
      ADD_FAILURE() << "corvela-skin did not finish: " << runs[i].join(' ').toStdString();
      p.kill();
      p.waitForFinished();
      continue;
    }
    done[i] = {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
               QString::fromUtf8(p.readAllStandardError())};
  }
  return done;
}

QList<QStringList> table(const QString& out) {
  QList<QStringList> rows;
  QStringList lines = out.split(u'\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  for (const QString& l : lines) rows << l.split(u'\t');
  return rows;
}

std::map<QString, QStringList> rowsById(const QString& out) {
  std::map<QString, QStringList> rows;
  const QList<QStringList> t = table(out);
  for (qsizetype i = 1; i < t.size(); ++i) rows[t[i][0]] = t[i];
  return rows;
}

void SkinFixture::addObject(int id, int archive, const QByteArray& gif) {
  QByteArray& a = archives[archive];
  lines << QStringLiteral("5 %1 %2 %3 %4").arg(id).arg(a.size()).arg(gif.size()).arg(archive);
  a += gif;
  objects[id] = gif;
}

void SkinFixture::writeTo(const Folder& folder, const QString& name) const {
  folder.writeSkin(lines, name);
  const QString theme = name.left(name.indexOf(u'.'));
  for (const auto& [number, bytes] : archives) {
    folder.write(
        theme + (number == 0 ? QString() : QString::number(number)) + QStringLiteral(".dat"),
        bytes);
  }
}

SkinFixture completeSkin() {
  SkinFixture s;
  s.lines = QStringList{
      "SKI1",
      "0 41 98",
      "4 255 255 255 0",
      "2 8 30",
      "2 11 20",
      "4 595 0 0 128 0",
      "4 579 60 60 60 0",
      "4 9 230 0 0 0",
      "4 12 40 40 48 0",
      "0 12 7",
      "1 570 5 15 170 35",
      "1 571 5 36 170 56",
      "1 562 0 190 43 219",
      "1 563 44 190 87 219",
      "1 564 88 190 131 219",
      "1 565 132 190 175 219",
      "1 566 0 190 43 219",
      "1 567 44 190 87 219",
      "1 568 88 190 131 219",
      "1 569 132 190 175 219",
      "1 574 100 60 170 80",
      "1 6 40 60 136 156",
      "0 3 3",
  };
  // Archive 3 starts with bytes no line refers to, which is allowed.
  s.archives[3] = QByteArray(17, 'x');
  int shade = 10;
  // Each the size of its object in the default set, which check expects
  // of a skin that has no first original yet.
  const std::map<int, QSize> sizes{{652, {79, 22}}, {674, {21, 22}}, {664, {77, 22}},
                                   {630, {79, 22}}, {632, {21, 22}}, {634, {77, 22}},
                                   {675, {20, 22}}, {631, {79, 22}}, {633, {21, 22}},
                                   {635, {77, 22}}, {7, {80, 80}}};
  auto add = [&](int id, int archive, int size) {
    ++shade;
    s.addObject(id, archive, tinyGif(shade, size + shade, sizes.at(id)));
  };
  for (int id : {652, 674, 664, 630, 632}) add(id, 0, 40);
  for (int id : {634, 675, 631, 633}) add(id, 3, 300);
  for (int id : {635, 7}) add(id, 14, 1000);
  s.lines << "2 5 1"
          << "3 1 0 0"
          << "6 0 1";
  return s;
}

QString demoDir() {
  return QStringLiteral(CORVELA_DEMO_DIR);
}

bool demoExists() {
  return QFileInfo::exists(demoDir() + QStringLiteral("/vodafone.ski"));
}

}  // namespace corvela::clitest

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
