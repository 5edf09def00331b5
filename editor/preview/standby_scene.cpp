#include "standby_scene.h"

#include <QDir>
#include <algorithm>
#include <cstdint>

#include "colour_codec.h"
#include "document_names.h"
#include "folder_files.h"
#include "image_cache.h"
#include "object_archive.h"
#include "object_row.h"
#include "record_rows.h"
#include "safe_read.h"
#include "skin_document.h"
#include "skin_saver.h"
#include "standby_image.h"
#include "text_number.h"

namespace corvela {

namespace {

using standby::ColourRole;
using standby::Placement;

// Far outside any screen, yet no overflow when the drawing adds a pixel.
int coordinate(const QString& cell) {
  return static_cast<int>(std::clamp<std::int64_t>(numericValue(cell), -100000, 100000));
}

int fieldValue(const SceneField& field) {
  return coordinate(field.text);
}

// Int() of the old drawing code: rounds towards minus infinity.
int floorHalf(int difference) {
  return difference >= 0 ? difference / 2 : -((-difference + 1) / 2);
}

constexpr QRect kOperatorLabel(7, 19, 158, 17);
constexpr QRect kDateLabel(7, 40, 158, 17);
constexpr QRect kClockLabel(129, 61, 40, 17);
constexpr QRect kClockFace(44, 66, 88, 88);
constexpr std::array<QPoint, 3> kSoftKeyPlaces{QPoint(0, 198), QPoint(77, 198), QPoint(96, 198)};

int StandbyRefs::*const kPositionRefs[standby::kPositionCount] = {
    &StandbyRefs::P_tPosOperatore,  &StandbyRefs::P_tPosData,
    &StandbyRefs::P_tPosSmartUp,    &StandbyRefs::P_tPosSmartUpPress,
    &StandbyRefs::P_tPosSmartDown,  &StandbyRefs::P_tPosSmartDownPress,
    &StandbyRefs::P_tPosSmartLeft,  &StandbyRefs::P_tPosSmartLeftPress,
    &StandbyRefs::P_tPosSmartRight, &StandbyRefs::P_tPosSmartRightPress,
    &StandbyRefs::P_tPosDigitale,   &StandbyRefs::P_tPosAnalogico};

int StandbyRefs::*colourRef(ColourRole role) {
  switch (role) {
    case ColourRole::Operator:
      return &StandbyRefs::P_tItemOperatore;
    case ColourRole::Date:
      return &StandbyRefs::P_tItemData;
    case ColourRole::MinuteHand:
      return &StandbyRefs::P_tItemLineMin;
    case ColourRole::HourHand:
      return &StandbyRefs::P_tItemLineOra;
  }
  return &StandbyRefs::P_tItemOperatore;
}

// Loads the object's image into `target` when its row names a file that is
// there and decodes; anything else leaves the target as it was.
void loadObject(SceneImage& target, const SkinDocument& doc, ImageCache& images, int object) {
  const int row = doc.L_Values.findId(standby::objectCode(object));
  if (row < 0) return;
  const QString path = shownFile(doc, row);
  const ListRow& shown = doc.L_Values.row(row);
  std::optional<QImage> image = images.loadObject(shown, path);
  // A row with no file to show (none could be extracted, or the one there
  // is no GIF) shows the object its archive holds: the save keeps that one,
  // or refuses to pack the file and says why.
  if (!image && !shown.pinned) {
    if (const std::optional<ArchivePlace> place = archivePlace(shown))
      image = images.loadArchived(doc.P_sPath, doc.P_sTheme, *place);
  }
  if (!image) return;
  target.file = path;
  target.image = *image;
  target.geometry.setSize(image->size());
}

void treePass(StandbyScene& scene, const SkinDocument& doc) {
  const SkinTree& tree = doc.T_Strutt;
  if (const int i = standby::lastNodeStartingWith(tree, standby::kMinuteLengthPrefix)) {
    scene.refs.P_tNodeMin = i;
    scene.txtMin = {tree.node(i).text.mid(standby::kMinuteLengthPrefix.size()).trimmed(), true};
    scene.PicMin.enabled = true;
  }
  if (const int i = standby::lastNodeStartingWith(tree, standby::kHourLengthPrefix)) {
    scene.refs.P_tNodeOra = i;
    scene.txtOra = {tree.node(i).text.mid(standby::kHourLengthPrefix.size()).trimmed(), true};
    scene.PicOre.enabled = true;
  }
  if (const int i = standby::lastNodeTagged(tree, standby::kBackgroundTag)) {
    scene.refs.P_tNodeBackColor = i;
    scene.lbl0Enabled = true;
    scene.PicBGColor1.enabled = true;
    // The line as the save would write it, from its colour row where one
    // stands for it. A line that is no colour text leaves the colour as it
    // was.
    ColourParts parts;
    if (const std::optional<std::int32_t> value = StringToRGB(regeneratedLine(doc, i - 1), parts)) {
      const QColor colour(redOf(*value), greenOf(*value), blueOf(*value));
      scene.PicBGColor1.colour = colour;
      scene.background = colour;
    }
  }
}

void colourPass(StandbyScene& scene, const SkinDocument& doc) {
  for (const standby::ColourRecord& record : standby::kColours) {
    const int row = doc.L_RGBA.findId(standby::text(record.code));
    SceneSwatch& swatch = scene.swatch(record.role);
    const bool isText = record.role == ColourRole::Operator || record.role == ColourRole::Date;
    if (row < 0) {
      if (isText) {
        scene.label(record.role == ColourRole::Operator ? Placement::Operator : Placement::Date)
            .colour = Qt::black;
      }
      continue;
    }
    scene.refs.colour(record.role) = row;
    swatch = {rowColour(doc, row), true};
    if (record.transparencyBox >= 0) {
      scene.txt[static_cast<size_t>(record.transparencyBox)] = {
          transparencyText(doc.L_RGBA.row(row)), true};
    }
    if (isText) {
      scene.label(record.role == ColourRole::Operator ? Placement::Operator : Placement::Date)
          .colour = swatch.colour;
    }
  }
}

void imagePass(StandbyScene& scene, const SkinDocument& doc, ImageCache& images, bool analogue) {
  for (const standby::SlotRecord& slot : standby::kSlots) {
    if (slot.object == standby::kClockFaceObject) {
      scene.clockFace.visible = analogue;
      loadObject(scene.clockFace, doc, images, slot.object);
    } else {
      loadObject(scene.Pic[slot.object], doc, images, slot.object);
    }
  }
  // The soft-key bar shows the released row; an empty slot gives an empty key.
  for (size_t i = 0; i < scene.softKeys.size(); ++i) {
    const SceneImage& source = scene.Pic[standby::kSoftKeyObjects[i]];
    SceneImage& key = scene.softKeys[i];
    key.file = source.file;
    key.image = source.image;
    if (source.loaded()) key.geometry.setSize(source.image.size());
  }
}

void positionPass(StandbyScene& scene, const SkinDocument& doc, bool analogue) {
  scene.outlines.clear();
  for (const int target : standby::kDrawOrder) {
    const standby::PositionRecord& record = standby::kPositions[static_cast<size_t>(target)];
    const int row = doc.L_Dim.findId(standby::text(record.code));
    if (row < 0) continue;
    // The corners as the boxes show them and as the outline is drawn.
    const std::array<QString, 4> cells = cornerTexts(doc.L_Dim.row(row));
    const int x1 = coordinate(cells[0]);
    const int y1 = coordinate(cells[1]);
    const int x2 = coordinate(cells[2]);
    const int y2 = coordinate(cells[3]);

    scene.refs.position(target) = row;
    scene.optPosEnabled[static_cast<size_t>(target)] = true;
    for (int k = 0; k < 4; ++k) {
      scene.txt[static_cast<size_t>(record.firstBox + k)] = {cells[static_cast<size_t>(k)], true};
    }
    switch (record.placement) {
      case Placement::Operator:
      case Placement::Date: {
        SceneText& label = scene.label(record.placement);
        label.geometry.moveTo(x1 + 5, y1 + 5);
        label.visible = true;
        break;
      }
      case Placement::Digital:
        scene.clockText.geometry.moveTo(x2 - (scene.clockText.geometry.width() + 5), y1 + 5);
        scene.clockText.visible = !analogue;
        scene.optTimeEnabled[0] = true;
        break;
      case Placement::Analogue:
        scene.clockFace.geometry.moveTo(x1, y1);
        scene.optTimeEnabled[1] = true;
        break;
      case Placement::None:
        break;
    }
    scene.outlines.push_back({QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                                    QPoint(std::max(x1, x2), std::max(y1, y2))),
                              record.redOutline ? QColor(255, 0, 0) : QColor(0, 0, 0), target,
                              standby::rectangleFlaws(x1, y1, x2, y2)});
  }
}

}  // namespace

