#include "skin_line.h"

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

std::optional<RecordFields> parseRecordLine(QStringView line) {
  if (line.isEmpty()) return std::nullopt;
  // The fields as views into the line: a load takes apart every line of a
  // skin, and only the few fields kept become strings of their own.
  std::array<QStringView, 6> f;
  size_t count = 0;
  qsizetype start = 0;
  for (qsizetype i = 0; i <= line.size(); ++i) {
    if (i < line.size() && line[i] != u' ') continue;
    if (count < f.size()) f[count] = line.mid(start, i - start);
    ++count;
    start = i + 1;
  }
  if (count < 5) return std::nullopt;
  RecordFields r;
  r.kind = line[0];
  if (r.kind == u'5') {
    r.id = f[1].toString();
    r.values = {f[2].toString(), f[3].toString(), f[4].toString()};
  } else if (count >= 6) {
    r.id = f[1].toString();
    r.values = {f[2].toString(), f[3].toString(), f[4].toString(), f[5].toString()};
  } else {
    r.id = kNoId;
    r.values = {f[1].toString(), f[2].toString(), f[3].toString(), f[4].toString()};
  }
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
QString cellText(const QString& cell) {
  return cell.isEmpty() ? QStringLiteral("0") : cell;
}

QString recordLine(char kind, const QString& id, std::initializer_list<QString> values) {
  QString line = QString(QChar::fromLatin1(kind)) + u' ';
  if (id != kNoId) line += QString::number(numericValue(id)) + u' ';
  bool first = true;
  for (const QString& v : values) {
    if (!first) line += u' ';
    line += cellText(v);
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
