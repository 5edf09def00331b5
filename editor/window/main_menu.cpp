#include "main_menu.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QUndoView>
#include <QUrl>
#include <algorithm>

#include "desktop_surface.h"
#include "dialogs.h"
#include "document_names.h"
#include "preview_tab.h"
#include "program_settings.h"
#include "skin_document.h"
#include "skin_share.h"
#include "window_title.h"

namespace corvela {

namespace {

const QString kRecentKey = QStringLiteral("recentSkins");

// The first local .ski file or shared .zip among dropped URLs, or nothing.
QString droppedSkin(const QMimeData* mime) {
  if (!mime || !mime->hasUrls()) return {};
  for (const QUrl& url : mime->urls()) {
    if (!url.isLocalFile()) continue;
    const QString file = url.toLocalFile();
    if (QFileInfo(file).suffix().compare(QLatin1StringView("ski"), Qt::CaseInsensitive) == 0 ||
        isZipName(file))
      return file;
  }
  return {};
}

}  // namespace

MainMenu::MainMenu(MenuHost& window)
    : QObject(&window.frame()), window_(window), frame_(&window.frame()) {
  QMenuBar* bar = window.frame().menuBar();
  bar->setObjectName(QStringLiteral("MenuBar"));

  fileMenu = bar->addMenu(QStringLiteral("&File"));
  actOpen = addAction(fileMenu, QStringLiteral("&Apri..."), QStringLiteral("mnuOpen"));
  actOpen->setShortcut(QKeySequence::Open);
  connect(actOpen, &QAction::triggered, this, [this] { window_.OpenSkin(); });
  recentMenu = fileMenu->addMenu(QStringLiteral("Apri &recenti"));
  recentMenu->setObjectName(QStringLiteral("mnuRecent"));
  actSave = addAction(fileMenu, QStringLiteral("&Salva"), QStringLiteral("mnuSave"));
  actSave->setShortcut(QKeySequence::Save);
  mirror(actSave, window.toolButton(QStringLiteral("SAVE")));
  connect(actSave, &QAction::triggered, this,
          [this] { window_.TB0_ButtonClick(window_.toolButton(QStringLiteral("SAVE"))); });
  actSaveAs =
      addAction(fileMenu, QStringLiteral("Salva con &nome..."), QStringLiteral("mnuSaveAs"));
  actSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  actSaveAs->setEnabled(false);  // until a skin that may be saved is open
  connect(actSaveAs, &QAction::triggered, this, [this] { window_.SalvaConNome(); });
  actExportPhone = addAction(fileMenu, QStringLiteral("&Esporta per il telefono..."),
                             QStringLiteral("mnuExportPhone"));
  // What goes to the phone is what a save would write, so it is there when
  // a save is.
  mirror(actExportPhone, window.toolButton(QStringLiteral("SAVE")));
  connect(actExportPhone, &QAction::triggered, this, &MainMenu::exportForPhone);
  fileMenu->addSeparator();
  actQuit = addAction(fileMenu, QStringLiteral("&Termina"), QStringLiteral("mnuQuit"));
  actQuit->setShortcut(QKeySequence::Quit);
  mirror(actQuit, window.toolButton(QStringLiteral("CLOSE")));
  connect(actQuit, &QAction::triggered, this,
          [this] { window_.TB0_ButtonClick(window_.toolButton(QStringLiteral("CLOSE"))); });

  editMenu = bar->addMenu(QStringLiteral("&Modifica"));
  actUndo = addAction(editMenu, QStringLiteral("&Annulla"), QStringLiteral("mnuUndo"));
  actUndo->setShortcut(QKeySequence::Undo);
  mirror(actUndo, window.toolButton(QStringLiteral("UNDO")));
  connect(actUndo, &QAction::triggered, this,
          [this] { window_.TB0_ButtonClick(window_.toolButton(QStringLiteral("UNDO"))); });
  actRedo = addAction(editMenu, QStringLiteral("&Ripeti"), QStringLiteral("mnuRedo"));
  // Ctrl+Y as well as the platform's own redo key.
  QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
  for (const QKeySequence& extra :
       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
    if (!redoKeys.contains(extra)) redoKeys << extra;
  }
  actRedo->setShortcuts(redoKeys);
  mirror(actRedo, window.toolButton(QStringLiteral("REDO")));
  connect(actRedo, &QAction::triggered, this,
          [this] { window_.TB0_ButtonClick(window_.toolButton(QStringLiteral("REDO"))); });
  editMenu->addSeparator();
  actExportAll =
      addAction(editMenu, QStringLiteral("&Esporta tutto"), QStringLiteral("mnuExportAll"));
  mirror(actExportAll, window.objectsTabPage());
  connect(actExportAll, &QAction::triggered, this, [this] { window_.exportAll(); });

  viewMenu = bar->addMenu(QStringLiteral("&Visualizza"));
  actZoomIn = addAction(viewMenu, QStringLiteral("&Ingrandisci"), QStringLiteral("mnuZoomIn"));
  actZoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  connect(actZoomIn, &QAction::triggered, this, [this] { zoomBy(1); });
  actZoomOut = addAction(viewMenu, QStringLiteral("&Riduci"), QStringLiteral("mnuZoomOut"));
  actZoomOut->setShortcut(QKeySequence::ZoomOut);
  connect(actZoomOut, &QAction::triggered, this, [this] { zoomBy(-1); });
  actFit = addAction(viewMenu, QStringLiteral("&Adatta"), QStringLiteral("mnuFit"));
  actFit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  connect(actFit, &QAction::triggered, &window.previewTab(), &PreviewTab::fitZoom);
  viewMenu->addSeparator();
  const PaintOptions& aids = window.previewTab().PicDesktop->paintOptions();
  actGrid = addAction(viewMenu, QStringLiteral("&Griglia dei pixel"), QStringLiteral("mnuGrid"));
  actGrid->setCheckable(true);
  actGrid->setChecked(aids.grid);
  connect(actGrid, &QAction::toggled, this, &MainMenu::showAids);
  actCheckerboard = addAction(viewMenu, QStringLiteral("&Scacchiera sotto la trasparenza"),
                              QStringLiteral("mnuCheckerboard"));
  actCheckerboard->setCheckable(true);
  actCheckerboard->setChecked(aids.checkerboard);
  connect(actCheckerboard, &QAction::toggled, this, &MainMenu::showAids);
  viewMenu->addSeparator();
  actHistory = buildHistoryPanel()->toggleViewAction();
  actHistory->setText(QStringLiteral("&Cronologia delle modifiche"));
  actHistory->setObjectName(QStringLiteral("mnuHistory"));
  viewMenu->addAction(actHistory);
  actRefresh = addAction(viewMenu, QStringLiteral("A&ggiorna"), QStringLiteral("mnuRefresh"));
  actRefresh->setShortcut(QKeySequence::Refresh);
  mirror(actRefresh, window.previewTab().cmdUpdate);
  connect(actRefresh, &QAction::triggered, window.previewTab().cmdUpdate, &QPushButton::click);

  helpMenu = bar->addMenu(QStringLiteral("&Aiuto"));
  actAbout = addAction(helpMenu, QStringLiteral("&Informazioni"), QStringLiteral("mnuAbout"));
  connect(actAbout, &QAction::triggered, this, &MainMenu::showAbout);

  fillRecent();
  window.frame().setAcceptDrops(true);
  window.frame().installEventFilter(this);
}

QDockWidget* MainMenu::buildHistoryPanel() {
  auto* panel = new QDockWidget(QStringLiteral("Cronologia"), &window_.frame());
  panel->setObjectName(QStringLiteral("dockHistory"));
  auto* steps = new QUndoView(&window_.document().history(), panel);
  steps->setObjectName(QStringLiteral("lstHistory"));
  steps->setAccessibleName(QStringLiteral("lstHistory"));
  steps->setEmptyLabel(QStringLiteral("<skin come aperta>"));
  panel->setWidget(steps);
  window_.frame().addDockWidget(Qt::RightDockWidgetArea, panel);
  panel->hide();
  return panel;
}

QAction* MainMenu::addAction(QMenu* menu, const QString& text, const QString& name) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  // Shortcuts work wherever the focus is in the window, number boxes included.
  action->setShortcutContext(Qt::WindowShortcut);
  return action;
}