int& StandbyRefs::position(int target) {
  return this->*kPositionRefs[static_cast<size_t>(
                    std::clamp(target, 0, standby::kPositionCount - 1))];
}

int StandbyRefs::position(int target) const {
  return this->*kPositionRefs[static_cast<size_t>(
                    std::clamp(target, 0, standby::kPositionCount - 1))];
}

int& StandbyRefs::colour(ColourRole role) {
  return this->*colourRef(role);
}
int StandbyRefs::colour(ColourRole role) const {
  return this->*colourRef(role);
}

StandbyScene::StandbyScene() {
  wallpaper = standbyImage();
  operatorText = {QStringLiteral("vodafone IT"), kOperatorLabel};
  dateText = {QStringLiteral("data"), kDateLabel};
  clockText = {QStringLiteral("ora"), kClockLabel, Qt::AlignRight | Qt::AlignVCenter};
  clockFace.geometry = kClockFace;
  clockFace.visible = false;
  for (size_t i = 0; i < softKeys.size(); ++i)
    softKeys[i].geometry = QRect(kSoftKeyPlaces[i], QSize());
  for (const standby::SlotRecord& slot : standby::kSlots) {
    if (slot.object != standby::kClockFaceObject) Pic[slot.object] = SceneImage{};
  }
}

