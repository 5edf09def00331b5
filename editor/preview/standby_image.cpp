#include "standby_image.h"

#include <QColor>
#include <algorithm>
#include <cmath>

namespace corvela {

namespace {

constexpr int kWidth = 176;
constexpr int kHeight = 220;

// The picture is worked out pixel by pixel: a painter with gradients and
// smoothed lines took longer than the rest of the screen's first drawing.

// Rounds like std::lround for the values here, which are never negative,
// without a call into the maths library for each of some 100,000 channels.
int roundUp(double value) {
  return static_cast<int>(value + 0.5);
}

// Lays white of `alpha` (0 to 1) over the pixel.
void lighten(QRgb& pixel, double alpha) {
  const auto up = [alpha](int c) { return c + roundUp((255 - c) * alpha); };
  pixel = qRgb(up(qRed(pixel)), up(qGreen(pixel)), up(qBlue(pixel)));
}

// The sky: a vertical gradient through three stops.
QRgb skyAt(double t) {
  struct Stop {
    double at;
    int r, g, b;
  };
  constexpr Stop stops[] = {{0.0, 236, 243, 249}, {0.55, 190, 214, 233}, {1.0, 146, 182, 212}};
  const Stop& a = t < stops[1].at ? stops[0] : stops[1];
  const Stop& b = t < stops[1].at ? stops[1] : stops[2];
  const double f = std::clamp((t - a.at) / (b.at - a.at), 0.0, 1.0);
  const auto mix = [f](int from, int to) { return roundUp(from + (to - from) * f); };
  return qRgb(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b));
}

QImage drawStandbyImage() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (int y = 0; y < kHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(line, line + kWidth, skyAt((y + 0.5) / kHeight));
    // Faint diagonal hatching gives the flat gradient some texture.
    for (int x = (y + 2) % 6; x < kWidth; x += 6) lighten(line[x], 28 / 255.0);
  }

  // A few soft light discs, the kind of bokeh phones shipped as standby art:
  // white that fades from the centre to nothing at the rim.
  struct Disc {
    int x, y, r, alpha;
  };
  constexpr Disc discs[] = {
      {138, 52, 46, 70}, {36, 120, 34, 55}, {120, 150, 26, 45}, {70, 184, 40, 40}};
  for (const Disc& disc : discs) {
    for (int y = std::max(0, disc.y - disc.r); y < std::min(kHeight, disc.y + disc.r); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = std::max(0, disc.x - disc.r); x < std::min(kWidth, disc.x + disc.r); ++x) {
        const double dx = x + 0.5 - disc.x, dy = y + 0.5 - disc.y;
        const double distance = std::sqrt(dx * dx + dy * dy) / disc.r;
        if (distance < 1.0) lighten(line[x], disc.alpha / 255.0 * (1.0 - distance));
      }
    }
  }
  return image;
}

}  // namespace

QImage standbyImage() {
  // Every empty scene starts from it, several times before the window first
  // paints: made once, then shared (a copy that is painted on detaches).
  static const QImage image = drawStandbyImage();
  return image;
}

}  // namespace corvela
