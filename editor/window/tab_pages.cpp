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
  // The page, resized to fill it, paints the whole of it.
  area->viewport()->setAutoFillBackground(false);
  return area;
}

}  // namespace

TabPages::TabPages(QTabWidget& tabs, SkinDocument& doc, WindowServices& window)
    : QObject(&tabs), tabs_(tabs), doc_(doc), window_(window) {
  const auto holder = [] {
    auto* page = new QWidget;
    (new QVBoxLayout(page))->setContentsMargins(0, 0, 0, 0);
    return page;
  };
  preview = new PreviewTab;
  tabs.addTab(scrolling(preview), QStringLiteral("Preview skin"));
  for (const QString& caption :
       {QStringLiteral("Oggetti grafici"), QStringLiteral("Colori"),
        QStringLiteral("Posizione e dimesione oggetti"), QStringLiteral("Struttura"),
        QStringLiteral("Opzioni / Informazioni")})
    tabs.addTab(holder(), caption);
}

template <class Page, class Controller>
bool TabPages::buildOnce(int tab, Page*& page, Controller*& controller) {
  if (page) return false;
  page = new Page(doc_);
  hold(tab, page);
  controller = new Controller(*page, window_);
  return true;
}

ObjectsPage* TabPages::objectsPage() {
  if (buildOnce(WindowTab::TabObjects, objectsPage_, objectsTab_)) {
    objectsPage_->reset();
    if (listsLoaded_) objectsTab_->skinOpened();
  }
  return objectsPage_;
}

ObjectsTab* TabPages::objectsTab() {
  objectsPage();
  return objectsTab_;
}

ColoursPage* TabPages::coloursPage() {
  if (buildOnce(WindowTab::TabColours, coloursPage_, coloursTab_)) {
    if (coloursBuilt) coloursBuilt(*coloursPage_);
    if (listsLoaded_) coloursTab_->skinOpened();
  }
  return coloursPage_;
}

ColoursTab* TabPages::coloursTab() {
  coloursPage();
  return coloursTab_;
}

void TabPages::reset() {
  listsLoaded_ = false;
  if (objectsPage_) objectsPage_->reset();
}

void TabPages::archivesChanged() {
  if (objectsTab_) objectsTab_->archivesChanged();
}

void TabPages::showPickedObjectAgain() {
  if (objectsTab_) objectsTab_->showPicked();
}

void TabPages::pickRow(int tab, ReportView& list, int row) {
  tabs_.setCurrentIndex(tab);
  list.revealListRow(row);
  list.scrollTo(list.viewIndex(row));
}

void TabPages::showObject(int row) {
  pickRow(WindowTab::TabObjects, *objectsPage()->L_Values, row);
  objectsTab_->L_Values_ItemClick(row);
}

void TabPages::showRectangle(int row) {
  pickRow(WindowTab::TabRects, *rectsPage()->L_Dim, row);
  rectsTab_->L_Dim_ItemClick(row);
}

void TabPages::showRecord(ProblemPlace place, int row) {
  switch (place) {
    case ProblemPlace::Objects:
      showObject(row);
      break;
    case ProblemPlace::Colours:
      pickRow(WindowTab::TabColours, *coloursPage()->L_RGBA, row);
      coloursTab_->L_RGBA_ItemClick(row);
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
  if (tab == WindowTab::TabObjects) objectsPage();
  if (tab == WindowTab::TabColours) coloursPage();
  if (tab == WindowTab::TabRects) rectsPage();
  if (tab == WindowTab::TabStructure) structurePage();
  if (tab == WindowTab::TabInfo) infoPage();
}

RectsPage* TabPages::rectsPage() {
  buildOnce(WindowTab::TabRects, rectsPage_, rectsTab_);
  return rectsPage_;
}

RectsTab* TabPages::rectsTab() {
  rectsPage();
  return rectsTab_;
}

StructurePage* TabPages::structurePage() {
  // As it would have shown the skin read before it was built.
  if (buildOnce(WindowTab::TabStructure, structurePage_, structureTab_) &&
      doc_.T_Strutt.nodeCount() > 0)
    structureTab_->skinOpened();
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
  listsLoaded_ = true;
  if (objectsTab_) objectsTab_->skinOpened();
  if (coloursTab_) coloursTab_->skinOpened();
  if (rectsTab_) rectsTab_->skinOpened();
}

void TabPages::skinClosing() {
  listsLoaded_ = false;
  if (objectsTab_) objectsTab_->skinClosing();
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
