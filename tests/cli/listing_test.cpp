// Listings, the tree and the tool's exit statuses, on small skins whose
// every expected cell is written out by hand.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "cli_support.h"

using namespace corvela::clitest;

namespace {

const QStringList kListingSkin{
    "SKI1",          "4 7 1 2 3 0",
    "0 41 98",       "4 255 255 255 0",
    "1 0 0 175 30",  "1 6 10 20 30 40 99",
    "5 595 10 35 3", "5 12 0 35 14",
    "5 7 45 35 0",   "0 1 2",
    "7 x",           "2 8 30",
    "6 1",           "3 x",
};

QString lines(const QStringList& l) {
  return l.join(u'\n') + u'\n';
}

class ListingSkin : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.writeSkin(kListingSkin);
    folder.write("vodafone_Gifs/595.gif", tinyGif(1));
  }
  ToolRun run(const char* command) { return runTool({command, folder.file("vodafone.ski")}); }
  Folder folder;
};

}  // namespace

TEST_F(ListingSkin, ObjectsShowStateColourBoldAndIcon) {
  const ToolRun r = run("objects");
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.err, "");
  const QString gif = folder.path() + "/vodafone_Gifs/595.gif";
  EXPECT_EQ(r.out,
            lines({
                "ID\tOffSet\tN° Dat\tOffset\tByte\tStato\tPath GIF\tIndice\ttag\ttext "
                "colour\tbold\ticon\tNome",
                "0595\t03_000010\t03\t10\t35\tTrovata\t" + gif + "\t0006\t10 35 3\t#000000\t0\t6\t",
                "0012\t14_000000\t14\t0\t35\tDa sostituire\t \t0007\t0 35 14\t#0000FF\t1\t2\t",
                "0007\t00_000045\t00\t45\t35\tNon trovata\t \t0008\t45 35 0\t#FF0000\t0\t3\t"
                "Quadrante dell'orologio analogico",
            }));
}

TEST_F(ListingSkin, ColoursAndRectanglesWithAndWithoutId) {
  const ToolRun colours = run("colours");
  EXPECT_EQ(colours.exit, 0);
  EXPECT_EQ(colours.out, lines({
                             "ID\tR\tG\tB\tTrasparenza\tIndice\ttag\ttext colour\tbold\ticon\tNome",
                             "0007\t1\t2\t3\t0\t0001\t4 7 1 2 3 0\t#000000\t0\t7\t",
                             "-\t255\t255\t255\t0\t0003\t4 255 255 255 0\t#000000\t0\t\t",
                         }));
  const ToolRun rects = run("rects");
  EXPECT_EQ(rects.exit, 0);
  EXPECT_EQ(
      rects.out,
      lines({
          "ID\tX1\tY1\tX2\tY2\tLarghezza\tAltezza\tIndice\ttag\ttext colour\tbold\ticon\tNome",
          "-\t0\t0\t175\t30\t176\t31\t0004\t1 0 0 175 30\t#000000\t0\t\t",
          "0006\t10\t20\t30\t40\t20\t20\t0005\t1 6 10 20 30 40 99\t#000000\t0\t7\tOrologio "
          "analogico",
      }));
}

TEST_F(ListingSkin, TreeNumbersNodesAndTheirParents) {
  const ToolRun r = run("tree");
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.out, lines({
                       "Node\tParent\tText\tTag\tpicture\ttext colour\tbold",
                       "1\t0\tSKI1\t\t13\t#000000\t0",
                       "2\t1\t4 7 1 2 3 0\t_1\t8\t#000000\t0",
                       "3\t1\t0 41 98\t\t9\t#000000\t1",
                       "4\t3\t4 255 255 255 0\t0 41 98_1\t8\t#000000\t0",
                       "5\t3\t1 0 0 175 30\t0 41 98_2\t10\t#000000\t0",
                       "6\t3\t1 6 10 20 30 40 99\t0 41 98_3\t10\t#000000\t0",
                       "7\t3\t5 595 10 35 3\t0 41 98_4\t7\t#000000\t0",
                       "8\t3\t5 12 0 35 14\t0 41 98_5\t7\t#000000\t0",
                       "9\t3\t5 7 45 35 0\t0 41 98_6\t7\t#000000\t0",
                       "10\t1\t0 1 2\t\t9\t#000000\t1",
                       "11\t10\t7 x\t0 1 2_1\t\t#000000\t0",
                       "12\t10\t2 8 30\t0 1 2_2\t12\t#000000\t0",
                       "13\t10\t6 1\t0 1 2_3\t14\t#000000\t0",
                       "14\t10\t3 x\t0 1 2_4\t11\t#000000\t0",
                   }));
}

