#pragma once
// What the simulated standby screen shows, and what the editing fields around
// it hold, as plain values: no widget. The rebuild computes it from the
// document; one painter draws it, in the window and headless alike, so both
// show the same pixels.
//
// A rebuild changes only what it finds records for: an element whose record
// is missing keeps what it showed before, so the scene carries its previous
// state from one rebuild to the next and is put back to its start only when a
// skin is opened.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include "standby_records.h"

namespace corvela {

class SkinDocument;
class ImageCache;

struct Outline {
  QRect rect;  // both corners inside, as QRect(QPoint, QPoint) builds it
  QColor color;
  int target = -1;  // the rectangle's optPos index
  // Off the screen or turned inside out: drawn dashed so the user notices.
  standby::RectangleFlaws flaws = {};
  friend bool operator==(const Outline&, const Outline&) = default;
};

struct SceneText {
  QString text;
  QRect geometry;
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
  QColor colour = Qt::black;
  bool visible = true;
};

// An image of the screen or of a main-button slot, with the file it came from.
struct SceneImage {
  QString file;  // empty while nothing was ever loaded
  QImage image;
  QRect geometry;  // where it sits; an image keeps its own size
  bool visible = true;
  bool loaded() const { return !image.isNull(); }
};

struct SceneHand {
  QPoint p1;
  QPoint p2;
  QColor colour = Qt::black;
  bool visible = false;
  bool placed = false;  // never placed: nowhere to show
};

// An editing field beside the screen: its text and whether it is enabled.
struct SceneField {
  QString text;
  bool enabled = false;
};

struct SceneSwatch {
  QColor colour;
  bool enabled = false;
};

// The rows and nodes that the editors write through: tree node numbers (0
// for none) and list rows (-1 for none). A rebuild only ever binds.
struct StandbyRefs {
  int P_tNodeMin = 0;
  int P_tNodeOra = 0;
  int P_tNodeBackColor = 0;
  int P_tItemOperatore = -1;
  int P_tItemData = -1;
  int P_tItemLineMin = -1;
  int P_tItemLineOra = -1;
  int P_tPosOperatore = -1;
  int P_tPosData = -1;
  int P_tPosSmartUp = -1;
  int P_tPosSmartDown = -1;
  int P_tPosSmartLeft = -1;
  int P_tPosSmartRight = -1;
  int P_tPosSmartUpPress = -1;
  int P_tPosSmartDownPress = -1;
  int P_tPosSmartLeftPress = -1;
  int P_tPosSmartRightPress = -1;
  int P_tPosDigitale = -1;
  int P_tPosAnalogico = -1;

  // The rectangle row of a move target (optPos index).
  int& position(int target);
  int position(int target) const;
  // The colour row of a colour record.
  int& colour(standby::ColourRole role);
  int colour(standby::ColourRole role) const;
};

struct StandbyScene {
  static constexpr int ScreenWidth = 176;
  static constexpr int ScreenHeight = 220;

  // ---- the screen, bottom to top --------------------------------------------
  QColor background = Qt::white;
  QImage wallpaper;               // the picture of the screen; null shows the colour alone
  std::vector<Outline> outlines;  // in drawing order
  SceneText operatorText;
  SceneText dateText;
  SceneText clockText;
  SceneImage clockFace;                // PicTime, object 7
  std::array<SceneImage, 3> softKeys;  // Img(0) to Img(2)
  SceneHand minuteHand;                // LineMin
  SceneHand hourHand;                  // LineOra
  // The rectangle picked on the screen (optPos index), outlined above
  // everything else so it shows even under the soft-key bar; -1 for none.
  int selected = -1;

