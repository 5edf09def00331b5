// corvela-skin on what a downloaded skin package may hold: a full disk,
// FIFOs, huge or endless archives, links leading out of the folder, tabs and
// extreme numbers. Each run ends promptly, says what failed and why, and
// leaves everything outside the skin's folder as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "cli_support.h"

using namespace corvela::clitest;

namespace {

// The tool run by the shell, so that limits can be set first; a run that
// hangs fails the test after a few seconds instead of blocking the suite.
ToolRun runLimited(const QString& limits, const QStringList& args, const QString& workdir) {
  QProcess p;
  p.setWorkingDirectory(workdir);
  p.start(QStringLiteral("bash"),
          QStringList{QStringLiteral("-c"), limits + QStringLiteral("; exec \"$@\""),
                      QStringLiteral("bash"), QStringLiteral(CORVELA_SKIN_EXE)} +
              args);
  ToolRun run;
  if (!p.waitForFinished(10000)) {
    ADD_FAILURE() << "corvela-skin hangs: " << args.join(' ').toStdString();
    p.kill();
    p.waitForFinished();
    return run;
  }
  run.exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  run.out = QString::fromUtf8(p.readAllStandardOutput());
  run.err = QString::fromUtf8(p.readAllStandardError());
  return run;
}

// A memory limit far below the huge archive, except where the sanitizer
// needs its own vast address space.
#ifdef __SANITIZE_ADDRESS__
const QString kMemoryLimit = QStringLiteral("true");
#else
const QString kMemoryLimit = QStringLiteral("ulimit -v 1000000");
#endif

void makeFifo(const QString& path) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
}

}  // namespace