TEST(Listing, OutputIsUtf8AndKeepsLatinOneText) {
  Folder f;
  QByteArray skin("SKI1\n3 caf\xE9 \xB0\n");
  f.write("vodafone.ski", skin);
  const ToolRun r = runTool({"tree", f.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(table(r.out).value(2).value(2), QString::fromUtf8("3 café °"));
}

TEST(Listing, AnotherSkinNameIsListedAndReadingLeavesTheFolderAsItWas) {
  Folder f;
  f.writeSkin({"SKI1", "5 3 0 35 14"}, "mytheme.ski");
  const QString skin = f.file("mytheme.ski");
  const auto before = f.snapshot();
  const ToolRun r = runTool({"objects", skin});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(table(r.out).value(1).value(5), "Non trovata");
  // No lock, no working folder, no editor folder: a read changes nothing.
  const Folder out;
  for (const QStringList& args :
       {QStringList{"colours", skin}, QStringList{"rects", skin}, QStringList{"tree", skin},
        QStringList{"check", skin}, QStringList{"render", skin, out.file("p.png")}}) {
    runTool(args);
  }
  EXPECT_TRUE(out.exists("p.png"));
  EXPECT_EQ(f.snapshot(), before);

  // Images never extracted are drawn from their archives, as the window
  // shows them once it has extracted them on opening.
  Folder c;
  completeSkin().writeTo(c);
  const QStringList at = {"--date", "1/2/2026", "--time", "10:20", "--scale", "2"};
  runTool(QStringList{"render", c.file("vodafone.ski"), out.file("fresh.png")} + at);
  ASSERT_EQ(runTool({"extract", c.file("vodafone.ski")}).exit, 0);
  runTool(QStringList{"render", c.file("vodafone.ski"), out.file("extracted.png")} + at);
  EXPECT_EQ(out.read("fresh.png"), out.read("extracted.png"));
  QDir(c.file("vodafone_Gifs")).removeRecursively();
  for (const QString& archive : QDir(c.path()).entryList({"*.dat"})) QFile::remove(c.file(archive));
  runTool(QStringList{"render", c.file("vodafone.ski"), out.file("bare.png")} + at);
  EXPECT_NE(out.read("fresh.png"), out.read("bare.png"));
}

TEST(ExitStatus, StoppedLoadPrintsWhatLoadedAndFails) {
  Folder f;
  f.writeSkin({"SKI1", "4 1 2 3 4 5", "1 1 2 3 4 5", "", "4 9 9 9 9 9", "5 1 0 35 3"});
  const ToolRun colours = runTool({"colours", f.file("vodafone.ski")});
  EXPECT_EQ(colours.exit, 1);
  EXPECT_EQ(table(colours.out).size(), 2);  // header and the row of line 1 only
  EXPECT_EQ(table(colours.out).value(1).value(5), "0001");
  EXPECT_TRUE(colours.err.startsWith("corvela-skin: " + f.file("vodafone.ski") +
                                     ": caricamento interrotto alla riga 3"));

  const ToolRun tree = runTool({"tree", f.file("vodafone.ski")});
  EXPECT_EQ(tree.exit, 1);
  // The bad line still gets its node: root and lines 1 to 3.
  EXPECT_EQ(table(tree.out).size(), 1 + 4);
  EXPECT_EQ(table(tree.out).back().value(2), "");

  f.writeSkin({"SKI1", "4 1 2 3 4 5", "1 1 2 3", "4 9 9 9 9 9"});
  const ToolRun shortLine = runTool({"rects", f.file("vodafone.ski")});
  EXPECT_EQ(shortLine.exit, 1);
  EXPECT_EQ(table(shortLine.out).size(), 1);
  EXPECT_TRUE(shortLine.err.contains("riga 2"));
}

TEST(ExitStatus, TooManyLinesStopsButIsNotAFormatError) {
  Folder f;
  QStringList skin{"SKI1"};
  for (int i = 1; i < 1502; ++i) skin << "3 1";
  f.writeSkin(skin);
  const ToolRun r = runTool({"tree", f.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(table(r.out).size(), 2);  // the root only
  skin.removeLast();
  f.writeSkin(skin);
  EXPECT_EQ(runTool({"tree", f.file("vodafone.ski")}).exit, 0);
}

TEST(ExitStatus, FormatErrorsAndUnreadableFiles) {
  Folder f;
  f.writeSkin({"SKX1", "4 1 2 3 4 5"});
  const ToolRun magic = runTool({"colours", f.file("vodafone.ski")});
  EXPECT_EQ(magic.exit, 2);
  EXPECT_EQ(magic.out, "");
  EXPECT_EQ(magic.err,
            "corvela-skin: " + f.file("vodafone.ski") + ": Formato del file skin non valido!\n");

  f.write("empty.ski", "");
  const ToolRun empty = runTool({"objects", f.file("empty.ski")});
  EXPECT_EQ(empty.exit, 2);
  EXPECT_EQ(empty.out, "");

  const ToolRun missing = runTool({"check", f.file("nothere.ski")});
  EXPECT_EQ(missing.exit, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_TRUE(missing.err.startsWith("corvela-skin: file non trovato"));
  EXPECT_FALSE(f.exists("nothere_Gifs"));  // a typo leaves nothing behind
  // A name that was not UTF-8 reaches the tool with its odd bytes replaced.
  const ToolRun odd = runTool({"objects", f.file("bad\uFFFDname.ski")});
  EXPECT_EQ(odd.exit, 2);
  EXPECT_TRUE(odd.err.contains("contiene byte che non sono UTF-8")) << odd.err.toStdString();

  const ToolRun folder = runTool({"tree", f.path()});
  EXPECT_EQ(folder.exit, 2);
}

TEST(ExitStatus, UsageErrorsAndHelp) {
  Folder f;
  f.writeSkin({"SKI1"});
  EXPECT_EQ(runTool({}).exit, 2);
  EXPECT_EQ(runTool({"list", f.file("vodafone.ski")}).exit, 2);
  EXPECT_EQ(runTool({"objects"}).exit, 2);
  const ToolRun two = runTool({"objects", f.file("vodafone.ski"), f.file("vodafone.ski")});
  EXPECT_EQ(two.exit, 2);
  EXPECT_TRUE(two.err.startsWith("corvela-skin: "));
  EXPECT_EQ(two.out, "");

  const ToolRun help = runTool({"--help"});
  EXPECT_EQ(help.exit, 0);
  for (const char* command : {"objects", "colours", "rects", "tree", "extract", "save", "check"}) {
    EXPECT_TRUE(help.out.contains(QStringLiteral("  %1 ").arg(command))) << command;
    const ToolRun h = runTool({command, "--help"});
    EXPECT_EQ(h.exit, 0) << command;
    EXPECT_TRUE(h.out.startsWith(QStringLiteral("Uso: corvela-skin %1 SKIN\n").arg(command)))
        << command;
    // Help never loads anything, even with a skin named.
    EXPECT_EQ(runTool({command, "--help", f.file("nothere.ski")}).exit, 0);
  }
  EXPECT_FALSE(f.exists("nothere_Gifs"));
}
