#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "document_names.h"
#include "list_cells.h"
#include "object_row.h"
#include "skin_document.h"
#include "skin_fixture.h"

using namespace corvela;
using corvela::test::SkinFolder;

namespace {
const QStringList kWorkedExample = {
    "SKI1",    "0 41 98",         "4 255 255 255 0",    "2 8 30",
    "2 11 20", "4 595 0 0 128 0", "1 562 0 190 43 219", "5 595 1024 350 3"};
}

TEST(Load, WorkedExampleBuildsTreeAndLists) {
  SkinFolder f;
  f.writeSkin(kWorkedExample);
  SkinDocument doc;
  const LoadOutcome o = f.load(doc);
  ASSERT_EQ(o.status, LoadStatus::Complete);
  EXPECT_FALSE(o.nameWarning);
  EXPECT_TRUE(doc.canSave());
  EXPECT_EQ(doc.P_MaxValues, 8);
  EXPECT_EQ(doc.P_sTheme, "vodafone");
  EXPECT_EQ(doc.P_sPath, QDir::toNativeSeparators(QFileInfo(f.path("x")).absolutePath()));
  EXPECT_TRUE(QFileInfo(f.path("vodafone_Gifs")).isDir());

  // One node per line; node i stands for line i - 1.
  ASSERT_EQ(doc.T_Strutt.nodeCount(), 8);
  EXPECT_EQ(doc.T_Strutt.node(1).text, "SKI1");
  EXPECT_EQ(doc.T_Strutt.node(1).place, NodePlace::Root);
  EXPECT_EQ(doc.T_Strutt.node(2).text, "0 41 98");
  EXPECT_EQ(doc.T_Strutt.node(2).place, NodePlace::Group);
  EXPECT_EQ(doc.T_Strutt.node(2).parent, 1);
  EXPECT_EQ(doc.T_Strutt.tag(3), "0 41 98_1");
  EXPECT_EQ(doc.T_Strutt.node(3).parent, 2);
  EXPECT_EQ(doc.T_Strutt.tag(4), "0 41 98_2");
  EXPECT_EQ(doc.T_Strutt.node(4).place, NodePlace::Line);
  EXPECT_EQ(doc.T_Strutt.node(4).kind, u'2');
  EXPECT_EQ(doc.T_Strutt.tag(8), "0 41 98_6");
  EXPECT_EQ(doc.T_Strutt.node(8).kind, u'5');
  EXPECT_EQ(doc.T_Strutt.node(7).kind, u'1');
  EXPECT_EQ(doc.T_Strutt.node(6).kind, u'4');

  ASSERT_EQ(doc.L_RGBA.rowCount(), 2);
  EXPECT_EQ(corvela::test::cellsOf(doc.L_RGBA, 0),
            (QStringList{"-", "255", "255", "255", "0", "0002"}));
  EXPECT_EQ(rowTag(doc.L_RGBA.row(0)), "4 255 255 255 0");
  EXPECT_EQ(corvela::test::cellsOf(doc.L_RGBA, 1),
            (QStringList{"0595", "0", "0", "128", "0", "0005"}));

  ASSERT_EQ(doc.L_Dim.rowCount(), 1);
  EXPECT_EQ(corvela::test::cellsOf(doc.L_Dim, 0),
            (QStringList{"0562", "0", "190", "43", "219", "44", "29", "0006"}));

  ASSERT_EQ(doc.L_Values.rowCount(), 1);
  const ListRow& obj = doc.L_Values.row(0);
  EXPECT_EQ(corvela::test::cellOf(doc.L_Values, 0, V_ID), "0595");
  EXPECT_EQ(corvela::test::cellOf(doc.L_Values, 0, V_OffSet), "03_001024");
  EXPECT_EQ(corvela::test::cellOf(doc.L_Values, 0, V_NDat), "03");
  EXPECT_EQ(corvela::test::cellOf(doc.L_Values, 0, V_Offset), "1024");
  EXPECT_EQ(corvela::test::cellOf(doc.L_Values, 0, V_Byte), "350");
  EXPECT_EQ(shownState(doc, 0), ObjectState::Missing);
  EXPECT_EQ(shownCell(doc.L_Values, 0, V_PathGif, &doc.objectFacts()), " ");
  EXPECT_EQ(corvela::test::cellOf(doc.L_Values, 0, V_Indice), "0007");
  EXPECT_EQ(rowTag(obj), "1024 350 3");
}