  // ---- around the screen ------------------------------------------------------
  std::map<int, SceneImage> Pic;   // the main-button slots by object number
  std::array<SceneField, 50> txt;  // position and transparency boxes 0 to 49
  SceneField txtMin{QStringLiteral("18")};
  SceneField txtOra{QStringLiteral("12")};
  std::array<bool, standby::kPositionCount> optPosEnabled{};
  std::array<bool, 2> optTimeEnabled{};  // 0 "Digitale", 1 "Analogico"
  bool lbl0Enabled = false;              // "Colore:" beside the background swatch
  SceneSwatch PicBGColor1{Qt::white};
  SceneSwatch PicTxtColor1{Qt::black};
  SceneSwatch PicTxtColor2{Qt::black};
  SceneSwatch PicMin{Qt::black};
  SceneSwatch PicOre{Qt::black};

  StandbyRefs refs;

  // The scene before any skin: the built-in standby image, the design places
  // of the labels, empty slots.
  StandbyScene();

  SceneSwatch& swatch(standby::ColourRole role);
  const SceneSwatch& swatch(standby::ColourRole role) const;
  SceneText& label(standby::Placement placement);
  const SceneText& label(standby::Placement placement) const;
};

// Everything of opening a skin that the preview forgets: references, slots,
// soft keys, clock face, swatches, fields and outlines go back to their start;
// the labels are hidden. The wallpaper is removed and the hour and minute
// lengths, the date and the time stay.
void resetForOpen(StandbyScene& scene);

// The rebuild from the document, in the order the screen has always been
// built in: tree pass, text colours, hand colours, images, soft-key bar,
// positions with their outlines, and last the hands. Images come through
// `images`; `analogue` is the clock option that is selected.
void rebuildScene(StandbyScene& scene, const SkinDocument& doc, ImageCache& images, bool analogue);

// The hands of the analogue clock from the fields as they stand: the centre of
// boxes 14 to 17, the minute hand pointing right and the hour hand up, in the
// colours of their swatches. Left as they are unless all four corners are
// strictly positive (then false). Visibility is not changed.
bool placeHands(StandbyScene& scene);

// What choosing a clock shows: the analogue face with both hands (placed
// anew, and shown where they could be placed), or the digital clock without
// them.
void showClock(StandbyScene& scene, bool analogue);

// The rectangle under a skin pixel: of the outlines that hold it, the
// smallest, so a small box inside a large one can still be picked; of equal
// ones, the one drawn last. -1 when no outline holds the pixel.
int outlineAt(const StandbyScene& scene, QPoint pixel);
// The outline of a rectangle (optPos index), if the screen shows it.
std::optional<QRect> outlineOf(const StandbyScene& scene, int target);

// A record the screen shows at a pixel: what the pointer is over.
struct PointedRecord {
  QString list;  // kListObjects or kListRects
  QString code;  // its row's "ID" text
  QRect area;    // where it lies on the screen
};
// The one on top, as the painter stacks them: a soft key's or the clock
// face's image, a text (named by the rectangle that places it), else the
// outline outlineAt() picks.
std::optional<PointedRecord> recordAt(const StandbyScene& scene, QPoint pixel);

// The numeric reading of a colour row's R, G, B cells: rounded and clamped
// to 0..255.
QColor rowColour(const SkinDocument& doc, int row);

}  // namespace corvela

namespace corvela {

// The screen as the window shows it right after opening `doc` (and, with
// `analogue`, after choosing "Analogico"): the first wallpaper of the skin's
// folder unless `wallpaper` says otherwise (a null image for none).
struct OpenedScreen {
  std::optional<QImage> wallpaper;  // nullopt: what the window would pick
  bool analogue = false;
  QString date;  // "d/M/yyyy"
  QString time;  // "hh:mm"
};
StandbyScene sceneAfterOpen(const SkinDocument& doc, ImageCache& images, const OpenedScreen& how);

// Points the objects the screen shows at copies cut from their archives into
// `scratch`, for a skin read without writing anything: all of them, or with
// `onlyMissing` those without a file in the working folder, which the window
// would extract on opening. `packedArchive`, when given, is read as the
// packed archive (a kept original's lies under another name).
void showArchivedImages(SkinDocument& doc, const QString& scratch, bool onlyMissing,
                        const QString& packedArchive = QString());

}  // namespace corvela
