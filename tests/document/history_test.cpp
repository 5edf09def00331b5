#include <gtest/gtest.h>

#include <QDir>
#include <array>
#include <map>
#include <random>
#include <stdexcept>

#include "document_edits.h"
#include "document_names.h"
#include "list_cells.h"
#include "object_archive.h"
#include "object_export.h"
#include "object_replace.h"
#include "object_row.h"
#include "skin_document.h"
#include "skin_fixture.h"
#include "skin_saver.h"
#include "working_mirror.h"

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
  auto x1 = [&] { return corvela::test::cellOf(doc.L_Dim, 0, D_X1); };

  // Keys typed into one box fold into one step; another key starts anew.
  EXPECT_TRUE(doc.perform(
      "a", [&] { corvela::test::setField(corvela::test::byHand(doc).rects, 0, D_X1, "1"); }, 7));
  EXPECT_TRUE(doc.perform(
      "a", [&] { corvela::test::setField(corvela::test::byHand(doc).rects, 0, D_X1, "12"); }, 7));
  EXPECT_TRUE(doc.perform(
      "b", [&] { corvela::test::setField(corvela::test::byHand(doc).rects, 0, D_X1, "13"); }, 8));
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
    corvela::test::setField(corvela::test::byHand(doc).rects, 0, D_X2, "31");
    EXPECT_FALSE(doc.perform("inner", [&] {
      corvela::test::setField(corvela::test::byHand(doc).rects, 0, D_Y1, "21");
    }));
  }));
  EXPECT_FALSE(doc.perform(
      "none", [&] { corvela::test::setField(corvela::test::byHand(doc).rects, 0, D_X1, "12"); }));
  EXPECT_EQ(h.count(), 2);
  EXPECT_EQ(h.text(1), "outer");
  h.undo();
  EXPECT_EQ(corvela::test::cellOf(doc.L_Dim, 0, D_X2), "30");
  EXPECT_EQ(corvela::test::cellOf(doc.L_Dim, 0, D_Y1), "20");

  // What a failing edit changed before it threw is a step of its own.
  EXPECT_THROW(doc.perform("boom",
                           [&] {
                             corvela::test::setField(corvela::test::byHand(doc).rects, 0, D_Y2,
                                                     "41");
                             throw std::runtime_error("x");
                           }),
               std::runtime_error);
  EXPECT_EQ(h.count(), 2);
  EXPECT_EQ(h.text(1), "boom");
  h.undo();
  EXPECT_EQ(corvela::test::cellOf(doc.L_Dim, 0, D_Y2), "40");

  // The views hear of a step once it is done, once however often the edit
  // touched the row; an edit that changes nothing says nothing.
  int heard = 0;
  QObject::connect(&doc.L_Dim, &ReportList::rowChanged, [&] { ++heard; });
  EXPECT_TRUE(doc.perform("c", [&] {
    corvela::test::setField(corvela::test::byHand(doc).rects, 0, D_X1, "5");
    EXPECT_EQ(heard, 0);
    corvela::test::setField(corvela::test::byHand(doc).rects, 0, D_X1, "6");
  }));
  EXPECT_EQ(heard, 1);
  EXPECT_FALSE(doc.perform(
      "none", [&] { corvela::test::setField(corvela::test::byHand(doc).rects, 0, D_X1, "6"); }));
  EXPECT_EQ(heard, 1);
  h.undo();
  EXPECT_EQ(heard, 2);
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
  ASSERT_EQ(shownState(doc, 0), ObjectState::Missing);  // never extracted
  doc.perform("Immagine", [&] { importObject(doc, 0, f.path("new.gif"), false); });
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  const QString gif = objectGifPath(doc.P_sTarget, corvela::test::cellOf(doc.L_Values, 0, V_ID));
  ASSERT_EQ(readWhole(gif), fakeGif(200, 'n'));
  const QByteArray packedSkin = f.read("vodafone.ski");
  EXPECT_EQ(readLines(packedSkin)[2], "5 595 0 200 14");

  // The save left the new image where the object had none: put back, the
  // row shows the archive's, and the next save puts that file right.
  doc.history().undo();
  EXPECT_TRUE(doc.isModified());
  EXPECT_TRUE(doc.L_Values.row(0).record == asRead.record);
  ASSERT_NE(doc.L_Values.row(0).pinned, nullptr);
  EXPECT_EQ(*doc.L_Values.row(0).pinned, archived);
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(readLines(f.read("vodafone.ski")), kSkin);
  EXPECT_EQ(readWhole(gif), archived);
  EXPECT_EQ(shownFile(doc, 0), gif);
  EXPECT_FALSE(doc.isModified());
  SkinDocument reopened;
  const LoadOutcome again = f.load(reopened);
  EXPECT_EQ(again.outside.marked, 0);
  EXPECT_EQ(shownState(reopened, 0), ObjectState::Found);

  // Redone, even with the chosen file gone, the step still has its image.
  QFile::remove(f.path("new.gif"));
  doc.history().redo();
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(f.read("vodafone.ski"), packedSkin);
  EXPECT_EQ(f.read("vodafone14.dat"), fakeGif(200, 'n'));
}