TEST(Load, ObjectStatesFromTheWorkingFolder) {
  SkinFolder f;
  f.writeSkin({"SKI1", "5 595 0 10 3", "5 0007 10 10 3", "5 12 0 10 14", "5 13 0 10 14"});
  QDir().mkdir(f.path("vodafone_Gifs"));
  f.write("vodafone_Gifs/595.gif", "x");
  f.write("vodafone_Gifs/12.gif", "x");
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  const ReportList& v = doc.L_Values;
  EXPECT_EQ(shownState(doc, 0), ObjectState::Found);
  EXPECT_EQ(doc.objectFacts().shownPath(doc.L_Values, 0), f.path("vodafone_Gifs/595.gif"));
  EXPECT_FALSE(v.row(0).edited);
  EXPECT_EQ(shownState(doc, 1), ObjectState::Missing);
  // Archive 14 of the operator skin is repacked by every save.
  EXPECT_EQ(shownState(doc, 2), ObjectState::ToReplace);
  EXPECT_EQ(doc.objectFacts().shownPath(doc.L_Values, 2), f.path("vodafone_Gifs/12.gif"));
  EXPECT_TRUE(v.row(2).edited);
  EXPECT_EQ(shownState(doc, 3), ObjectState::ToReplace);
  EXPECT_EQ(doc.objectFacts().shownPath(doc.L_Values, 3), "");
}

TEST(Load, UpperCaseOperatorSkinKeepsItsCaseForFolders) {
  SkinFolder f;
  f.writeSkin({"SKI1", "5 595 0 10 14"}, "VODAFONE.SKI");
  QDir().mkdir(f.path("VODAFONE_Gifs"));
  f.write("VODAFONE_Gifs/595.gif", "x");
  SkinDocument doc;
  const LoadOutcome o = f.load(doc, "VODAFONE.SKI");
  ASSERT_EQ(o.status, LoadStatus::Complete);
  EXPECT_FALSE(o.nameWarning);
  EXPECT_TRUE(doc.canSave());
  EXPECT_EQ(doc.P_sTheme, "VODAFONE");
  EXPECT_FALSE(f.exists("vodafone_Gifs"));
  EXPECT_EQ(doc.objectFacts().shownPath(doc.L_Values, 0), f.path("VODAFONE_Gifs/595.gif"));
  EXPECT_EQ(shownState(doc, 0), ObjectState::ToReplace);
}

TEST(Load, AnotherSkinNameLoadsButCannotBeSaved) {
  SkinFolder f;
  f.writeSkin({"SKI1", "5 595 0 10 14"}, "mytheme.ski");
  SkinDocument doc;
  const LoadOutcome o = f.load(doc, "mytheme.ski");
  EXPECT_EQ(o.status, LoadStatus::Complete);
  EXPECT_TRUE(o.nameWarning);
  EXPECT_FALSE(doc.canSave());
  EXPECT_TRUE(QFileInfo(f.path("mytheme_Gifs")).isDir());
  EXPECT_EQ(shownState(doc, 0), ObjectState::Missing);
}

TEST(Load, MagicLineAnyCaseAndTailKept) {
  for (const QString magic : {"ski1", "Ski1Version2"}) {
    SkinFolder f;
    f.writeSkin({magic, "3 1 2"});
    SkinDocument doc;
    EXPECT_EQ(f.load(doc).status, LoadStatus::Complete) << magic.toStdString();
    EXPECT_EQ(doc.lines[0], magic);
  }
}

TEST(Load, FailureRowsLeaveTheStatedState) {
  struct Case {
    QByteArray text;
    LoadStatus status;
    int nodes;
    int rows;  // colour rows present
    bool closing;
  };
  QByteArray big = "SKI1\n";
  for (int i = 1; i < 1502; ++i) big += "3 x\n";
  const std::vector<Case> cases = {
      {"SKI2\n4 1 2 3 4\n", LoadStatus::BadMagic, 0, 0, true},
      {"", LoadStatus::EmptyFile, 0, 0, false},
      {big, LoadStatus::TooManyLines, 1, 0, false},
      {"SKI1\n4 1 2 3 4\n\n4 5 6 7 8\n", LoadStatus::BadLine, 3, 1, false},
      {"SKI1\n4 1 2 3 4\n 4 5 6 7 8\n", LoadStatus::BadLine, 3, 1, false},
      {"SKI1\n4 1 2 3 4\n4 5 6 7\n4 1 1 1 1\n", LoadStatus::BadLine, 3, 1, false},
      {"SKI1\n5 1 2 3\n", LoadStatus::BadLine, 2, 0, false},
      {"SKI1\n1 1 2 3\n", LoadStatus::BadLine, 2, 0, false},
  };
  for (const Case& c : cases) {
    SkinFolder f;
    f.write("vodafone.ski", c.text);
    SkinDocument doc;
    const LoadOutcome o = f.load(doc);
    EXPECT_EQ(o.status, c.status) << c.text.left(30).toStdString();
    EXPECT_EQ(doc.T_Strutt.nodeCount(), c.nodes) << c.text.left(30).toStdString();
    EXPECT_EQ(doc.L_RGBA.rowCount(), c.rows) << c.text.left(30).toStdString();
    EXPECT_EQ(o.closingSteps(), c.closing);
    // Whatever stopped the load, nothing of it may ever be saved.
    EXPECT_FALSE(doc.canSave());
  }
}

