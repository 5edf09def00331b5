#include "preview_controller.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "colour_codec.h"
#include "colour_edits.h"
#include "desktop_surface.h"
#include "dialogs.h"
#include "document_names.h"
#include "file_list_box.h"
#include "imaging_commands.h"
#include "picture_box.h"
#include "preview_tab.h"
#include "report_view.h"
#include "row_look.h"
#include "skin_document.h"
#include "text_number.h"
#include "window_services.h"

namespace corvela {

namespace {

// The box being typed into keeps the user's spelling of the value it shows
// ("007" for 7), and its cursor: only a text that means something else is
// put in its place.
void applyField(QLineEdit* box, const SceneField& field) {
  const bool same = box->text() == field.text ||
                    (box->hasFocus() && numericValue(box->text()) == numericValue(field.text));
  if (!same) box->setText(field.text);
  if (field.enabled) box->setEnabled(true);
}

void applySwatch(PictureBox* swatch, const SceneSwatch& value) {
  if (swatch->backColor() != value.colour) swatch->setBackColor(value.colour);
  if (value.enabled) swatch->setEnabled(true);
}

}  // namespace

PreviewController::PreviewController(PreviewTab& tab, WindowServices& window)
    : QObject(&tab), window_(window), tab_(tab), doc_(window.document()) {
  connectControls();
  connect(&doc_.history(), &DocumentHistory::changed, this, &PreviewController::documentChanged);
  showScene();
}

void PreviewController::documentChanged() {
  // A step may have replaced the colour rows wholesale (a scheme) or put
  // back rows that had gone: the editors write through the rows as they are.
  rebindColourRows();
  UpdateDesktop();
}

void PreviewController::connectControls() {
  PreviewTab& p = tab_;
  for (const auto& [object, slot] : p.Pic) {
    const int index = object;
    connect(slot, &PictureBox::clicked, this, [this, index] { Pic_Click(index); });
  }
  connect(p.chkWallPaper, &QCheckBox::clicked, this, &PreviewController::chkWallPaper_Click);
  connect(p.FileDesktop, &FileListBox::fileClicked, this, &PreviewController::FileDesktop_Click);
  connect(p.cmdSelImg, &QPushButton::clicked, this, &PreviewController::cmdSelImg_Click);
  connect(p.cmdUpdate, &QPushButton::clicked, this, &PreviewController::cmdUpdate_Click);
  connect(p.PicBGColor1, &PictureBox::clicked, this, &PreviewController::PicBGColor1_Click);
  connect(p.PicTxtColor1, &PictureBox::clicked, this, &PreviewController::PicTxtColor1_Click);
  connect(p.PicTxtColor2, &PictureBox::clicked, this, &PreviewController::PicTxtColor2_Click);
  for (int i = 0; i < 2; ++i) {
    // Selecting an option by code runs its handler too, as a click does.
    connect(p.optTime[static_cast<size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) optTime_Click(i);
    });
  }
  connect(p.cmdFit, &QPushButton::clicked, &tab_, &PreviewTab::fitZoom);
  connect(p.PicDesktop, &DesktopSurface::zoomWheeled, this,
          [this](int steps, QPoint at) { tab_.zoomAround(tab_.PicDesktop->zoom() + steps, at); });
  connect(p.PicDesktop, &DesktopSurface::hovered, this, &PreviewController::showHover);
  connect(p.PicDesktop, &DesktopSurface::left, this, [this] {
    hover_.reset();
    window_.setCoordinatesText(QString());
    window_.setPointedText(QString());
    tab_.PicDesktop->setHighlight(std::nullopt);
  });
  connect(p.PicDesktop, &DesktopSurface::doubleClicked, this, &PreviewController::showPointed);
}

