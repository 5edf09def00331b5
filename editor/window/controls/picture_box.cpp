#include "picture_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>

#include "standby_painter.h"

namespace corvela {

namespace {

// Each drawn pixel is a filled logical pixel rather than a stroked line, so the
// result is the same pixels at every screen scale and a one-pixel rectangle
// shows up instead of vanishing as a zero-sized outline would.
void paintPixelRect(QPainter& painter, const QRect& r, const QColor& fill, const QColor& outline) {
  if (fill.isValid()) painter.fillRect(r, fill);
  if (!outline.isValid()) return;
  painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), outline);
  painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), outline);
  painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), outline);
  painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), outline);
}

// QRect::normalized() treats a swapped rectangle as having negative width and
// moves its edges by one; the corners here are both inside, so swap them.
QRect fromCorners(const QRect& r) {
  return QRect(QPoint(std::min(r.left(), r.right()), std::min(r.top(), r.bottom())),
               QPoint(std::max(r.left(), r.right()), std::max(r.top(), r.bottom())));
}

QSize logicalSize(const QPixmap& pixmap) {
  return pixmap.deviceIndependentSize().toSize();
}

}  // namespace

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent), backColor_(palette().color(QPalette::Button)) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
}

void PictureBox::setPicture(const QPixmap& picture) {
  picture_ = picture;
  fitToPicture();
  updateGeometry();
  update();
}

void PictureBox::clearPicture() {
  setPicture(QPixmap());
}

void PictureBox::setAutoSize(bool on) {
  autoSize_ = on;
  fitToPicture();
}

void PictureBox::setBackColor(const QColor& colour) {
  backColor_ = colour;
  update();
}

void PictureBox::setBordered(bool on) {
  setFrameStyle(on ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
  fitToPicture();
  update();
}

bool PictureBox::isBordered() const {
  return frameShape() != QFrame::NoFrame && lineWidth() > 0;
}

void PictureBox::drawRect(const QRect& r, const QColor& fill, const QColor& outline) {
  drawing_.push_back({fromCorners(r), fill, outline});
  update();
}

void PictureBox::clearDrawing() {
  drawing_.clear();
  update();
}

QSize PictureBox::sizeHint() const {
  if (!hasPicture()) return QFrame::sizeHint();
  // Border and margins, whatever the box's current size is.
  const QSize around = size() - contentsRect().size();
  return logicalSize(picture_) + around;
}

void PictureBox::fitToPicture() {
  if (autoSize_ && hasPicture()) setFixedSize(sizeHint());
}

void PictureBox::setCheckerboard(bool on) {
  checkerboard_ = on;
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect inner = contentsRect();
  painter.fillRect(inner, backColor_);

  painter.save();
  painter.setClipRect(inner);
  painter.translate(inner.topLeft());
  if (hasPicture() && checkerboard_) paintCheckerboard(painter, picture_.rect(), 4);
  if (hasPicture()) painter.drawPixmap(0, 0, picture_);
  for (const DrawnRect& d : drawing_) paintPixelRect(painter, d.rect, d.fill, d.outline);
  painter.restore();

  drawFrame(&painter);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

void PictureBox::setKeyboardActivation(bool on) {
  setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (focusPolicy() != Qt::NoFocus && event->modifiers() == Qt::NoModifier &&
      !event->isAutoRepeat() &&
      (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
    event->accept();
    emit clicked();
    return;
  }
  QFrame::keyPressEvent(event);
}

void PictureBox::focusInEvent(QFocusEvent* event) {
  QFrame::focusInEvent(event);
  update();
}

void PictureBox::focusOutEvent(QFocusEvent* event) {
  QFrame::focusOutEvent(event);
  update();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  // The box is a control: presses on it do not fall through to the frame
  // behind.
  event->accept();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  const bool wasPressed = pressed_;
  if (event->button() == Qt::LeftButton) pressed_ = false;
  event->accept();
  if (event->button() == Qt::LeftButton && wasPressed && isEnabled() &&
      rect().contains(event->position().toPoint()))
    emit clicked();
}

}  // namespace corvela
