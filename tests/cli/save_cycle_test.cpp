// extract, save and reload through the tool, and the saves it must refuse.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "cli_support.h"
#include "skin_lock.h"
#include "skin_saver.h"

using namespace corvela::clitest;

namespace {

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Extracts, saves and reloads the skin in `f`, then saves once more. After
// the first save only the packed objects' positions may differ from what
// the export listed; the second save must change nothing at all.
void expectExtractSaveReload(const Folder& f) {
  const QString skin = f.file("vodafone.ski");
  const QByteArray original = f.read("vodafone.ski");
  const ToolRun colours = runTool({"colours", skin});
  const ToolRun rects = runTool({"rects", skin});
  const ToolRun tree = runTool({"tree", skin});
  ASSERT_EQ(tree.exit, 0) << tree.err.toStdString();

  const ToolRun extracted = runTool({"extract", skin});
  ASSERT_EQ(extracted.exit, 0) << extracted.err.toStdString();
  EXPECT_EQ(extracted.err, "");
  const QList<QStringList> exported = table(extracted.out);
  ASSERT_GT(exported.size(), 1);

  // What the reloaded skin should list: objects of archive 14 packed anew in
  // row order, every other object found in the working folder.
  QList<QStringList> expected = exported;
  QList<QStringList> expectedTree = table(tree.out);
  QByteArray archive;
  for (qsizetype r = 1; r < expected.size(); ++r) {
    QStringList& row = expected[r];
    ASSERT_TRUE(row[5] == "Estratta" || row[5] == "Da sostituire") << row.join(' ').toStdString();
    const QByteArray gif = readFile(row[6]);
    EXPECT_EQ(gif.size(), row[4].toInt()) << row[6].toStdString();
    if (row[2] != "14") {
      row[5] = "Trovata";
      continue;
    }
    const QString offset = QString::number(archive.size());
    row[1] = "14_" + offset.rightJustified(6, u'0');
    row[3] = offset;
    row[8] = offset + u' ' + row[4] + " 14";
    expectedTree[row[7].toInt() + 1][2] =
        QStringLiteral("5 %1 %2 %3 14").arg(row[0].toInt()).arg(offset, row[4]);
    archive += gif;
  }

  const ToolRun saved = runTool({"save", skin});
  ASSERT_EQ(saved.exit, 0) << saved.err.toStdString();
  EXPECT_EQ(
      saved.out,
      (archive.isEmpty() ? corvela::kSavedWithoutArchive : corvela::kSavedWithArchive) + u'\n');
  EXPECT_EQ(f.read("vodafone_old.ski"), original);
  EXPECT_EQ(f.read("vodafone14.dat"), archive);

  EXPECT_EQ(table(runTool({"objects", skin}).out), expected);
  EXPECT_EQ(runTool({"colours", skin}).out, colours.out);
  EXPECT_EQ(runTool({"rects", skin}).out, rects.out);
  EXPECT_EQ(table(runTool({"tree", skin}).out), expectedTree);

  const QByteArray firstSave = f.read("vodafone.ski");
  ASSERT_EQ(runTool({"save", skin}).exit, 0);
  EXPECT_EQ(f.read("vodafone_old.ski"), firstSave);
  EXPECT_EQ(f.read("vodafone.ski"), firstSave);
  EXPECT_EQ(f.read("vodafone14.dat"), archive);
}

}  // namespace

TEST(SaveCycle, ExtractSaveReloadOnACompleteSkin) {
  Folder f;
  const SkinFixture skin = completeSkin();
  skin.writeTo(f);
  expectExtractSaveReload(f);
  for (const auto& [id, gif] : skin.objects) {
    EXPECT_EQ(f.read(QStringLiteral("vodafone_Gifs/%1.gif").arg(id)), gif) << id;
  }
  EXPECT_EQ(f.read("vodafone14.dat"), skin.objects.at(635) + skin.objects.at(7));
  const ToolRun check = runTool({"check", f.file("vodafone.ski")});
  EXPECT_EQ(check.exit, 0);
  EXPECT_EQ(check.out, "");
}

