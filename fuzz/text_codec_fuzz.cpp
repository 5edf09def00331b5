// The small text helpers that see every field of a skin file: the colour
// codec, the number reader, the field splitter and the path splitter.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "colour_codec.h"
#include "path_helpers.h"
#include "skin_line.h"
#include "text_number.h"

namespace {

using namespace corvela;

[[noreturn]] void fault(const char* what) {
  std::fprintf(stderr, "text codec fuzz: %s\n", what);
  std::abort();
}

// The leading number of `s` read the plain way, for texts short enough not
// to saturate; nothing when it has more digits than that.
bool plainLeadingNumber(const QString& s, std::int64_t* value) {
  qsizetype i = 0;
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';
  std::int64_t v = 0;
  int digits = 0;
  for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
    if (++digits > 15) return false;
    v = v * 10 + (s[i].unicode() - u'0');
  }
  *value = negative ? -v : v;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A skin's bytes are read one byte to a character.
  const QString s =
      QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

  ColourParts parts;
  if (const auto colour = StringToRGB(s, parts)) {
    if (*colour < 0 || *colour > 0xFFFFFF) fault("colour value wider than 24 bits");
    if (colourValue(parts.P_R, parts.P_G, parts.P_B) != *colour)
      fault("colour parts disagree with the value");
  }

  const QStringList fields = splitFields(s);
  if (fields.join(u' ') != s) fault("fields do not join back into the line");
  if (fields.size() != s.count(u' ') + 1) fault("field count is not blanks plus one");

  std::int64_t expected = 0;
  if (plainLeadingNumber(s, &expected) && numericValue(s) != expected)
    fault("numericValue misreads a number");
  (void)leadingNumber(s);
  const QString shown = formatField(s, 4);
  if (shown != s && numericValue(shown) != numericValue(s)) fault("formatField changed the value");

  if (const auto record = parseRecordLine(s)) {
    if (record->kind != s[0]) fault("record kind is not the first character");
    const qsizetype expectedValues = record->kind == u'5' ? 3 : 4;
    if (record->values.size() != expectedValues) fault("record with a wrong number of values");
  }

  for (int part = -1; part <= 5; ++part) (void)SplitPath(s, part);

  if (size >= 4) {
    std::int32_t value = 0;
    std::memcpy(&value, data, sizeof value);
    const QString text = RGBToString(value, parts);
    if (parts.P_R < 0 || parts.P_R > 255 || parts.P_G < 0 || parts.P_G > 255 || parts.P_B < 0 ||
        parts.P_B > 255) {
      fault("RGBToString parts out of range");
    }
    // A 24-bit colour survives the trip through a colour line.
    if (value >= 0 && value <= 0xFFFFFF) {
      ColourParts back;
      if (StringToRGB(QStringLiteral("4 ") + text + QStringLiteral(" 0"), back) != value) {
        fault("colour text does not read back as its value");
      }
    }
  }
  return 0;
}
