#include <gtest/gtest.h>

#include <limits>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "colour_codec.h"
#include "path_helpers.h"
#include "record_rows.h"
#include "skin_line.h"
#include "skin_saver.h"
#include "text_number.h"

using namespace corvela;

TEST(NumericValue, TakesTheLeadingNumberOnly) {
  EXPECT_EQ(numericValue(u"12a"), 12);
  EXPECT_EQ(numericValue(u"   -7 x"), -7);
  EXPECT_EQ(numericValue(u"+3"), 3);
  EXPECT_EQ(numericValue(u"abc"), 0);
  EXPECT_EQ(numericValue(u""), 0);
  EXPECT_EQ(numericValue(u"0595"), 595);
  // A run of digits far beyond 64 bits saturates instead of wrapping.
  EXPECT_GT(numericValue(u"99999999999999999999999999999"), 1000000000000LL);
  EXPECT_DOUBLE_EQ(leadingNumber(u" 12.6x"), 12.6);
}

TEST(NumericValue, PatternsPadPlainNumbersOnly) {
  EXPECT_EQ(formatField(u"595", 4), "0595");
  EXPECT_EQ(formatField(u"0009", 4), "0009");
  EXPECT_EQ(formatField(u"12345", 4), "12345");
  EXPECT_EQ(formatField(u"3", 2), "03");
  EXPECT_EQ(formatField(u"12a", 4), "12a");
  EXPECT_EQ(formatField(u"", 4), "");
  EXPECT_EQ(padNumber(1500, 4), "1500");
}

// A record's field is written back exactly as it was read or typed, and
// an id is found by the form the lists show, as a text would be.
TEST(RecordField, KeepsItsTextAndFindsIdsAsTheListsShowThem) {
  for (const QString text : {"7", "0", "-12", "007", "+5", "-0", "", " 3", "12a", "abc",
                             "99999999999999999999", "123456789012345678"}) {
    const Field f = Field::read(text);
    EXPECT_EQ(f.text(), text);
    EXPECT_EQ(f.value(), numericValue(text)) << text.toStdString();
    EXPECT_TRUE(!f.plain() || f.text() == QString::number(f.value()));
  }
  EXPECT_FALSE(Field::read(u"007") == Field(7));
  EXPECT_TRUE(Field::read(u"7") == Field(7));

  ReportList list(QStringLiteral("L_RGBA"), 6);
  for (const char* id : {"0574", "575", "-", "abc", "12345"}) {
    ListRow row;
    ColourRecord& c = row.record.emplace<ColourRecord>();
    if (QString(id) != kNoId) c.id = Field::read(QString(id));
    list.appendRow(row);
  }
  EXPECT_EQ(rowId(list.row(1)), "575");
  for (const auto& [shown, row] : std::vector<std::pair<const char*, int>>{{"0574", 0},
                                                                           {"575", 1},
                                                                           {"-", 2},
                                                                           {"abc", 3},
                                                                           {"12345", 4},
                                                                           {"574", -1},
                                                                           {"0575", -1},
                                                                           {"0abc", -1}}) {
    EXPECT_EQ(list.findId(QString(shown)), row) << shown;
  }
}

TEST(SkinLine, FieldsSplitAtEverySingleBlank) {
  EXPECT_EQ(splitFields(u"1 2"), (QStringList{"1", "2"}));
  EXPECT_EQ(splitFields(u"1  2"), (QStringList{"1", "", "2"}));
  EXPECT_EQ(splitFields(u" 1"), (QStringList{"", "1"}));
}

TEST(SkinLine, ShortAndLongFormsOfRecords) {
  auto shortRect = parseRecordLine(u"1 10 20 30 40");
  ASSERT_TRUE(shortRect);
  EXPECT_EQ(shortRect->id, "-");
  EXPECT_EQ(shortRect->values, (QStringList{"10", "20", "30", "40"}));

  auto longRect = parseRecordLine(u"1 7 10 20 30 40 99");
  ASSERT_TRUE(longRect);
  EXPECT_EQ(longRect->id, "7");
  EXPECT_EQ(longRect->values, (QStringList{"10", "20", "30", "40"}));
  // The seventh field is dropped when the line is written again.
  EXPECT_EQ(rectangleLine(longRect->id, "10", "20", "30", "40"), "1 7 10 20 30 40");

  auto colour = parseRecordLine(u"4 0009 255 0 0 0");
  ASSERT_TRUE(colour);
  EXPECT_EQ(colourLine(colour->id, "255", "0", "0", "0"), "4 9 255 0 0 0");
  EXPECT_EQ(colourLine("-", "255", "255", "255", "0"), "4 255 255 255 0");

  auto object = parseRecordLine(u"5 595 1024 350 3 extra");
  ASSERT_TRUE(object);
  EXPECT_EQ(object->values, (QStringList{"1024", "350", "3"}));

  EXPECT_FALSE(parseRecordLine(u"1 10 20 30"));
  EXPECT_FALSE(parseRecordLine(u"5 1 2 3"));
  EXPECT_FALSE(parseRecordLine(u""));
}

TEST(SkinLine, EmptyCellsAreWrittenAsZero) {
  EXPECT_EQ(rectangleLine("0570", "", "5", "007", ""), "1 570 0 5 007 0");
  EXPECT_EQ(colourLine("-", "1", "", "3", ""), "4 1 0 3 0");
  // The file as written: Latin-1 (what lies beyond it as '?'), a line feed
  // after every line, the last included.
  EXPECT_EQ(skinFileBytes({"SKI1", QStringLiteral("3 \u00e8\u20ac"), ""}),
            QByteArray("SKI1\n3 \xe8?\n\n"));
}

