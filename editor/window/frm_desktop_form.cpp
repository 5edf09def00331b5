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
#include "icon_pictures.h"
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
  // Its height decides where the separator under it goes.
  TB0->installEventFilter(this);
}

void frmDesktop::buildStatusBar() {
  SB0 = new QStatusBar(this);
  SB0->setObjectName(QStringLiteral("SB0"));
  SB0->setSizeGripEnabled(true);
  // One text field that every feature overwrites; a permanent label, so
  // that no hover or tool tip can wipe it.
  statusField_ = new QLabel(SB0);
  statusField_->setObjectName(QStringLiteral("SB0Text"));
  statusField_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // Messages name skins and files: a name is shown as it is, never as markup.
  statusField_->setTextFormat(Qt::PlainText);
  // A long message is cut at the window's edge instead of widening the window.
  statusField_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  statusField_->setMinimumWidth(1);
  SB0->addWidget(statusField_, 1);
  pointedField_ = new QLabel(SB0);
  pointedField_->setObjectName(QStringLiteral("SB0Record"));
  SB0->addPermanentWidget(pointedField_);
  coordinatesField_ = new QLabel(SB0);
  coordinatesField_->setObjectName(QStringLiteral("SB0Coordinates"));
  coordinatesField_->setMinimumWidth(
      coordinatesField_->fontMetrics().horizontalAdvance(QStringLiteral("-000, -000")));
  coordinatesField_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  problemsField_ = new QLabel(SB0);
  problemsField_->setObjectName(QStringLiteral("SB0Problems"));
  SB0->addPermanentWidget(problemsField_);
  SB0->addPermanentWidget(coordinatesField_);
  setStatusBar(SB0);
}

void frmDesktop::buildProblemsPanel() {
  problemsPanel = new ProblemsPanel(doc, *problemsField_, this);
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

QString frmDesktop::statusText() const {
  return statusField_->text();
}

void frmDesktop::setStatusText(const QString& text) {
  const QString shown = escapedText(text, Escape::Message);
  statusField_->setText(shown);
  statusField_->setAccessibleName(shown);
}

QString frmDesktop::coordinatesText() const {
  return coordinatesField_->text();
}

void frmDesktop::setCoordinatesText(const QString& text) {
  coordinatesField_->setText(text);
  coordinatesField_->setAccessibleName(text);
}

QString frmDesktop::pointedText() const {
  return pointedField_->text();
}

void frmDesktop::setPointedText(const QString& text) {
  pointedField_->setText(text);
  pointedField_->setAccessibleName(text);
}

QAbstractButton* frmDesktop::exportAllButton() {
  return objectsPage->cmdExportAll;
}

QAction* frmDesktop::toolButton(const QString& key) const {
  for (QAction* a : TB0->actions()) {
    if (a->data().toString() == key) return a;
  }
  return nullptr;
}

QToolButton* frmDesktop::toolButtonWidget(const QString& key) const {
  QAction* a = toolButton(key);
  return a ? qobject_cast<QToolButton*>(TB0->widgetForAction(a)) : nullptr;
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
