#pragma once
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace corvela {

// The red, green and blue parts last split by the codec; the colour pickers
// read them right after a conversion.
struct ColourParts {
  std::int32_t P_R = 0;
  std::int32_t P_G = 0;
  std::int32_t P_B = 0;
};

// A colour value is laid out 00BBGGRR (red in the lowest byte), the form the
// platform's colour dialog gives. Returns "R G B" in decimal.
QString RGBToString(std::int32_t aColor, ColourParts& parts);

// Reads the R G B of a colour line "kind R G B T" (the text between its
// first four blanks). Empty when the line has fewer than four blanks or a
// component does not fit in 16 bits; components above 255 count as 255.
std::optional<std::int32_t> StringToRGB(QStringView s, ColourParts& parts);

// A colour component as a list cell or box holds it: its numeric value
// rounded to a whole number, clamped to 0..255.
int componentOfCell(QStringView cell);

// The colour value of three components, each clamped to 0..255.
std::int32_t colourValue(long long r, long long g, long long b);
inline int redOf(std::int32_t c) {
  return c & 0xFF;
}
inline int greenOf(std::int32_t c) {
  return (c >> 8) & 0xFF;
}
inline int blueOf(std::int32_t c) {
  return (c >> 16) & 0xFF;
}

}  // namespace corvela
