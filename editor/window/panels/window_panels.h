#pragma once
// The dock panels "Visualizza" shows and hides: "Problemi" and "Confronta
// con l'originale", hidden until asked for.

#include <functional>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;

namespace corvela {

class ComparePanel;
class DesktopSurface;
class ProblemsPanel;
class SkinDocument;

struct WindowPanels {
  ProblemsPanel* problems = nullptr;
  ComparePanel* compare = nullptr;
};

// Both panels docked in `window`, their items in `view` before `before`;
// `count` is the status bar's field for the number of problems, `current`
// the preview the comparison mirrors.
WindowPanels addWindowPanels(QMainWindow& window, SkinDocument& doc, QLabel& count, QMenu& view,
                             QAction* before, DesktopSurface& current,
                             std::function<bool()> analogue);

}  // namespace corvela