void PreviewController::showHover(QPoint pixel) {
  hover_ = pixel;
  window_.setCoordinatesText(QStringLiteral("%1, %2").arg(pixel.x()).arg(pixel.y()));
  const std::optional<PointedRecord> record = recordAt(scene_, pixel);
  tab_.PicDesktop->setHighlight(record ? std::optional<QRect>(record->area) : std::nullopt);
  if (!record) {
    window_.setPointedText(QString());
    return;
  }
  const QString name = standby::shownName(record->list, record->code);
  const QRect& a = record->area;
  // A rectangle's size in the words of its list's "Larghezza" and
  // "Altezza", an image's in pixels as the objects list gives it.
  QString width = QString::number(a.width());
  QString height = QString::number(a.height());
  if (record->list == kListRects) {
    if (const int row = doc_.L_Dim.findId(record->code); row >= 0) {
      width = shownCell(doc_.L_Dim, row, D_Larghezza);
      height = shownCell(doc_.L_Dim, row, D_Altezza);
    }
  }
  window_.setPointedText(
      QStringLiteral("%1%2: x %3, y %4, %5 × %6")
          .arg(record->code, name.isEmpty() ? QString() : QStringLiteral(" ") + name)
          .arg(a.x())
          .arg(a.y())
          .arg(width, height));
}

void PreviewController::showPointed(QPoint pixel) {
  const std::optional<PointedRecord> record = recordAt(scene_, pixel);
  if (!record) return;
  if (record->list == kListObjects) {
    const int row = doc_.L_Values.findId(record->code);
    if (row >= 0) window_.showObject(row);
  } else {
    const int row = doc_.L_Dim.findId(record->code);
    if (row >= 0) window_.showRectangle(row);
  }
}

void PreviewController::showScene() {
  tab_.PicDesktop->showScene(scene_);
}

void PreviewController::applyControls(const StandbyScene& scene) {
  PreviewTab& p = tab_;
  if (scene.lbl0Enabled) p.lbl0->setEnabled(true);
  applySwatch(p.PicBGColor1, scene.PicBGColor1);
  applySwatch(p.PicTxtColor1, scene.PicTxtColor1);
  applySwatch(p.PicTxtColor2, scene.PicTxtColor2);
  applySwatch(p.PicMin, scene.PicMin);
  applySwatch(p.PicOre, scene.PicOre);

  for (const auto& [object, image] : scene.Pic) {
    PictureBox* slot = p.Pic.at(object);
    if (!image.loaded()) continue;
    auto [shown, fresh] = shownSlots_.try_emplace(object, image.image.cacheKey());
    if (fresh || shown->second != image.image.cacheKey()) {
      slot->setPicture(QPixmap::fromImage(image.image));
      shown->second = image.image.cacheKey();
    }
    slot->setBordered(false);
    slot->setEnabled(true);
  }
  for (size_t t = 0; t < scene.optPosEnabled.size(); ++t) {
    if (scene.optPosEnabled[t]) p.optPos[t]->setEnabled(true);
  }
  for (size_t i = 0; i < 2; ++i) {
    if (scene.optTimeEnabled[i]) p.optTime[i]->setEnabled(true);
  }

  // In the order the rebuild has always filled them: the hand lengths of the
  // tree pass, the transparencies, then the rectangles in drawing order.
  applyField(p.txtMin, scene.txtMin);
  applyField(p.txtOra, scene.txtOra);
  for (const standby::ColourRecord& c : standby::kColours) {
    if (c.transparencyBox < 0) continue;
    const auto box = static_cast<size_t>(c.transparencyBox);
    applyField(p.txt[box], scene.txt[box]);
  }
  for (const int target : standby::kDrawOrder) {
    const standby::PositionRecord& record = standby::kPositions[static_cast<size_t>(target)];
    for (int k = 0; k < 4; ++k) {
      const auto box = static_cast<size_t>(record.firstBox + k);
      applyField(p.txt[box], scene.txt[box]);
    }
  }
}

