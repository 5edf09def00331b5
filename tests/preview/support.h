#pragma once

// Reading rendered widgets back pixel by pixel, in logical coordinates, so the
// same expectations hold at any screen scale; readable failure messages for
// Qt values.

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <cmath>
#include <ostream>

namespace corvela::test {

inline QImage render(QWidget* widget) {
  return widget->grab().toImage();
}

// The colour at the centre of logical pixel (x, y).
inline QColor pixel(const QImage& image, int x, int y) {
  const qreal dpr = image.devicePixelRatio();
  const int dx = static_cast<int>(std::floor((x + 0.5) * dpr));
  const int dy = static_cast<int>(std::floor((y + 0.5) * dpr));
  return image.pixelColor(dx, dy);
}

inline QPixmap solid(int width, int height, const QColor& colour) {
  QPixmap pixmap(width, height);
  pixmap.fill(colour);
  return pixmap;
}

}  // namespace corvela::test

// Failure messages show colours as #rrggbb rather than raw bytes.
inline void PrintTo(const QColor& colour, std::ostream* os) {
  *os << colour.name(QColor::HexArgb).toStdString();
}

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
