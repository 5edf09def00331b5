#pragma once
// Where `DisegnaLancette` puts the two hands on the analogue clock face.

#include <QLine>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>

namespace corvela {

struct HandLines {
  QLine minute;  // from the centre to the right (3 o'clock)
  QLine hour;    // from the centre upwards (12 o'clock)
};

// The hands for the analogue clock rectangle x1, y1, x2, y2 and the two
// lengths: centre at x1 + floor((x2 - x1) / 2), likewise for y. Nothing when
// any corner is 0 or below; the hands then stay where they were.
std::optional<HandLines> placeHands(const std::array<std::int64_t, 4>& rect, std::int64_t minute,
                                    std::int64_t hour);

// The same from the texts of txt(14)..txt(17), txtMin and txtOra, each read
// as its numeric value.
std::optional<HandLines> placeHands(const std::array<QStringView, 4>& rectBoxes,
                                    QStringView minuteBox, QStringView hourBox);

}  // namespace corvela