TEST(SkinLine, DerivedWidthAndHeight) {
  EXPECT_EQ(rectangleExtent(0, 175), 176);
  EXPECT_EQ(rectangleExtent(0, 30), 31);
  EXPECT_EQ(rectangleExtent(10, 20), 10);
  EXPECT_EQ(rectangleExtent(5, 9), 4);
  EXPECT_EQ(rectangleExtent(0, 0), 0);
  EXPECT_EQ(rectangleExtent(5, 5), 0);
  // Values at the ends of the range saturate instead of wrapping round.
  const long long big = std::numeric_limits<long long>::max();
  EXPECT_EQ(rectangleExtent(-big, big), big);
  EXPECT_EQ(rectangleExtent(big, -big), -big - 1);
  EXPECT_EQ(rectangleExtent(0, big), big);
  EXPECT_EQ(packedObjectLine("0595", 0, 350), "5 595 0 350 14");
}

TEST(ColourCodec, RgbToStringSplitsBgrAndSetsParts) {
  ColourParts p;
  EXPECT_EQ(RGBToString(0xFF8040, p), "64 128 255");
  EXPECT_EQ(RGBToString(0, p), "0 0 0");
  EXPECT_EQ(RGBToString(0xFF, p), "255 0 0");
  EXPECT_EQ(RGBToString(0xC0C0C0, p), "192 192 192");
  EXPECT_EQ(p.P_R, 192);
  EXPECT_EQ(p.P_G, 192);
  EXPECT_EQ(p.P_B, 192);
  // Wider than 24 bits: only the first six hex digits count.
  EXPECT_EQ(RGBToString(static_cast<std::int32_t>(0x80000010), p), "0 0 128");
}

TEST(ColourCodec, StringToRgbReadsBetweenTheFirstFourBlanks) {
  ColourParts p;
  EXPECT_EQ(StringToRGB(u"4 255 255 255 0", p), 0xFFFFFF);
  EXPECT_EQ(StringToRGB(u"4 300 0 0 0", p), 0xFF);
  EXPECT_EQ(p.P_R, 300);
  EXPECT_EQ(StringToRGB(u"4 12.6 0 0 0", p), 13);
  EXPECT_EQ(StringToRGB(u"4 0 0 128 0", p), 128 << 16);
  EXPECT_FALSE(StringToRGB(u"4 1 2 3", p));        // only three blanks
  EXPECT_FALSE(StringToRGB(u"4 40000 0 0 0", p));  // beyond 16 bits
  EXPECT_EQ(StringToRGB(u"4 -5 0 0 0", p), 0);     // never a negative component
}

TEST(PathHelpers, SplitPathParts) {
  const QString p = "E:\\Skin\\Razr v980\\vodafone.ski";
  EXPECT_EQ(SplitPath(p, 0), "");
  EXPECT_EQ(SplitPath(p, 1), "E:");
  EXPECT_EQ(SplitPath(p, 2), "E:\\Skin\\Razr v980");
  EXPECT_EQ(SplitPath(p, 3), "vodafone");
  EXPECT_EQ(SplitPath(p, 4), "ski");
  EXPECT_EQ(SplitPath(p, 9), "");
  EXPECT_EQ(SplitPath("C:\\dir\\name", 3), "name");
  EXPECT_EQ(SplitPath("C:\\dir\\name", 4), "");
  EXPECT_EQ(SplitPath("\\\\server\\share\\f.ski", 0), "server\\");
  EXPECT_EQ(SplitPath("\\\\server\\share\\f.ski", 1), "");
  EXPECT_EQ(SplitPath("\\\\server\\share\\f.ski", 2), "\\\\server\\share");
  EXPECT_EQ(SplitPath("/home/u/a.old.ski", 3), "a");
  EXPECT_EQ(SplitPath("/home/u/a.old.ski", 4), "old.ski");
  EXPECT_EQ(SplitPath("/home/u/a.old.ski", 2), "/home/u");
  EXPECT_EQ(SplitPath("nofolder.ski", 2), "");
  EXPECT_EQ(SplitPath("nofolder.ski", 3), "");
  // Mixed separators split at the last of either kind.
  EXPECT_EQ(SplitPath("C:/a\\b/c.ski", 2), "C:/a\\b");
}

TEST(PathHelpers, FileExistOnlyForVisibleOrdinaryFiles) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile(dir.filePath("a.gif")).open(QIODevice::WriteOnly);
  QFile(dir.filePath(".hidden.gif")).open(QIODevice::WriteOnly);
  QDir(dir.path()).mkdir("folder.gif");
  EXPECT_TRUE(FileExist(dir.filePath("a.gif")));
  EXPECT_FALSE(FileExist(dir.filePath("A.GIF")));  // names are case-sensitive here
  EXPECT_FALSE(FileExist(dir.filePath(".hidden.gif")));
  EXPECT_FALSE(FileExist(dir.filePath("folder.gif")));
  EXPECT_FALSE(FileExist(dir.filePath("none.gif")));
  EXPECT_FALSE(FileExist(""));
  EXPECT_TRUE(FileExist(dir.filePath("*.gif")));
  EXPECT_FALSE(FileExist(dir.filePath("*.jpg")));
}

TEST(PathHelpers, JoinPathAddsOnlyThePlatformSeparator) {
  EXPECT_EQ(joinPath("/a/", "b"), "/a/b");
  EXPECT_EQ(joinPath("", "b"), "b");
  const QString sep = QDir::separator();
  EXPECT_EQ(joinPath("/a", "b"), "/a" + sep + "b");
  if (QDir::separator() == u'/') {
    EXPECT_EQ(joinPath("/a\\", "b"), "/a\\/b");
  }
}
