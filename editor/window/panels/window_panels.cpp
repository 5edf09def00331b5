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
  // Hidden until asked for, each from its own item of "Visualizza".
  const auto dock = [&](QDockWidget* panel, Qt::DockWidgetArea area, const QString& item,
                        const QString& name) {
    window.addDockWidget(area, panel);
    panel->hide();
    QAction* toggle = panel->toggleViewAction();
    toggle->setText(item);
    toggle->setObjectName(name);
    view.insertAction(before, toggle);
  };
  WindowPanels panels;
  panels.problems = new ProblemsPanel(doc, count, &window);
  dock(panels.problems, Qt::BottomDockWidgetArea, QStringLiteral("&Problemi"),
       QStringLiteral("mnuProblemi"));
  panels.compare = new ComparePanel(doc, current, std::move(analogue), &window);
  dock(panels.compare, Qt::RightDockWidgetArea, QStringLiteral("C&onfronta con l'originale"),
       QStringLiteral("mnuConfronta"));
  return panels;
}

}  // namespace corvela
