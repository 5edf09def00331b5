#pragma once
// The records of the standby screen that the editor knows by code: which
// colour, rectangle and object rows the preview reads, which boxes edit
// them and which element of the screen each one places. This is the only
// place that spells these codes and box numbers out; the preview, the
// editors, the command-line tool and `check` all read them from here.

#include <QString>
#include <array>
#include <optional>
#include <string_view>

namespace corvela::standby {

// ---- tree lines -------------------------------------------------------------

// The hand lengths are kind-2 lines found by their text.
inline constexpr std::string_view kMinuteLengthPrefix = "2 8 ";
inline constexpr std::string_view kHourLengthPrefix = "2 11 ";
// The background colour is the first line of this group.
inline constexpr std::string_view kBackgroundGroup = "0 41 98";
inline constexpr std::string_view kBackgroundTag = "0 41 98_1";

}  // namespace corvela::standby

namespace corvela {
class ReportList;
class SkinTree;
}  // namespace corvela

namespace corvela::standby {

// The node the preview binds for a tree line: where several match, the last
// one wins, as the rebuild visits them all. 0 for none.
int lastNodeStartingWith(const SkinTree& tree, std::string_view prefix);
int lastNodeTagged(const SkinTree& tree, std::string_view tag);

// ---- colour rows -------------------------------------------------------------

enum class ColourRole { Operator, Date, MinuteHand, HourHand };

struct ColourRecord {
  ColourRole role;
  std::string_view code;  // "ID" text of the L_RGBA row
  std::string_view what;  // in words, for messages
  int transparencyBox;    // txt box of the transparency, -1 for none
};

inline constexpr std::array<ColourRecord, 4> kColours{{
    {ColourRole::Operator, "0595", "testo dell'operatore", 4},
    {ColourRole::Date, "0579", "testo della data", 5},
    {ColourRole::MinuteHand, "0009", "lancetta dei minuti", -1},
    {ColourRole::HourHand, "0012", "lancetta delle ore", -1},
}};

const ColourRecord& colour(ColourRole role);

// The transparency box of the colours tab, bound to the selected colour row.
inline constexpr int kSelectedTransparencyBox = 50;

// ---- rectangle rows ------------------------------------------------------------

// What a rectangle places on the preview.
enum class Placement { Operator, Date, None, Digital, Analogue };

struct PositionRecord {
  int target;             // optPos index: the move tools' list order
  std::string_view code;  // "ID" text of the L_Dim row
  int firstBox;           // txt(firstBox) .. txt(firstBox + 3) hold x1, y1, x2, y2
  Placement placement;
  bool redOutline;  // the two clock boxes are outlined in red
  std::string_view what;
};

inline constexpr int kPositionCount = 12;

// In optPos order, which is also the order the move tools walk.
inline constexpr std::array<PositionRecord, kPositionCount> kPositions{{
    {0, "0570", 0, Placement::Operator, false, "testo dell'operatore"},
    {1, "0571", 6, Placement::Date, false, "testo della data"},
    {2, "0562", 18, Placement::None, false, "tasto superiore"},
    {3, "0566", 22, Placement::None, false, "tasto superiore premuto"},
    {4, "0563", 26, Placement::None, false, "tasto inferiore"},
    {5, "0567", 30, Placement::None, false, "tasto inferiore premuto"},
    {6, "0564", 34, Placement::None, false, "tasto sinistro"},
    {7, "0568", 38, Placement::None, false, "tasto sinistro premuto"},
    {8, "0565", 42, Placement::None, false, "tasto destro"},
    {9, "0569", 46, Placement::None, false, "tasto destro premuto"},
    {10, "0574", 10, Placement::Digital, true, "orologio digitale"},
    {11, "0006", 14, Placement::Analogue, true, "orologio analogico"},
}};

// The order in which the rebuild applies and outlines the rectangles, as
// optPos indices: the clocks first, the texts last.
inline constexpr std::array<int, kPositionCount> kDrawOrder{11, 10, 3, 5, 7, 9, 2, 4, 6, 8, 0, 1};

inline constexpr int kAnalogueTarget = 11;
inline constexpr int kDigitalTarget = 10;

// The record with that code ("0570"); nullopt for any other text.
std::optional<int> targetOfCode(QStringView code);

// What a position box edits: the rectangle (optPos index) and which of its
// four corner values (0 to 3: x1, y1, x2, y2).
struct BoxBinding {
  int target;
  int corner;
};
std::optional<BoxBinding> positionBox(int box);
// The colour record whose transparency box is `box` (4 or 5).
std::optional<ColourRole> transparencyBox(int box);

// The highest box number of the position and transparency array.
inline constexpr int kLastBox = 50;

// ---- object rows -----------------------------------------------------------------

// The images of the rebuild, in its order: the ten main-button slots and
// last the analogue clock face.
struct SlotRecord {
  int object;  // object number; L_Values "ID" is it with four digits
  std::string_view what;
};

inline constexpr std::array<SlotRecord, 11> kSlots{{
    {652, "tasto sinistro disabilitato"},
    {632, "tasto centrale rilasciato"},
    {634, "tasto destro rilasciato"},
    {631, "tasto sinistro premuto"},
    {633, "tasto centrale premuto"},
    {635, "tasto destro premuto"},
    {630, "tasto sinistro rilasciato"},
    {674, "tasto centrale disabilitato"},
    {664, "tasto destro disabilitato"},
    {675, "tasto aggiuntivo rilasciato"},
    {7, "quadrante dell'orologio analogico"},
}};

inline constexpr int kClockFaceObject = 7;
// The soft-key bar shows the released row, left to right.
inline constexpr std::array<int, 3> kSoftKeyObjects{630, 632, 634};

// The main-button panel, by row and left to right (the released row has an
// extra slot at its end).
inline constexpr std::array<int, 3> kDisabledRow{652, 674, 664};
inline constexpr std::array<int, 4> kReleasedRow{630, 632, 634, 675};
inline constexpr std::array<int, 3> kPressedRow{631, 633, 635};

// "0652" for object 652: the "ID" text that finds its row.
QString objectCode(int object);

// ---- names -----------------------------------------------------------------------

// What the record of that "ID" text is, in words ("tasto sinistro
// rilasciato"); empty for a record the editor does not know.
QString objectName(QStringView code);
QString colourName(QStringView code);
QString positionName(QStringView code);

// The "Nome" the lists and listings show beside a row of `list` (one of the
// document's three lists): its record's name with a capital, or empty.
inline const QString kNameHeader = QStringLiteral("Nome");
QString rowName(const ReportList& list, int row);
// The same for a record named by its list's name (kListObjects...) and code.
QString shownName(const QString& listName, QStringView code);

// ---- the screen -------------------------------------------------------------------

// The phone's screen; corners are inclusive, so x runs 0 to 175.
inline constexpr int kScreenWidth = 176;
inline constexpr int kScreenHeight = 220;

// What the phone would make of a rectangle's corners. Such values stay as
// typed, since a skin may rely on them; the editor only points them out.
struct RectangleFlaws {
  bool offScreen = false;  // a corner outside the screen
  bool inverted = false;   // x1 > x2 or y1 > y2
  bool any() const { return offScreen || inverted; }
  friend bool operator==(const RectangleFlaws&, const RectangleFlaws&) = default;
};
RectangleFlaws rectangleFlaws(long long x1, long long y1, long long x2, long long y2);

inline QString text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace corvela::standby
