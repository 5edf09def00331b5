// `edit` with the layout operations, through the built tool: the written
// skin read back line by line, and the operations it must refuse.
#include <gtest/gtest.h>

#include <QDir>

#include "cli_support.h"
#include "skin_saver.h"

using namespace corvela::clitest;

namespace {

const QStringList kSkin{
    "SKI1",
    "0 41 98",
    "4 255 255 255 0",
    "2 8 30",
    "2 11 20",
    "4 595 0 0 128 0",
    "4 579 60 60 60 0",
    "4 12 40 40 48 0",
    "1 570 10 20 100 35",
    "1 571 5 36 170 56",
    "1 562 0 190 43 219",
    "1 566 0 190 43 219",
    "1 570 1 1 1 1",
    "2 8 31",
    "4 12345 9 9 9 0",
};

QStringList lines(const QByteArray& text) {
  QStringList l = QString::fromLatin1(text).split(u'\n');
  if (!l.isEmpty() && l.back().isEmpty()) l.removeLast();
  return l;
}

}  // namespace

TEST(EditLayout, EveryOperationReachesTheWrittenSkin) {
  Folder f;
  f.writeSkin(kSkin);
  const ToolRun r = runTool({"edit", f.file("vodafone.ski"), "--move", "0566,562=-2,3", "--rect",
                             "0571=007,36,170,56", "--transparency", "0595=300", "--transparency",
                             "579=007", "--transparency", "12345=4", "--hand-length", "minute=25",
                             "--hand-colour", "hour=1,2,3"});
  ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, corvela::kSavedWithoutArchive + u'\n');
  QStringList expected = kSkin;
  expected[5] = "4 595 0 0 128 255";
  expected[6] = "4 579 60 60 60 7";
  expected[7] = "4 12 1 2 3 0";
  expected[9] = "1 571 007 36 170 56";
  expected[10] = "1 562 -2 193 41 222";
  expected[11] = "1 566 -2 193 41 222";
  expected[13] = "2 8 25";           // the later length line is the one the window binds
  expected[14] = "4 12345 9 9 9 4";  // an id of five digits, as the colours tab takes it
  EXPECT_EQ(lines(f.read("vodafone.ski")), expected);
  EXPECT_EQ(lines(f.read("vodafone_old.ski")), kSkin);
}

TEST(EditLayout, DryRunListsTheEditedRowsAndWritesNothing) {
  Folder f;
  f.writeSkin(kSkin);
  ASSERT_EQ(runTool({"rects", f.file("vodafone.ski")}).exit, 0);  // makes the working folder
  const auto before = f.snapshot();
  const ToolRun r = runTool({"edit", f.file("vodafone.ski"), "--move", "0570=0,-4", "--dry-run"});
  ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  QList<QStringList> rects;  // the 0570 rows, in list order
  for (const QStringList& row : table(r.out)) {
    if (row.value(0) == "0570") rects << row.mid(1, 6);
  }
  ASSERT_EQ(rects.size(), 2);
  EXPECT_EQ(rects[0], (QStringList{"10", "16", "100", "31", "-", "-"}));
  EXPECT_EQ(rects[1], (QStringList{"1", "1", "1", "1", "0", "0"}));  // only the first one moves
  EXPECT_EQ(f.snapshot(), before);
}

TEST(EditLayout, BadOperationsAreUsageErrorsAndWriteNothing) {
  Folder f;
  f.writeSkin(kSkin);
  Folder bare;  // no hand lengths, no hand colours
  bare.writeSkin({"SKI1", "1 570 10 20 100 35"});
  ASSERT_EQ(runTool({"rects", f.file("vodafone.ski")}).exit, 0);
  ASSERT_EQ(runTool({"rects", bare.file("vodafone.ski")}).exit, 0);
  // An edit makes the working folder at its load, before any operation.
  ASSERT_TRUE(QDir().mkpath(f.file("vodafone_Gifs")) && QDir().mkpath(bare.file("vodafone_Gifs")));
  const auto before = f.snapshot();
  const auto bareBefore = bare.snapshot();
  const QList<QStringList> skinOps{
      {"--rect", "0572=1,2,3,4"},  // not one of the twelve
      {"--rect", "0563=1,2,3,4"},  // one the skin lacks
      {"--rect", "0570=1,x,3,4"},        {"--rect", "0570=1,2,3"},
      {"--rect", "0570=1000,2,3,4"},     {"--transparency", "0595=abc"},
      {"--transparency", "0777=1"},      {"--move", "0570=1"},
      {"--move", "0570,0564=1,1"},       {"--move", "0570=a,1"},
      {"--hand-length", "minute=-3"},    {"--hand-length", "second=3"},
      {"--hand-colour", "hour=1,2"},     {"--hand-colour", "hour=1,2,256"},
      {"--hand-colour", "minute=1,2,3"},  // no row 0009 in this skin
  };
  ASSERT_EQ(runTool({"edit", f.file("vodafone.ski"), "--rect", "0570=1,2,3,4", "--dry-run"}).exit,
            0);
  for (const QStringList& op : skinOps) {
    // A good operation first: nothing of it may reach the disk either.
    const ToolRun r =
        runTool(QStringList{"edit", f.file("vodafone.ski"), "--rect", "0570=1,2,3,4"} + op);
    EXPECT_EQ(r.exit, 2) << op.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(op[0])) << r.err.toStdString();
    EXPECT_EQ(r.out, "");
  }
  for (const char* op : {"minute=5", "hour=5"}) {
    EXPECT_EQ(runTool({"edit", bare.file("vodafone.ski"), "--hand-length", op}).exit, 2) << op;
  }
  EXPECT_EQ(runTool({"edit", bare.file("vodafone.ski"), "--hand-colour", "hour=1,2,3"}).exit, 2);
  EXPECT_EQ(f.snapshot(), before);
  EXPECT_EQ(bare.snapshot(), bareBefore);
}
