// Sources of colour rows that must leave every row as it was when they are
// bad, and the random colours of "Command5".
#include <gtest/gtest.h>

#include "colour_edits.h"
#include "colour_scheme.h"
#include "document_names.h"
#include "list_cells.h"
#include "skin_fixture.h"

using namespace corvela;
using corvela::test::SkinFolder;

namespace {

class ColourSources : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.writeSkin({"SKI1", "0 41 98", "4 1 2 3 0", "4 595 255 255 255 0", "4 9 255 255 255 7",
                      "4 12 0 0 0 0"});
    ASSERT_EQ(folder.load(doc).status, LoadStatus::Complete);
  }
  QStringList row(int r) const { return corvela::test::cellsOf(doc.L_RGBA, r); }
  QList<QStringList> rows() const {
    QList<QStringList> out;
    for (int r = 0; r < doc.L_RGBA.rowCount(); ++r) out << row(r);
    return out;
  }

  SkinFolder folder;
  SkinDocument doc;
  // The rules are tried on their own here, outside any step.
  const SkinDocument::DiskWrite byHand{doc};
};

TEST_F(ColourSources, ABadSchemeLineNamesItsNumberAndChangesNothing) {
  const QList<QStringList> before = rows();
  // The third line is bad: its form, or the skin line it would overwrite
  // (the header, a line that is no colour, none at all, another colour's,
  // a line without id for a row with one, a line with an id for a row
  // without).
  for (const char* third :
       {"8,1,2,3,0", "8,1,x,3,0,9", "8,1,2,3,0,9,10", "595,1,2,3,0,0000", "595,1,2,3,0,0001",
        "595,1,2,3,0,0006", "595,1,2,3,0,99999999999", "9,1,2,3,0,0003", "12,1,2,3,0,0002",
        "-,1,2,3,0,0003", "-,1,2,3,0,0005"}) {
    const QByteArray bad = QByteArray("595,0,0,255,0,0003\n\n") + third + "\n";
    folder.write("colors.txt", bad);
    const SchemeOutcome o = loadColourScheme(doc, folder.path("colors.txt"));
    EXPECT_FALSE(o.ok);
    EXPECT_TRUE(o.error.contains("riga 3")) << o.error.toStdString();
    EXPECT_EQ(rows(), before);
  }
  EXPECT_EQ(loadColourScheme(doc, folder.path("none.txt")).error, kSchemeNotFound);
  folder.write("huge.txt", QByteArray(1024 * 1024 + 1, '\n'));
  EXPECT_TRUE(loadColourScheme(doc, folder.path("huge.txt")).error.contains("oltre il limite"));
  EXPECT_EQ(rows(), before);
}

TEST_F(ColourSources, ComponentsAreClampedToAByte) {
  folder.write("colors.txt", "-, 99999999999999999999, 70000, 3, 300, 0002\n");
  ASSERT_TRUE(loadColourScheme(doc, folder.path("colors.txt")).ok);
  EXPECT_EQ(row(0), QStringList({"-", "255", "255", "3", "255", "0002"}));

  folder.write("other.ski", "SKI1\n4 7 70000 99999999999999999999 5 300\n");
  ASSERT_TRUE(importColoursFromSkin(doc, folder.path("other.ski")).ok);
  EXPECT_EQ(row(0), QStringList({"-", "255", "255", "5", "255", "0002"}));
}

TEST_F(ColourSources, AnUnusableOtherSkinChangesNothing) {
  const QList<QStringList> before = rows();
  QByteArray tooLong = "SKI1\n";
  for (int i = 0; i < 1501; ++i) tooLong += "4 1 1 1 1\n";
  folder.write("long.ski", tooLong);
  folder.write("bad.ski", "SKI1\n4 1 1 1 1\n4 1 1\n");
  for (const QString& source :
       {folder.path("long.ski"), folder.path("bad.ski"), folder.path("no.ski")}) {
    const ColourImport o = importColoursFromSkin(doc, source);
    EXPECT_FALSE(o.ok) << source.toStdString();
    EXPECT_FALSE(o.error.isEmpty());
  }
  EXPECT_EQ(rows(), before);
}

TEST_F(ColourSources, RandomColoursTouchOnlyBlackRows110To130AndNeverReach255) {
  QStringList lines{"SKI1"};
  for (int i = 1; i <= 140; ++i)
    lines << (i == 115 ? "4 0 0 0 9" : QStringLiteral("4 %1 0 0 0 3").arg(i));
  folder.writeSkin(lines);
  ASSERT_EQ(folder.load(doc).status, LoadStatus::Complete);
  QRandomGenerator random(42);
  for (int round = 0; round < 50; ++round) {
    SkinDocument fresh;
    ASSERT_EQ(folder.load(fresh).status, LoadStatus::Complete);
    const SkinDocument::DiskWrite byHand(fresh);
    EXPECT_EQ(randomiseBlackColours(fresh, random), 20);  // rows 110..130 less the one without id
    for (int r = 0; r < fresh.L_RGBA.rowCount(); ++r) {
      const bool inRange = r >= 109 && r <= 129 && r != 114;
      EXPECT_EQ(fresh.L_RGBA.row(r).edited, inRange) << r;
      for (int c = C_R; c <= C_B; ++c)
        EXPECT_LT(corvela::test::cellOf(fresh.L_RGBA, r, c).toInt(), 255);
      if (inRange) {
        EXPECT_EQ(corvela::test::cellOf(fresh.L_RGBA, r, C_Trasparenza), "0");
      }
    }
  }
}

}  // namespace
