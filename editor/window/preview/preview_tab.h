#pragma once

// The "Preview skin" tab: the phone screen at its true size and the frames of
// editing controls around it. This is the form only; the main window drives
// every control through the public members, which carry the names the rest of
// the editor knows them by (objectName, and accessibleName where a control
// has no caption of its own).

#include <QColor>
#include <QPoint>
#include <QWidget>

#include <array>
#include <map>

class QCheckBox;
class QComboBox;
class QScrollArea;
class QSplitter;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace corvela {

class DesktopSurface;
class FileListBox;
class PictureBox;

class PreviewTab : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewTab(QWidget* parent = nullptr);

  // The position, transparency and length boxes have no length limit of
  // their own: a value such as -120 that the move tools wrote must come back
  // whole. Typing is limited by the key filter of their handlers.

  // Light grey of every position and transparency box.
  static const QColor NumberBoxColour;

  DesktopSurface* PicDesktop;
  // The zoom of the phone screen, 1x to 4x.
  QComboBox* cboZoom;
  QPushButton* cmdFit;

  // Main-button slots indexed by object number.
  std::map<int, PictureBox*> Pic;

  // Position and transparency boxes 0 to 49; box 50 belongs to the colours tab.
  std::array<QLineEdit*, 50> txt;
  // Which rectangles the move tools act on.
  std::array<QCheckBox*, 12> optPos;
  // 0 "Digitale", 1 "Analogico".
  std::array<QRadioButton*, 2> optTime;

  QLineEdit* txtMin;
  QLineEdit* txtOra;
  PictureBox* PicMin;
  PictureBox* PicOre;

  PictureBox* PicBGColor1;
  QLabel* lbl0;  // "Colore:" beside PicBGColor1
  PictureBox* PicTxtColor1;
  PictureBox* PicTxtColor2;

  QLineEdit* txtOffSet;
  QToolButton* cmdMoveUp;
  QToolButton* cmdMoveDown;
  QToolButton* cmdMoveLeft;
  QToolButton* cmdMoveRight;
  QPushButton* cmdUpdate;

  FileListBox* FileDesktop;
  QCheckBox* chkWallPaper;
  QPushButton* cmdSelImg;

  // Between the screen and the boxes beside it.
  QSplitter* splPreview;

  // "Adatta": the largest whole zoom at which the screen fits its room.
  int fittingZoom() const;
  // Takes that zoom and keeps taking it as the room changes, until a zoom
  // is picked by hand.
  void fitZoom();
  bool followsRoom() const { return followsRoom_; }
  // Zooms to `zoom` keeping the screen point under `at` (a point of
  // PicDesktop) where it is.
  void zoomAround(int zoom, QPoint at);
  QScrollArea* screenView() const { return screenView_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QScrollArea* screenView_ = nullptr;
  // Until the user picks a zoom the screen fills its room.
  bool followsRoom_ = true;
  bool fitting_ = false;
  QLineEdit* makeNumberBox(int index, int width);
  QCheckBox* makeMoveTarget(int index, const QString& caption);
  PictureBox* makeSwatch(const char* name, const QString& tip, const QColor& colour);
  QToolButton* makeMoveButton(const char* name, Qt::ArrowType arrow);

  QGroupBox* buildTextFrame(const QString& title, int moveTarget, int firstBox, PictureBox*& swatch,
                            const char* swatchName, const QString& swatchTip, int transparencyBox);
  QGroupBox* buildClockFrame();
  QGroupBox* buildSmartKeyFrame();
  QGroupBox* buildMoveFrame();
  QGroupBox* buildWallpaperFrame();
  QGroupBox* buildMainButtonFrame();
};

}  // namespace corvela