TEST(History, AnUndoneRowShowsItsWorkingFileAsItIsNow) {
  SkinFolder f;
  f.writeSkin(kSkin);
  f.write("new.gif", fakeGif(200, 'n'));
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  ASSERT_EQ(shownState(doc, 0), ObjectState::Missing);  // its archive is not there yet
  doc.perform("Immagine", [&] { importObject(doc, 0, f.path("new.gif"), false); });
  doc.history().undo();
  // The archive arrives and the export writes the object out; steps undone
  // and redone afterwards do not take the row back to before the export.
  f.write("vodafone3.dat", QByteArray(4, 'x') + fakeGif(350, 'o'));
  ASSERT_TRUE(exportAllObjects(doc).ok());
  doc.history().redo();
  EXPECT_EQ(shownState(doc, 0), ObjectState::ToReplace);
  doc.history().undo();
  EXPECT_EQ(shownState(doc, 0), ObjectState::Extracted);
  EXPECT_EQ(shownFile(doc, 0), objectGifPath(doc.P_sTarget, "0595"));
}

// A picture changed with another program replaces its object whatever the
// history puts back under it, with no second look at the disk; the redo of
// an import made before the change shows that import again, and an import
// made after it gives the changed picture back when undone past a save.
TEST(History, AChangeFromOutsideStaysOverTheRowsUndoPutsBack) {
  SkinFolder f;
  f.writeSkin(kSkin);
  f.write("vodafone3.dat", QByteArray(4, 'x') + fakeGif(350, 'o'));
  f.write("new.gif", fakeGif(200, 'n'));
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  ASSERT_TRUE(exportAllObjects(doc).ok());
  const QString gif = objectGifPath(doc.P_sTarget, "0595");
  auto changeOutside = [&](const QByteArray& bytes) {
    f.write(QDir(f.path(".")).relativeFilePath(gif), bytes);
    ASSERT_EQ(markOutsideChanges(doc, {0}).marked, 1);
  };
  auto import = [&] {
    doc.perform("Immagine", [&] { importObject(doc, 0, f.path("new.gif"), false); });
  };

  import();
  changeOutside(fakeGif(300, 'w'));
  doc.history().undo();
  EXPECT_EQ(shownState(doc, 0), ObjectState::ToReplace);
  EXPECT_EQ(shownFile(doc, 0), gif);
  doc.history().redo();
  EXPECT_EQ(shownFile(doc, 0), f.path("new.gif"));
  doc.history().undo();
  EXPECT_EQ(corvela::test::cellOf(doc.L_Values, 0, V_PathGif), gif);
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(f.read("vodafone14.dat"), fakeGif(300, 'w'));

  changeOutside(fakeGif(250, 'v'));
  import();
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  ASSERT_EQ(f.read("vodafone14.dat"), fakeGif(200, 'n'));
  doc.history().undo();
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(f.read("vodafone14.dat"), fakeGif(250, 'v'));
  EXPECT_EQ(readLines(f.read("vodafone.ski"))[2], "5 595 0 250 14");
}

}  // namespace

