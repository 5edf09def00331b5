#include "document_edits.h"

#include <atomic>

#include "document_names.h"
#include "report_list.h"
#include "skin_tree.h"

namespace corvela {

void setObjectState(ListRow& row, ObjectState state) {
  row.state = state;
  if (state == ObjectState::ToReplace) row.edited = true;
}

void setObjectState(ReportList& objects, int row, ObjectState state) {
  if (row < 0 || row >= objects.rowCount()) return;
  ListRow next = objects.row(row);
  setObjectState(next, state);
  objects.setRow(row, next);
}

void replaceObject(ListRow& row, const QString& path, std::int64_t size,
                   std::optional<long long> archive) {
  ObjectRecord& o = row.object();
  o.archive = archive ? std::optional<Field>(Field(*archive)) : std::nullopt;
  o.offset.reset();
  o.size = Field(size);
  o.file = path;
  row.pinned = nullptr;
  setObjectState(row, ObjectState::ToReplace);
}

void replaceObject(ReportList& objects, int row, const QString& path, std::int64_t size,
                   std::optional<long long> archive) {
  if (row < 0 || row >= objects.rowCount()) return;
  ListRow next = objects.row(row);
  replaceObject(next, path, size, archive);
  objects.setRow(row, next);
}

void markRowChanged(ReportList& list, int row) {
  if (row < 0 || row >= list.rowCount()) return;
  list.setEdited(row, true);
}

quint64 nextEditStamp() {
  static std::atomic<quint64> last{0};
  return ++last;
}

namespace {
// Stamped only when it holds something else: an edit that changes nothing
// is no edit.
void setEditedRow(ReportList& list, int row, ListRow next) {
  if (next == list.row(row)) return;
  next.stamp = nextEditStamp();
  list.setRow(row, next);
}
}  // namespace

void setRectangle(ReportList& rects, int row, const std::array<QString, 4>& corners) {
  if (row < 0 || row >= rects.rowCount()) return;
  ListRow next = rects.row(row);
  RectRecord& d = next.rect();
  for (size_t i = 0; i < 4; ++i) d.corners[i] = Field::read(corners[i]);
  d.sized = false;
  next.edited = true;
  setEditedRow(rects, row, std::move(next));
}

void setColour(ReportList& colours, int row, int red, int green, int blue) {
  if (row < 0 || row >= colours.rowCount()) return;
  ListRow next = colours.row(row);
  next.colour().rgb = {Field(red), Field(green), Field(blue)};
  next.edited = true;
  setEditedRow(colours, row, std::move(next));
}

void setTransparencyText(ReportList& colours, int row, const QString& text) {
  if (row < 0 || row >= colours.rowCount()) return;
  ListRow next = colours.row(row);
  next.colour().transparency = Field::read(text);
  setEditedRow(colours, row, std::move(next));
}

void setTreeLine(SkinTree& tree, int node, const QString& text) {
  if (node < 1 || node > tree.nodeCount()) return;
  if (tree.node(node).text == text && tree.node(node).edited) return;
  tree.setText(node, text);
  tree.setEdited(node, true);
  tree.setStamp(node, nextEditStamp());
}

}  // namespace corvela
