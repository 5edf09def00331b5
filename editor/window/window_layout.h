#pragma once
// The window's size and place, its panels and the preview's splitter, as the
// user left them in the last run.

#include <QSize>

class QMainWindow;
class QSplitter;
class QWidget;

namespace corvela {

// The size of a window never arranged by the user.
QSize initialWindowSize(const QWidget& window);
void restoreWindowLayout(QMainWindow& window, QSplitter& preview);
void saveWindowLayout(const QMainWindow& window, const QSplitter& preview);

}  // namespace corvela
