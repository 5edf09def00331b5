// The window's frame: the tool bar, the status bar and the tabs, each tab a
// page that builds its own controls, and what keeps them in place. The
// opening, saving and closing of a skin live in frm_desktop.cpp.
#include <ferzola/LineSeparator.h>
#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "compare_panel.h"
#include "folder_watch.h"
#include "frm_desktop.h"
#include "layout_controller.h"
#include "main_menu.h"
#include "objects_page.h"
#include "preview_controller.h"
#include "preview_tab.h"
#include "problems_panel.h"
#include "shown_text.h"
#include "standby_records.h"
#include "status_fields.h"
#include "tab_pages.h"
#include "tool_bar.h"
#include "window_layout.h"
#include "window_panels.h"

namespace corvela {

void frmDesktop::buildBars() {
  const ToolBarButtons buttons = buildToolBar(*this);
  TB0 = buttons.bar;
  btnLoad = buttons.load;
  btnSave = buttons.save;
  btnClose = buttons.close;
  btnUndo = buttons.undo;
  btnRedo = buttons.redo;
  // Its height decides where the separator under it goes.
  TB0->installEventFilter(this);
  status_ = std::make_unique<StatusFields>(*this);
  SB0 = status_->bar;
}

void frmDesktop::buildProblemsPanel() {
  const WindowPanels panels = addWindowPanels(
      *this, doc, *status_->problems, *menu->viewMenu, menu->actRefresh, *tabPreview->PicDesktop,
      [this] { return tabPreview->optTime[1]->isChecked(); });
  problemsPanel = panels.problems;
  comparePanel = panels.compare;
  connect(problemsPanel, &ProblemsPanel::picked, this, &frmDesktop::showRecord);
  // "Aggiorna" looks at the files again, problems included.
  connect(menu->actRefresh, &QAction::triggered, problemsPanel, &ProblemsPanel::recheckSoon);
  connect(comparePanel, &ComparePanel::picked, this, &frmDesktop::showRecord);
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

  pages = new TabPages(*SSTab1, doc, *this);
  tabPreview = pages->preview;

  // The separator sits on the window itself, under the tool bar; the client
  // area leaves room for it.
  LineSeparator1 = new ferzola::LineSeparator(this);
  LineSeparator1->setObjectName(QStringLiteral("LineSeparator1"));
  LineSeparator1->setTwipsGeometry(0, 360, 9435, 45);
  LineSeparator1->show();
  layout->setContentsMargins(4, LineSeparator1->height() + 4, 4, 2);
}

// ---- the frame's parts ------------------------------------------------------

void frmDesktop::restoreLayout() {
  restoreWindowLayout(*this, *tabPreview->splPreview);
}

void frmDesktop::connectHandlers() {
  connect(TB0, &QToolBar::actionTriggered, this, &frmDesktop::TB0_ButtonClick);
  connect(SSTab1, &QTabWidget::currentChanged, this, &frmDesktop::SSTab1_Click);
  connect(folderWatch, &FolderWatch::changedOutside, this, &frmDesktop::takeOutsideChanges);
  connect(folderWatch, &FolderWatch::archivesChanged, this, [this] {
    // Where a row has no file of its own, the preview shows its archive.
    UpdateDesktop();
    pages->archivesChanged();
    problemsPanel->recheckSoon();
    if (comparePanel->isVisible()) comparePanel->refresh();
  });
  connect(folderWatch, &FolderWatch::beingWritten, this, [this](const QStringList& files) {
    setStatusText(QStringLiteral("File in scrittura da un altro programma, presi quando saranno "
                                 "completi: %1")
                      .arg(files.join(QStringLiteral(", "))));
  });
}

QLineEdit* frmDesktop::txt(int index) const {
  // The colours tab's box is there once its tab is.
  if (index == standby::kSelectedTransparencyBox) pages->coloursPage();
  return layout->txt(index);
}

StandbyRefs& frmDesktop::refs() {
  return preview->refs();
}

QWidget* frmDesktop::objectsTabPage() {
  return SSTab1->widget(TabObjects);
}

void frmDesktop::exportAll() {
  objectsPage()->cmdExportAll->click();
}

void frmDesktop::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  placeSeparator();
}

void frmDesktop::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  placeSeparator();
}

bool frmDesktop::eventFilter(QObject* watched, QEvent* event) {
  if (watched == TB0 && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
    placeSeparator();
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmDesktop::placeSeparator() {
  if (LineSeparator1) placeUnderToolBar(*LineSeparator1, *TB0, *this);
}

void frmDesktop::showTitle() {
  if (doc.skinFile().isEmpty()) {
    setWindowTitle(title_);
    setWindowModified(false);
    return;
  }
  setWindowTitle(escapedText(QFileInfo(doc.skinFile()).fileName(), Escape::Message) +
                 QStringLiteral("[*] - ") + title_);
  setWindowModified(doc.isModified());
}

void frmDesktop::connectHistory() {
  DocumentHistory& history = doc.history();
  connect(&history, &QUndoStack::indexChanged, this, &frmDesktop::showHistoryState);
  connect(&history, &QUndoStack::cleanChanged, this, &frmDesktop::showTitle);
  showHistoryState();
}

void frmDesktop::showHistoryState() {
  const DocumentHistory& history = doc.history();
  const auto show = [](QAction* button, bool enabled, const QString& caption, const QString& step) {
    button->setEnabled(enabled);
    button->setToolTip(enabled ? caption + QStringLiteral(": ") + step : caption);
  };
  show(btnUndo, history.canUndo(), QStringLiteral("Annulla"), history.undoText());
  show(btnRedo, history.canRedo(), QStringLiteral("Ripeti"), history.redoText());
  showTitle();
}

}  // namespace corvela
