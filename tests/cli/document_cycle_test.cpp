// Whole editing sessions on the document library: edits, saves and reloads
// in the order a user makes them, read back from disk.
#include <gtest/gtest.h>

#include "by_hand.h"
#include "cli_support.h"
#include "document_names.h"
#include "imaging_commands.h"
#include "list_cells.h"
#include "object_export.h"
#include "object_row.h"
#include "skin_document.h"
#include "skin_saver.h"

using namespace corvela;
using namespace corvela::clitest;

namespace {

int nodeStarting(const SkinTree& tree, const QString& prefix) {
  for (int i = 1; i <= tree.nodeCount(); ++i) {
    if (tree.node(i).text.startsWith(prefix)) return i;
  }
  return 0;
}

}  // namespace

TEST(DocumentCycle, RowsStayToBeReplacedSoASecondSavePacksTheNewFiles) {
  Folder f;
  const SkinFixture skin = completeSkin();
  skin.writeTo(f);
  SkinDocument doc;
  ASSERT_EQ(doc.load(f.file("vodafone.ski")).status, LoadStatus::Complete);
  ASSERT_TRUE(exportAllObjects(doc).ok());
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);

  const int r635 = doc.L_Values.findId("0635");
  const int r7 = doc.L_Values.findId("0007");
  const ObjectFacts& facts = doc.objectFacts();
  for (int r : {r635, r7}) {
    EXPECT_EQ(shownState(doc, r), ObjectState::ToReplace);
    EXPECT_TRUE(facts.holds(ObjectFacts::Fact::Packed, doc.L_Values, r));
  }
  EXPECT_FALSE(facts.holds(ObjectFacts::Fact::Packed, doc.L_Values, doc.L_Values.findId("0652")));
  // What the save packed is no step of the history: an import over the row
  // ends it, and the undo that brings the row back brings it back.
  f.write("other.gif", tinyGif(5, 300));
  ASSERT_TRUE(importImage(doc, r635, f.file("other.gif"), false).replaced());
  EXPECT_FALSE(facts.holds(ObjectFacts::Fact::Packed, doc.L_Values, r635));
  doc.history().undo();
  EXPECT_TRUE(facts.holds(ObjectFacts::Fact::Packed, doc.L_Values, r635));

  // The user drops a new, longer picture over object 635 in the working folder.
  const QByteArray replacement = tinyGif(99, 2000);
  f.write("vodafone_Gifs/635.gif", replacement);
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(f.read("vodafone14.dat"), replacement + skin.objects.at(7));

  SkinDocument again;
  ASSERT_EQ(again.load(f.file("vodafone.ski")).status, LoadStatus::Complete);
  const ListRow& seven = again.L_Values.row(again.L_Values.findId("0007"));
  EXPECT_EQ(seven.object().offset.value_or(Field()).value(), 2000);
  EXPECT_EQ(seven.object().size.value(), skin.objects.at(7).size());
  EXPECT_EQ(corvela::test::cellOf(again.L_Values, again.L_Values.findId("0635"), V_Byte), "2000");
}

TEST(DocumentCycle, EditsThroughTreeAndListsSurviveAReload) {
  Folder f;
  completeSkin().writeTo(f);
  SkinDocument doc;
  ASSERT_EQ(doc.load(f.file("vodafone.ski")).status, LoadStatus::Complete);

  const int minutes = nodeStarting(doc.T_Strutt, "2 8 ");
  ASSERT_GT(minutes, 0);
  corvela::test::byHand(doc).tree.setText(minutes, "2 8 45");
  corvela::test::byHand(doc).tree.setEdited(minutes, true);
  // A changed node that is not flagged edited is not taken over.
  const int hours = nodeStarting(doc.T_Strutt, "2 11 ");
  corvela::test::byHand(doc).tree.setText(hours, "2 11 99");
  const int operatorColour = doc.L_RGBA.findId("0595");
  corvela::test::setField(corvela::test::byHand(doc).colours, operatorColour, C_R, "255");
  corvela::test::byHand(doc).colours.setEdited(operatorColour, true);
  const int dateRect = doc.L_Dim.findId("0571");
  corvela::test::setField(corvela::test::byHand(doc).rects, dateRect, D_Y2, "60");
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);

  SkinDocument again;
  ASSERT_EQ(again.load(f.file("vodafone.ski")).status, LoadStatus::Complete);
  EXPECT_EQ(again.T_Strutt.node(minutes).text, "2 8 45");
  EXPECT_EQ(again.T_Strutt.node(hours).text, "2 11 20");
  EXPECT_EQ(corvela::test::cellOf(again.L_RGBA, operatorColour, C_R), "255");
  EXPECT_FALSE(again.L_RGBA.row(operatorColour).edited);  // flags are not stored
  EXPECT_EQ(corvela::test::cellOf(again.L_Dim, dateRect, D_Y2), "60");
  EXPECT_EQ(corvela::test::cellOf(again.L_Dim, dateRect, D_Altezza), "24");
  EXPECT_EQ(again.lines[static_cast<size_t>(minutes - 1)], "2 8 45");
}