void PreviewController::UpdateDesktop() {
  ++rebuilds_;
  PreviewTab& p = tab_;
  p.cmdSelImg->setEnabled(true);
  p.FileDesktop->show();

  if (p.chkWallPaper->isChecked() && p.FileDesktop->count() > 0 &&
      p.FileDesktop->listIndex() == -1) {
    // The first file is the wallpaper, shown by this rebuild: the list's own
    // click would rebuild the screen once more.
    {
      const QSignalBlocker quiet(p.FileDesktop);
      p.FileDesktop->setListIndex(0);
    }
    loadWallpaper(0);
    p.chkWallPaper->setChecked(true);
    p.chkWallPaper->setEnabled(true);
  } else if (!p.chkWallPaper->isChecked()) {
    scene_.wallpaper = QImage();
  }

  StandbyScene next = scene_;
  rebuildScene(next, doc_, images_, p.optTime[1]->isChecked());
  scene_ = next;
  showScene();
  applyControls(next);
  DisegnaLancette();
  // What lies under a pointer that stayed put may have moved, by a key, a
  // step undone or another program: it is named as it is now.
  if (hover_) showHover(*hover_);
}

void PreviewController::DisegnaLancette() {
  placeHands(scene_);
  showScene();
}

void PreviewController::Pic_Click(int Index) {
  const int row = doc_.L_Values.findId(standby::objectCode(Index));
  if (row < 0) return;
  window_.showObject(row);
}

void PreviewController::chkWallPaper_Click() {
  PreviewTab& p = tab_;
  if (p.chkWallPaper->isChecked()) {
    p.FileDesktop->setEnabled(true);
  } else {
    scene_.wallpaper = QImage();
    p.FileDesktop->setListIndex(-1);
    p.FileDesktop->setEnabled(false);
  }
  UpdateDesktop();
}

void PreviewController::FileDesktop_Click() {
  PreviewTab& p = tab_;
  if (p.FileDesktop->count() == 0 || !p.chkWallPaper->isChecked()) return;
  const int index = p.FileDesktop->listIndex();
  if (index < 0) return;
  loadWallpaper(index);
  UpdateDesktop();
}

void PreviewController::loadWallpaper(int index) {
  const FileListBox& list = *tab_.FileDesktop;
  const QString file = QDir(list.path()).filePath(list.fileName(index));
  if (std::optional<QImage> picture = images_.load(file)) scene_.wallpaper = *picture;
}

void PreviewController::cmdSelImg_Click() {
  // Qt's folder dialog lists only file-system folders and starts at the top
  // of the file system, which is all this browser ever asked for.
  const QString folder = window_.dialogs().browseFolder(QStringLiteral("Seleziona una directory:"));
  if (!folder.isEmpty()) tab_.FileDesktop->setPath(folder);
}

void PreviewController::cmdUpdate_Click() {
  UpdateDesktop();
}

void PreviewController::optTime_Click(int Index) {
  showClock(scene_, Index == 1);
  showScene();
}

void PreviewController::resetForOpen() {
  tab_.optTime[0]->setChecked(true);
  corvela::resetForOpen(scene_);
  PreviewTab& p = tab_;
  // Nothing of the skin that was open may show as if it belonged to this one.
  const StandbyScene initial;
  shownSlots_.clear();
  for (const auto& [object, slot] : p.Pic) {
    slot->clearPicture();
    slot->setBordered(true);
    slot->setEnabled(false);
  }
  for (PictureBox* swatch : {p.PicBGColor1, p.PicTxtColor1, p.PicTxtColor2, p.PicMin, p.PicOre}) {
    swatch->setEnabled(false);
  }
  p.PicBGColor1->setBackColor(initial.PicBGColor1.colour);
  p.PicTxtColor1->setBackColor(initial.PicTxtColor1.colour);
  p.PicTxtColor2->setBackColor(initial.PicTxtColor2.colour);
  p.PicMin->setBackColor(initial.PicMin.colour);
  p.PicOre->setBackColor(initial.PicOre.colour);
  p.lbl0->setEnabled(false);
  showScene();
}