TEST(Load, BadLineNamesItsLine) {
  SkinFolder f;
  f.write("vodafone.ski", "SKI1\n3 a\n4 1 2 3\n");
  SkinDocument doc;
  const LoadOutcome o = f.load(doc);
  EXPECT_EQ(o.status, LoadStatus::BadLine);
  EXPECT_EQ(o.line, 2);
  EXPECT_FALSE(o.reason.isEmpty());
}

TEST(Load, ExactlyTheMaximumNumberOfLines) {
  SkinFolder f;
  QStringList lines{"SKI1"};
  for (int i = 1; i < 1501; ++i) lines << QStringLiteral("4 %1 1 2 3 0").arg(i);
  f.writeSkin(lines);
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  EXPECT_EQ(doc.P_MaxValues, 1501);
  EXPECT_EQ(corvela::test::cellOf(doc.L_RGBA, 0, C_Indice), "0001");
  EXPECT_EQ(corvela::test::cellOf(doc.L_RGBA, 1499, C_Indice), "1500");
}

TEST(Load, CarriageReturnAndTrailingTextEndTheReadablePart) {
  SkinFolder f;
  f.write("vodafone.ski", "SKI1\n4 1 2 3 4\r\n4 5 6 7 8\n");
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  EXPECT_EQ(doc.P_MaxValues, 1);  // the CR cuts the first colour line's line feed off

  f.write("vodafone.ski", "SKI1\n4 1 2 3 4\n4 5 6 7 8");
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  EXPECT_EQ(doc.P_MaxValues, 2);
  EXPECT_EQ(doc.L_RGBA.rowCount(), 1);

  f.write("vodafone.ski", "SKI1");
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  EXPECT_EQ(doc.P_MaxValues, 0);
  EXPECT_EQ(doc.T_Strutt.nodeCount(), 1);
}

TEST(Load, ANewLoadReplacesTheWholeDocument) {
  SkinFolder f;
  f.writeSkin(kWorkedExample);
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  f.writeSkin({"SKI1", "0 1", "3 z"}, "other.ski");
  const LoadOutcome o = f.load(doc, "other.ski");
  EXPECT_TRUE(o.nameWarning);
  EXPECT_EQ(doc.L_Values.rowCount(), 0);
  EXPECT_EQ(doc.L_RGBA.rowCount(), 0);
  EXPECT_EQ(doc.T_Strutt.nodeCount(), 3);
  EXPECT_EQ(doc.T_Strutt.tag(3), "0 1_1");
  EXPECT_FALSE(doc.canSave());
}

TEST(Load, LinesBeforeTheFirstGroupHaveAnEmptyGroupName) {
  SkinFolder f;
  f.writeSkin({"SKI1", "3 a", "7", "0 2", "9 x"});
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  EXPECT_EQ(doc.T_Strutt.tag(2), "_1");
  EXPECT_EQ(doc.T_Strutt.tag(3), "_2");
  EXPECT_EQ(doc.T_Strutt.node(3).kind, u'7');
  EXPECT_EQ(doc.T_Strutt.node(2).parent, 1);
  EXPECT_EQ(doc.T_Strutt.tag(5), "0 2_1");
  EXPECT_EQ(doc.T_Strutt.node(5).parent, 4);
}

TEST(Load, BackslashInAFolderNameStaysInsideThatFolder) {
  SkinFolder f;
  ASSERT_TRUE(QDir().mkdir(f.path("a\\b")));
  f.writeSkin({"SKI1", "5 1 0 3 14"}, "a\\b/vodafone.ski");
  SkinDocument doc;
  ASSERT_EQ(f.load(doc, "a\\b/vodafone.ski").status, LoadStatus::Complete);
  EXPECT_EQ(doc.P_sPath, QDir::toNativeSeparators(f.path("a\\b")));
  EXPECT_TRUE(QFileInfo(f.path("a\\b/vodafone_Gifs")).isDir());
  EXPECT_FALSE(f.exists("vodafone_Gifs"));
}