TEST(SaveCycle, ExtractSaveReloadOnTheDemoSkin) {
  if (!demoExists()) GTEST_SKIP() << "no demo skin in " << demoDir().toStdString();
  Folder f;
  for (const QFileInfo& file : QDir(demoDir()).entryInfoList(QDir::Files)) {
    ASSERT_TRUE(QFile::copy(file.absoluteFilePath(), f.file(file.fileName())));
  }
  expectExtractSaveReload(f);
  const ToolRun check = runTool({"check", f.file("vodafone.ski")});
  EXPECT_EQ(check.exit, 0);
  EXPECT_EQ(check.out, "");
}

TEST(SaveCycle, ASkinCopiedInCapitalsIsReadAndSavedUnderItsOwnNames) {
  if (!demoExists()) GTEST_SKIP() << "no demo skin in " << demoDir().toStdString();
  Folder f;
  for (const QFileInfo& file : QDir(demoDir()).entryInfoList({"*.ski", "*.dat"}, QDir::Files)) {
    ASSERT_TRUE(QFile::copy(file.absoluteFilePath(), f.file(file.fileName().toUpper())));
  }
  // The save repacks the objects of VODAFONE14.DAT, so it must find them.
  const ToolRun edit = runTool({"edit", f.file("vodafone.ski"), "--colour", "595=1,2,3"});
  EXPECT_EQ(edit.exit, 0) << edit.err.toStdString();
  EXPECT_TRUE(f.read("VODAFONE.SKI").contains("\n4 595 1 2 3 0\n"));
  EXPECT_TRUE(f.exists("VODAFONE_old.ski"));
  for (const QString& name : QDir(f.path()).entryList({"*.dat", "*.ski"}, QDir::Files)) {
    EXPECT_FALSE(name.contains("odafone")) << name.toStdString() << " added beside the skin";
  }
}

TEST(SaveCycle, SaveWithoutPackedObjectsRewritesTheSkinInItsOwnForm) {
  Folder f;
  const QByteArray original =
      "Ski1Tail\n0 41 98\n4 0009 255 0 0 0\n1 7 10 20 30 40 99\n4 1 2 3 4\n2 99 1  2\n"
      "5 3 0 35 3\ntext after the last line feed";
  f.write("vodafone.ski", original);
  f.write("vodafone3.dat", tinyGif(1));
  const ToolRun r = runTool({"save", f.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.out, corvela::kSavedWithoutArchive + u'\n');
  // The text after the last line feed is read as no line, but it is the
  // user's: put back as it was, again by the next save.
  const QByteArray saved =
      "Ski1Tail\n0 41 98\n4 0009 255 0 0 0\n1 7 10 20 30 40 99\n4 1 2 3 4\n2 99 1  2\n5 3 0 35 "
      "3\ntext after the last line feed";
  EXPECT_EQ(f.read("vodafone.ski"), saved);
  EXPECT_EQ(f.read("vodafone_old.ski"), original);
  ASSERT_EQ(runTool({"save", f.file("vodafone.ski")}).exit, 0);
  EXPECT_EQ(f.read("vodafone.ski"), saved);
  EXPECT_EQ(f.read("vodafone_old.ski"), saved);
  EXPECT_FALSE(f.exists("vodafone14.dat"));
}

// A repeated id: the editor shows the first row of it, and the one working
// file named after the id is that row's. Neither the extraction nor the
// saves pack one row's image over the other's.
TEST(SaveCycle, RepeatedObjectIdsKeepEachTheirImage) {
  Folder f;
  SkinFixture skin = completeSkin();
  const QByteArray first0 = skin.objects.at(652), first14 = skin.objects.at(7);
  const QByteArray later0 = tinyGif(90, 50, QSize(79, 22)), later14 = tinyGif(91, 60, QSize(8, 8));
  skin.addObject(652, 0, later0);
  skin.addObject(7, 14, later14);
  skin.writeTo(f);
  // The images each line of `id` names, in file order.
  auto imagesOf = [&](int id) {
    QList<QByteArray> images;
    for (const QByteArray& line : f.read("vodafone.ski").split('\n')) {
      const QList<QByteArray> v = line.split(' ');
      if (v.size() != 5 || v[0] != "5" || v[1].toInt() != id) continue;
      const QString archive = v[4].toInt() == 0 ? "vodafone.dat" : "vodafone" + v[4] + ".dat";
      images << f.read(archive).mid(v[2].toInt(), v[3].toInt());
    }
    return images;
  };
  ASSERT_EQ(runTool({"extract", f.file("vodafone.ski")}).exit, 0);
  EXPECT_EQ(f.read("vodafone_Gifs/652.gif"), first0);
  for (const char* rect : {"570=1,2,3,4", "570=1,2,3,5"}) {
    const ToolRun r = runTool({"edit", f.file("vodafone.ski"), "--rect", rect});
    ASSERT_EQ(r.exit, 0) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("fuori da Corvela")) << r.err.toStdString();
    EXPECT_EQ(imagesOf(652), (QList<QByteArray>{first0, later0}));
    EXPECT_EQ(imagesOf(7), (QList<QByteArray>{first14, later14}));
  }
  EXPECT_EQ(f.read("vodafone_Gifs/7.gif"), first14);
}