void PreviewController::showSkinFolder() {
  if (!doc_.P_sPath.isEmpty()) tab_.FileDesktop->setPath(doc_.P_sPath);
}

void PreviewController::setSelection(int target) {
  if (scene_.selected == target) return;
  scene_.selected = target;
  showScene();
  // The values stay as typed, so the user is told why the outline is dashed.
  for (const Outline& outline : scene_.outlines) {
    if (outline.target != target || !outline.flaws.any()) continue;
    const standby::PositionRecord& record = standby::kPositions[static_cast<size_t>(target)];
    QStringList why;
    if (outline.flaws.offScreen) why << QStringLiteral("fuori dallo schermo");
    if (outline.flaws.inverted) why << QStringLiteral("con gli angoli invertiti");
    window_.setStatusText(QStringLiteral("Posizione %1 (%2) %3.")
                              .arg(standby::text(record.code), standby::text(record.what),
                                   why.join(QStringLiteral(" e "))));
  }
}

void PreviewController::setDateTime(const QString& date, const QString& time) {
  scene_.dateText.text = date;
  scene_.clockText.text = time;
  showScene();
}

void PreviewController::setScreenBackground(const QColor& colour) {
  scene_.background = colour;
  scene_.PicBGColor1.colour = colour;
  applySwatch(tab_.PicBGColor1, scene_.PicBGColor1);
  showScene();
}

void PreviewController::setTextColour(standby::ColourRole role, const QColor& colour) {
  scene_
      .label(role == standby::ColourRole::Operator ? standby::Placement::Operator
                                                   : standby::Placement::Date)
      .colour = colour;
  showSwatch(role, colour);
}

void PreviewController::setHandColour(standby::ColourRole hand, const QColor& colour) {
  (hand == standby::ColourRole::MinuteHand ? scene_.minuteHand : scene_.hourHand).colour = colour;
  showSwatch(hand, colour);
}

void PreviewController::showSwatch(standby::ColourRole role, const QColor& colour) {
  scene_.swatch(role).colour = colour;
  applyControls(scene_);
  showScene();
}

void PreviewController::PicBGColor1_Click() {
  PreviewTab& p = tab_;
  const std::optional<QColor> chosen = window_.dialogs().pickColor(p.PicBGColor1->backColor());
  if (!chosen) return;
  // A chosen colour replaces the wallpaper, whatever the skin holds.
  p.chkWallPaper->setChecked(false);
  chkWallPaper_Click();
  // It shows whether or not the skin has a line to keep it in.
  setScreenBackground(*chosen);
  const int node = scene_.refs.P_tNodeBackColor;
  if (!changeBackground(doc_, node, colourValue(chosen->red(), chosen->green(), chosen->blue())) &&
      node > 0) {
    window_.dialogs().warning(backgroundRefusal(doc_.T_Strutt, node));
  }
}

void PreviewController::PicTxtColor1_Click() {
  pickTextColour(standby::ColourRole::Operator);
}

void PreviewController::PicTxtColor2_Click() {
  pickTextColour(standby::ColourRole::Date);
}

void PreviewController::pickTextColour(standby::ColourRole role) {
  PictureBox* swatch =
      role == standby::ColourRole::Operator ? tab_.PicTxtColor1 : tab_.PicTxtColor2;
  const std::optional<QColor> chosen = window_.dialogs().pickColor(swatch->backColor());
  if (!chosen) return;
  setTextColour(role, *chosen);
  const int row = scene_.refs.colour(role);
  if (row < 0) return;
  changeColour(doc_, row, colourValue(chosen->red(), chosen->green(), chosen->blue()));
}

void PreviewController::rebindColourRows() {
  for (const standby::ColourRecord& c : standby::kColours) {
    scene_.refs.colour(c.role) = doc_.L_RGBA.findId(standby::text(c.code));
  }
}

}  // namespace corvela
