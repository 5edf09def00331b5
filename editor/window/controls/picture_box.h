#pragma once

// A picture box whose unit is the pixel: one pixel of the picture or of the
// drawing is one logical pixel of the widget, so skin coordinates can be used
// unchanged. It shows, bottom to top, a background
// colour, a picture anchored at the top-left corner inside the border, and
// rectangles drawn on it that stay until they are cleared.

#include <QColor>
#include <QFrame>
#include <QPixmap>
#include <QRect>

#include <vector>

namespace corvela {

class PictureBox : public QFrame {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  void setPicture(const QPixmap& picture);
  void clearPicture();
  QPixmap picture() const { return picture_; }
  bool hasPicture() const { return !picture_.isNull(); }

  // With auto size on, the box fits itself around its picture: the area
  // inside the border takes the picture's size (an empty picture leaves the
  // size alone). It turns the box into a fixed-size widget.
  void setAutoSize(bool on);
  bool autoSize() const { return autoSize_; }

  void setBackColor(const QColor& colour);
  QColor backColor() const { return backColor_; }

  // Transparent pixels of the picture shown on a checkerboard instead of the
  // back colour, so they can be told from white or grey ones.
  void setCheckerboard(bool on);

  // A single plain line around the box, or none.
  void setBordered(bool on);
  bool isBordered() const;

  // r runs from (x1,y1) to (x2,y2) with both corners inside the rectangle,
  // as QRect(QPoint, QPoint) builds it; corners given in the wrong order are
  // swapped. The inside is filled with fill (skipped when fill is invalid)
  // and the border pixels take outline. Coordinates are relative to the
  // area inside the border.
  void drawRect(const QRect& r, const QColor& fill, const QColor& outline);
  void clearDrawing();

  // A box that does something when clicked is reached with Tab too, and
  // Space or Return then does the same, for those who work by keyboard.
  void setKeyboardActivation(bool on);

  QSize sizeHint() const override;

 signals:
  // Left button released over the box. A disabled box never emits.
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  struct DrawnRect {
    QRect rect;
    QColor fill;
    QColor outline;
  };

  void fitToPicture();

  QPixmap picture_;
  QColor backColor_;
  std::vector<DrawnRect> drawing_;
  bool autoSize_ = false;
  bool checkerboard_ = false;
  bool pressed_ = false;
};

}  // namespace corvela
