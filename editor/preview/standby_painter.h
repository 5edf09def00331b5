#pragma once
// The one painter of the standby screen: the window's preview and the
// headless render both draw a scene through it, so they agree pixel for pixel.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

class QFont;
class QPainter;

namespace corvela {

struct StandbyScene;

// Aids for the user's eye that the phone does not show. The window turns
// them on; a render has them only when asked for.
struct PaintOptions {
  bool halo = false;          // a contrasting ring round every outline
  bool checkerboard = false;  // a checkerboard under the images' transparent pixels
  bool grid = false;          // lines between the skin pixels, once scaled
};

// Draws the screen at its true size, one skin pixel to one unit, bottom to
// top: background colour, wallpaper, outlines, texts, clock face, soft-key
// bar, the hands, and the picked rectangle above everything.
void paintStandby(QPainter& painter, const StandbyScene& scene, const PaintOptions& options = {});

// The phone's own font, in which its texts are drawn.
QFont phoneFont();

// The screen as a 176 x 220 picture.
QImage renderStandby(const StandbyScene& scene, const PaintOptions& options = {});
// The screen at `scale`, with the pixel grid when asked for and scaled.
QImage renderStandby(const StandbyScene& scene, int scale, const PaintOptions& options);

// Every pixel made a `factor` x `factor` block, so pixels stay crisp.
QImage scaleCrisp(const QImage& image, int factor);

// Lines between the pixels of a picture of `pixels` shown at `scale`, drawn
// in the device's units over what is already there.
void paintPixelGrid(QPainter& painter, QSize pixels, int scale);

// A grey and white checkerboard over `area`, in squares of `cell` units:
// what transparent pixels are shown on.
void paintCheckerboard(QPainter& painter, const QRect& area, int cell);

// The pixels a one-pixel line from p1 to p2 covers, both ends included.
std::vector<QPoint> linePixels(QPoint p1, QPoint p2);

}  // namespace corvela
