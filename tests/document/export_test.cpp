#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "document_names.h"
#include "list_cells.h"
#include "object_archive.h"
#include "object_export.h"
#include "object_row.h"
#include "skin_document.h"
#include "skin_fixture.h"
#include "skin_saver.h"

using namespace corvela;
using corvela::test::fakeGif;
using corvela::test::readLines;
using corvela::test::SkinFolder;

TEST(Export, CutsObjectsOutOfTheNamedArchives) {
  SkinFolder f;
  f.writeSkin(
      {"SKI1", "5 1 0 4 0", "5 2 2 3 3", "5 3 4 4 3", "5 4 4 5 3", "5 5 2 3 3", "5 6 0 2 14"});
  f.write("vodafone.dat", "zero");
  f.write("vodafone3.dat", "01234567");
  f.write("vodafone14.dat", "PK");
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  std::vector<int> seen;
  const ExportOutcome o = exportAllObjects(doc, [&](int r) { seen.push_back(r); });
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_TRUE(o.ok());
  EXPECT_EQ(o.errorMessage(), "");
  EXPECT_EQ(o.exported, 5);
  EXPECT_EQ(o.beyondArchive, 1);

  EXPECT_EQ(f.read("vodafone_Gifs/1.gif"), "zero");  // archive 0 has no number
  EXPECT_EQ(f.read("vodafone_Gifs/2.gif"), "234");
  EXPECT_EQ(f.read("vodafone_Gifs/3.gif"), "4567");  // ends on the last byte
  EXPECT_FALSE(f.exists("vodafone_Gifs/4.gif"));     // one byte too long
  EXPECT_EQ(f.read("vodafone_Gifs/5.gif"), "234");   // same place, its own file

  const ReportList& v = doc.L_Values;
  EXPECT_EQ(shownState(doc, 0), ObjectState::Extracted);
  EXPECT_EQ(doc.objectFacts().shownPath(doc.L_Values, 0), f.path("vodafone_Gifs/1.gif"));
  EXPECT_FALSE(doc.objectFacts().holds(ObjectFacts::Fact::BeyondArchive, v, 0));
  EXPECT_EQ(shownState(doc, 3), ObjectState::Missing);  // state unchanged
  EXPECT_TRUE(doc.objectFacts().holds(ObjectFacts::Fact::BeyondArchive, v, 3));
  EXPECT_EQ(shownState(doc, 5), ObjectState::ToReplace);
  EXPECT_EQ(doc.objectFacts().shownPath(doc.L_Values, 5), f.path("vodafone_Gifs/6.gif"));
  EXPECT_TRUE(v.row(5).edited);
  EXPECT_FALSE(doc.objectFacts().holds(ObjectFacts::Fact::BeyondArchive, v, 5));
}

TEST(Export, RunningTwiceGivesTheSameFilesAndRows) {
  SkinFolder f;
  f.writeSkin({"SKI1", "5 1 0 4 2", "5 2 9 4 2"});
  f.write("vodafone2.dat", "abcdefgh");
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  exportAllObjects(doc);
  std::vector<ListRow> first;
  for (int r = 0; r < doc.L_Values.rowCount(); ++r) first.push_back(doc.L_Values.row(r));
  const QStringList filesFirst = f.entries();
  exportAllObjects(doc);
  for (int r = 0; r < doc.L_Values.rowCount(); ++r) {
    EXPECT_EQ(doc.L_Values.row(r), first[r]);
  }
  EXPECT_EQ(f.entries(), filesFirst);
}

TEST(Export, ExistingLongerFileHoldsExactlyTheObject) {
  SkinFolder f;
  f.writeSkin({"SKI1", "5 1 0 3 2"});
  f.write("vodafone2.dat", "abc");
  QDir().mkdir(f.path("vodafone_Gifs"));
  f.write("vodafone_Gifs/1.gif", QByteArray(100, 'x'));
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  exportAllObjects(doc);
  EXPECT_EQ(f.read("vodafone_Gifs/1.gif"), "abc");
}