// An archive changed under working files that still hold what the export
// left in them (a newer archive dropped in, another skin copied over this
// one): the archive's images stand, and the stale files are no change of the
// user's to be packed over them. A file the user changed still is one.
TEST(SaveCycle, AnArchiveChangedUnderItsExtractedImagesIsTakenAsItIs) {
  Folder f;
  SkinFixture skin = completeSkin();
  skin.writeTo(f);
  ASSERT_EQ(runTool({"extract", f.file("vodafone.ski")}).exit, 0);
  const QByteArray old652 = skin.objects.at(652), old674 = skin.objects.at(674);
  const QByteArray new652 = tinyGif(77, static_cast<int>(old652.size()), QSize(79, 22));
  const QByteArray new674 = tinyGif(78, static_cast<int>(old674.size()), QSize(21, 22));
  QByteArray archive = f.read("vodafone.dat");
  archive.replace(old652, new652).replace(old674, new674);
  f.write("vodafone.dat", archive);
  const QByteArray mine = tinyGif(79, static_cast<int>(old674.size()), QSize(21, 22));
  f.write("vodafone_Gifs/674.gif", mine);

  // Reading writes nothing: the stale file is left, and not used.
  const ToolRun listed = runTool({"objects", f.file("vodafone.ski")});
  EXPECT_TRUE(listed.err.contains("1 immagini della cartella di lavoro più vecchie"))
      << listed.err.toStdString();
  EXPECT_EQ(f.read("vodafone_Gifs/652.gif"), old652);

  const ToolRun saved = runTool({"edit", f.file("vodafone.ski"), "--rect", "570=1,2,3,4"});
  ASSERT_EQ(saved.exit, 0) << saved.err.toStdString();
  EXPECT_TRUE(saved.err.contains("1 oggetto modificato fuori da Corvela"))
      << saved.err.toStdString();
  EXPECT_EQ(f.read("vodafone_Gifs/652.gif"), new652);
  const QList<QByteArray> lines = f.read("vodafone.ski").split('\n');
  EXPECT_TRUE(lines.contains("5 652 0 " + QByteArray::number(old652.size()) + " 0"));
  EXPECT_EQ(f.read("vodafone14.dat").count(mine), 1);
}

