#pragma once
// The window's six tabs. The preview page is built with the window, the
// others the first time they are shown or asked for, since the first frame
// shows none of them.

#include <QObject>
#include <functional>

#include "skin_problems.h"

class QTabWidget;
class QWidget;

namespace corvela {

class ColoursPage;
class ColoursTab;
class ObjectsTab;
class InfoPage;
class ObjectsPage;
class PreviewTab;
class RectsPage;
class RectsTab;
class ReportView;
class SkinDocument;
class StructurePage;
class StructureTab;
class WindowServices;

class TabPages : public QObject {
 public:
  TabPages(QTabWidget& tabs, SkinDocument& doc, WindowServices& window);

  PreviewTab* preview = nullptr;
  // Told when the colours page is built, whose transparency box the
  // preview's editors serve.
  std::function<void(ColoursPage&)> coloursBuilt;

  ObjectsPage* objectsPage();
  ObjectsTab* objectsTab();
  ColoursPage* coloursPage();
  ColoursTab* coloursTab();
  RectsPage* rectsPage();
  RectsTab* rectsTab();
  StructurePage* structurePage();
  StructureTab* structureTab();
  InfoPage* infoPage();
  // The tab of a record brought forward with the record picked and shown.
  void showObject(int row);
  void showRectangle(int row);
  void showRecord(ProblemPlace place, int row);
  // Builds the page of `tab` if it is one built on first use.
  void build(int tab);
  // The tabs built on first use that are already there follow a skin that
  // opens or closes; the others read it when they are built.
  void treeLoaded();
  void listsLoaded();
  void skinClosing();
  // A new skin is about to be read: the objects tab shows none of the old.
  void reset();
  // An archive of the skin came, went or changed on disk.
  void archivesChanged();
  // The picked object shown again as its row and file are now.
  void showPickedObjectAgain();
  // A tab bar moves away from a current tab that gets disabled, so the shown
  // tab is switched off last, when there is nowhere left to move to.
  void setAllEnabled(bool enabled);

 private:
  void hold(int tab, QWidget* page);
  // The page of `tab` and its controller, built unless they are there;
  // true when built now.
  template <class Page, class Controller>
  bool buildOnce(int tab, Page*& page, Controller*& controller);
  // Tab `tab` brought forward with `row` of its list picked and in view.
  void pickRow(int tab, ReportView& list, int row);

  QTabWidget& tabs_;
  SkinDocument& doc_;
  WindowServices& window_;
  // Whether the open skin's lists were read completely, as a page built
  // now shows them.
  bool listsLoaded_ = false;
  ObjectsPage* objectsPage_ = nullptr;
  ObjectsTab* objectsTab_ = nullptr;
  ColoursPage* coloursPage_ = nullptr;
  ColoursTab* coloursTab_ = nullptr;
  RectsPage* rectsPage_ = nullptr;
  RectsTab* rectsTab_ = nullptr;
  StructurePage* structurePage_ = nullptr;
  StructureTab* structureTab_ = nullptr;
  InfoPage* infoPage_ = nullptr;
};

}  // namespace corvela
