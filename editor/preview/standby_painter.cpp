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
// rectangle covers exactly the same pixels at any scale. A dashed outline
// keeps two pixels of every four, counted along the screen's diagonals so
// the corners stay marked.
void paintOutline(QPainter& painter, const QRect& r, const QColor& colour, bool dashed = false) {
  if (!dashed) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
    return;
  }
  const auto dot = [&](int x, int y) {
    if (((x + y) % 4 + 4) % 4 < 2) painter.fillRect(QRect(x, y, 1, 1), colour);
  };
  // Only the part on the screen: a hostile skin's corners may lie far away.
  const int left = std::max(r.left(), -1), right = std::min(r.right(), StandbyScene::ScreenWidth);
  const int top = std::max(r.top(), -1), bottom = std::min(r.bottom(), StandbyScene::ScreenHeight);
  for (int x = left; x <= right; ++x) {
    dot(x, r.top());
    dot(x, r.bottom());
  }
  for (int y = top; y <= bottom; ++y) {
    dot(r.left(), y);
    dot(r.right(), y);
  }
}

void paintText(QPainter& painter, const SceneText& text) {
  if (!text.visible || text.text.isEmpty()) return;
  painter.setPen(text.colour);
  painter.drawText(text.geometry, static_cast<int>(text.alignment), text.text);
}

void paintImage(QPainter& painter, const SceneImage& image, bool checkerboard) {
  if (!image.visible || !image.loaded()) return;
  if (checkerboard && image.image.hasAlphaChannel())
    paintCheckerboard(painter, QRect(image.geometry.topLeft(), image.image.size()), 2);
  painter.drawImage(image.geometry.topLeft(), image.image);
}

// Dark outlines vanish on a dark wallpaper and light ones on a light one:
// a ring of the opposite lightness, inside and outside, keeps each visible.
void paintHalo(QPainter& painter, const Outline& outline) {
  const QColor ring = qGray(outline.color.rgb()) < 128 ? Qt::white : Qt::black;
  paintOutline(painter, outline.rect.adjusted(-1, -1, 1, 1), ring);
  if (outline.rect.width() > 2 && outline.rect.height() > 2)
    paintOutline(painter, outline.rect.adjusted(1, 1, -1, -1), ring);
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

QFont phoneFont() {
  installFontSubstitutions();
  QFont font(phoneFamily());
  font.setPixelSize(13);
  return font;
}

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

void paintStandby(QPainter& painter, const StandbyScene& scene, const PaintOptions& options) {
  const QRect screen(0, 0, StandbyScene::ScreenWidth, StandbyScene::ScreenHeight);
  painter.save();
  painter.setClipRect(screen);
  painter.fillRect(screen, scene.background);
  if (!scene.wallpaper.isNull()) painter.drawImage(QPoint(0, 0), scene.wallpaper);
  if (options.halo) {
    for (const Outline& outline : scene.outlines) paintHalo(painter, outline);
  }
  for (const Outline& outline : scene.outlines)
    paintOutline(painter, outline.rect, outline.color, outline.flaws.any());

  painter.setFont(phoneFont());
  paintText(painter, scene.operatorText);
  paintText(painter, scene.dateText);
  paintText(painter, scene.clockText);
  paintImage(painter, scene.clockFace, options.checkerboard);
  for (const SceneImage& key : scene.softKeys) paintImage(painter, key, options.checkerboard);

  paintHand(painter, scene.minuteHand);
  paintHand(painter, scene.hourHand);
  paintSelection(painter, scene);
  painter.restore();
}

QImage renderStandby(const StandbyScene& scene, const PaintOptions& options) {
  QImage image(StandbyScene::ScreenWidth, StandbyScene::ScreenHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  paintStandby(painter, scene, options);
  painter.end();
  return image;
}

QImage renderStandby(const StandbyScene& scene, int scale, const PaintOptions& options) {
  QImage image = scaleCrisp(renderStandby(scene, options), scale);
  if (options.grid && scale > 1) {
    QPainter painter(&image);
    paintPixelGrid(painter, QSize(StandbyScene::ScreenWidth, StandbyScene::ScreenHeight), scale);
  }
  return image;
}

QImage scaleCrisp(const QImage& image, int factor) {
  if (factor <= 1) return image;
  return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void paintPixelGrid(QPainter& painter, QSize pixels, int scale) {
  // Half-transparent grey reads on light and dark pixels alike.
  const QColor line(128, 128, 128, 110);
  const int width = pixels.width() * scale;
  const int height = pixels.height() * scale;
  for (int x = 1; x < pixels.width(); ++x) painter.fillRect(x * scale, 0, 1, height, line);
  for (int y = 1; y < pixels.height(); ++y) painter.fillRect(0, y * scale, width, 1, line);
}

void paintCheckerboard(QPainter& painter, const QRect& area, int cell) {
  painter.save();
  painter.setClipRect(area, Qt::IntersectClip);
  painter.fillRect(area, QColor(255, 255, 255));
  const QColor grey(204, 204, 204);
  for (int y = area.top(); y <= area.bottom(); y += cell) {
    for (int x = area.left(); x <= area.right(); x += cell) {
      if (((x - area.left()) / cell + (y - area.top()) / cell) % 2 != 0)
        painter.fillRect(x, y, cell, cell, grey);
    }
  }
  painter.restore();
}

}  // namespace corvela
