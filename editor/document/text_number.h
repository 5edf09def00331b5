#pragma once
#include <QString>
#include <QStringView>
#include <cstdint>

namespace corvela {

// The numeric value of a text as every list cell and box is read: leading
// blanks skipped, optional sign, the leading digits taken, 0 when there are
// none ("12a" gives 12, "abc" gives 0). Saturates instead of overflowing, so
// a hostile file cannot wrap an offset into range.
std::int64_t numericValue(QStringView text);

// Like numericValue but keeps a decimal fraction ("12.6" gives 12.6); used
// where the value is rounded to a whole colour component.
double leadingNumber(QStringView text);

// Round half away from zero, the way colour components are rounded.
std::int64_t roundToInteger(double value);

// A number with at least `digits` digits, zero-padded on the left ("0000"
// and "00" patterns of the lists); negative numbers keep their sign first.
QString padNumber(std::int64_t value, int digits);
void appendPadded(QString& out, std::int64_t value, int digits);

// A field shown with a digit pattern: a field that is a plain number is
// shown padded ("595" -> "0595"); any other text is shown as it stands.
QString formatField(QStringView field, int digits);
void appendField(QString& out, QStringView field, int digits);

}  // namespace corvela