TEST(Export, MissingArchivesAndEmptyObjectsAreMarkedAndReported) {
  SkinFolder f;
  f.writeSkin({"SKI1", "5 1 0 3 7", "5 2 0 0 2", "5 3 0 2 2", "5 4 0 1 7", "5 5 0 1 8"});
  f.write("vodafone2.dat", "abc");
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  const ExportOutcome o = exportAllObjects(doc);
  EXPECT_FALSE(o.ok());
  EXPECT_EQ(o.unreadable, (QStringList{"vodafone7.dat", "vodafone8.dat"}));
  EXPECT_TRUE(o.errorMessage().contains("vodafone7.dat, vodafone8.dat"));
  EXPECT_EQ(o.exported, 1);
  for (int r : {0, 1, 3, 4}) {
    EXPECT_TRUE(doc.objectFacts().holds(ObjectFacts::Fact::BeyondArchive, doc.L_Values, r)) << r;
  }
  EXPECT_FALSE(f.exists("vodafone_Gifs/2.gif"));  // size 0 writes nothing
  EXPECT_EQ(f.read("vodafone_Gifs/3.gif"), "ab");
}

TEST(Export, ReplacedRowsKeepTheirReplacement) {
  SkinFolder f;
  f.writeSkin({"SKI1", "5 1 0 3 2"});
  f.write("vodafone2.dat", "abc");
  f.write("mine.gif", "MINE");
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  corvela::test::setField(corvela::test::byHand(doc).objects, 0, V_NDat, "-");
  corvela::test::setField(corvela::test::byHand(doc).objects, 0, V_Offset, "-");
  corvela::test::byHand(doc).objects.setState(0, ObjectState::ToReplace);
  corvela::test::setField(corvela::test::byHand(doc).objects, 0, V_PathGif, f.path("mine.gif"));
  exportAllObjects(doc);
  EXPECT_EQ(doc.objectFacts().shownPath(doc.L_Values, 0), f.path("mine.gif"));
  EXPECT_EQ(shownState(doc, 0), ObjectState::ToReplace);
  EXPECT_FALSE(f.exists("vodafone_Gifs/1.gif"));
}

TEST(Export, ExtractSaveReloadKeepsEveryImage) {
  SkinFolder f;
  const QByteArray one = fakeGif(43, 'o'), x = fakeGif(41, 'x'), q = fakeGif(42, 'q');
  f.writeSkin({"SKI1", "5 1 0 43 1", "5 2 41 42 14", "5 3 0 41 14"});
  f.write("vodafone1.dat", one);
  f.write("vodafone14.dat", x + q);
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  ASSERT_TRUE(exportAllObjects(doc).ok());
  ASSERT_EQ(SalvaSkin(doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(readLines(f.read("vodafone.ski")),
            (QStringList{"SKI1", "5 1 0 43 1", "5 2 0 42 14", "5 3 42 41 14"}));
  EXPECT_EQ(f.read("vodafone14.dat"), q + x);

  SkinDocument again;
  ASSERT_EQ(f.load(again).status, LoadStatus::Complete);
  ASSERT_TRUE(exportAllObjects(again).ok());
  EXPECT_EQ(f.read("vodafone_Gifs/2.gif"), q);
  EXPECT_EQ(f.read("vodafone_Gifs/3.gif"), x);
}

TEST(Export, ObjectsCutInAnyOrderHoldTheirArchiveBytes) {
  SkinFolder f;
  QByteArray archive;
  for (int i = 0; i < 200 * 1024; ++i) archive.append(static_cast<char>((i * 7919) >> 3));
  f.write("vodafone3.dat", archive);
  ArchiveReader reader(QFileInfo(f.path("vodafone3.dat")).path(), QStringLiteral("vodafone"));
  // Backwards, across the edge of what one read takes in, larger than one
  // read, up to the last byte, and one beyond it.
  const std::vector<std::pair<long long, long long>> places = {
      {150000, 300}, {100, 50}, {65500, 100}, {60, 2000}, {70000, 90000}, {204700, 100}, {0, 1}};
  for (const auto& [offset, size] : places) {
    const ArchiveReader::Object o = reader.cut(3, offset, size);
    ASSERT_EQ(o.status, ArchiveReader::Status::Ok) << offset;
    EXPECT_EQ(o.bytes, archive.mid(offset, size)) << offset;
  }
  EXPECT_EQ(reader.cut(3, 204700, 101).status, ArchiveReader::Status::Outside);
}
