#include "hand_placement.h"

#include <algorithm>
#include <limits>

#include "text_number.h"

namespace corvela {

namespace {
// Rounds towards minus infinity, where C++ division truncates towards zero:
// a clock box given right to left still centres where the original did.
std::int64_t floorHalf(std::int64_t d) {
  return d / 2 - (d % 2 != 0 && d < 0 ? 1 : 0);
}

// Hostile files can hold huge numbers; a line outside the int range could
// not be drawn anyway.
int toCoordinate(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}
}  // namespace

std::optional<HandLines> placeHands(const std::array<std::int64_t, 4>& rect, std::int64_t minute,
                                    std::int64_t hour) {
  const auto [x1, y1, x2, y2] = rect;
  if (x1 <= 0 || y1 <= 0 || x2 <= 0 || y2 <= 0) return std::nullopt;
  const std::int64_t cx = x1 + floorHalf(x2 - x1);
  const std::int64_t cy = y1 + floorHalf(y2 - y1);
  const QPoint centre(toCoordinate(cx), toCoordinate(cy));
  return HandLines{QLine(centre, QPoint(toCoordinate(cx + minute), toCoordinate(cy))),
                   QLine(centre, QPoint(toCoordinate(cx), toCoordinate(cy - hour)))};
}

std::optional<HandLines> placeHands(const std::array<QStringView, 4>& rectBoxes,
                                    QStringView minuteBox, QStringView hourBox) {
  std::array<std::int64_t, 4> rect{};
  for (size_t i = 0; i < rect.size(); ++i) rect[i] = numericValue(rectBoxes[i]);
  return placeHands(rect, numericValue(minuteBox), numericValue(hourBox));
}

}  // namespace corvela
