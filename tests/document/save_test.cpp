#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "document_names.h"
#include "list_cells.h"
#include "object_row.h"
#include "skin_document.h"
#include "skin_fixture.h"
#include "skin_saver.h"

using namespace corvela;
using corvela::test::fakeGif;
using corvela::test::readLines;
using corvela::test::SkinFolder;

namespace {
// Marks a row replaced the way the replacement tools do.
void replace(SkinDocument& doc, int row, const QString& gif) {
  corvela::test::setField(corvela::test::byHand(doc).objects, row, V_NDat, "-");
  corvela::test::setField(corvela::test::byHand(doc).objects, row, V_Offset, "-");
  corvela::test::byHand(doc).objects.setState(row, ObjectState::ToReplace);
  corvela::test::setField(corvela::test::byHand(doc).objects, row, V_PathGif, gif);
}
}  // namespace

TEST(Save, WorkedExampleAfterReplacingItsObject) {
  SkinFolder f;
  const QStringList original = {
      "SKI1",    "0 41 98",         "4 255 255 255 0",    "2 8 30",
      "2 11 20", "4 595 0 0 128 0", "1 562 0 190 43 219", "5 595 1024 350 3"};
  f.writeSkin(original);
  f.write("new595.gif", fakeGif(350, 'a'));
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  replace(doc, 0, f.path("new595.gif"));

  const SaveOutcome o = SalvaSkin(doc);
  ASSERT_EQ(o.kind, SaveOutcome::Saved) << o.message.toStdString();
  EXPECT_TRUE(o.archiveWritten);
  EXPECT_EQ(o.title, "Informazione:");
  EXPECT_EQ(
      o.message,
      "File: vodafone14.dat creato con successo, file: vodafone.ski aggiornato con successo.");

  QStringList expected = original;
  expected[7] = "5 595 0 350 14";
  EXPECT_EQ(readLines(f.read("vodafone.ski")), expected);
  EXPECT_TRUE(f.read("vodafone.ski").endsWith("5 595 0 350 14\n"));
  EXPECT_FALSE(f.read("vodafone.ski").contains('\r'));
  EXPECT_EQ(f.read("vodafone14.dat"), fakeGif(350, 'a'));
  EXPECT_EQ(readLines(f.read("vodafone_old.ski")), original);
  EXPECT_TRUE(doc.objectFacts().holds(ObjectFacts::Fact::Packed, doc.L_Values, 0));
  EXPECT_EQ(shownState(doc, 0), ObjectState::ToReplace);
  // The line table keeps the line as read; the next save packs the object
  // again and writes the same files.
  EXPECT_EQ(doc.lines[7], original[7]);
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(readLines(f.read("vodafone.ski")), expected);
  EXPECT_EQ(f.read("vodafone14.dat"), fakeGif(350, 'a'));
}

TEST(Save, PacksInRowOrderWithRunningOffsets) {
  SkinFolder f;
  f.writeSkin({"SKI1", "5 3 0 1 1", "5 7 0 1 1", "3 keep", "5 12 0 1 1", "5 20 0 1 1"});
  f.write("a.gif", fakeGif(100, 'a'));
  f.write("b.gif", fakeGif(250, 'b'));
  f.write("c.gif", fakeGif(40, 'c'));
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  replace(doc, 0, f.path("a.gif"));
  replace(doc, 1, f.path("b.gif"));
  replace(doc, 2, f.path("c.gif"));

  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  const QByteArray archive = f.read("vodafone14.dat");
  EXPECT_EQ(archive.size(), 390);
  EXPECT_EQ(archive, fakeGif(100, 'a') + fakeGif(250, 'b') + fakeGif(40, 'c'));
  EXPECT_EQ(readLines(f.read("vodafone.ski")),
            (QStringList{"SKI1", "5 3 0 100 14", "5 7 100 250 14", "3 keep", "5 12 350 40 14",
                         "5 20 0 1 1"}));
  EXPECT_FALSE(doc.objectFacts().holds(ObjectFacts::Fact::Packed, doc.L_Values, 3));
  EXPECT_EQ(shownState(doc, 3), ObjectState::Missing);
}

