#include "desktop_surface.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QWheelEvent>
#include <algorithm>

#include "font_substitutions.h"
#include "standby_painter.h"

namespace corvela {

namespace {

// A text or image of the screen that the painter draws: it carries the
// element's name, text and place, and lets the mouse through to the screen.
class ScreenElement : public QLabel {
 public:
  ScreenElement(const QString& name, QWidget* surface) : QLabel(surface) {
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
  }

 protected:
  void paintEvent(QPaintEvent*) override {}
};

QLabel* makeText(QWidget* surface, const char* name) {
  auto* label = new ScreenElement(QString::fromLatin1(name), surface);
  label->setFont(phoneFont());
  return label;
}

QLabel* makeImage(QWidget* surface, const QString& name) {
  auto* image = new ScreenElement(name, surface);
  image->setAccessibleName(name);
  return image;
}

void showText(QLabel* label, const SceneText& text, int zoom) {
  label->setText(text.text);
  label->setAccessibleName(text.text);
  label->setAlignment(text.alignment);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, text.colour);
  label->setPalette(palette);
  const QRect& g = text.geometry;
  label->setGeometry(g.x() * zoom, g.y() * zoom, g.width() * zoom, g.height() * zoom);
  label->setVisible(text.visible);
}

void showImage(QLabel* label, const SceneImage& image, int zoom) {
  label->setPixmap(image.loaded() ? QPixmap::fromImage(image.image) : QPixmap());
  const QRect& g = image.geometry;
  label->setGeometry(g.x() * zoom, g.y() * zoom, std::max(1, g.width() * zoom),
                     std::max(1, g.height() * zoom));
  label->setVisible(image.visible);
}

}  // namespace

DesktopSurface::DesktopSurface(QWidget* parent) : QWidget(parent) {
  installFontSubstitutions();
  setObjectName(QStringLiteral("PicDesktop"));
  setAccessibleName(QStringLiteral("PicDesktop"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFixedSize(ScreenWidth, ScreenHeight);

  lblOperatore = makeText(this, "lblOperatore");
  lblData = makeText(this, "lblData");
  lblOra = makeText(this, "lblOra");
  PicTime = makeImage(this, QStringLiteral("PicTime"));
  for (size_t i = 0; i < Img.size(); ++i)
    Img[i] = makeImage(this, QStringLiteral("Img(%1)").arg(i));

  showScene(StandbyScene());
}

void DesktopSurface::showScene(const StandbyScene& scene) {
  scene_ = scene;
  frameStale_ = true;
  placeChildren();
  update();
  emit sceneShown();
}

void DesktopSurface::setPaintOptions(const PaintOptions& options) {
  options_ = options;
  frameStale_ = true;
  update();
}

const QImage& DesktopSurface::frame() const {
  if (frameStale_) {
    frame_ = renderStandby(scene_, options_);
    frameStale_ = false;
  }
  return frame_;
}

void DesktopSurface::setHighlight(const std::optional<QRect>& area) {
  if (area == highlight_) return;
  highlight_ = area;
  update();
}

void DesktopSurface::setZoom(int factor) {
  zoom_ = std::clamp(factor, 1, MaxZoom);
  setFixedSize(ScreenWidth * zoom_, ScreenHeight * zoom_);
  placeChildren();
  update();
}

QPoint DesktopSurface::screenPixel(QPoint widgetPoint) const {
  auto down = [this](int v) { return v >= 0 ? v / zoom_ : -((-v + zoom_ - 1) / zoom_); };
  return QPoint(down(widgetPoint.x()), down(widgetPoint.y()));
}

void DesktopSurface::placeChildren() {
  showText(lblOperatore, scene_.operatorText, zoom_);
  showText(lblData, scene_.dateText, zoom_);
  showText(lblOra, scene_.clockText, zoom_);
  showImage(PicTime, scene_.clockFace, zoom_);
  for (size_t i = 0; i < Img.size(); ++i) showImage(Img[i], scene_.softKeys[i], zoom_);
}

void DesktopSurface::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Nearest neighbour: a zoomed skin pixel stays one flat square.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const QImage& shown = frame();
  painter.drawImage(rect(), shown);
  if (options_.grid && zoom_ >= GridZoom) paintPixelGrid(painter, shown.size(), zoom_);
  if (highlight_) {
    const QRect r = highlight_->normalized();
    const QRect on(r.x() * zoom_, r.y() * zoom_, r.width() * zoom_, r.height() * zoom_);
    const QColor tint(0, 120, 215);
    painter.fillRect(on, QColor(tint.red(), tint.green(), tint.blue(), 60));
    painter.setPen(tint);
    painter.drawRect(on.adjusted(0, 0, -1, -1));
  }
}

void DesktopSurface::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    QWidget::wheelEvent(event);  // the scroll area scrolls
    return;
  }
  // A wheel turns in notches of 120; touchpads send a notch in many parts.
  wheelAngle_ += event->angleDelta().y();
  const int steps = wheelAngle_ / 120;
  wheelAngle_ -= steps * 120;
  if (steps != 0) emit zoomWheeled(steps, event->position().toPoint());
  event->accept();
}

void DesktopSurface::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pixel = screenPixel(event->position().toPoint());
  // A drag moves its record first, so that what the pointer is said to be
  // over is where the record is now, not where it was a step ago.
  if (event->buttons() & Qt::LeftButton) emit dragged(pixel, event->modifiers());
  emit hovered(pixel);
}

void DesktopSurface::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit pressed(screenPixel(event->position().toPoint()), event->modifiers());
  }
  QWidget::mousePressEvent(event);
}

void DesktopSurface::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit released(screenPixel(event->position().toPoint()));
  QWidget::mouseReleaseEvent(event);
}

void DesktopSurface::mouseDoubleClickEvent(QMouseEvent* event) {
  // The press of the second click still picks, as a single press does.
  QWidget::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton)
    emit doubleClicked(screenPixel(event->position().toPoint()));
}

void DesktopSurface::leaveEvent(QEvent* event) {
  emit left();
  QWidget::leaveEvent(event);
}

}  // namespace corvela
