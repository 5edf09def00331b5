#include "standby_painter.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "font_substitutions.h"
#include "standby_scene.h"

namespace corvela {

namespace {

const QColor kSelectionColour(0, 120, 255);

// Every pixel is filled as a unit square instead of stroked, so a skin
// rectangle covers exactly the same pixels at any scale.
void paintOutline(QPainter& painter, const QRect& r, const QColor& colour) {
  painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
  painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
  painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
  painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
}

QFont narrowFont() {
  installFontSubstitutions();
  QFont font(QStringLiteral("Arial Narrow"));
  font.setPixelSize(13);
  return font;
}

void paintText(QPainter& painter, const SceneText& text) {
  if (!text.visible || text.text.isEmpty()) return;
  painter.setPen(text.colour);
  painter.drawText(text.geometry, static_cast<int>(text.alignment), text.text);
}

void paintImage(QPainter& painter, const SceneImage& image) {
  if (!image.visible || !image.loaded()) return;
  painter.drawImage(image.geometry.topLeft(), image.image);
}

void paintHand(QPainter& painter, const SceneHand& hand) {
  if (!hand.visible) return;
  for (const QPoint& p : linePixels(hand.p1, hand.p2))
    painter.fillRect(QRect(p, QSize(1, 1)), hand.colour);
}

// The picked rectangle: its outline in a bright blue with a white ring
// round it, which shows on any wallpaper.
void paintSelection(QPainter& painter, const StandbyScene& scene) {
  if (scene.selected < 0) return;
  for (const Outline& outline : scene.outlines) {
    if (outline.target != scene.selected) continue;
    paintOutline(painter, outline.rect.adjusted(-1, -1, 1, 1), Qt::white);
    paintOutline(painter, outline.rect, kSelectionColour);
  }
}

}  // namespace

std::vector<QPoint> linePixels(QPoint p1, QPoint p2) {
  // Bresenham: the pixels a one-pixel pen covers, both ends included.
  std::vector<QPoint> result;
  int x = p1.x();
  int y = p1.y();
  const int dx = std::abs(p2.x() - x);
  const int dy = -std::abs(p2.y() - y);
  const int sx = x < p2.x() ? 1 : -1;
  const int sy = y < p2.y() ? 1 : -1;
  int error = dx + dy;
  result.reserve(static_cast<std::size_t>(std::max(dx, -dy) + 1));
  for (;;) {
    result.emplace_back(x, y);
    if (x == p2.x() && y == p2.y()) break;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
  return result;
}

void paintStandby(QPainter& painter, const StandbyScene& scene) {
  const QRect screen(0, 0, StandbyScene::ScreenWidth, StandbyScene::ScreenHeight);
  painter.save();
  painter.setClipRect(screen);
  painter.fillRect(screen, scene.background);
  if (!scene.wallpaper.isNull()) painter.drawImage(QPoint(0, 0), scene.wallpaper);
  for (const Outline& outline : scene.outlines) paintOutline(painter, outline.rect, outline.color);

  painter.setFont(narrowFont());
  paintText(painter, scene.operatorText);
  paintText(painter, scene.dateText);
  paintText(painter, scene.clockText);
  paintImage(painter, scene.clockFace);
  for (const SceneImage& key : scene.softKeys) paintImage(painter, key);

  paintHand(painter, scene.minuteHand);
  paintHand(painter, scene.hourHand);
  paintSelection(painter, scene);
  painter.restore();
}

QImage renderStandby(const StandbyScene& scene) {
  QImage image(StandbyScene::ScreenWidth, StandbyScene::ScreenHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  paintStandby(painter, scene);
  painter.end();
  return image;
}

QImage scaleCrisp(const QImage& image, int factor) {
  if (factor <= 1) return image;
  return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace corvela