TEST(SaveCycle, RefusedSavesWriteNothing) {
  Folder f;
  SkinFixture skin = completeSkin();
  skin.writeTo(f, "mytheme.ski");
  ASSERT_EQ(runTool({"objects", f.file("mytheme.ski")}).exit, 0);
  // Not even a working folder is made for a save that cannot be.
  auto before = f.snapshot();
  const ToolRun other = runTool({"save", f.file("mytheme.ski")});
  EXPECT_EQ(other.exit, 1);
  EXPECT_EQ(other.out, "");
  EXPECT_EQ(other.err, "corvela-skin: " + f.file("mytheme.ski") +
                           ": Corvela permette di modificare solo la skin originale del v980! Si "
                           "salva solo un file vodafone.ski.\n");
  EXPECT_EQ(f.snapshot(), before);
  // Nor by an edit refused for its value, or a save of a skin that is not
  // whole, once the load has made one.
  Folder fresh;
  completeSkin().writeTo(fresh);
  const auto untouched = fresh.snapshot();
  EXPECT_EQ(runTool({"edit", fresh.file("vodafone.ski"), "--colour", "595=300,0,0"}).exit, 2);
  EXPECT_EQ(fresh.snapshot(), untouched);
  // A skin another program holds gives no listing, only the reason.
  {
    corvela::SkinLock held;
    QString error;
    ASSERT_TRUE(held.take(fresh.path(), &error, 0, corvela::LockAccess::Write))
        << error.toStdString();
    for (const char* command : {"objects", "check"}) {
      const ToolRun busy = runTool({command, fresh.file("vodafone.ski")});
      EXPECT_EQ(busy.exit, 1) << command;
      EXPECT_EQ(busy.out, "") << command;
    }
  }
  // A trial run says so too, instead of listing edits that could not be saved.
  EXPECT_EQ(runTool({"edit", f.file("mytheme.ski"), "--rect", "570=1,2,3,4", "--dry-run"}).exit, 1);

  // After a carriage return nothing was read, so an edit of a record there
  // would only say it is missing: the edit is refused for the reason.
  f.write("vodafone.ski", f.read("mytheme.ski").replace("\n4 595", "\r\n4 595"));
  before = f.snapshot();
  const ToolRun cr = runTool({"edit", f.file("vodafone.ski"), "--colour", "595=1,2,3"});
  EXPECT_EQ(cr.exit, 1);
  EXPECT_TRUE(cr.err.contains(f.file("vodafone.ski") + " contiene un ritorno carrello"))
      << cr.err.toStdString();
  EXPECT_EQ(f.snapshot(), before);

  // An operator skin whose load stopped early would lose every line after
  // the stop: never written.
  skin.lines.insert(5, "");
  skin.writeTo(f);
  ASSERT_EQ(runTool({"objects", f.file("vodafone.ski")}).exit, 1);
  ASSERT_TRUE(QDir().mkpath(f.file("vodafone_Gifs")));
  before = f.snapshot();
  const ToolRun stopped = runTool({"save", f.file("vodafone.ski")});
  EXPECT_EQ(stopped.exit, 1);
  EXPECT_EQ(stopped.out, "");
  EXPECT_TRUE(stopped.err.contains("riga 5")) << stopped.err.toStdString();
  EXPECT_EQ(f.snapshot(), before);

  // Another file of the operator's theme shares the real skin's archive and
  // backup names: its save would overwrite them.
  Folder sibling;
  completeSkin().writeTo(sibling);
  sibling.write("vodafone.copy.ski", sibling.read("vodafone.ski"));
  ASSERT_EQ(runTool({"objects", sibling.file("vodafone.copy.ski")}).exit, 0);
  ASSERT_TRUE(QDir().mkpath(sibling.file("vodafone_Gifs")));
  before = sibling.snapshot();
  for (const QStringList& args :
       {QStringList{"save", sibling.file("vodafone.copy.ski")},
        QStringList{"edit", sibling.file("vodafone.copy.ski"), "--background", "1,2,3"}}) {
    const ToolRun r = runTool(args);
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.out, "");
    for (const char* name : {"vodafone.ski:", "vodafone14.dat", "vodafone_old.ski"}) {
      EXPECT_TRUE(r.err.contains(name)) << r.err.toStdString();
    }
    EXPECT_EQ(sibling.snapshot(), before);
  }
}