SceneSwatch& StandbyScene::swatch(ColourRole role) {
  switch (role) {
    case ColourRole::Operator:
      return PicTxtColor1;
    case ColourRole::Date:
      return PicTxtColor2;
    case ColourRole::MinuteHand:
      return PicMin;
    case ColourRole::HourHand:
      return PicOre;
  }
  return PicTxtColor1;
}

const SceneSwatch& StandbyScene::swatch(ColourRole role) const {
  return const_cast<StandbyScene*>(this)->swatch(role);
}

SceneText& StandbyScene::label(Placement placement) {
  switch (placement) {
    case Placement::Date:
      return dateText;
    case Placement::Digital:
      return clockText;
    default:
      return operatorText;
  }
}

const SceneText& StandbyScene::label(Placement placement) const {
  return const_cast<StandbyScene*>(this)->label(placement);
}

void resetForOpen(StandbyScene& scene) {
  StandbyScene fresh;
  fresh.wallpaper = QImage();
  fresh.background = scene.background;
  fresh.dateText.text = scene.dateText.text;
  fresh.clockText.text = scene.clockText.text;
  fresh.txtMin.text = scene.txtMin.text;
  fresh.txtOra.text = scene.txtOra.text;
  fresh.operatorText.visible = false;
  fresh.dateText.visible = false;
  fresh.clockText.visible = false;
  scene = std::move(fresh);
}

void rebuildScene(StandbyScene& scene, const SkinDocument& doc, ImageCache& images, bool analogue) {
  treePass(scene, doc);
  colourPass(scene, doc);
  imagePass(scene, doc, images, analogue);
  positionPass(scene, doc, analogue);
  placeHands(scene);
  for (SceneHand* hand : {&scene.minuteHand, &scene.hourHand})
    hand->visible = analogue && hand->placed;
}

bool placeHands(StandbyScene& scene) {
  const int x1 = fieldValue(scene.txt[14]);
  const int y1 = fieldValue(scene.txt[15]);
  const int x2 = fieldValue(scene.txt[16]);
  const int y2 = fieldValue(scene.txt[17]);
  if (x1 <= 0 || y1 <= 0 || x2 <= 0 || y2 <= 0) return false;
  const QPoint centre(x1 + floorHalf(x2 - x1), y1 + floorHalf(y2 - y1));
  const int minute = fieldValue(scene.txtMin);
  const int hour = fieldValue(scene.txtOra);
  scene.minuteHand.p1 = centre;
  scene.minuteHand.p2 = centre + QPoint(minute, 0);
  scene.minuteHand.colour = scene.PicMin.colour;
  scene.hourHand.p1 = centre;
  scene.hourHand.p2 = centre - QPoint(0, hour);
  scene.hourHand.colour = scene.PicOre.colour;
  scene.minuteHand.placed = scene.hourHand.placed = true;
  return true;
}

void showClock(StandbyScene& scene, bool analogue) {
  scene.clockFace.visible = analogue;
  scene.clockText.visible = !analogue;
  if (!analogue) {
    scene.minuteHand.visible = false;
    scene.hourHand.visible = false;
    return;
  }
  if (placeHands(scene)) scene.minuteHand.visible = scene.hourHand.visible = true;
}

