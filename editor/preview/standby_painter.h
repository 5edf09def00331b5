#pragma once
// The one painter of the standby screen: the window's preview and the
// headless render both draw a scene through it, so they agree pixel for pixel.

#include <QImage>
#include <QPoint>
#include <vector>

class QPainter;

namespace corvela {

struct StandbyScene;

// Draws the screen at its true size, one skin pixel to one unit, bottom to
// top: background colour, wallpaper, outlines, texts, clock face, soft-key
// bar, the hands, and the picked rectangle above everything.
void paintStandby(QPainter& painter, const StandbyScene& scene);

// The screen as a 176 x 220 picture.
QImage renderStandby(const StandbyScene& scene);

// Every pixel made a `factor` x `factor` block, so pixels stay crisp.
QImage scaleCrisp(const QImage& image, int factor);

// The pixels a one-pixel line from p1 to p2 covers, both ends included.
std::vector<QPoint> linePixels(QPoint p1, QPoint p2);

}  // namespace corvela