// Two edits of different objects and a listing started together, many
// times over: an edit that says it saved is on disk, one that failed left no
// trace, and the skin always points into the archive written with it.
TEST(SaveCycle, ParallelEditsAndReadsNeverMixTwoSaves) {
  const SkinFixture skin = completeSkin();
  const QByteArray a = tinyGif(90, 1500);
  const QByteArray b = tinyGif(91, 1600);
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE(round);
    Folder f;
    skin.writeTo(f);
    f.write("a.gif", a);
    f.write("b.gif", b);
    const QString file = f.file("vodafone.ski");
    const std::vector<ToolRun> runs =
        runTogether({{"edit", file, "--replace", "0635=" + f.file("a.gif")},
                     {"edit", file, "--replace", "0007=" + f.file("b.gif")},
                     {"objects", file}});
    EXPECT_EQ(runs[2].exit, 0) << runs[2].err.toStdString();
    for (const ToolRun& r : runs) EXPECT_TRUE(r.exit == 0 || r.exit == 1) << r.exit;
    EXPECT_TRUE(runs[0].exit == 0 || runs[1].exit == 0);

    const ToolRun listed = runTool({"objects", file});
    ASSERT_EQ(listed.exit, 0) << listed.err.toStdString();
    const auto rows = rowsById(listed.out);
    const QByteArray archive = f.read("vodafone14.dat");
    auto packed = [&](const char* id) {
      const QStringList& row = rows.at(id);
      return archive.mid(row[3].toInt(), row[4].toInt());
    };
    EXPECT_EQ(packed("0635"), runs[0].exit == 0 ? a : skin.objects.at(635))
        << runs[0].err.toStdString();
    EXPECT_EQ(packed("0007"), runs[1].exit == 0 ? b : skin.objects.at(7))
        << runs[1].err.toStdString();
    EXPECT_EQ(archive.size(), rows.at("0635")[4].toInt() + rows.at("0007")[4].toInt());
  }
}

