#pragma once

// The simulated standby screen of the phone: it shows a scene (what the
// rebuild computed) through the one standby painter, at a zoom of 1 to 8
// with every skin pixel a crisp square. Skin coordinates never change with
// the zoom: (0,0) is the top-left corner, y grows downwards.
//
// The texts and images of the screen are child widgets too, so screen
// readers and tests find them by name, but they paint nothing of their own:
// the painter draws the whole screen, so the window and the headless render
// agree pixel for pixel.

#include <QImage>
#include <QLabel>
#include <QPoint>
#include <QWidget>
#include <array>
#include <optional>

#include "standby_painter.h"
#include "standby_scene.h"

namespace corvela {

class DesktopSurface : public QWidget {
  Q_OBJECT

 public:
  static constexpr int ScreenWidth = StandbyScene::ScreenWidth;
  static constexpr int ScreenHeight = StandbyScene::ScreenHeight;
  static constexpr int MaxZoom = 8;
  // The pixel grid shows from this zoom on, when it is switched on.
  static constexpr int GridZoom = 4;

  explicit DesktopSurface(QWidget* parent = nullptr);

  void showScene(const StandbyScene& scene);
  const StandbyScene& scene() const { return scene_; }

  // 1 to 8; the widget takes the zoomed size.
  void setZoom(int factor);
  int zoom() const { return zoom_; }

  // The aids to the eye drawn over the screen (not by a plain render).
  void setPaintOptions(const PaintOptions& options);
  const PaintOptions& paintOptions() const { return options_; }

  // The record under the pointer, tinted over the screen (a rectangle in
  // skin pixels); not part of frame(), which is what the phone shows.
  void setHighlight(const std::optional<QRect>& area);
  const std::optional<QRect>& highlight() const { return highlight_; }

  // The screen as shown, at its true size.
  const QImage& frame() const;

  // The skin pixel under a point of the widget.
  QPoint screenPixel(QPoint widgetPoint) const;

  QLabel* lblOperatore;
  QLabel* lblData;
  QLabel* lblOra;
  QLabel* PicTime;
  std::array<QLabel*, 3> Img;

 signals:
  // The mouse over the screen, in skin pixels.
  void hovered(QPoint pixel);
  void left();
  void pressed(QPoint pixel, Qt::KeyboardModifiers modifiers);
  void dragged(QPoint pixel, Qt::KeyboardModifiers modifiers);
  void released(QPoint pixel);
  void doubleClicked(QPoint pixel);
  // Ctrl and the wheel: zoom by `steps` around the widget point `at`.
  void zoomWheeled(int steps, QPoint at);
  // A new scene is shown (not a new zoom or highlight).
  void sceneShown();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void placeChildren();

  StandbyScene scene_;
  // Drawn when first needed: a scene replaced before it is painted (the
  // empty one at start-up, for one) costs nothing.
  mutable QImage frame_;
  mutable bool frameStale_ = true;
  int zoom_ = 1;
  PaintOptions options_;
  std::optional<QRect> highlight_;
  int wheelAngle_ = 0;  // eighths of a degree not yet turned into a step
};

}  // namespace corvela
