#pragma once
#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "dialogs.h"
#include "main_menu.h"
#include "skin_document.h"
#include "skin_problems.h"
#include "standby_scene.h"
#include "status_fields.h"
#include "tab_pages.h"
#include "tool_bar.h"
#include "window_services.h"
#include "window_tabs.h"
#include "window_title.h"

class QAction;
class QLabel;
class QLineEdit;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace ferzola {
class LineSeparator;
}

namespace corvela {

class ColoursPage;
class SkinPreload;
class ColoursTab;
class FolderWatch;
class InfoPage;
class LayoutController;
class ObjectsPage;
class ObjectsTab;
class PreviewController;
class ProblemsPanel;
class ComparePanel;
class PreviewTab;
class RectsPage;
class RectsTab;
class StructurePage;
class StructureTab;

// The editor's one window: the frame, the tool bar, the tabs and the status
// bar, and the opening, saving and closing of a skin. Each tab is a page
// that owns its controls, driven by a controller that sees its page and
// what the window offers it (WindowServices).
class frmDesktop : public QMainWindow, public WindowServices, public MenuHost {
  Q_OBJECT
 public:
  using Tab = WindowTab;
  using enum WindowTab;

  // Without `dialogs` the window asks through the real dialogs.
  explicit frmDesktop(std::unique_ptr<Dialogs> dialogs = nullptr, QWidget* parent = nullptr);
  ~frmDesktop() override;

  // ---- the document -----------------------------------------------------
  SkinDocument doc;

  // The rows and nodes that the editors write through (P_tNodeMin,
  // P_tPosOperatore...): the preview rebuild binds them and opening a skin
  // unbinds them all.
  StandbyRefs& refs();

  // ---- procedures ---------------------------------------------------------
  // "Apri...": asks for a skin file and opens it.
  void OpenSkin() override;
  // Everything of OpenSkin after the file dialog.
  void openSkinFile(const QString& file);
  // The same, with the skin already being read by `preload` when it is the
  // file opened.
  void openSkinFile(const QString& file, SkinPreload* preload);
  // "Salva": writes the skin and tells the user how it went; true when it
  // was written.
  bool SalvaSkin();
  // "Salva con nome...": asks for another folder, writes the skin there as
  // vodafone.ski with its archives, working folder and first originals, and
  // opens the copy. True when it was written.
  bool SalvaConNome() override;
  // Before unsaved work would be set aside (closing, opening another skin):
  // "Salva", "Non salvare" or "Annulla". True when the caller may go on.
  // Why unsaved work is about to go, which the save question names.
  enum class Leaving { Exit, OpenAnother };
  bool settleUnsavedChanges(Leaving why);
  // Rebuild of the phone preview from the document.
  void UpdateDesktop() override;
  // Working-folder GIFs of `rows` (or the wallpaper) changed outside the
  // editor: marked, shown, and counted as unsaved.
  void takeOutsideChanges(const std::vector<int>& rows, bool wallpaper);
  // Puts every editing control back to its state before any skin is shown.
  void InitSystem();

  // ---- event handlers -----------------------------------------------------
  void TB0_ButtonClick(QAction* button) override;
  void SSTab1_Click(int tab);

