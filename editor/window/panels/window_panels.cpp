#include "window_panels.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

#include "compare_panel.h"
#include "problems_panel.h"

namespace corvela {

WindowPanels addWindowPanels(QMainWindow& window, SkinDocument& doc, QLabel& count, QMenu& view,
                             QAction* before, DesktopSurface& current,
                             std::function<bool()> analogue) {
  WindowPanels panels;
  panels.problems = new ProblemsPanel(doc, count, &window);
  window.addDockWidget(Qt::BottomDockWidgetArea, panels.problems);
  panels.problems->hide();
  QAction* toggle = panels.problems->toggleViewAction();
  toggle->setText(QStringLiteral("&Problemi"));
  toggle->setObjectName(QStringLiteral("mnuProblemi"));
  view.insertAction(before, toggle);

  panels.compare = new ComparePanel(doc, current, std::move(analogue), &window);
  window.addDockWidget(Qt::RightDockWidgetArea, panels.compare);
  panels.compare->hide();
  QAction* compare = panels.compare->toggleViewAction();
  compare->setText(QStringLiteral("C&onfronta con l'originale"));
  compare->setObjectName(QStringLiteral("mnuConfronta"));
  view.insertAction(before, compare);
  return panels;
}

}  // namespace corvela
