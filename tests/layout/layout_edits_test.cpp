// The layout operations on a loaded skin: the cells and marks they leave,
// and the lines the save then writes.
#include <gtest/gtest.h>

#include <vector>

#include "clock_edits.h"
#include "document_names.h"
#include "list_cells.h"
#include "position_edits.h"
#include "skin_fixture.h"
#include "skin_saver.h"

using namespace corvela;
using namespace corvela::test;

namespace {

const QStringList kSkin{
    "SKI1",
    "0 41 98",
    "4 255 255 255 0",
    "2 8 30",
    "2 11 20",
    "4 595 0 0 128 0",
    "4 9 230 0 0 0",
    "1 570 10 20 100 35",
    "1 562 1 190 007 219",
    "1 566 0 190 43 219",
    "1 570 1 1 1 1",
    "2 8 31",
};

class LayoutEdits : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.writeSkin(kSkin);
    ASSERT_EQ(folder.load(doc).status, LoadStatus::Complete);
  }
  QStringList rect(int row) const { return corvela::test::cellsOf(doc.L_Dim, row, D_X1, 6); }
  bool marked(const ListRow& row) const { return row.edited; }
  QStringList saved() {
    EXPECT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
    return readLines(folder.read("vodafone.ski"));
  }
  SkinFolder folder;
  SkinDocument doc;
  // The rules are tried on their own here, outside any step.
  const SkinDocument::DiskWrite byHand{doc};
};

}  // namespace

TEST_F(LayoutEdits, PositionsAreStoredAsTypedAndAnEmptyBoxIsSavedAsZero) {
  EXPECT_TRUE(setPosition(doc.records().rects, 0, {"007", "", "100", "35"}));
  EXPECT_EQ(rect(0), (QStringList{"007", "", "100", "35", "-", "-"}));
  EXPECT_TRUE(marked(doc.L_Dim.row(0)));
  EXPECT_FALSE(setPosition(doc.records().rects, -1, {"1", "2", "3", "4"}));
  EXPECT_EQ(saved().value(7), "1 570 007 0 100 35");
}

TEST_F(LayoutEdits, TransparencyIsClampedAndStoredWithoutLeadingZeros) {
  TransparencyEdit over = setTransparency(doc.records().colours, 1, u"300");
  EXPECT_EQ(over.boxText, "255");
  EXPECT_EQ(corvela::test::cellOf(doc.L_RGBA, 1, C_Trasparenza), "255");
  EXPECT_TRUE(marked(doc.L_RGBA.row(1)));

  TransparencyEdit zeros = setTransparency(doc.records().colours, 2, u"007");
  EXPECT_FALSE(zeros.boxText);
  EXPECT_EQ(corvela::test::cellOf(doc.L_RGBA, 2, C_Trasparenza), "7");
  EXPECT_EQ(setTransparency(doc.records().colours, 0, u"").value, 0);

  // No row bound: the box is still corrected, no row changes.
  const std::vector<ListRow> before{doc.L_RGBA.row(0), doc.L_RGBA.row(1), doc.L_RGBA.row(2)};
  TransparencyEdit unbound = setTransparency(doc.records().colours, -1, u"999");
  EXPECT_EQ(unbound.boxText, "255");
  EXPECT_FALSE(unbound.stored);
  EXPECT_TRUE(doc.L_RGBA.row(0) == before[0]);
  const QStringList lines = saved();
  EXPECT_EQ(lines.value(5), "4 595 0 0 128 255");
  EXPECT_EQ(lines.value(6), "4 9 230 0 0 7");
  EXPECT_EQ(lines.value(2), "4 255 255 255 0");
}

