#pragma once
// The position editor and the move tools as operations on the rectangle and
// colour lists. Rows are the ones the window binds (-1 for none); the window
// and corvela-skin run them as steps of the document.

#include <QString>
#include <QStringView>
#include <array>
#include <functional>
#include <optional>

#include "standby_records.h"

namespace corvela {

class ReportList;

// A group of four position boxes typed into: their texts as they stand go
// to X1..Y2 of `row`, width and height become "-", the row is marked.
// False, and nothing changes, when the group is not bound.
bool setPosition(ReportList& rects, int row, const std::array<QString, 4>& boxes);

struct TransparencyEdit {
  int value = 0;                   // what the row holds now (or would hold)
  std::optional<QString> boxText;  // the box's corrected text, when it was above 255
  bool stored = false;             // a row was bound and written
};

// A transparency box typed into: the numeric value of its text, at most
// 255, without leading zeros into "Trasparenza" of `row`, which is marked.
// The box is corrected even when no row is bound.
TransparencyEdit setTransparency(ReportList& colours, int row, QStringView boxText);

// The four arrow buttons.
enum class MoveDirection { Up, Down, Left, Right };

// One ticked rectangle of the move tools: `row` is marked and the two
// columns of the direction are shifted by the numeric value of `offset`
// (0 when it holds no number), written as plain numbers with their sign.
// Width and height become "-" exactly when a corner's text changed, as an
// edit of the position boxes does.
void moveRectangle(ReportList& rects, int row, MoveDirection direction, QStringView offset);

// The ticks of the optPos check boxes, by optPos index.
using MoveTargets = std::array<bool, standby::kPositionCount>;

// A press of an arrow button: every ticked rectangle that the skin has, in
// the move tools' order, moved by moveRectangle; `afterEach` runs after each
// one with its optPos index, for a caller that follows the press. The
// number moved.
int moveRectangles(ReportList& rects, const MoveTargets& ticked, MoveDirection direction,
                   QStringView offset, const std::function<void(int target)>& afterEach = {});

}  // namespace corvela