TEST(Hostile, AFileSizeLimitMakesTheSaveFailAndKeepsTheBackup) {
  Folder f;
  QStringList lines{"SKI1"};
  for (int i = 0; i < 12; ++i) lines << QStringLiteral("5 %1 0 1000 14").arg(100 + i);
  f.writeSkin(lines);
  f.write("vodafone14.dat", QByteArray(1000, 'g'));
  f.write("vodafone_old.ski", "SKI1\nthe only backup\n");
  QDir().mkpath(f.file("vodafone_Gifs"));  // made by every load
  const auto before = f.snapshot();
  // The last limit comes with SIGXFSZ as it is by default, which kills a
  // program that does not ignore it.
  for (const char* limit :
       {"ulimit -f 8; trap '' XFSZ", "ulimit -f 4; trap '' XFSZ", "ulimit -f 8"}) {
    SCOPED_TRACE(limit);
    const ToolRun r =
        runLimited(limit, {"edit", "vodafone.ski", "--whites-to-transparent"}, f.path());
    EXPECT_EQ(r.exit, 1) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(f.file("vodafone14.dat"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("File too large")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("Unknown error"));
    EXPECT_EQ(f.snapshot(), before);
  }
}

TEST(Hostile, AnExtractCutShortLeavesNoCutShortImage) {
  Folder f;
  const QByteArray gif = tinyGif(4, 3000);
  f.writeSkin({"SKI1", QStringLiteral("5 1 0 %1 0").arg(gif.size())});
  f.write("vodafone.dat", gif);
  const ToolRun r = runLimited("ulimit -f 2; trap '' XFSZ", {"extract", "vodafone.ski"}, f.path());
  EXPECT_EQ(r.exit, 1);
  EXPECT_TRUE(
      r.err.contains(f.file("vodafone_Gifs/1.gif") + ": file troppo grande (File too large)"))
      << r.err.toStdString();
  EXPECT_TRUE(QDir(f.file("vodafone_Gifs")).isEmpty());
}

TEST(Hostile, ArchivesThatAreNoRegularFilesOrTooLargeAreRefusedPromptly) {
  Folder f;
  f.writeSkin({"SKI1", "5 1 0 35 3", "5 2 0 35 5", "5 3 0 35 6", "5 4 0 35 14"});
  makeFifo(f.file("vodafone3.dat"));
  makeFifo(f.file("vodafone14.dat"));
  ASSERT_TRUE(QFile::link("/dev/zero", f.file("vodafone5.dat")));
  {
    QFile huge(f.file("vodafone6.dat"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(3LL * 1024 * 1024 * 1024));  // sparse: no disk is used
  }
  const ToolRun extract = runLimited(kMemoryLimit, {"extract", "vodafone.ski"}, f.path());
  EXPECT_EQ(extract.exit, 1);
  for (const char* reason :
       {"vodafone3.dat: non è un file regolare", "vodafone5.dat: è un collegamento a /dev/zero",
        "vodafone6.dat: 3221225472 byte, oltre il limite", "vodafone14.dat: non è un file"}) {
    EXPECT_TRUE(extract.err.contains(reason)) << reason << "\n" << extract.err.toStdString();
  }
  const ToolRun check = runLimited("true", {"check", "vodafone.ski"}, f.path());
  EXPECT_EQ(check.exit, 1);
  EXPECT_TRUE(check.out.contains("non è un file regolare")) << check.out.toStdString();
  const ToolRun save = runLimited("true", {"save", "vodafone.ski"}, f.path());
  EXPECT_EQ(save.exit, 1);
  EXPECT_TRUE(save.err.contains("vodafone14.dat (non è un file regolare)"))
      << save.err.toStdString();
  EXPECT_FALSE(f.exists("vodafone_old.ski"));
}

TEST(Hostile, ExtractNeverWritesThroughALinkOutOfTheFolder) {
  Folder f, outside;
  const QByteArray gif = tinyGif(1);
  f.writeSkin({"SKI1", QStringLiteral("5 1 0 %1 0").arg(gif.size()),
               QStringLiteral("5 2 0 %1 0").arg(gif.size())});
  f.write("vodafone.dat", gif);
  outside.write("precious.txt", "keep me");
  f.write("vodafone_Gifs/keep", "");
  ASSERT_TRUE(QFile::link(outside.file("precious.txt"), f.file("vodafone_Gifs/1.gif")));
  ASSERT_TRUE(QFile::link(outside.file("created.gif"), f.file("vodafone_Gifs/2.gif")));
  const auto listed = rowsById(runTool({"objects", f.file("vodafone.ski")}).out);
  EXPECT_EQ(listed.at("0001").value(5), "Non trovata");
  const ToolRun r = runTool({"extract", f.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 0) << r.err.toStdString();
  EXPECT_EQ(outside.read("precious.txt"), "keep me");
  EXPECT_FALSE(outside.exists("created.gif"));
  for (const char* name : {"vodafone_Gifs/1.gif", "vodafone_Gifs/2.gif"}) {
    EXPECT_FALSE(QFileInfo(f.file(name)).isSymLink());
    EXPECT_EQ(f.read(name), gif);
  }
}

TEST(Hostile, AWorkingFolderLinkedOutsideIsNotUsed) {
  Folder f, outside;
  const QByteArray gif = tinyGif(2);
  f.writeSkin({"SKI1", QStringLiteral("5 1 0 %1 14").arg(gif.size())});
  f.write("vodafone14.dat", gif);
  outside.write("1.gif", tinyGif(3));
  ASSERT_TRUE(QFile::link(outside.path(), f.file("vodafone_Gifs")));
  const auto outsideBefore = outside.snapshot();

  const ToolRun extract = runTool({"extract", f.file("vodafone.ski")});
  EXPECT_EQ(extract.exit, 1);
  EXPECT_TRUE(extract.err.contains(f.file("vodafone_Gifs"))) << extract.err.toStdString();
  EXPECT_TRUE(extract.err.contains("fuori dalla cartella della skin"));
  // The save neither packs the outside image nor writes beside it.
  const ToolRun save = runTool({"save", f.file("vodafone.ski")});
  EXPECT_EQ(save.exit, 0) << save.err.toStdString();
  EXPECT_EQ(f.read("vodafone14.dat"), gif);
  EXPECT_EQ(outside.snapshot(), outsideBefore);
}

TEST(Hostile, ListingsAndMessagesEscapeFileTextAndWidthsDoNotWrap) {
  Folder f;
  f.writeSkin({"SKI1", "5 7\t1 0 35 0", "3 a\\b\tc",
               "1 9 -99999999999999999999 0 99999999999999999999 5",
               QStringLiteral("3 \x1B]0;x\x07") + QChar(0x9B) + "2J\x7F", "4 1 2 3 4 0 \x1B[2J",
               "3 " + QString(5000, u'a')});
  f.write("scheme.txt", "1,2,3,4,0,\x1B[2J\n");
  for (const char* command : {"objects", "tree", "rects"}) {
    const ToolRun r = runTool({command, f.file("vodafone.ski")});
    const QList<QStringList> rows = table(r.out);
    ASSERT_GE(rows.size(), 2) << command;
    for (const QStringList& row : rows) EXPECT_EQ(row.size(), rows[0].size()) << command;
  }
  const ToolRun tree = runTool({"tree", f.file("vodafone.ski")});
  EXPECT_TRUE(tree.out.contains("5 7\\t1 0 35 0")) << tree.out.toStdString();
  EXPECT_TRUE(tree.out.contains("3 a\\\\b\\tc"));
  EXPECT_TRUE(tree.out.contains("3 \\x1B]0;x\\x07\\x9B2J\\x7F")) << tree.out.toStdString();
  EXPECT_TRUE(tree.out.contains("3 " + QString(3998, u'a') + "…\t")) << "a long line is cut";
  const QString skin = f.file("vodafone.ski");
  for (const QStringList& args : {QStringList{"tree", skin},
                                  {"check", skin},
                                  {"edit", skin, "--default-colours", f.file("scheme.txt")}}) {
    const ToolRun r = runTool(args);
    EXPECT_TRUE(r.out.contains("\\x1B") || r.err.contains("\\x1B")) << args[0].toStdString();
    for (const QChar c : r.out + r.err) {
      EXPECT_FALSE(c.category() == QChar::Other_Control && c != u'\t' && c != u'\n')
          << args[0].toStdString() << " prints control code " << int{c.unicode()};
    }
  }

  const ToolRun rects = runTool({"rects", f.file("vodafone.ski")});
  const QStringList row = table(rects.out).value(1);
  EXPECT_GT(row.value(5).toLongLong(), 0) << row.join('|').toStdString();

  // A skin file far larger than any real one is refused before it is read.
  f.write("vodafone.ski", "SKI1\n3 " + QByteArray(4 * 1024 * 1024, 'a') + "\n");
  const ToolRun big = runTool({"tree", skin});
  EXPECT_EQ(big.exit, 2);
  EXPECT_TRUE(big.err.contains("4194312 byte")) << big.err.toStdString();
}

TEST(Hostile, CheckReportsLinesTheSaveWouldRewrite) {
  Folder f;
  f.writeSkin({"SKI1", "0 41 98", "4 255 255 255 0", "1 562  0 190 43 219", "4 0595 1 2 3 0",
               "1 7 1 2 3 4 99"});
  const ToolRun r = runTool({"check", f.file("vodafone.ski")});
  EXPECT_TRUE(
      r.out.contains("riga 3: il salvataggio riscrive \"1 562  0 190 43 219\" come \"1 "
                     "562 0 0 190 43\""))
      << r.out.toStdString();
  EXPECT_TRUE(r.out.contains("riga 5: il salvataggio riscrive"));
  EXPECT_FALSE(r.out.contains("riga 4: il salvataggio")) << "leading zeros read alike";
}

TEST(Hostile, RenderWritesOnlyANewNameOrAPngOutsideTheSkinsFiles) {
  Folder f, other;
  SkinFixture skin = completeSkin();
  skin.writeTo(f);
  f.write("vodafone_Gifs/630.gif", claimingGif(5790));
  ASSERT_TRUE(QDir().mkpath(f.file("folder")));
  makeFifo(f.file("fifo"));
  ASSERT_TRUE(QFile::link(f.file("vodafone.ski"), other.file("link.png")));
  other.write("text.png", "x");
  const auto before = f.snapshot();
  const QString skinFile = f.file("vodafone.ski");
  const std::pair<QString, const char*> refused[] = {
      {skinFile, "è la skin stessa"},
      {other.file("link.png"), "è la skin stessa"},
      {f.file("vodafone14.dat"), "è un archivio della skin"},
      {f.file("folder"), "non è un file regolare"},
      {f.file("fifo"), "non è un file regolare"},
      {other.file("text.png"), "non è un'immagine PNG"},
      {f.file("vodafone_Gifs/630.gif"), "è nella cartella di lavoro"},
      {f.file("vodafone_Gifs/new.png"), "è nella cartella di lavoro"},
      {f.file("VODAFONE_old.ski"), "è un file dell'editor"},
      {f.file("corvela.lock"), "è un file dell'editor"},
  };
  for (const auto& [png, why] : refused) {
    const ToolRun r = runLimited("true", {"render", skinFile, png}, f.path());
    EXPECT_EQ(r.exit, 2) << png.toStdString();
    EXPECT_TRUE(r.err.contains(png + " " + why)) << r.err.toStdString();
  }
  const ToolRun wallpaper = runLimited(
      "true", {"render", skinFile, other.file("new.png"), "--wallpaper", f.file("fifo")}, f.path());
  EXPECT_EQ(wallpaper.exit, 2);
  EXPECT_TRUE(wallpaper.err.contains(f.file("fifo") + ": non è un file regolare"))
      << wallpaper.err.toStdString();
  EXPECT_EQ(f.snapshot(), before);
  EXPECT_FALSE(other.exists("new.png"));
  EXPECT_EQ(other.read("text.png"), "x");

  // A new name and then that PNG image again are written; the picture too
  // large to decode is left out and named.
  for (const char* name : {"new.png", "new.png"}) {
    const ToolRun r = runLimited(kMemoryLimit, {"render", skinFile, other.file(name)}, f.path());
    EXPECT_EQ(r.exit, 0) << r.err.toStdString();
    EXPECT_TRUE(other.read(name).startsWith("\x89PNG"));
    EXPECT_TRUE(r.err.contains("oggetto 0630 non disegnato")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("5790x5790"));
  }
  const ToolRun limited =
      runLimited("ulimit -f 1; trap '' XFSZ",
                 {"render", skinFile, other.file("big.png"), "--scale", "8"}, f.path());
  EXPECT_EQ(limited.exit, 1);
  EXPECT_TRUE(limited.err.contains(other.file("big.png") + ": file troppo grande (File too large)"))
      << limited.err.toStdString();
}