int outlineAt(const StandbyScene& scene, QPoint pixel) {
  int found = -1;
  std::int64_t smallest = 0;
  for (const Outline& outline : scene.outlines) {
    if (!outline.rect.contains(pixel)) continue;
    const std::int64_t area =
        std::int64_t{outline.rect.width()} * std::int64_t{outline.rect.height()};
    if (found < 0 || area <= smallest) {
      found = outline.target;
      smallest = area;
    }
  }
  return found;
}

std::optional<QRect> outlineOf(const StandbyScene& scene, int target) {
  for (const Outline& outline : scene.outlines) {
    if (outline.target == target) return outline.rect;
  }
  return std::nullopt;
}

std::optional<PointedRecord> recordAt(const StandbyScene& scene, QPoint pixel) {
  const auto image = [&](const SceneImage& shown, int object) -> std::optional<PointedRecord> {
    if (!shown.visible || !shown.loaded() || !shown.geometry.contains(pixel)) return std::nullopt;
    return PointedRecord{kListObjects, standby::objectCode(object), shown.geometry};
  };
  const auto rectangle = [&](int target) -> std::optional<PointedRecord> {
    const std::optional<QRect> box = outlineOf(scene, target);
    if (!box) return std::nullopt;
    return PointedRecord{
        kListRects, standby::text(standby::kPositions[static_cast<size_t>(target)].code), *box};
  };
  for (size_t i = 0; i < scene.softKeys.size(); ++i) {
    if (auto found = image(scene.softKeys[i], standby::kSoftKeyObjects[i])) return found;
  }
  if (auto found = image(scene.clockFace, standby::kClockFaceObject)) return found;
  for (const standby::PositionRecord& record : standby::kPositions) {
    if (record.placement == Placement::None || record.placement == Placement::Analogue) continue;
    const SceneText& label = scene.label(record.placement);
    if (!label.visible || label.text.isEmpty() || !label.geometry.contains(pixel)) continue;
    if (auto found = rectangle(record.target)) return found;
  }
  return rectangle(outlineAt(scene, pixel));
}

QColor rowColour(const SkinDocument& doc, int row) {
  const std::array<QString, 3> c = componentTexts(doc.L_RGBA.row(row));
  return QColor(componentOfCell(c[0]), componentOfCell(c[1]), componentOfCell(c[2]));
}

}  // namespace corvela

namespace corvela {

StandbyScene sceneAfterOpen(const SkinDocument& doc, ImageCache& images, const OpenedScreen& how) {
  StandbyScene scene;
  scene.dateText.text = how.date;
  scene.clockText.text = how.time;
  resetForOpen(scene);
  if (how.wallpaper) {
    scene.wallpaper = *how.wallpaper;
  } else {
    // The rebuild after opening selects the first file of the list, which
    // shows when it decodes.
    const QStringList files = matchingFiles(doc.P_sPath, kWallpaperPattern);
    if (!files.isEmpty()) {
      if (std::optional<QImage> picture = images.load(QDir(doc.P_sPath).filePath(files.first())))
        scene.wallpaper = *picture;
    }
  }
  rebuildScene(scene, doc, images, false);
  if (how.analogue) showClock(scene, true);
  return scene;
}

void showArchivedImages(SkinDocument& doc, const QString& scratch, bool onlyMissing,
                        const QString& packedArchive) {
  ArchiveReader archives(doc.P_sPath, doc.P_sTheme);
  if (!packedArchive.isEmpty()) archives.readFrom(kPackedArchive, packedArchive);
  const ReportList& list = doc.L_Values;
  for (const standby::SlotRecord& slot : standby::kSlots) {
    const int r = list.findId(standby::objectCode(slot.object));
    if (r < 0) continue;
    const ListRow& row = list.row(r);
    if (onlyMissing && pathStat(shownFile(doc, r)).regular) continue;
    const std::optional<ArchivePlace> place = archivePlace(row);
    if (!place) continue;
    const ArchiveReader::Object object = archives.cut(*place);
    if (object.status != ArchiveReader::Status::Ok) continue;
    const QString file = QDir(scratch).filePath(objectGifName(rowId(row)));
    if (writeWholeFile(file, object.bytes)) doc.objectFacts().setFile(r, ObjectState::Found, file);
  }
}

}  // namespace corvela
