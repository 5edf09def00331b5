#include "position_edits.h"

#include <algorithm>

#include "document_edits.h"
#include "document_names.h"
#include "record_rows.h"
#include "report_list.h"
#include "text_number.h"

namespace corvela {

namespace {
constexpr std::int64_t kMaxTransparency = 255;

bool isRow(const ReportList& list, int row) {
  return row >= 0 && row < list.rowCount();
}

// The two corners an arrow changes, first and second (0 to 3 for X1, Y1,
// X2, Y2), and its sign.
struct MoveCorners {
  size_t first;
  size_t second;
  int sign;
};

MoveCorners cornersOf(MoveDirection direction) {
  switch (direction) {
    case MoveDirection::Up:
      return {1, 3, -1};
    case MoveDirection::Down:
      return {1, 3, 1};
    case MoveDirection::Left:
      return {0, 2, -1};
    case MoveDirection::Right:
      break;
  }
  return {0, 2, 1};
}
}  // namespace

bool setPosition(ReportList& rects, int row, const std::array<QString, 4>& boxes) {
  if (!isRow(rects, row)) return false;
  setRectangle(rects, row, boxes);
  return true;
}

TransparencyEdit setTransparency(ReportList& colours, int row, QStringView boxText) {
  TransparencyEdit edit;
  const std::int64_t v = numericValue(boxText);
  edit.value = static_cast<int>(std::min(v, kMaxTransparency));
  if (v > kMaxTransparency) edit.boxText = QString::number(kMaxTransparency);
  if (!isRow(colours, row)) return edit;
  setTransparencyText(colours, row, QString::number(edit.value));
  markRowChanged(colours, row);
  edit.stored = true;
  return edit;
}

void moveRectangle(ReportList& rects, int row, MoveDirection direction, QStringView offset) {
  if (!isRow(rects, row)) return;
  markRowChanged(rects, row);
  const MoveCorners m = cornersOf(direction);
  std::array<QString, 4> corners = cornerTexts(rects.row(row));
  const std::array<QString, 4> before = corners;
  for (const size_t k : {m.first, m.second}) {
    QString& corner = corners[k];
    corner = QString::number(numericValue(corner) + m.sign * numericValue(offset));
  }
  // Only corners whose text really changes count as an edit of the group,
  // which clears width and height.
  if (corners != before) setRectangle(rects, row, corners);
}

int moveRectangles(ReportList& rects, const MoveTargets& ticked, MoveDirection direction,
                   QStringView offset, const std::function<void(int target)>& afterEach) {
  int moved = 0;
  for (const standby::PositionRecord& p : standby::kPositions) {
    const int row = rects.findId(standby::text(p.code));
    if (!ticked[static_cast<size_t>(p.target)] || row < 0) continue;
    moveRectangle(rects, row, direction, offset);
    ++moved;
    if (afterEach) afterEach(p.target);
  }
  return moved;
}

}  // namespace corvela
