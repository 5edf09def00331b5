#pragma once

namespace corvela {

// A text colour of a list row or tree node.
struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
// Pure blue marks a row or node that an editor changed; on tree nodes the
// save reads it to take the node's text over.
inline constexpr Rgb kChangedBlue{0, 0, 255};

}  // namespace corvela
