#include "tab_pages.h"

#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "colours_page.h"
#include "colours_tab.h"
#include "info_page.h"
#include "lists_pages.h"
#include "lists_tabs.h"
#include "objects_page.h"
#include "objects_tab.h"
#include "preview_tab.h"
#include "report_view.h"
#include "skin_document.h"
#include "tree_view.h"
#include "window_tabs.h"

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

TabPages::TabPages(QTabWidget& tabs, SkinDocument& doc, WindowServices& window)
    : QObject(&tabs), tabs_(tabs), doc_(doc), window_(window) {
  preview = new PreviewTab;
  objects = new ObjectsPage(doc);
  colours = new ColoursPage(doc);
  tabs.addTab(scrolling(preview), QStringLiteral("Preview skin"));
  tabs.addTab(objects, QStringLiteral("Oggetti grafici"));
  tabs.addTab(colours, QStringLiteral("Colori"));
  objectsTab = new ObjectsTab(*objects, window);
  coloursTab = new ColoursTab(*colours, window);
  for (const QString& caption :
       {QStringLiteral("Posizione e dimesione oggetti"), QStringLiteral("Struttura"),
        QStringLiteral("Opzioni / Informazioni")}) {
    auto* holder = new QWidget;
    (new QVBoxLayout(holder))->setContentsMargins(0, 0, 0, 0);
    tabs.addTab(holder, caption);
  }
}

void TabPages::showObject(int row) {
  ReportView* list = objects->L_Values;
  tabs_.setCurrentIndex(WindowTab::TabObjects);
  list->selectListRow(row);
  list->scrollTo(list->viewIndex(row));
  objectsTab->L_Values_ItemClick(row);
}

void TabPages::showRectangle(int row) {
  tabs_.setCurrentIndex(WindowTab::TabRects);
  ReportView* list = rectsPage()->L_Dim;
  list->selectListRow(row);
  list->scrollTo(list->viewIndex(row));
  rectsTab()->L_Dim_ItemClick(row);
}

void TabPages::showRecord(ProblemPlace place, int row) {
  switch (place) {
    case ProblemPlace::Objects:
      showObject(row);
      break;
    case ProblemPlace::Colours:
      tabs_.setCurrentIndex(WindowTab::TabColours);
      colours->L_RGBA->selectListRow(row);
      colours->L_RGBA->scrollTo(colours->L_RGBA->viewIndex(row));
      coloursTab->L_RGBA_ItemClick(row);
      break;
    case ProblemPlace::Rects:
      showRectangle(row);
      break;
    case ProblemPlace::Tree:
      tabs_.setCurrentIndex(WindowTab::TabStructure);
      structurePage()->T_Strutt->selectNode(row);
      structureTab()->T_Strutt_NodeClick(row);
      break;
    case ProblemPlace::None:
      break;
  }
}

void TabPages::hold(int tab, QWidget* page) {
  tabs_.widget(tab)->layout()->addWidget(page);
  page->show();
}

void TabPages::build(int tab) {
  if (tab == WindowTab::TabRects) rectsPage();
  if (tab == WindowTab::TabStructure) structurePage();
  if (tab == WindowTab::TabInfo) infoPage();
}

RectsPage* TabPages::rectsPage() {
  if (!rectsPage_) {
    rectsPage_ = new RectsPage(doc_);
    hold(WindowTab::TabRects, rectsPage_);
    rectsTab_ = new RectsTab(*rectsPage_, window_);
  }
  return rectsPage_;
}

RectsTab* TabPages::rectsTab() {
  rectsPage();
  return rectsTab_;
}

StructurePage* TabPages::structurePage() {
  if (!structurePage_) {
    structurePage_ = new StructurePage(doc_);
    hold(WindowTab::TabStructure, structurePage_);
    structureTab_ = new StructureTab(*structurePage_, window_);
    // As it would have shown the skin read before it was built.
    if (doc_.T_Strutt.nodeCount() > 0) structureTab_->skinOpened();
  }
  return structurePage_;
}

StructureTab* TabPages::structureTab() {
  structurePage();
  return structureTab_;
}

InfoPage* TabPages::infoPage() {
  if (!infoPage_) {
    infoPage_ = new InfoPage;
    hold(WindowTab::TabInfo, scrolling(infoPage_));
  }
  return infoPage_;
}

void TabPages::treeLoaded() {
  if (structureTab_) structureTab_->skinOpened();
}

void TabPages::listsLoaded() {
  if (rectsTab_) rectsTab_->skinOpened();
}

void TabPages::skinClosing() {
  if (rectsTab_) rectsTab_->skinClosing();
}

void TabPages::setAllEnabled(bool enabled) {
  const int shown = tabs_.currentIndex();
  for (int i = tabs_.count() - 1; i >= 0; --i) {
    if (i != shown) tabs_.setTabEnabled(i, enabled);
  }
  if (shown >= 0) tabs_.setTabEnabled(shown, enabled);
}

}  // namespace corvela
