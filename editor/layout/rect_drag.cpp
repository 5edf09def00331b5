#include "rect_drag.h"

namespace corvela {

int gripAt(const QRect& outline, QPoint pixel) {
  const QRect band = outline.adjusted(-1, -1, 1, 1);
  if (!band.contains(pixel)) return GripNone;
  int grip = GripNone;
  if (pixel.x() <= outline.left()) {
    grip |= GripLeft;
  } else if (pixel.x() >= outline.right()) {
    grip |= GripRight;
  }
  if (pixel.y() <= outline.top()) {
    grip |= GripTop;
  } else if (pixel.y() >= outline.bottom()) {
    grip |= GripBottom;
  }
  return grip == GripNone ? GripMove : grip;
}

std::array<std::int64_t, 4> dragCorners(const std::array<std::int64_t, 4>& start, int grip,
                                        QPoint delta) {
  std::array<std::int64_t, 4> c = start;
  if (grip & GripMove) {
    c[0] += delta.x();
    c[2] += delta.x();
    c[1] += delta.y();
    c[3] += delta.y();
    return c;
  }
  // Index of the smaller and the larger corner of each axis.
  const size_t left = c[0] <= c[2] ? 0 : 2;
  const size_t top = c[1] <= c[3] ? 1 : 3;
  if (grip & GripLeft) c[left] += delta.x();
  if (grip & GripRight) c[2 - left] += delta.x();
  if (grip & GripTop) c[top] += delta.y();
  if (grip & GripBottom) c[4 - top] += delta.y();
  return c;
}

}  // namespace corvela