TEST(Save, WithoutObjectsRewritesSkinAndBacksUp) {
  SkinFolder f;
  const QStringList original = {"SKI1",         "4 0009 255 0 0 0", "1 7 10 20 30 40 99", "2 5 007",
                                "4 12 1 2 3 4", "4  595 0 0 128 0", "1 570  2 14 173 32"};
  f.writeSkin(original);
  f.write("vodafone14.dat", "old archive");
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  corvela::test::setField(corvela::test::byHand(doc).colours, 1, C_G,
                          "");  // an emptied cell is written as 0
  // Edited and put back: the line is not rewritten, so its fields never shift.
  corvela::test::setField(corvela::test::byHand(doc).rects, 1, D_X1, "99");
  corvela::test::setField(corvela::test::byHand(doc).rects, 1, D_X1, "");

  const SaveOutcome o = SalvaSkin(doc);
  ASSERT_EQ(o.kind, SaveOutcome::Saved);
  EXPECT_FALSE(o.archiveWritten);
  EXPECT_EQ(o.message,
            "File: vodafone.ski aggiornato con successo, nessun oggetto grafico sostituito.");
  EXPECT_EQ(f.read("vodafone14.dat"), "old archive");
  QStringList expected = original;
  expected[4] = "4 12 1 0 3 4";
  EXPECT_EQ(readLines(f.read("vodafone.ski")), expected);
  EXPECT_EQ(readLines(f.read("vodafone_old.ski")), original);

  // A second save replaces the backup with the skin as the first one wrote it.
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(f.read("vodafone_old.ski"), f.read("vodafone.ski"));
}

TEST(Save, LaterStepsWinForTheSameLine) {
  SkinFolder f;
  f.writeSkin({"SKI1", "0 41 98", "4 1 2 3 0", "2 8 18", "5 9 0 4 1"});
  f.write("vodafone1.dat", "GIF8");
  f.write("n.gif", fakeGif(40, 'n'));
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  corvela::test::byHand(doc).tree.setText(3, "4 0 0 128 0");  // background picked in the tree
  corvela::test::byHand(doc).tree.setEdited(3, true);
  corvela::test::byHand(doc).tree.setText(4, "2 8 25");
  corvela::test::byHand(doc).tree.setEdited(4, true);
  corvela::test::byHand(doc).tree.setText(5, "5 9 0 4 1 edited");
  corvela::test::byHand(doc).tree.setEdited(5, true);
  replace(doc, 0, f.path("n.gif"));
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(readLines(f.read("vodafone.ski")),
            (QStringList{"SKI1", "0 41 98", "4 0 0 128 0", "2 8 25", "5 9 0 40 14"}));
}

TEST(Save, ExistingLongerArchiveIsReplacedExactly) {
  SkinFolder f;
  f.writeSkin({"SKI1", "5 1 0 10 2"});
  f.write("vodafone14.dat", QByteArray(5000, 'z'));
  f.write("n.gif", fakeGif(40, 'q'));
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  replace(doc, 0, f.path("n.gif"));
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(f.read("vodafone14.dat"), fakeGif(40, 'q'));
}

TEST(Save, UnextractedPackedObjectsAreTakenFromTheOldArchive) {
  SkinFolder f;
  // Objects 1 and 2 sit in the packed archive; only 2 was ever extracted.
  const QByteArray a = fakeGif(40, 'a'), b = fakeGif(60, 'b'), n = fakeGif(45, 'n');
  f.writeSkin({"SKI1", "5 1 40 60 14", "5 2 0 40 14", "5 3 0 1 1"});
  f.write("vodafone14.dat", a + b);
  QDir().mkdir(f.path("vodafone_Gifs"));
  f.write("vodafone_Gifs/2.gif", a);
  f.write("n.gif", n);
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  ASSERT_EQ(doc.objectFacts().shownPath(doc.L_Values, 0), "");
  replace(doc, 2, f.path("n.gif"));
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(f.read("vodafone14.dat"), b + a + n);
  EXPECT_EQ(readLines(f.read("vodafone.ski")),
            (QStringList{"SKI1", "5 1 0 60 14", "5 2 60 40 14", "5 3 100 45 14"}));

  // Saving again from the rewritten skin keeps every image in place.
  SkinDocument again;
  ASSERT_EQ(f.load(again).status, LoadStatus::Complete);
  ASSERT_EQ(SalvaSkin(again).kind, SaveOutcome::Saved);
  EXPECT_EQ(f.read("vodafone14.dat"), b + a + n);
}

TEST(Save, FailuresWriteNothing) {
  struct Case {
    const char* name;
    QStringList skin;
    QByteArray archive14;
    bool replaceWithMissingFile;
  };
  const std::vector<Case> cases = {
      {"replacement file missing", {"SKI1", "5 1 0 4 1"}, "", true},
      {"packed object outside the old archive", {"SKI1", "5 1 2 8 14"}, "AAAA", false},
      {"packed object and no old archive", {"SKI1", "5 1 0 4 14"}, QByteArray(), false},
  };
  for (const Case& c : cases) {
    SkinFolder f;
    f.writeSkin(c.skin);
    if (!c.archive14.isNull()) f.write("vodafone14.dat", c.archive14);
    SkinDocument doc;
    ASSERT_EQ(f.load(doc).status, LoadStatus::Complete) << c.name;
    if (c.replaceWithMissingFile) replace(doc, 0, f.path("gone.gif"));
    const QStringList before = f.entries();
    const ListRow rowBefore = doc.L_Values.row(0);
    const SaveOutcome o = SalvaSkin(doc);
    EXPECT_EQ(o.kind, SaveOutcome::Failed) << c.name;
    EXPECT_EQ(o.title, "Errore:") << c.name;
    EXPECT_TRUE(o.message.contains("0001")) << c.name << " " << o.message.toStdString();
    EXPECT_EQ(f.entries(), before) << c.name;
    EXPECT_EQ(doc.L_Values.row(0), rowBefore) << c.name;
    EXPECT_EQ(doc.lines[1], c.skin[1]) << c.name;
  }
}