namespace {

// What the skin should hold in one state of the history: the rectangles
// and the objects given new images, by the user's steps.
struct ModelState {
  std::map<int, std::array<QString, 4>> rects;  // row -> corners, when edited
  std::map<int, QString> images;                // object row -> imported file
  bool operator==(const ModelState&) const = default;
};

// A random run of edits, imports, outside changes, undo, redo and saves;
// after every save the files must be those a fresh copy of the original
// gets when the same state is made in it directly and saved.
TEST(History, ARandomRunSavesEveryStateAsAFreshCopyWould) {
  QStringList skin = {"SKI1"};
  const int rects = 6, objects = 10, packed = 2;
  for (int i = 0; i < rects; ++i) skin << QStringLiteral("1 %1 1 2 30 40").arg(500 + i);
  QByteArray archive3, archive14;
  for (int i = 0; i < objects; ++i) {
    const bool inPacked = i >= objects - packed;
    QByteArray& archive = inPacked ? archive14 : archive3;
    const QByteArray gif = fakeGif(50 + i, static_cast<char>('a' + i));
    skin << QStringLiteral("5 %1 %2 %3 %4")
                .arg(600 + i)
                .arg(archive.size())
                .arg(gif.size())
                .arg(inPacked ? 14 : 3);
    archive += gif;
  }
  auto writeOriginal = [&](const SkinFolder& f) {
    f.writeSkin(skin);
    f.write("vodafone3.dat", archive3);
    f.write("vodafone14.dat", archive14);
  };
  SkinFolder pool;
  QStringList files;
  for (int k = 0; k < 5; ++k) {
    files << pool.path(QStringLiteral("p%1.gif").arg(k));
    pool.write(QStringLiteral("p%1.gif").arg(k), fakeGif(45 + 7 * k, static_cast<char>('P' + k)));
  }

  SkinFolder f;
  writeOriginal(f);
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  // Imports go to the first objects, outside changes to the others, so that
  // no step ever puts back a row changed from outside.
  const int imported = 5;
  std::vector<ModelState> states{ModelState{}};
  size_t at = 0;  // the state shown, as the history's index
  std::map<int, QByteArray> outside;

  auto madeFresh = [&](const ModelState& s, SkinFolder& fresh) {
    writeOriginal(fresh);
    SkinDocument copy;
    EXPECT_EQ(fresh.load(copy).status, LoadStatus::Complete);
    // The state made directly, with no steps.
    const SkinDocument::DiskWrite byHand(copy);
    for (const auto& [row, corners] : s.rects) setRectangle(copy.records().rects, row, corners);
    for (const auto& [row, file] : s.images) importObject(copy, row, file, false);
    for (const auto& [row, bytes] : outside) {
      QDir().mkpath(copy.P_sTarget);
      fresh.write(QDir(fresh.path("."))
                      .relativeFilePath(objectGifPath(
                          copy.P_sTarget, corvela::test::cellOf(copy.L_Values, row, V_ID))),
                  bytes);
      markOutsideChanges(copy, {row});
    }
    EXPECT_EQ(SalvaSkin(copy).kind, SaveOutcome::Saved);
  };

  std::mt19937 random(20261210);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  int saves = 0;
  for (int op = 0; op < 400; ++op) {
    const int what = pick(100);
    ModelState next = states[at];
    bool stepped = false;
    if (what < 30) {
      const int row = pick(rects);
      const QString x = QString::number(pick(150));
      next.rects[row] = {x, QString::number(pick(200)), QString::number(pick(170)),
                         QStringLiteral("210")};
      stepped = doc.perform("posizione", [&] {
        setRectangle(corvela::test::byHand(doc).rects, row, next.rects[row]);
      });
    } else if (what < 45) {
      const int row = pick(imported);
      const QString file = files[pick(static_cast<int>(files.size()))];
      if (shownFile(doc, row) == file) continue;
      next.images[row] = file;
      // After a save the row names its packed place: the same file again
      // is a step, though the files it saves are the same.
      stepped = doc.perform("immagine", [&] { importObject(doc, row, file, false); });
    } else if (what < 60) {
      if (!doc.history().canUndo()) continue;
      doc.history().undo();
      --at;
      continue;
    } else if (what < 72) {
      if (!doc.history().canRedo()) continue;
      doc.history().redo();
      ++at;
      continue;
    } else if (what < 80) {
      // A working file changed by an image program, as the folder watch
      // finds it.
      const int row = imported + pick(objects - imported);
      outside[row] = fakeGif(60 + op % 40, static_cast<char>('A' + op % 26));
      QDir().mkpath(doc.P_sTarget);
      const QString gif =
          objectGifPath(doc.P_sTarget, corvela::test::cellOf(doc.L_Values, row, V_ID));
      f.write(QDir(f.path(".")).relativeFilePath(gif), outside[row]);
      if (markOutsideChanges(doc, {row}).marked > 0) doc.setOutsideChanges(true);
      continue;
    } else {
      ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved) << "op " << op;
      ++saves;
      SkinFolder fresh;
      madeFresh(states[at], fresh);
      const QByteArray text = f.read("vodafone.ski");
      ASSERT_EQ(text, fresh.read("vodafone.ski")) << "op " << op;
      if (text.contains(" 14\n")) {
        ASSERT_EQ(f.read("vodafone14.dat"), fresh.read("vodafone14.dat")) << "op " << op;
      }
      EXPECT_FALSE(doc.isModified());
      // What the working folder holds is no news to the next open.
      SkinDocument reopened;
      EXPECT_EQ(f.load(reopened).outside.marked, 0) << "op " << op;
      continue;
    }
    if (!stepped) {
      EXPECT_EQ(next, states[at]) << "op " << op;
      continue;
    }
    states.resize(at + 1);
    states.push_back(next);
    ++at;
    ASSERT_EQ(static_cast<size_t>(doc.history().index()), at) << "op " << op;
  }
  EXPECT_GT(saves, 10);
}

}  // namespace