TEST_F(LayoutEdits, MovesShiftBothColumnsAndClearTheSizeOnlyWhenACornerChanges) {
  moveRectangle(doc.records().rects, 0, MoveDirection::Up, u"2");
  EXPECT_EQ(rect(0), (QStringList{"10", "18", "100", "33", "-", "-"}));
  EXPECT_TRUE(marked(doc.L_Dim.row(0)));
  moveRectangle(doc.records().rects, 1, MoveDirection::Left, u"2");
  EXPECT_EQ(rect(1), (QStringList{"-1", "190", "5", "219", "-", "-"}));

  // An offset that is no number moves by 0 and still marks; the corners'
  // texts stay, so the boxes would not change and the size stays.
  for (const char16_t* offset : {u"", u"a"}) {
    moveRectangle(doc.records().rects, 2, MoveDirection::Right, offset);
    EXPECT_EQ(rect(2), (QStringList{"0", "190", "43", "219", "44", "29"}));
    EXPECT_TRUE(marked(doc.L_Dim.row(2)));
  }
  // A corner written "007" is rewritten as 7 even by 0: its box changes.
  setPosition(doc.records().rects, 3, {"1", "1", "007", "1"});
  corvela::test::setField(doc.records().rects, 3, D_Larghezza, "6");
  moveRectangle(doc.records().rects, 3, MoveDirection::Right, u"0");
  EXPECT_EQ(rect(3), (QStringList{"1", "1", "7", "1", "-", "-"}));

  const QStringList lines = saved();
  EXPECT_EQ(lines.value(7), "1 570 10 18 100 33");
  EXPECT_EQ(lines.value(8), "1 562 -1 190 5 219");
}

TEST_F(LayoutEdits, APressWalksTheTwelveCodesInTheirOrderOnTheFirstRowOfEach) {
  MoveTargets ticked{};
  ticked[3] = ticked[2] = ticked[0] = true;  // 0566, 0562, 0570
  ticked[11] = true;                         // 0006: not in this skin
  std::vector<int> rebuilt;
  const int moved = moveRectangles(doc.records().rects, ticked, MoveDirection::Down, u"3",
                                   [&](int target) { rebuilt.push_back(target); });
  EXPECT_EQ(moved, 3);
  EXPECT_EQ(rebuilt, (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(rect(0).mid(0, 4), (QStringList{"10", "23", "100", "38"}));
  EXPECT_EQ(rect(2).mid(0, 4), (QStringList{"0", "193", "43", "222"}));
  EXPECT_EQ(rect(3), (QStringList{"1", "1", "1", "1", "0", "0"}));  // the second 0570
  EXPECT_FALSE(marked(doc.L_Dim.row(3)));
  EXPECT_EQ(moveRectangles(doc.records().rects, MoveTargets{}, MoveDirection::Up, u"2"), 0);
}

TEST_F(LayoutEdits, HandLengthGoesIntoTheBoundNodeInBlue) {
  const int minute = handLengthNode(doc.T_Strutt, Hand::Minute);
  EXPECT_EQ(doc.T_Strutt.node(minute).text, "2 8 31");  // the later line is the bound one
  const int hour = handLengthNode(doc.T_Strutt, Hand::Hour);
  EXPECT_EQ(doc.T_Strutt.node(hour).text, "2 11 20");

  EXPECT_TRUE(setHandLength(doc.records().tree, minute, Hand::Minute, u" 25 "));
  EXPECT_TRUE(doc.T_Strutt.node(minute).edited);
  EXPECT_TRUE(setHandLength(doc.records().tree, hour, Hand::Hour, u""));
  EXPECT_FALSE(setHandLength(doc.records().tree, 0, Hand::Minute, u"9"));

  const QStringList lines = saved();
  EXPECT_EQ(lines.value(3), "2 8 30");
  EXPECT_EQ(lines.value(4), "2 11 ");
  EXPECT_EQ(lines.value(11), "2 8 25");
}

TEST_F(LayoutEdits, HandColourGoesIntoItsRowOrNowhere) {
  const int minuteRow = doc.L_RGBA.findId("0009");
  EXPECT_TRUE(setHandColour(doc, minuteRow, colourValue(1, 2, 3)));
  EXPECT_EQ(corvela::test::cellsOf(doc.L_RGBA, minuteRow, C_R, 4),
            (QStringList{"1", "2", "3", "0"}));
  EXPECT_TRUE(marked(doc.L_RGBA.row(minuteRow)));

  // No hour colour row in this skin: the codec still splits, nothing stored.
  const int hourRow = doc.L_RGBA.findId(QString::fromUtf8(handColour(Hand::Hour).code));
  EXPECT_EQ(hourRow, -1);
  EXPECT_FALSE(setHandColour(doc, hourRow, colourValue(7, 8, 9)));
  EXPECT_EQ(doc.colourParts().P_B, 9);
  EXPECT_EQ(saved().value(6), "4 9 1 2 3 0");
}