TEST(Save, RefusedForOtherSkinsAndIncompleteLoads) {
  SkinFolder f;
  f.writeSkin({"SKI1", "4 1 2 3 4"}, "mytheme.ski");
  SkinDocument doc;
  ASSERT_EQ(f.load(doc, "mytheme.ski").status, LoadStatus::Complete);
  QStringList before = f.entries();
  SaveOutcome o = SalvaSkin(doc);
  EXPECT_EQ(o.kind, SaveOutcome::Refused);
  EXPECT_EQ(o.message, "Corvela permette di modificare solo la skin originale del v980!");
  EXPECT_EQ(f.entries(), before);

  // A load that stopped at a bad line must not write the half-read table.
  f.write("vodafone.ski", "SKI1\n4 1 2 3 4\n\n4 5 6 7 8\n");
  ASSERT_EQ(f.load(doc).status, LoadStatus::BadLine);
  before = f.entries();
  o = SalvaSkin(doc);
  EXPECT_EQ(o.kind, SaveOutcome::Refused);
  EXPECT_EQ(o.title, "Errore:");
  EXPECT_EQ(f.entries(), before);

  f.write("vodafone.ski", "XKI1\n");
  ASSERT_EQ(f.load(doc).status, LoadStatus::BadMagic);
  EXPECT_EQ(SalvaSkin(doc).kind, SaveOutcome::Refused);
  EXPECT_EQ(f.read("vodafone.ski"), "XKI1\n");

  SkinDocument never;
  EXPECT_EQ(SalvaSkin(never).kind, SaveOutcome::Refused);
}

TEST(Save, NamesInAnyCaseAreReadAndSavedOverUnlessTwoMatch) {
  SkinFolder f;
  const QStringList original{"SKI1", "5 1 0 3 14", "5 2 0 30 14"};
  f.writeSkin(original, "VODAFONE.SKI");
  f.write("VODAFONE14.DAT", fakeGif(30, 'o'));  // as copied from a FAT card
  f.write("VODAFONE_OLD.SKI", "old");
  f.write("n.gif", fakeGif(40, 'n'));
  SkinDocument doc;
  const LoadOutcome loaded = f.load(doc, "vodafone.ski");
  ASSERT_EQ(loaded.status, LoadStatus::Complete);
  EXPECT_TRUE(loaded.warnings.isEmpty()) << loaded.warnings.join('\n').toStdString();
  replace(doc, 0, f.path("n.gif"));
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(readLines(f.read("VODAFONE.SKI")),
            (QStringList{"SKI1", "5 1 0 40 14", "5 2 40 30 14"}));
  EXPECT_EQ(f.read("VODAFONE14.DAT"), fakeGif(40, 'n') + fakeGif(30, 'o'));
  EXPECT_EQ(readLines(f.read("VODAFONE_OLD.SKI")), original);
  EXPECT_FALSE(f.exists("VODAFONE14.dat"));
  EXPECT_FALSE(f.exists("VODAFONE_old.ski"));

  f.write("Vodafone14.dat", "another");
  const QByteArray skin = f.read("VODAFONE.SKI");
  const LoadOutcome clash = f.load(doc, "VODAFONE.SKI");
  ASSERT_EQ(clash.warnings.size(), 1);
  EXPECT_TRUE(clash.warnings[0].contains("VODAFONE14.DAT, Vodafone14.dat"));
  const SaveOutcome refused = SalvaSkin(doc);
  EXPECT_EQ(refused.kind, SaveOutcome::Refused);
  EXPECT_EQ(f.read("VODAFONE.SKI"), skin);
  EXPECT_EQ(f.read("Vodafone14.dat"), "another");
}

TEST(Save, LatinOneTextSurvivesByteForByte) {
  SkinFolder f;
  f.write("vodafone.ski", "SKI1 \xe8\xff\n3 \xe0 \xb0\n");
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(f.read("vodafone.ski"), QByteArray("SKI1 \xe8\xff\n3 \xe0 \xb0\n"));
}
