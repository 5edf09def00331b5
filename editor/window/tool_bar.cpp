#include "tool_bar.h"

#include <ferzola/LineSeparator.h>
#include <QAction>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

#include "icon_pictures.h"

namespace corvela {

ToolBarButtons buildToolBar(QMainWindow& window) {
  ToolBarButtons b;
  QToolBar* bar = b.bar = new QToolBar(QStringLiteral("TB0"), &window);
  bar->setObjectName(QStringLiteral("TB0"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  bar->setIconSize(QSize(20, 20));
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  window.addToolBar(Qt::TopToolBarArea, bar);

  const auto add = [bar](const QString& caption, const char* key, const QString& tip, int picture) {
    QAction* a = bar->addAction(iconButtonPicture(picture), caption);
    a->setObjectName(QLatin1StringView(key));
    a->setData(QLatin1StringView(key));
    // The caption is shown whole, dots included.
    a->setIconText(caption);
    a->setToolTip(tip);
    if (QWidget* w = bar->widgetForAction(a)) w->setObjectName(QLatin1StringView(key));
    return a;
  };
  b.load = add(QStringLiteral("Apri..."), "LOAD", QStringLiteral("Apri un file *.ski..."), 1);
  bar->addSeparator();
  b.save = add(QStringLiteral("Salva"), "SAVE", QStringLiteral("Salva le modifiche..."), 5);
  bar->addSeparator();
  b.close = add(QStringLiteral("Termina"), "CLOSE", QStringLiteral("Esci da Corvela"), 6);
  bar->addSeparator();
  b.undo = add(QStringLiteral("Annulla"), "UNDO", QStringLiteral("Annulla"), 7);
  b.redo = add(QStringLiteral("Ripeti"), "REDO", QStringLiteral("Ripeti"), 8);
  // Nothing is open yet, so there is nothing to save.
  b.save->setEnabled(false);
  return b;
}

QAction* toolBarAction(const QToolBar& bar, const QString& key) {
  for (QAction* a : bar.actions()) {
    if (a->data().toString() == key) return a;
  }
  return nullptr;
}

QToolButton* toolBarButton(const QToolBar& bar, const QString& key) {
  QAction* a = toolBarAction(bar, key);
  return a ? qobject_cast<QToolButton*>(bar.widgetForAction(a)) : nullptr;
}

void placeUnderToolBar(ferzola::LineSeparator& separator, const QToolBar& bar,
                       const QWidget& window) {
  const int topPixels = bar.isVisibleTo(&window) ? bar.geometry().bottom() + 1 : 0;
  const int top = std::max(0, qRound(topPixels * separator.twipsPerPixelY()));
  const int width = qRound(window.width() * separator.twipsPerPixelX());
  separator.setTwipsGeometry(0, top, width, 45);
  separator.raise();
}

}  // namespace corvela
