#pragma once

// The simulated standby screen of the phone at its true size of 176 x 220
// pixels. Skin coordinates are used unchanged: one skin pixel is one logical
// pixel, (0,0) is the top-left corner, y grows downwards.
//
// Layers, bottom to top: background colour, picture (the wallpaper), the
// outlines of the skin's screen rectangles, the child elements (texts, clock
// face, soft-key bar), and above everything the two clock hands.

#include <QColor>
#include <QLabel>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <array>
#include <vector>

namespace corvela {

class DesktopSurface;

struct Outline {
  QRect rect;  // both corners inside, as QRect(QPoint, QPoint) builds it
  QColor color;

  friend bool operator==(const Outline&, const Outline&) = default;
};

// A straight line segment on the surface, drawn above every child element.
// It is no widget of its own: the surface paints all visible hands on one
// transparent layer that lets mouse clicks through.
class HandLine : public QObject {
  Q_OBJECT

 public:
  HandLine(const QString& name, QWidget* layer);

  // Both end points are part of the segment.
  void setPoints(QPoint p1, QPoint p2);
  QPoint p1() const { return p1_; }
  QPoint p2() const { return p2_; }

  void setColor(const QColor& colour);
  QColor color() const { return color_; }

  void setVisible(bool visible);
  bool isVisible() const { return visible_; }
  void show() { setVisible(true); }
  void hide() { setVisible(false); }

  // The pixels the segment covers, end points included.
  std::vector<QPoint> pixels() const;

 private:
  QWidget* layer_;
  QPoint p1_;
  QPoint p2_;
  QColor color_ = Qt::black;
  bool visible_ = false;
};

class DesktopSurface : public QWidget {
  Q_OBJECT

 public:
  static constexpr int ScreenWidth = 176;
  static constexpr int ScreenHeight = 220;

  explicit DesktopSurface(QWidget* parent = nullptr);

  // Changing the background wipes every outline, whatever the colour.
  void setBackColor(const QColor& colour);
  QColor backColor() const { return backColor_; }

  // The picture sits at (0,0) at its own size, clipped to the screen.
  void setPicture(const QPixmap& picture);
  void clearPicture();
  QPixmap picture() const { return picture_; }
  bool hasPicture() const { return !picture_.isNull(); }

  // An unfilled rectangle from (x1,y1) to (x2,y2), both corners included;
  // corners in the wrong order are swapped. Drawing an outline that is
  // already there only brings it to the top, so repeated rebuilds do not
  // pile up copies.
  void drawOutline(int x1, int y1, int x2, int y2, const QColor& colour);
  void clearOutlines();
  const std::vector<Outline>& outlines() const { return outlines_; }

  // Gives one of the surface's images a picture and, like an image control
  // without stretching, the picture's size. An empty picture blanks the
  // image and keeps its size.
  static void showImage(QLabel* image, const QPixmap& picture);

  // The standby image shown until a wallpaper replaces it.
  static QPixmap standbyImage();

  QLabel* lblOperatore;
  QLabel* lblData;
  QLabel* lblOra;
  QLabel* PicTime;
  std::array<QLabel*, 3> Img;
  HandLine* LineOra;
  HandLine* LineMin;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void childEvent(QChildEvent* event) override;

 private:
  QColor backColor_ = Qt::white;
  QPixmap picture_;
  std::vector<Outline> outlines_;
  QWidget* handLayer_ = nullptr;
};

}  // namespace corvela
