#pragma once
// The menu bar: the tool bar's commands with the platform's shortcuts, the
// recent skins, the preview's view options, and skins dropped on the window.
// The tool bar stays as it is; each menu command mirrors its button's
// enabled state, except that a skin can be opened from any tab.

#include <QObject>
#include <QStringList>
#include <map>

class QAction;
class QDockWidget;
class QMenu;
class QWidget;

namespace corvela {

class frmDesktop;

class MainMenu : public QObject {
  Q_OBJECT
 public:
  static constexpr int MaxRecent = 8;

  explicit MainMenu(frmDesktop& window);

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

  frmDesktop& window_;
  std::map<QObject*, QAction*> mirrored_;
};

}  // namespace corvela
