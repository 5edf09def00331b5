#include "skin_line.h"

#include <algorithm>
#include <array>
#include <limits>

#include "text_number.h"

namespace corvela {

QStringList splitFields(QStringView line) {
  QStringList fields;
  qsizetype start = 0;
  for (qsizetype i = 0; i <= line.size(); ++i) {
    if (i == line.size() || line[i] == u' ') {
      fields.append(line.mid(start, i - start).toString());
      start = i + 1;
    }
  }
  return fields;
}

std::optional<RecordView> splitRecordLine(QStringView line) {
  if (line.isEmpty()) return std::nullopt;
  std::array<QStringView, 6> f;
  size_t count = 0;
  qsizetype start = 0;
  while (true) {
    const qsizetype blank = line.indexOf(u' ', start);
    const qsizetype end = blank < 0 ? line.size() : blank;
    if (count < f.size()) f[count] = line.sliced(start, end - start);
    ++count;
    if (blank < 0) break;
    start = blank + 1;
  }
  if (count < 5) return std::nullopt;
  RecordView r;
  if (line[0] == u'5') {
    r.id = f[1];
    r.values = {f[2], f[3], f[4], QStringView()};
    r.valueCount = 3;
  } else if (count >= 6) {
    r.id = f[1];
    r.values = {f[2], f[3], f[4], f[5]};
    r.valueCount = 4;
  } else {
    r.id = kNoId;
    r.values = {f[1], f[2], f[3], f[4]};
    r.valueCount = 4;
  }
  return r;
}

std::optional<RecordFields> parseRecordLine(QStringView line) {
  const std::optional<RecordView> v = splitRecordLine(line);
  if (!v) return std::nullopt;
  RecordFields r;
  r.kind = line[0];
  r.id = v->id.toString();
  for (int i = 0; i < v->valueCount; ++i) r.values << v->values[static_cast<size_t>(i)].toString();
  return r;
}

long long rectangleExtent(long long from, long long to) {
  // Hostile values near the ends of the range saturate instead of wrapping
  // round to a plausible-looking width.
  constexpr long long kMax = std::numeric_limits<long long>::max();
  constexpr long long kMin = std::numeric_limits<long long>::min();
  long long extent = 0;
  if (__builtin_sub_overflow(to, from, &extent)) return to > from ? kMax : kMin;
  if (from == 0 && extent < kMax) ++extent;
  if (to == 0 && extent > kMin) --extent;
  return extent;
}

namespace {
QString recordLine(char kind, QStringView id, std::initializer_list<QStringView> values) {
  // One string, sized up front: a save and every check regenerate all the
  // colour and rectangle lines.
  qsizetype length = 2 + (id == kNoId ? 0 : 22);
  for (QStringView v : values) length += std::max<qsizetype>(v.size(), 1) + 1;
  QString line;
  line.reserve(length);
  line += QLatin1Char(kind);
  line += u' ';
  if (id != kNoId) {
    appendPadded(line, numericValue(id), 1);
    line += u' ';
  }
  bool first = true;
  for (QStringView v : values) {
    if (!first) line += u' ';
    // An empty cell is written as 0, so a regenerated line never gains an
    // empty field.
    if (v.isEmpty()) {
      line += u'0';
    } else {
      line += v;
    }
    first = false;
  }
  return line;
}
}  // namespace

QString colourLine(const QString& id, const QString& r, const QString& g, const QString& b,
                   const QString& t) {
  return recordLine('4', id, {r, g, b, t});
}

QString rectangleLine(const QString& id, const QString& x1, const QString& y1, const QString& x2,
                      const QString& y2) {
  return recordLine('1', id, {x1, y1, x2, y2});
}

QString packedObjectLine(const QString& id, long long offset, long long size) {
  return QStringLiteral("5 %1 %2 %3 14").arg(numericValue(id)).arg(offset).arg(size);
}

}  // namespace corvela