  // ---- helpers ------------------------------------------------------------
  // The position and transparency boxes 0 to 50 as one array.
  QLineEdit* txt(int index) const;
  // The status bar's one text field.
  QString statusText() const { return status_->text(); }
  void setStatusText(const QString& text) override { status_->setText(text); }
  // The field at the right of the status bar: the screen pixel under the
  // mouse while it is over the preview.
  QString coordinatesText() const { return status_->coordinates(); }
  void setCoordinatesText(const QString& text) override { status_->setCoordinates(text); }
  // The record under the mouse over the preview: id, name, place and size.
  QString pointedText() const { return status_->pointed(); }
  void setPointedText(const QString& text) override { status_->setPointed(text); }
  SkinDocument& document() override { return doc; }
  Dialogs& dialogs() override { return *dialogs_; }
  QMainWindow& frame() override { return *this; }
  PreviewTab& previewTab() override { return *tabPreview; }
  void openAnotherSkin(const QString& file) override {
    if (settleUnsavedChanges(Leaving::OpenAnother)) openSkinFile(file);
  }
  QWidget* objectsTabPage() override;
  void exportAll() override;
  void showObject(int row) override { pages->showObject(row); }
  // The record of a problem or a difference picked in its list and tab.
  void showRecord(ProblemPlace place, int row) { pages->showRecord(place, row); }
  void showRectangle(int row) override { pages->showRectangle(row); }
  void setDialogs(std::unique_ptr<Dialogs> dialogs) {
    if (dialogs) dialogs_ = std::move(dialogs);
  }
  // The tool bar button with the given key ("LOAD", "SAVE", "CLOSE").
  QAction* toolButton(const QString& key) const override { return toolBarAction(*TB0, key); }
  QToolButton* toolButtonWidget(const QString& key) const { return toolBarButton(*TB0, key); }
  // Whether closing asks first; off for unattended runs that only take a
  // picture of the window.
  void setAskBeforeClosing(bool ask) { askBeforeClosing_ = ask; }
  // Whether an opened skin goes to the top of "Apri recenti"; off for the
  // same runs, which open nothing the user picked.
  void setRemembersSkins(bool remember) { remembersSkins_ = remember; }
  // The window's size and place, its panels and the preview's splitter as
  // the last run left them; kept again at closing unless told otherwise.
  void restoreLayout();
  void setRemembersLayout(bool remember) { remembersLayout_ = remember; }

  // ---- controls -----------------------------------------------------------
  QToolBar* TB0 = nullptr;
  QAction* btnLoad = nullptr;
  QAction* btnSave = nullptr;
  QAction* btnClose = nullptr;
  QAction* btnUndo = nullptr;
  QAction* btnRedo = nullptr;
  QStatusBar* SB0 = nullptr;
  ferzola::LineSeparator* LineSeparator1 = nullptr;
  QTabWidget* SSTab1 = nullptr;
  MainMenu* menu = nullptr;
  // "Problemi", a dock panel.
  ProblemsPanel* problemsPanel = nullptr;
  // "Confronta con l'originale", a dock panel.
  ComparePanel* comparePanel = nullptr;

  // Tab 0 "Preview skin".
  PreviewTab* tabPreview = nullptr;
  PreviewController* preview = nullptr;
  // The tab's position, move and clock editors.
  LayoutController* layout = nullptr;
  FolderWatch* folderWatch = nullptr;

  // Tabs 1 "Oggetti grafici", 2 "Colori", 3 "Posizione e dimesione
  // oggetti", 4 "Struttura" and 5 "Opzioni / Informazioni" are built the
  // first time they are shown or asked for: the first frame does not show
  // them.
  ObjectsPage* objectsPage() { return pages->objectsPage(); }
  ObjectsTab* objectsTab() { return pages->objectsTab(); }
  ColoursPage* coloursPage() { return pages->coloursPage(); }
  ColoursTab* coloursTab() { return pages->coloursTab(); }
  TabPages* pages = nullptr;
  RectsPage* rectsPage() { return pages->rectsPage(); }
  RectsTab* rectsTab() { return pages->rectsTab(); }
  StructurePage* structurePage() { return pages->structurePage(); }
  StructureTab* structureTab() { return pages->structureTab(); }
  InfoPage* infoPage() { return pages->infoPage(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildBars();
  void buildTabs();
  // The "Problemi" and comparison panels, hidden until needed.
  void buildProblemsPanel();
  void connectHandlers();
  void placeSeparator();
  // The exit question, or the unsaved-work one; true when the window may go.
  bool mayClose();
  void resetPreview();
  // The open skin's name, with the mark of unsaved work, before the title.
  void showTitle();
  // The tool bar's undo and redo follow the history: enabled when there is
  // a step, named after it.
  void connectHistory();
  void showHistoryState();

  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<StatusFields> status_;
  bool askBeforeClosing_ = true;
  // The status bar's word on objects changed outside, which is stale once
  // a save has packed them.
  QString outsideNote_;
  bool remembersSkins_ = true;
  bool remembersLayout_ = true;
  QString title_;
};

}  // namespace corvela
