#pragma once
// The "Preview skin" tab's handlers: the rebuild of the phone screen, the
// wallpaper controls, the main-button slots and the clock choice. It keeps
// the screen's scene (what the rebuild computed, which also carries what the
// screen showed before) and hands it to the surface and the fields around it.
//
// The scene follows the document and the view options (clock, wallpaper,
// date and time) only: every change the document announces rebuilds it, and
// the fields show what it holds. Nothing here writes the document except the
// colour pickers, through a step.

#include <QObject>
#include <QPoint>
#include <map>
#include <optional>

#include "image_cache.h"
#include "standby_scene.h"

namespace corvela {

class PreviewTab;
class SkinDocument;
class WindowServices;

class PreviewController : public QObject {
  Q_OBJECT
 public:
  PreviewController(PreviewTab& tab, WindowServices& window);

  // The rebuild of the screen and of the fields around it from the document.
  void UpdateDesktop();
  // Places the two hands from the fields as the scene holds them.
  void DisegnaLancette();

  void Pic_Click(int Index);
  void chkWallPaper_Click();
  void FileDesktop_Click();
  void cmdSelImg_Click();
  void cmdUpdate_Click();
  // 0 "Digitale", 1 "Analogico"; nothing while the program fills the fields.
  void optTime_Click(int Index);
  // The screen's background, operator text and date text colours.
  void PicBGColor1_Click();
  void PicTxtColor1_Click();
  void PicTxtColor2_Click();

  // What opening a skin puts back: the clock choice, the scene, the slots,
  // the swatches.
  void resetForOpen();
  // The wallpaper list looks in the folder of the skin just read.
  void showSkinFolder();
  // The date and time texts of the screen, set at start-up and each open.
  void setDateTime(const QString& date, const QString& time);

  // A chosen colour, on the screen and in its swatch, before (or without) the
  // step that keeps it: a skin without the line or row keeps showing it.
  void setScreenBackground(const QColor& colour);
  void setTextColour(standby::ColourRole role, const QColor& colour);
  void setHandColour(standby::ColourRole hand, const QColor& colour);

  // The rectangle picked on the screen (optPos index, -1 for none): shown
  // highlighted until another is picked or a skin is opened.
  void setSelection(int target);
  int selection() const { return scene_.selected; }

  const StandbyScene& scene() const { return scene_; }
  StandbyRefs& refs() { return scene_.refs; }
  const StandbyRefs& refs() const { return scene_.refs; }

  // How many rebuilds have run since the program started.
  int rebuildCount() const { return rebuilds_; }

 private:
  void connectControls();
  // The references to the colour rows name the rows as they are (or none),
  // so no edit writes into a row that moved.
  void rebindColourRows();
  void documentChanged();
  void applyControls(const StandbyScene& scene);
  // The wallpaper of the list's entry `index`; a file that vanished or does
  // not decode leaves the wallpaper as it was.
  void loadWallpaper(int index);
  void showScene();
  void showSwatch(standby::ColourRole role, const QColor& colour);
  void showHover(QPoint pixel);
  // A double click brings the record under it forward in its list.
  void showPointed(QPoint pixel);
  void pickTextColour(standby::ColourRole role);

  WindowServices& window_;
  PreviewTab& tab_;
  SkinDocument& doc_;
  StandbyScene scene_;
  // The screen pixel under the pointer, while it is over the screen.
  std::optional<QPoint> hover_;
  ImageCache images_;
  // The image each main-button slot was last given, so an unchanged slot
  // costs nothing on the next rebuild.
  std::map<int, qint64> shownSlots_;
  int rebuilds_ = 0;
};

}  // namespace corvela
