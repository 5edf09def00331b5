#include "document_edits.h"

#include "document_names.h"
#include "report_list.h"
#include "skin_tree.h"

namespace corvela {

void setObjectState(ListRow& row, ObjectState state, const QString& path) {
  if (!path.isNull()) row.cells[V_PathGif] = path;
  row.state = state;
  if (state == ObjectState::ToReplace) row.edited = true;
}

void setObjectState(ReportList& objects, int row, ObjectState state, const QString& path) {
  if (row < 0 || row >= objects.rowCount()) return;
  ListRow next = objects.row(row);
  setObjectState(next, state, path);
  objects.setRow(row, next);
}

void replaceObject(ListRow& row, const QString& path, std::int64_t size, const QString& archive) {
  row.cells[V_NDat] = archive;
  row.cells[V_Offset] = QStringLiteral("-");
  row.cells[V_Byte] = QString::number(size);
  row.pinned = nullptr;
  setObjectState(row, ObjectState::ToReplace, path);
}

void replaceObject(ReportList& objects, int row, const QString& path, std::int64_t size,
                   const QString& archive) {
  if (row < 0 || row >= objects.rowCount()) return;
  ListRow next = objects.row(row);
  replaceObject(next, path, size, archive);
  objects.setRow(row, next);
}

void markRowChanged(ReportList& list, int row) {
  if (row < 0 || row >= list.rowCount()) return;
  list.setEdited(row, true);
}

void setRectangle(ReportList& rects, int row, const std::array<QString, 4>& corners) {
  if (row < 0 || row >= rects.rowCount()) return;
  for (int i = 0; i < 4; ++i) rects.setCell(row, D_X1 + i, corners[static_cast<size_t>(i)]);
  rects.setCell(row, D_Larghezza, QStringLiteral("-"));
  rects.setCell(row, D_Altezza, QStringLiteral("-"));
  rects.setEdited(row, true);
}

void setColour(ReportList& colours, int row, int red, int green, int blue) {
  if (row < 0 || row >= colours.rowCount()) return;
  colours.setCell(row, C_R, QString::number(red));
  colours.setCell(row, C_G, QString::number(green));
  colours.setCell(row, C_B, QString::number(blue));
  colours.setEdited(row, true);
}

void setTransparencyText(ReportList& colours, int row, const QString& text) {
  if (row < 0 || row >= colours.rowCount()) return;
  colours.setCell(row, C_Trasparenza, text);
}

void setTreeLine(SkinTree& tree, int node, const QString& text) {
  if (node < 1 || node > tree.nodeCount()) return;
  tree.setText(node, text);
  tree.setEdited(node, true);
}

}  // namespace corvela
