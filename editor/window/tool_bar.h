#pragma once
// The tool bar under the menu: "Apri...", "Salva", "Termina", "Annulla" and
// "Ripeti", each found by its key ("LOAD", "SAVE", "CLOSE", "UNDO", "REDO").

#include <QString>

namespace ferzola {
class LineSeparator;
}

class QAction;
class QWidget;
class QMainWindow;
class QToolBar;
class QToolButton;

namespace corvela {

struct ToolBarButtons {
  QToolBar* bar = nullptr;
  QAction* load = nullptr;
  QAction* save = nullptr;
  QAction* close = nullptr;
  QAction* undo = nullptr;
  QAction* redo = nullptr;
};

ToolBarButtons buildToolBar(QMainWindow& window);
// The button with `key`, or nullptr.
QAction* toolBarAction(const QToolBar& bar, const QString& key);
QToolButton* toolBarButton(const QToolBar& bar, const QString& key);
// Keeps `separator` right under the tool bar and across the whole window.
void placeUnderToolBar(ferzola::LineSeparator& separator, const QToolBar& bar,
                       const QWidget& window);

}  // namespace corvela
