#include "desktop_surface.h"

#include "font_substitutions.h"

#include <QChildEvent>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPalette>
#include <QRadialGradient>

#include <algorithm>
#include <cstdlib>

namespace corvela {

namespace {

// Every pixel is filled as a logical pixel instead of stroked, so a skin
// rectangle covers exactly the same pixels at any screen scale.
void paintOutline(QPainter& painter, const QRect& r, const QColor& colour) {
  painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
  painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
  painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
  painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
}

// The two hands live on this layer, which stays above every other child of the
// surface and never takes the mouse.
class HandLayer : public QWidget {
 public:
  explicit HandLayer(QWidget* surface) : QWidget(surface) {
    setObjectName(QStringLiteral("handLayer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(0, 0, DesktopSurface::ScreenWidth, DesktopSurface::ScreenHeight);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    for (const QObject* child : children()) {
      const auto* hand = qobject_cast<const HandLine*>(child);
      if (!hand || !hand->isVisible()) continue;
      for (const QPoint& p : hand->pixels()) painter.fillRect(QRect(p, QSize(1, 1)), hand->color());
    }
  }
};

QFont narrowFont() {
  QFont font(QStringLiteral("Arial Narrow"));
  font.setPixelSize(13);
  return font;
}

QLabel* makeText(QWidget* surface, const char* name, const QString& text, const QRect& geometry) {
  auto* label = new QLabel(text, surface);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(narrowFont());
  // The phone draws black text unless the skin says otherwise, whatever the
  // desktop theme of the computer is.
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(palette);
  label->setGeometry(geometry);
  return label;
}

QLabel* makeImage(QWidget* surface, const QString& name, const QRect& geometry) {
  auto* image = new QLabel(surface);
  image->setObjectName(name);
  image->setAccessibleName(name);
  image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image->setGeometry(geometry);
  return image;
}

}  // namespace

HandLine::HandLine(const QString& name, QWidget* layer) : QObject(layer), layer_(layer) {
  setObjectName(name);
}

void HandLine::setPoints(QPoint p1, QPoint p2) {
  p1_ = p1;
  p2_ = p2;
  layer_->update();
}

void HandLine::setColor(const QColor& colour) {
  color_ = colour;
  layer_->update();
}

void HandLine::setVisible(bool visible) {
  visible_ = visible;
  layer_->update();
}

std::vector<QPoint> HandLine::pixels() const {
  // Bresenham: the pixels a one-pixel pen covers, both ends included.
  std::vector<QPoint> result;
  int x = p1_.x();
  int y = p1_.y();
  const int dx = std::abs(p2_.x() - x);
  const int dy = -std::abs(p2_.y() - y);
  const int sx = x < p2_.x() ? 1 : -1;
  const int sy = y < p2_.y() ? 1 : -1;
  int error = dx + dy;
  result.reserve(static_cast<std::size_t>(std::max(dx, -dy) + 1));
  for (;;) {
    result.emplace_back(x, y);
    if (x == p2_.x() && y == p2_.y()) break;
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

DesktopSurface::DesktopSurface(QWidget* parent) : QWidget(parent) {
  installFontSubstitutions();
  setObjectName(QStringLiteral("PicDesktop"));
  setAccessibleName(QStringLiteral("PicDesktop"));
  setFixedSize(ScreenWidth, ScreenHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);

  lblOperatore =
      makeText(this, "lblOperatore", QStringLiteral("vodafone IT"), QRect(7, 19, 158, 17));
  lblData = makeText(this, "lblData", QStringLiteral("data"), QRect(7, 40, 158, 17));
  lblOra = makeText(this, "lblOra", QStringLiteral("ora"), QRect(129, 61, 40, 17));
  lblOra->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  PicTime = makeImage(this, QStringLiteral("PicTime"), QRect(44, 66, 88, 88));
  PicTime->hide();

  Img[0] = makeImage(this, QStringLiteral("Img(0)"), QRect(0, 198, 78, 22));
  Img[1] = makeImage(this, QStringLiteral("Img(1)"), QRect(77, 198, 20, 22));
  Img[2] = makeImage(this, QStringLiteral("Img(2)"), QRect(96, 198, 78, 22));

  handLayer_ = new HandLayer(this);
  LineOra = new HandLine(QStringLiteral("LineOra"), handLayer_);
  LineMin = new HandLine(QStringLiteral("LineMin"), handLayer_);
  handLayer_->raise();

  picture_ = standbyImage();
}

void DesktopSurface::setBackColor(const QColor& colour) {
  backColor_ = colour;
  outlines_.clear();
  update();
}

void DesktopSurface::setPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void DesktopSurface::clearPicture() {
  setPicture(QPixmap());
}

void DesktopSurface::drawOutline(int x1, int y1, int x2, int y2, const QColor& colour) {
  // Both corners are inside the rectangle whichever order they come in
  // (QRect::normalized() would shift the edges of a swapped one).
  const Outline outline{
      QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2))),
      colour};
  std::erase(outlines_, outline);
  outlines_.push_back(outline);
  update();
}

void DesktopSurface::clearOutlines() {
  outlines_.clear();
  update();
}

void DesktopSurface::showImage(QLabel* image, const QPixmap& picture) {
  image->setPixmap(picture);
  if (!picture.isNull()) image->resize(picture.deviceIndependentSize().toSize());
}

QPixmap DesktopSurface::standbyImage() {
  QImage image(ScreenWidth, ScreenHeight, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  QLinearGradient sky(0, 0, 0, ScreenHeight);
  sky.setColorAt(0.0, QColor(236, 243, 249));
  sky.setColorAt(0.55, QColor(190, 214, 233));
  sky.setColorAt(1.0, QColor(146, 182, 212));
  painter.fillRect(image.rect(), sky);

  // Faint diagonal hatching gives the flat gradient some texture.
  painter.setPen(QPen(QColor(255, 255, 255, 28), 1));
  for (int d = -ScreenHeight; d < ScreenWidth; d += 6)
    painter.drawLine(d, 0, d + ScreenHeight, ScreenHeight);

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
  return QPixmap::fromImage(image);
}

void DesktopSurface::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), backColor_);
  if (hasPicture()) painter.drawPixmap(0, 0, picture_);
  for (const Outline& outline : outlines_) paintOutline(painter, outline.rect, outline.color);
}

void DesktopSurface::childEvent(QChildEvent* event) {
  QWidget::childEvent(event);
  // Whatever is put on the screen later still lies under the clock hands.
  if (event->added() && handLayer_ && event->child() != handLayer_ &&
      event->child()->isWidgetType())
    handLayer_->raise();
}

}  // namespace corvela
