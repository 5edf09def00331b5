#include "standby_image.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace corvela {

namespace {
constexpr int kWidth = 176;
constexpr int kHeight = 220;
}  // namespace

QImage standbyImage() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0.0, QColor(236, 243, 249));
  sky.setColorAt(0.55, QColor(190, 214, 233));
  sky.setColorAt(1.0, QColor(146, 182, 212));
  painter.fillRect(image.rect(), sky);

  // Faint diagonal hatching gives the flat gradient some texture.
  painter.setPen(QPen(QColor(255, 255, 255, 28), 1));
  for (int d = -kHeight; d < kWidth; d += 6) painter.drawLine(d, 0, d + kHeight, kHeight);

  // A few soft light discs, the kind of bokeh phones shipped as standby art.
  struct Disc {
    int x, y, r, alpha;
  };
  constexpr Disc discs[] = {
      {138, 52, 46, 70}, {36, 120, 34, 55}, {120, 150, 26, 45}, {70, 184, 40, 40}};
  painter.setPen(Qt::NoPen);
  for (const Disc& disc : discs) {
    QRadialGradient glow(disc.x, disc.y, disc.r);
    glow.setColorAt(0.0, QColor(255, 255, 255, disc.alpha));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(glow);
    painter.drawEllipse(QPoint(disc.x, disc.y), disc.r, disc.r);
  }
  painter.end();
  return image;
}

}  // namespace corvela
