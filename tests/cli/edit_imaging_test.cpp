// `edit` with the image and colour operations, through the built tool: what
// the saved skin and archive hold afterwards, the operations it refuses with
// nothing written, and the default set found from the build tree and from an
// installed copy.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include "cli_support.h"
#include "gifwriter.h"
#include "skin_saver.h"

using namespace corvela::clitest;

namespace {

const QString kShippedSet = QStringLiteral(CORVELA_SOURCE_DIR "/default");

QByteArray gif(int width, int height) {
  corvela::gifgen::IndexedImage image(width, height, {{1, 2, 3}, {200, 0, 0}});
  image.fillRect(0, 0, width / 2, height, 1);
  return corvela::gifgen::encodeGif(image);
}

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The line of object `id` in the saved skin and the bytes it names in the
// packed archive.
QByteArray packedImage(const Folder& f, int id) {
  for (const QByteArray& line : f.read("vodafone.ski").split('\n')) {
    const QList<QByteArray> fields = line.split(' ');
    if (fields.size() != 5 || fields[0] != "5" || fields[1].toInt() != id) continue;
    EXPECT_EQ(fields[4], "14") << line.toStdString();
    return f.read("vodafone14.dat").mid(fields[2].toInt(), fields[3].toInt());
  }
  ADD_FAILURE() << "no line for object " << id;
  return {};
}

QList<QByteArray> skinLines(const Folder& f) {
  return f.read("vodafone.ski").split('\n');
}

// The skin the shipped default set and colour scheme are made for.
void copyDemo(const Folder& f) {
  const QDir demo(demoDir());
  for (const QString& name : demo.entryList({"*.ski", "*.dat"}, QDir::Files)) {
    f.write(name, readFile(demo.filePath(name)));
  }
}

TEST(EditImaging, ReplacedAndDefaultImagesArePackedWhereTheSkinSays) {
  Folder f;
  completeSkin().writeTo(f);
  f.write("new.gif", gif(3, 2));
  const ToolRun run =
      runTool({"edit", f.file("vodafone.ski"), "--replace", "630=new.gif", "--default", "7",
               "--check-size", "--replace", "652=" + f.file("new.gif")},
              f.path());
  // 652 is 79 x 22: the size check refuses the whole run and nothing is written.
  EXPECT_EQ(run.exit, 2);
  EXPECT_TRUE(run.err.contains("non corrispondono! (3×2 invece di 79×22)"))
      << run.err.toStdString();
  EXPECT_FALSE(f.exists("vodafone_old.ski"));

  const ToolRun saved = runTool(
      {"edit", f.file("vodafone.ski"), "--replace", "630=new.gif", "--default", "7"}, f.path());
  ASSERT_EQ(saved.exit, 0) << saved.err.toStdString();
  // Done as asked, with a word on the size; check then keeps saying it.
  EXPECT_EQ(saved.err,
            "corvela-skin: attenzione: oggetto 0630: l'immagine è di 3 × 2 pixel, nel "
            "set di default (630.gif) è di 79 × 22\n");
  const ToolRun checked = runTool({"check", f.file("vodafone.ski")});
  EXPECT_EQ(checked.exit, 1);
  EXPECT_EQ(checked.out,
            "riga 26: oggetto 0630: l'immagine è di 3 × 2 pixel, nel primo originale "
            "(.corvela/vodafone_orig.ski) è di 79 × 22\n");
  EXPECT_EQ(saved.out, corvela::kSavedWithArchive + u'\n');
  EXPECT_EQ(packedImage(f, 630), f.read("new.gif"));
  EXPECT_EQ(packedImage(f, 7), readFile(kShippedSet + "/7.gif"));

  // A working file the save cannot bring up to date: the save stands, and
  // its status says there is something to see to.
  ASSERT_TRUE(QFile::remove(f.file("vodafone_Gifs/630.gif")));
  ASSERT_TRUE(QDir().mkpath(f.file("vodafone_Gifs/630.gif/inside")));
  const ToolRun partly =
      runTool({"edit", f.file("vodafone.ski"), "--replace", "652=new.gif"}, f.path());
  EXPECT_EQ(partly.exit, 1) << partly.err.toStdString();
  EXPECT_TRUE(partly.out.contains("al suo posto c'è una cartella")) << partly.out.toStdString();
  EXPECT_EQ(packedImage(f, 652), f.read("new.gif"));
}

TEST(EditImaging, ColourOperationsWriteTheirLines) {
  Folder f;
  SkinFixture skin = completeSkin();
  skin.lines << "4 601 255 255 255 0";
  skin.writeTo(f);
  f.write("other.ski", "SKI1\n4 1 1 1 1\n4 2 2 2 2\n");
  const ToolRun run =
      runTool({"edit", f.file("vodafone.ski"), "--import-colours", f.file("other.ski"), "--colour",
               "579=7,8,9", "--background", "10,20,30", "--whites-to-transparent"});
  ASSERT_EQ(run.exit, 0) << run.err.toStdString();
  const QList<QByteArray> lines = skinLines(f);
  EXPECT_EQ(lines[2], "4 10 20 30 0");
  EXPECT_EQ(lines[5], "4 595 2 2 2 2");
  EXPECT_EQ(lines[6], "4 579 7 8 9 0");
  EXPECT_EQ(lines.at(lines.size() - 2), "4 601 255 255 255 255");
  // The background's colour row lists what the save writes.
  const ToolRun listed =
      runTool({"edit", f.file("vodafone.ski"), "--background", "1,2,3", "--dry-run"});
  EXPECT_TRUE(listed.out.contains("-\t1\t2\t3\t0\t0002")) << listed.out.toStdString();

  // A group whose first line is another record keeps it: no colour over it.
  Folder moved;
  SkinFixture shifted = completeSkin();
  shifted.lines.removeAt(2);
  shifted.writeTo(moved);
  const QByteArray before = moved.read("vodafone.ski");
  const ToolRun kept = runTool({"edit", moved.file("vodafone.ski"), "--background", "1,2,3"});
  EXPECT_EQ(kept.exit, 2);
  EXPECT_TRUE(kept.err.contains("(riga 2: \"2 8 30\") non è il colore di sfondo"))
      << kept.err.toStdString();
  EXPECT_EQ(moved.read("vodafone.ski"), before);

  // The shipped scheme is made for the demo's layout, and refused on any
  // other: its rows would overwrite lines that are no colours.
  const ToolRun refused = runTool({"edit", f.file("vodafone.ski"), "--default-colours"});
  EXPECT_EQ(refused.exit, 2);
  EXPECT_TRUE(refused.err.contains("riga 9 della skin non è un colore"))
      << refused.err.toStdString();
  Folder demo;
  copyDemo(demo);
  // Its rows are found by their codes as a load's are: an edit after it in
  // the same command finds the hand's colour.
  const ToolRun scheme = runTool(
      {"edit", demo.file("vodafone.ski"), "--default-colours", "--hand-colour", "minute=1,2,3"});
  ASSERT_EQ(scheme.exit, 0) << scheme.err.toStdString();
  EXPECT_EQ(skinLines(demo)[2], "4 128 0 16 0");
  EXPECT_TRUE(skinLines(demo).contains("4 9 1 2 3 0"));
}

TEST(EditImaging, BadOperationsAreUsageErrorsAndWriteNothing) {
  Folder f;
  completeSkin().writeTo(f);
  f.write("bad.txt", "595, 1, 2, 3, 0, 0005\n595, 1, 2\n");
  f.write("broken.gif", "GIF89a");
  // A picture cut short, which Qt would show as far as it goes, and a whole
  // one beyond the size of an object: refused, with the reason.
  corvela::gifgen::IndexedImage stripes(40, 40,
                                        {{0, 0, 0}, {255, 255, 255}, {200, 0, 0}, {0, 0, 200}});
  for (int y = 0; y < 40; ++y) stripes.fillRect(y % 7, y, 40 - y % 7, 1, y % 4);
  const QByteArray whole = corvela::gifgen::encodeGif(stripes);
  f.write("cut.gif", whole.chopped(12));
  f.write("huge.gif", whole + QByteArray(1024 * 1024, '\0'));
  // A picture the phone cannot read, whatever its name says.
  ASSERT_TRUE(QImage(4, 4, QImage::Format_RGB32).save(f.file("png.gif"), "PNG"));
  const QString skin = f.file("vodafone.ski");
  // Not even the working folder the load makes stays behind.
  const auto before = f.snapshot();
  for (const QStringList& ops :
       {QStringList{"--colour", "595=300,0,0"}, QStringList{"--colour", "9999=1,2,3"},
        QStringList{"--replace", "630"}, QStringList{"--replace", "630=" + f.file("missing.gif")},
        QStringList{"--replace", "630=" + f.file("broken.gif")}, QStringList{"--default", "999"},
        QStringList{"--default", "seven"}, QStringList{"--background", "1,2"},
        QStringList{"--default-colours", f.file("bad.txt")},
        QStringList{"--import-colours", f.file("nothere.ski")}}) {
    const ToolRun run = runTool(QStringList{"edit", skin} + ops);
    EXPECT_EQ(run.exit, 2) << ops.join(' ').toStdString();
    EXPECT_FALSE(run.err.isEmpty());
  }
  // A name that was not UTF-8 reaches the tool with its odd bytes replaced.
  const ToolRun odd = runTool({"edit", skin, "--replace", "630=" + f.file("r\uFFFD.gif")});
  EXPECT_EQ(odd.exit, 2);
  EXPECT_TRUE(odd.err.contains("non sono UTF-8")) << odd.err.toStdString();
  for (const auto& [file, reason] :
       {std::pair{"cut.gif", "incompleto"},
        std::pair{"huge.gif", "oltre il limite di 1048576 byte"},
        std::pair{"png.gif", "png.gif: non è un'immagine GIF (inizia con 89 50 4E 47"}}) {
    const ToolRun run = runTool({"edit", skin, "--replace", "630=" + f.file(file)});
    EXPECT_EQ(run.exit, 2);
    EXPECT_TRUE(run.err.contains(reason)) << run.err.toStdString();
  }
  EXPECT_EQ(f.snapshot(), before);
}

TEST(EditImaging, AnInstalledToolFindsTheInstalledDefaultSetAndDrawsThumbnails) {
  QTemporaryDir prefix;
  ASSERT_TRUE(prefix.isValid());
  QProcess install;
  install.start(QStringLiteral(CORVELA_CMAKE),
                {"--install", QStringLiteral(CORVELA_BUILD_DIR), "--prefix", prefix.path()});
  ASSERT_TRUE(install.waitForFinished(120000));
  ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
  const QString set = prefix.path() + "/share/corvela/default";
  ASSERT_TRUE(QFileInfo::exists(set + "/colors.txt"));

  Folder f;
  copyDemo(f);
  QProcess tool;
  tool.start(prefix.path() + "/bin/corvela-skin",
             {"edit", f.file("vodafone.ski"), "--default", "all", "--default-colours"});
  ASSERT_TRUE(tool.waitForFinished(60000));
  ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  EXPECT_EQ(packedImage(f, 652), readFile(set + "/652.gif"));
  EXPECT_EQ(skinLines(f)[2], "4 128 0 16 0");

  // The file manager runs the installed thumbnailer's command for the type
  // the installed MIME entry gives skins.
  QSettings entry(prefix.path() + "/share/thumbnailers/corvela.thumbnailer", QSettings::IniFormat);
  const QString type = entry.value("Thumbnailer Entry/MimeType").toString().section(u';', 0, 0);
  EXPECT_TRUE(readFile(prefix.path() + "/share/mime/packages/corvela.xml")
                  .contains("type=\"" + type.toUtf8() + '"'));
  QStringList command = entry.value("Thumbnailer Entry/Exec").toString().split(u' ');
  command.replaceInStrings("%s", "128")
      .replaceInStrings("%i", f.file("vodafone.ski"))
      .replaceInStrings("%o", f.file("thumb.png"));
  tool.start(prefix.path() + "/bin/" + command.takeFirst(), command);
  ASSERT_TRUE(tool.waitForFinished(60000));
  ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  const QImage thumbnail(f.file("thumb.png"));
  EXPECT_EQ(std::max(thumbnail.width(), thumbnail.height()), 128);
}

}  // namespace
