#pragma once
// The tool bar under the menu: "Apri...", "Salva", "Termina", "Annulla" and
// "Ripeti", each found by its key ("LOAD", "SAVE", "CLOSE", "UNDO", "REDO").

#include <QString>

class QAction;
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

}  // namespace corvela
