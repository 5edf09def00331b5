// The window's form: every control created, named, captioned and placed.
// Behaviour lives in frm_desktop.cpp; this file only builds.
#include <ferzola/LineSeparator.h>
#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "colours_page.h"
#include "file_list_box.h"
#include "form_helpers.h"
#include "frm_desktop.h"
#include "gif_page_view.h"
#include "icon_pictures.h"
#include "info_page.h"
#include "lists_pages.h"
#include "objects_page.h"
#include "picture_box.h"
#include "preview_tab.h"
#include "report_view.h"

namespace corvela {

namespace {

// Wraps a tab's page so that a small screen scrolls it instead of crushing it.
QWidget* scrolling(QWidget* page) {
  auto* area = new QScrollArea;
  area->setWidget(page);
  area->setWidgetResizable(true);
  area->setFrameShape(QFrame::NoFrame);
  return area;
}

}  // namespace

using form::button;
using form::checkBox;
using form::frame;
using form::named;

void frmDesktop::buildToolBar() {
  TB0 = new QToolBar(QStringLiteral("TB0"), this);
  TB0->setObjectName(QStringLiteral("TB0"));
  TB0->setMovable(false);
  TB0->setFloatable(false);
  TB0->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  TB0->setIconSize(QSize(20, 20));
  TB0->setContextMenuPolicy(Qt::PreventContextMenu);
  addToolBar(Qt::TopToolBarArea, TB0);

  const auto add = [this](const QString& caption, const char* key, const QString& tip,
                          int picture) {
    QAction* a = TB0->addAction(iconButtonPicture(picture), caption);
    a->setObjectName(QLatin1StringView(key));
    a->setData(QLatin1StringView(key));
    // The caption is shown whole, dots included.
    a->setIconText(caption);
    a->setToolTip(tip);
    if (QWidget* w = TB0->widgetForAction(a)) w->setObjectName(QLatin1StringView(key));
    return a;
  };
  btnLoad = add(QStringLiteral("Apri..."), "LOAD", QStringLiteral("Apri un file *.ski..."), 1);
  TB0->addSeparator();
  btnSave = add(QStringLiteral("Salva"), "SAVE", QStringLiteral("Salva le modifiche..."), 5);
  TB0->addSeparator();
  btnClose = add(QStringLiteral("Termina"), "CLOSE", QStringLiteral("Esci da Corvela"), 6);
  TB0->addSeparator();
  btnUndo = add(QStringLiteral("Annulla"), "UNDO", QStringLiteral("Annulla"), 7);
  btnRedo = add(QStringLiteral("Ripeti"), "REDO", QStringLiteral("Ripeti"), 8);
  // Nothing is open yet, so there is nothing to save.
  btnSave->setEnabled(false);
}

void frmDesktop::buildTabs() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("frmDesktopClient"));
  auto* layout = new QVBoxLayout(central);
  SSTab1 = new QTabWidget(central);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  SSTab1->setUsesScrollButtons(true);
  layout->addWidget(SSTab1);
  setCentralWidget(central);

  tabPreview = new PreviewTab;
  SSTab1->addTab(scrolling(tabPreview), QStringLiteral("Preview skin"));
  objectsPage = new ObjectsPage(doc);
  SSTab1->addTab(objectsPage, QStringLiteral("Oggetti grafici"));
  coloursPage = new ColoursPage(doc);
  SSTab1->addTab(coloursPage, QStringLiteral("Colori"));
  rectsPage = new RectsPage(doc);
  structurePage = new StructurePage(doc);
  SSTab1->addTab(rectsPage, QStringLiteral("Posizione e dimesione oggetti"));
  SSTab1->addTab(structurePage, QStringLiteral("Struttura"));
  infoPage = new InfoPage;
  SSTab1->addTab(scrolling(infoPage), QStringLiteral("Opzioni / Informazioni"));

  // The separator sits on the window itself, under the tool bar; the client
  // area leaves room for it.
  LineSeparator1 = new ferzola::LineSeparator(this);
  LineSeparator1->setObjectName(QStringLiteral("LineSeparator1"));
  LineSeparator1->setTwipsGeometry(0, 360, 9435, 45);
  LineSeparator1->show();
  layout->setContentsMargins(4, LineSeparator1->height() + 4, 4, 2);
}

}  // namespace corvela
