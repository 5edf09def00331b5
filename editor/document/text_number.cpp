#include "text_number.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace corvela {

namespace {
constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 16;

qsizetype skipBlanks(QStringView t) {
  qsizetype i = 0;
  while (i < t.size() && (t[i] == u' ' || t[i] == u'\t')) ++i;
  return i;
}

// An optional sign followed by digits only, nothing else.
bool isPlainNumber(QStringView field) {
  const char16_t* p = field.utf16();
  const char16_t* end = p + field.size();
  if (p != end && (*p == u'-' || *p == u'+')) ++p;
  if (p == end) return false;
  for (; p != end; ++p) {
    if (*p < u'0' || *p > u'9') return false;
  }
  return true;
}
}  // namespace

std::int64_t numericValue(QStringView text) {
  // Through a plain pointer: every cell of a load passes here.
  const char16_t* p = text.utf16();
  const char16_t* end = p + text.size();
  while (p != end && (*p == u' ' || *p == u'\t')) ++p;
  bool negative = false;
  if (p != end && (*p == u'-' || *p == u'+')) {
    negative = *p == u'-';
    ++p;
  }
  std::int64_t value = 0;
  for (; p != end && *p >= u'0' && *p <= u'9'; ++p) {
    if (value < kLimit) value = value * 10 + (*p - u'0');
  }
  return negative ? -value : value;
}

double leadingNumber(QStringView text) {
  qsizetype i = skipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i] == u'-';
    ++i;
  }
  double value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    if (value < 1e300) value = value * 10 + (text[i].unicode() - u'0');
  }
  if (i < text.size() && text[i] == u'.') {
    double scale = 0.1;
    for (++i; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
      value += scale * (text[i].unicode() - u'0');
      scale /= 10;
    }
  }
  return negative ? -value : value;
}

std::int64_t roundToInteger(double value) {
  const double r = std::round(value);
  if (r >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
  if (r <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(r);
}

void appendPadded(QString& out, std::int64_t value, int digits) {
  // Written straight into the string: a load pads a number for every row.
  // The magnitude is unsigned so that the most negative value has one too.
  std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  char reversed[24];
  int length = 0;
  do {
    reversed[length++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  const qsizetype at = out.size();
  out.resize(at + std::max(length, digits) + (value < 0 ? 1 : 0));
  QChar* p = out.data() + at;
  if (value < 0) *p++ = u'-';
  for (int k = length; k < digits; ++k) *p++ = u'0';
  while (length > 0) *p++ = QLatin1Char(reversed[--length]);
}

QString padNumber(std::int64_t value, int digits) {
  QString out;
  appendPadded(out, value, digits);
  return out;
}

void appendField(QString& out, QStringView field, int digits) {
  if (isPlainNumber(field)) {
    appendPadded(out, numericValue(field), digits);
  } else {
    out += field;
  }
}

QString formatField(QStringView field, int digits) {
  return isPlainNumber(field) ? padNumber(numericValue(field), digits) : field.toString();
}

}  // namespace corvela