TEST(SaveCycle, AnEditWaitsForTheSkinsHolderThenGivesUpWritingNothing) {
  Folder f;
  completeSkin().writeTo(f);
  ASSERT_EQ(runTool({"objects", f.file("vodafone.ski")}).exit, 0);
  corvela::SkinLock held;
  QString error;
  ASSERT_TRUE(held.take(f.path(), &error)) << error.toStdString();
  const auto before = f.snapshot();
  const ToolRun r = runTool({"edit", f.file("vodafone.ski"), "--background", "1,2,3"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_TRUE(r.err.contains("Errore:")) << r.err.toStdString();
  // This test program, as the holder wrote itself into the lock file.
  EXPECT_TRUE(r.err.contains(QStringLiteral("(%1, pid %2)")
                                 .arg(QCoreApplication::applicationName())
                                 .arg(QCoreApplication::applicationPid())))
      << r.err.toStdString();
  EXPECT_EQ(f.snapshot(), before);
  held.release();
  EXPECT_EQ(runTool({"edit", f.file("vodafone.ski"), "--background", "1,2,3"}).exit, 0);
}

TEST(SaveCycle, SkinWithoutOneCompleteLineIsNotWrittenBackEmpty) {
  Folder f;
  // CR LF line ends: the reader stops at the first CR and sees no line.
  f.write("vodafone.ski", "SKI1\r\n4 1 2 3 4\r\n");
  ASSERT_EQ(runTool({"objects", f.file("vodafone.ski")}).exit, 0);
  ASSERT_TRUE(QDir().mkpath(f.file("vodafone_Gifs")));
  const auto before = f.snapshot();
  const ToolRun r = runTool({"save", f.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(f.snapshot(), before);
}

TEST(SaveCycle, SaveThatCannotReadAPackedObjectWritesNothing) {
  Folder f;
  // Archive 14 is missing and the object was never extracted: there is no
  // image left to pack, and the save must not drop the object silently.
  f.writeSkin({"SKI1", "5 3 0 35 14", "5 4 0 35 0"});
  f.write("vodafone.dat", tinyGif(2));
  ASSERT_EQ(runTool({"objects", f.file("vodafone.ski")}).exit, 0);
  ASSERT_TRUE(QDir().mkpath(f.file("vodafone_Gifs")));
  const auto before = f.snapshot();
  const ToolRun r = runTool({"save", f.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(r.err.startsWith("corvela-skin: ")) << r.err.toStdString();
  EXPECT_EQ(f.snapshot(), before);
}

TEST(Extract, MissingArchiveAndObjectsBeyondTheirArchive) {
  Folder f;
  f.writeSkin({"SKI1", "5 1 0 35 0", "5 2 1 35 0", "5 3 0 35 6", "5 4 0 0 0"});
  f.write("vodafone.dat", tinyGif(3));
  const ToolRun r = runTool({"extract", f.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 1);
  EXPECT_TRUE(r.err.contains("vodafone6.dat")) << r.err.toStdString();
  const auto rows = rowsById(r.out);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows.at("0001")[5], "Estratta");
  EXPECT_EQ(rows.at("0001")[11], "6");
  EXPECT_EQ(f.read("vodafone_Gifs/1.gif"), tinyGif(3));
  // One byte past the end: red, icon 3, state as loaded, no file.
  EXPECT_EQ(rows.at("0002")[5], "Non trovata");
  EXPECT_EQ(rows.at("0002")[9], "#FF0000");
  EXPECT_EQ(rows.at("0002")[11], "3");
  EXPECT_FALSE(f.exists("vodafone_Gifs/2.gif"));
  EXPECT_EQ(rows.at("0003")[11], "3");
  EXPECT_FALSE(f.exists("vodafone_Gifs/3.gif"));
  EXPECT_FALSE(f.exists("vodafone_Gifs/4.gif"));
}

// A replacement and an image edited outside after the extract are packed by
// every later save and reopen, never the stale working file; a read-only
// command only reports what a save will pack; the first original stays.
TEST(SaveCycle, ReplacementsAndOutsideEditsSurviveLaterSavesAndTheOriginalIsKept) {
  if (!demoExists()) GTEST_SKIP() << "no demo skin in " << demoDir().toStdString();
  Folder f;
  for (const QFileInfo& file : QDir(demoDir()).entryInfoList(QDir::Files)) {
    ASSERT_TRUE(QFile::copy(file.absoluteFilePath(), f.file(file.fileName())));
  }
  const QString skin = f.file("vodafone.ski");
  const QByteArray original = f.read("vodafone.ski");
  const QByteArray originalArchive = f.read("vodafone14.dat");
  ASSERT_EQ(runTool({"extract", skin}).exit, 0);
  const QByteArray blue = tinyGif(3, 60);
  f.write("blue.gif", blue);
  ASSERT_EQ(runTool({"edit", skin, "--replace", "0630=" + f.file("blue.gif")}).exit, 0);
  const QByteArray edited = tinyGif(9, 70);
  f.write("vodafone_Gifs/632.gif", edited);
  f.write("vodafone_Gifs/634.gif", "not a picture");

  const QMap<QString, QString> before = f.snapshot();
  const ToolRun listed = runTool({"objects", skin});
  EXPECT_TRUE(listed.err.contains("1 oggetto modificato fuori da Corvela: sarà salvato"))
      << listed.err.toStdString();
  EXPECT_TRUE(listed.err.contains("634.gif non è una GIF valida")) << listed.err.toStdString();
  EXPECT_EQ(f.snapshot(), before);

  auto packed = [&](const QString& id) {
    const QStringList row = rowsById(runTool({"objects", skin}).out).at(id);
    EXPECT_EQ(row[2], "14") << id.toStdString();
    return f.read("vodafone14.dat").mid(row[3].toLongLong(), row[4].toLongLong());
  };
  for (int round = 0; round < 3; ++round) {
    const ToolRun edit =
        runTool({"edit", skin, "--hand-length", QStringLiteral("minute=%1").arg(20 + round)});
    ASSERT_EQ(edit.exit, 0) << edit.err.toStdString();
    EXPECT_EQ(packed("0630"), blue) << round;
    EXPECT_EQ(packed("0632"), edited) << round;
    EXPECT_EQ(f.read("vodafone_Gifs/630.gif"), blue) << round;
    EXPECT_EQ(f.read(".corvela/vodafone_orig.ski"), original) << round;
    EXPECT_EQ(f.read(".corvela/vodafone14_orig.dat"), originalArchive) << round;
  }
  EXPECT_EQ(f.read("blue.gif"), blue);
  EXPECT_NE(f.read("vodafone_old.ski"), original);
  EXPECT_FALSE(runTool({"objects", skin}).err.contains("modificati"));
}
