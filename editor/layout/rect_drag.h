#pragma once
// Dragging a rectangle on the preview: which part of it the mouse holds and
// where its corners go. Skin pixels throughout; no widget.

#include <QPoint>
#include <QRect>
#include <array>
#include <cstdint>

namespace corvela {

// What a press holds of the picked rectangle: edges (combined at the
// corners) to resize, or the whole to move.
enum Grip : int {
  GripNone = 0,
  GripLeft = 1,
  GripRight = 2,
  GripTop = 4,
  GripBottom = 8,
  GripMove = 16,
};

// The grip of `outline` (both corners inside) under `pixel`: an edge is the
// outline's own pixels and the one just outside them, so even a box a few
// pixels wide keeps an inside to move it by; GripNone away from it.
int gripAt(const QRect& outline, QPoint pixel);

// The corners x1, y1, x2, y2 of a row after its grip was dragged by `delta`
// from `start`. An edge is the smaller or larger of its two corners, so a
// row written right to left resizes the edge the user holds.
std::array<std::int64_t, 4> dragCorners(const std::array<std::int64_t, 4>& start, int grip,
                                        QPoint delta);

}  // namespace corvela
