#pragma once
// The menu bar: the tool bar's commands with the platform's shortcuts, the
// recent skins, the preview's view options, and skins dropped on the window.
// The tool bar stays as it is; each menu command mirrors its button's
// enabled state, except that a skin can be opened from any tab.

#include <QObject>
#include <QStringList>
#include <map>

class QAbstractButton;
class QAction;
class QDockWidget;
class QMainWindow;
class QMenu;
class QWidget;

namespace corvela {

class Dialogs;
class PreviewTab;
class SkinDocument;

// What the menu asks of the window: the commands its items run, the buttons
// whose state they follow and the preview its view items act on.
class MenuHost {
 public:
  virtual ~MenuHost() = default;
  // The window the menu bar, the history panel and dropped files belong to.
  virtual QMainWindow& frame() = 0;
  virtual SkinDocument& document() = 0;
  virtual Dialogs& dialogs() = 0;
  virtual PreviewTab& previewTab() = 0;
  // "Apri..." and "Salva con nome...", questions and dialogs included.
  virtual void OpenSkin() = 0;
  virtual bool SalvaConNome() = 0;
  // A skin picked without the file dialog (a recent one, a dropped one):
  // opened once unsaved work is settled.
  virtual void openAnotherSkin(const QString& file) = 0;
  // The tool bar's command `key` ("SAVE", "CLOSE", "UNDO", "REDO"), which
  // its menu item mirrors and runs.
  virtual QAction* toolButton(const QString& key) const = 0;
  virtual void TB0_ButtonClick(QAction* button) = 0;
  // The objects tab's page, enabled as its buttons are, and its
  // "Esporta tutto".
  virtual QWidget* objectsTabPage() = 0;
  virtual void exportAll() = 0;
};

class MainMenu : public QObject {
  Q_OBJECT
 public:
  static constexpr int MaxRecent = 8;

  explicit MainMenu(MenuHost& window);

  // Whether a skin may be opened now (from the preview tab only): "Apri...",
  // its shortcut and the recent skins follow.
  void setOpenAllowed(bool allowed);

  // A skin that opened goes to the top of "Apri recenti", kept across runs.
  void rememberSkin(const QString& file);
  QStringList recentSkins() const;

  QMenu* fileMenu = nullptr;
  QMenu* recentMenu = nullptr;
  QMenu* editMenu = nullptr;
  QMenu* viewMenu = nullptr;
  QMenu* helpMenu = nullptr;
  QAction* actOpen = nullptr;
  QAction* actSave = nullptr;
  QAction* actSaveAs = nullptr;
  QAction* actExportPhone = nullptr;
  QAction* actQuit = nullptr;
  QAction* actUndo = nullptr;
  QAction* actRedo = nullptr;
  QAction* actExportAll = nullptr;
  QAction* actHistory = nullptr;
  QAction* actZoomIn = nullptr;
  QAction* actZoomOut = nullptr;
  QAction* actFit = nullptr;
  QAction* actGrid = nullptr;
  QAction* actCheckerboard = nullptr;
  QAction* actRefresh = nullptr;
  QAction* actAbout = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* addAction(QMenu* menu, const QString& text, const QString& name);
  // `action` follows the enabled state of `button` from now on.
  void mirror(QAction* action, QWidget* button);
  void mirror(QAction* action, QAction* button);
  void fillRecent();
  void openRecent(const QString& file);
  void exportForPhone();
  void zoomBy(int step);
  void showAids();
  void showAbout();

  // The history of the open skin's steps, hidden until asked for.
  QDockWidget* buildHistoryPanel();

  MenuHost& window_;
  // Kept apart from the host: events reach the filter while the window is
  // being torn down, when its interface may no longer be called.
  QMainWindow* frame_;
  std::map<QObject*, QAction*> mirrored_;
  bool openAllowed_ = true;
};

}  // namespace corvela
