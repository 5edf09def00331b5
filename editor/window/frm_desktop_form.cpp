// The window's frame: the tool bar, the status bar and the tabs, each tab a
// page that builds its own controls, and what keeps them in place. The
// opening, saving and closing of a skin live in frm_desktop.cpp.
#include <ferzola/LineSeparator.h>
#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "colours_page.h"
#include "colours_tab.h"
#include "compare_panel.h"
#include "folder_watch.h"
#include "frm_desktop.h"
#include "layout_controller.h"
#include "lists_pages.h"
#include "tab_pages.h"
#include "lists_tabs.h"
#include "main_menu.h"
#include "objects_page.h"
#include "objects_tab.h"
#include "preview_controller.h"
#include "preview_tab.h"
#include "problems_panel.h"
#include "program_settings.h"
#include "report_view.h"
#include "shown_text.h"
#include "status_fields.h"
#include "tool_bar.h"
#include "tree_view.h"

namespace corvela {

namespace {

const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kPanelsKey = QStringLiteral("window/panels");
const QString kSplitterKey = QStringLiteral("window/previewSplitter");
// Raised when the panels change so much that an old arrangement would
// mislead; Qt then leaves them as built.
constexpr int kPanelsVersion = 1;

}  // namespace

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
  problemsPanel = new ProblemsPanel(doc, *status_->problems, this);
  addDockWidget(Qt::BottomDockWidgetArea, problemsPanel);
  problemsPanel->hide();
  QAction* toggle = problemsPanel->toggleViewAction();
  toggle->setText(QStringLiteral("&Problemi"));
  toggle->setObjectName(QStringLiteral("mnuProblemi"));
  menu->viewMenu->insertAction(menu->actRefresh, toggle);
  connect(problemsPanel, &ProblemsPanel::picked, this, &frmDesktop::showRecord);

  comparePanel = new ComparePanel(
      doc, *tabPreview->PicDesktop, [this] { return tabPreview->optTime[1]->isChecked(); }, this);
  addDockWidget(Qt::RightDockWidgetArea, comparePanel);
  comparePanel->hide();
  QAction* compare = comparePanel->toggleViewAction();
  compare->setText(QStringLiteral("C&onfronta con l'originale"));
  compare->setObjectName(QStringLiteral("mnuConfronta"));
  menu->viewMenu->insertAction(menu->actRefresh, compare);
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
  objectsPage = pages->objects;
  coloursPage = pages->colours;
  objectsTab = pages->objectsTab;
  coloursTab = pages->coloursTab;

  // The separator sits on the window itself, under the tool bar; the client
  // area leaves room for it.
  LineSeparator1 = new ferzola::LineSeparator(this);
  LineSeparator1->setObjectName(QStringLiteral("LineSeparator1"));
  LineSeparator1->setTwipsGeometry(0, 360, 9435, 45);
  LineSeparator1->show();
  layout->setContentsMargins(4, LineSeparator1->height() + 4, 4, 2);
}

// ---- the frame's parts ------------------------------------------------------

// Fits a 1366 x 768 screen with its title bar and a task bar; a smaller
// screen (or a large scale factor) gets a window no larger than itself and
// the tabs scroll. The offscreen platform's screen is a stand-in and is not
// a reason to shrink.
QSize frmDesktop::initialSize() const {
  QSize size(1280, 680);
  if (screen() && QGuiApplication::platformName() != QLatin1StringView("offscreen")) {
    size = size.boundedTo(screen()->availableGeometry().size() - QSize(0, 40));
  }
  return size;
}

void frmDesktop::restoreLayout() {
  const QSettings settings = programSettings();
  // Every panel is found by its objectName, whichever feature built it.
  restoreGeometry(settings.value(kGeometryKey).toByteArray());
  restoreState(settings.value(kPanelsKey).toByteArray(), kPanelsVersion);
  tabPreview->splPreview->restoreState(settings.value(kSplitterKey).toByteArray());
}

void frmDesktop::saveLayout() const {
  QSettings settings = programSettings();
  settings.setValue(kGeometryKey, saveGeometry());
  settings.setValue(kPanelsKey, saveState(kPanelsVersion));
  settings.setValue(kSplitterKey, tabPreview->splPreview->saveState());
}

void frmDesktop::connectHandlers() {
  connect(TB0, &QToolBar::actionTriggered, this, &frmDesktop::TB0_ButtonClick);
  connect(SSTab1, &QTabWidget::currentChanged, this, &frmDesktop::SSTab1_Click);
  connect(folderWatch, &FolderWatch::changedOutside, this, &frmDesktop::takeOutsideChanges);
  connect(folderWatch, &FolderWatch::beingWritten, this, [this](const QStringList& files) {
    setStatusText(QStringLiteral("File in scrittura da un altro programma, presi quando saranno "
                                 "completi: %1")
                      .arg(files.join(QStringLiteral(", "))));
  });
}

QLineEdit* frmDesktop::txt(int index) const {
  return layout->txt(index);
}

StandbyRefs& frmDesktop::refs() {
  return preview->refs();
}

void frmDesktop::setDialogs(std::unique_ptr<Dialogs> dialogs) {
  if (dialogs) dialogs_ = std::move(dialogs);
}

QAbstractButton* frmDesktop::exportAllButton() {
  return objectsPage->cmdExportAll;
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

// Keeps the separator right under the tool bar and across the whole window.
void frmDesktop::placeSeparator() {
  if (!LineSeparator1) return;
  const int topPixels = TB0->isVisibleTo(this) ? TB0->geometry().bottom() + 1 : 0;
  const int top = std::max(0, qRound(topPixels * LineSeparator1->twipsPerPixelY()));
  const int width = qRound(this->width() * LineSeparator1->twipsPerPixelX());
  LineSeparator1->setTwipsGeometry(0, top, width, 45);
  LineSeparator1->raise();
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