void MainMenu::mirror(QAction* action, QWidget* button) {
  action->setEnabled(button->isEnabled());
  mirrored_[button] = action;
  button->installEventFilter(this);
}

void MainMenu::mirror(QAction* action, QAction* button) {
  action->setEnabled(button->isEnabled());
  connect(button, &QAction::changed, action,
          [action, button] { action->setEnabled(button->isEnabled()); });
}

bool MainMenu::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    const auto it = mirrored_.find(watched);
    if (it != mirrored_.end()) it->second->setEnabled(static_cast<QWidget*>(watched)->isEnabled());
  } else if (watched == frame_ && event->type() == QEvent::DragEnter) {
    auto* drag = static_cast<QDragEnterEvent*>(event);
    if (openAllowed_ && !droppedSkin(drag->mimeData()).isEmpty()) drag->acceptProposedAction();
    return true;
  } else if (watched == frame_ && event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    const QString file = openAllowed_ ? droppedSkin(drop->mimeData()) : QString();
    if (file.isEmpty()) return false;
    drop->acceptProposedAction();
    window_.openAnotherSkin(QFileInfo(file).absoluteFilePath());
    return true;
  }
  return QObject::eventFilter(watched, event);
}

QStringList MainMenu::recentSkins() const {
  return programSettings().value(kRecentKey).toStringList();
}

