#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>

namespace corvela {

// The line-level grammar of a skin file: one kind digit, then fields split
// at single blanks (two blanks make an empty field).
inline constexpr int kMaxSkinLines = 1501;
// Real skins are under 100 KB: a larger skin file is refused before it is
// read, so that no file costs the programs more than a few times this.
inline constexpr long long kMaxSkinFileBytes = 4LL * 1024 * 1024;
inline const QString kNoId = QStringLiteral("-");

// Splits at every blank after appending one, as the reader does: "1 2" gives
// {"1", "2"}, "1  2" gives {"1", "", "2"}.
QStringList splitFields(QStringView line);

// A kind-1, -4 or -5 line taken apart. For kinds 1 and 4 `id` is kNoId in
// the short form (exactly five fields); `values` are x1 y1 x2 y2, R G B T, or
// offset size archive for kind 5 (three values).
struct RecordFields {
  QChar kind;
  QString id;
  QStringList values;
};

// Empty result when the line is too short for its kind (fewer than five
// fields), which ends a load.
std::optional<RecordFields> parseRecordLine(QStringView line);

// The same fields as views into the line, for the load, which takes apart
// every line of a skin and makes strings only of the fields it keeps.
struct RecordView {
  QStringView id;  // kNoId in the short form
  std::array<QStringView, 4> values;
  int valueCount = 0;
};
std::optional<RecordView> splitRecordLine(QStringView line);

// Width and height shown for a rectangle: x2 - x1, plus 1 when x1 is 0,
// minus 1 when x2 is 0 (likewise for the height).
long long rectangleExtent(long long from, long long to);

// Writers. Texts are written as they stand except that an empty cell is
// written as 0, so a regenerated line never gains an empty field.
QString colourLine(const QString& id, const QString& r, const QString& g, const QString& b,
                   const QString& t);
QString rectangleLine(const QString& id, const QString& x1, const QString& y1, const QString& x2,
                      const QString& y2);
QString packedObjectLine(const QString& id, long long offset, long long size);

}  // namespace corvela
