#include <gtest/gtest.h>

#include <QDir>
#include <stdexcept>

#include "document_names.h"
#include "object_archive.h"
#include "object_replace.h"
#include "skin_document.h"
#include "skin_fixture.h"
#include "skin_saver.h"

using namespace corvela;
using corvela::test::fakeGif;
using corvela::test::readLines;
using corvela::test::SkinFolder;

namespace {

QByteArray readWhole(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QStringList kSkin = {"SKI1", "1 570 10 20 30 40", "5 595 4 350 3"};

TEST(History, StepsMergeNestAndKeepWhatAThrowingEditChanged) {
  SkinFolder f;
  f.writeSkin(kSkin);
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  DocumentHistory& h = doc.history();
  auto x1 = [&] { return doc.L_Dim.cell(0, D_X1); };

  // Keys typed into one box fold into one step; another key starts anew.
  EXPECT_TRUE(doc.perform(
      "a", [&] { doc.L_Dim.setCell(0, D_X1, "1"); }, 7));
  EXPECT_TRUE(doc.perform(
      "a", [&] { doc.L_Dim.setCell(0, D_X1, "12"); }, 7));
  EXPECT_TRUE(doc.perform(
      "b", [&] { doc.L_Dim.setCell(0, D_X1, "13"); }, 8));
  EXPECT_EQ(h.count(), 2);
  h.undo();
  EXPECT_EQ(x1(), "12");
  h.undo();
  EXPECT_EQ(x1(), "10");
  EXPECT_TRUE(h.isClean());
  h.redo();
  EXPECT_EQ(x1(), "12");

  // An edit run inside another belongs to the outer step; one that changes
  // nothing leaves no step.
  EXPECT_TRUE(doc.perform("outer", [&] {
    doc.L_Dim.setCell(0, D_X2, "31");
    EXPECT_FALSE(doc.perform("inner", [&] { doc.L_Dim.setCell(0, D_Y1, "21"); }));
  }));
  EXPECT_FALSE(doc.perform("none", [&] { doc.L_Dim.setCell(0, D_X1, "12"); }));
  EXPECT_EQ(h.count(), 2);
  EXPECT_EQ(h.text(1), "outer");
  h.undo();
  EXPECT_EQ(doc.L_Dim.cell(0, D_X2), "30");
  EXPECT_EQ(doc.L_Dim.cell(0, D_Y1), "20");

  // What a failing edit changed before it threw is a step of its own.
  EXPECT_THROW(doc.perform("boom",
                           [&] {
                             doc.L_Dim.setCell(0, D_Y2, "41");
                             throw std::runtime_error("x");
                           }),
               std::runtime_error);
  EXPECT_EQ(h.count(), 2);
  EXPECT_EQ(h.text(1), "boom");
  h.undo();
  EXPECT_EQ(doc.L_Dim.cell(0, D_Y2), "40");
}

TEST(History, UndoPastASaveSavesTheImageItMeantAndLeavesNoChangeForTheNextOpen) {
  SkinFolder f;
  f.writeSkin(kSkin);
  const QByteArray archived = fakeGif(350, 'o');
  f.write("vodafone3.dat", QByteArray(4, 'x') + archived);
  f.write("new.gif", fakeGif(200, 'n'));
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  const ListRow asRead = doc.L_Values.row(0);
  ASSERT_EQ(asRead.state, ObjectState::Missing);  // never extracted
  doc.perform("Immagine", [&] { importObject(doc, 0, f.path("new.gif"), false); });
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  const QString gif = objectGifPath(doc.P_sTarget, doc.L_Values.cell(0, V_ID));
  ASSERT_EQ(readWhole(gif), fakeGif(200, 'n'));
  const QByteArray packedSkin = f.read("vodafone.ski");
  EXPECT_EQ(readLines(packedSkin)[2], "5 595 0 200 14");

  // The save left the new image where the object had none: put back, the
  // row shows the archive's, and the next save puts that file right.
  doc.history().undo();
  EXPECT_TRUE(doc.isModified());
  EXPECT_EQ(doc.L_Values.row(0).cells, asRead.cells);
  ASSERT_NE(doc.L_Values.row(0).pinned, nullptr);
  EXPECT_EQ(*doc.L_Values.row(0).pinned, archived);
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(readLines(f.read("vodafone.ski")), kSkin);
  EXPECT_EQ(readWhole(gif), archived);
  EXPECT_EQ(doc.L_Values.row(0).cells[V_PathGif], gif);
  EXPECT_FALSE(doc.isModified());
  SkinDocument reopened;
  const LoadOutcome again = f.load(reopened);
  EXPECT_EQ(again.outside.marked, 0);
  EXPECT_EQ(reopened.L_Values.row(0).state, ObjectState::Found);

  // Redone, even with the chosen file gone, the step still has its image.
  QFile::remove(f.path("new.gif"));
  doc.history().redo();
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(f.read("vodafone.ski"), packedSkin);
  EXPECT_EQ(f.read("vodafone14.dat"), fakeGif(200, 'n'));
}

}  // namespace