void MainMenu::rememberSkin(const QString& file) {
  const QString path = QFileInfo(file).absoluteFilePath();
  QStringList list = recentSkins();
  list.removeAll(path);
  list.prepend(path);
  while (list.size() > MaxRecent) list.removeLast();
  programSettings().setValue(kRecentKey, list);
  fillRecent();
}

void MainMenu::fillRecent() {
  recentMenu->clear();
  const QStringList list = recentSkins();
  for (int i = 0; i < list.size(); ++i) {
    const QString& file = list[i];
    // "&1 /path/vodafone.ski": the number picks it from the keyboard.
    QAction* a = recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(file));
    a->setObjectName(QStringLiteral("mnuRecent%1").arg(i));
    connect(a, &QAction::triggered, this, [this, file] { openRecent(file); });
  }
  recentMenu->setEnabled(openAllowed_ && !list.isEmpty());
}

void MainMenu::setOpenAllowed(bool allowed) {
  openAllowed_ = allowed;
  actOpen->setEnabled(allowed);
  recentMenu->setEnabled(allowed && !recentMenu->isEmpty());
}

void MainMenu::openRecent(const QString& file) {
  if (!QFileInfo(file).isFile()) {
    window_.dialogs().error(QStringLiteral("File non trovato: %1").arg(file));
    QStringList list = recentSkins();
    list.removeAll(file);
    programSettings().setValue(kRecentKey, list);
    fillRecent();
    return;
  }
  window_.openAnotherSkin(file);
}

void MainMenu::exportForPhone() {
  if (!actExportPhone->isEnabled()) return;
  const std::optional<QString> dest = window_.dialogs().saveFile(
      QStringLiteral("Esporta per il telefono..."),
      toQtFilter(QStringLiteral("Skin condivisa (*.zip)|*.zip|Cartella|*")),
      // Beside the skin's folder, which the export leaves as it is.
      QFileInfo(window_.document().P_sPath).absoluteFilePath() + QStringLiteral(".zip"));
  if (!dest || dest->isEmpty()) return;
  const ShareOutcome exported = corvela::exportForPhone(window_.document(), *dest);
  window_.dialogs().report(exported.ok ? kTitleInfo : kTitleError, exported.message);
}

void MainMenu::zoomBy(int step) {
  QComboBox* zoom = window_.previewTab().cboZoom;
  zoom->setCurrentIndex(std::clamp(zoom->currentIndex() + step, 0, zoom->count() - 1));
}

void MainMenu::showAids() {
  DesktopSurface* screen = window_.previewTab().PicDesktop;
  PaintOptions aids = screen->paintOptions();
  aids.grid = actGrid->isChecked();
  aids.checkerboard = actCheckerboard->isChecked();
  screen->setPaintOptions(aids);
}

void MainMenu::showAbout() {
  const QString title =
      windowTitleFor(CORVELA_VERSION_MAJOR, CORVELA_VERSION_MINOR, CORVELA_VERSION_PATCH);
  window_.dialogs().message(QString(),
                            title + QStringLiteral("\nEditor della schermata di standby del v980."),
                            Dialogs::Icon::Information, Dialogs::Buttons::Ok);
}

}  // namespace corvela
