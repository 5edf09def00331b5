#include "colour_codec.h"

#include <algorithm>

#include "text_number.h"

namespace corvela {

QString RGBToString(std::int32_t aColor, ColourParts& parts) {
  // Only the first six hexadecimal digits count: a value wider than 24 bits
  // loses its lowest byte, exactly as the colour text always did.
  QString hex = QString::number(static_cast<std::uint32_t>(aColor), 16).toUpper();
  if (hex.size() < 6) hex = hex.rightJustified(6, u'0');
  parts.P_B = hex.mid(0, 2).toInt(nullptr, 16);
  parts.P_G = hex.mid(2, 2).toInt(nullptr, 16);
  parts.P_R = hex.mid(4, 2).toInt(nullptr, 16);
  return QStringLiteral("%1 %2 %3").arg(parts.P_R).arg(parts.P_G).arg(parts.P_B);
}

std::int32_t colourValue(long long r, long long g, long long b) {
  auto clamp = [](long long v) { return static_cast<std::int32_t>(std::clamp(v, 0LL, 255LL)); };
  return clamp(r) + 256 * clamp(g) + 65536 * clamp(b);
}

std::optional<std::int32_t> StringToRGB(QStringView s, ColourParts& parts) {
  qsizetype blanks[4];
  qsizetype from = 0;
  for (qsizetype& b : blanks) {
    b = s.indexOf(u' ', from);
    if (b < 0) return std::nullopt;
    from = b + 1;
  }
  long long c[3];
  for (int k = 0; k < 3; ++k) {
    const auto text = s.mid(blanks[k] + 1, blanks[k + 1] - blanks[k] - 1);
    c[k] = roundToInteger(leadingNumber(text));
    if (c[k] < -32768 || c[k] > 32767) return std::nullopt;
  }
  parts.P_R = static_cast<std::int32_t>(c[0]);
  parts.P_G = static_cast<std::int32_t>(c[1]);
  parts.P_B = static_cast<std::int32_t>(c[2]);
  return colourValue(c[0], c[1], c[2]);
}

}  // namespace corvela

namespace corvela {

int componentOfCell(QStringView cell) {
  return static_cast<int>(std::clamp<std::int64_t>(roundToInteger(leadingNumber(cell)), 0, 255));
}

}  // namespace corvela
