#pragma once
// The status bar: one text field that every feature overwrites, and at its
// right the record and the screen pixel under the mouse and the count of
// problems. Each is a permanent label, so that no hover or tool tip can
// wipe it, and each names itself to screen readers by what it shows.

#include <QString>

class QLabel;
class QMainWindow;
class QStatusBar;

namespace corvela {

class StatusFields {
 public:
  explicit StatusFields(QMainWindow& window);

  QStatusBar* bar = nullptr;
  // Kept by the problems panel, which counts them there.
  QLabel* problems = nullptr;

  QString text() const;
  void setText(const QString& text);
  QString coordinates() const;
  void setCoordinates(const QString& text);
  QString pointed() const;
  void setPointed(const QString& text);

 private:
  QLabel* text_ = nullptr;
  QLabel* coordinates_ = nullptr;
  QLabel* pointed_ = nullptr;
};

}  // namespace corvela
