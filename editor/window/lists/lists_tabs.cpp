#include "lists_tabs.h"

#include <QCheckBox>
#include <algorithm>

#include "document_names.h"
#include "lists_pages.h"
#include "picture_box.h"
#include "record_rows.h"
#include "report_view.h"
#include "skin_document.h"
#include "text_number.h"
#include "tree_view.h"
#include "window_services.h"

namespace corvela {

namespace {

int coordinate(const QString& cell) {
  // Far outside any screen, yet no overflow when the drawing adds a pixel.
  return static_cast<int>(std::clamp<std::int64_t>(numericValue(cell), -100000, 100000));
}

}  // namespace

RectsTab::RectsTab(RectsPage& page, WindowServices& window)
    : QObject(&page), page_(page), doc_(window.document()) {
  connect(page_.L_Dim, &ReportView::rowClicked, this, &RectsTab::L_Dim_ItemClick);
}

void RectsTab::skinClosing() {
  page_.PicOBJ->clearDrawing();
}

void RectsTab::skinOpened() {
  page_.L_Dim->selectionModel()->clear();
}

void RectsTab::L_Dim_ItemClick(int row) {
  const ReportList& list = doc_.L_Dim;
  if (row < 0 || row >= list.rowCount()) return;
  if (page_.chkCls->isChecked()) page_.PicOBJ->clearDrawing();
  const std::array<QString, 4> c = cornerTexts(list.row(row));
  const QPoint from(coordinate(c[0]), coordinate(c[1]));
  const QPoint to(coordinate(c[2]), coordinate(c[3]));
  page_.PicOBJ->drawRect(QRect(from, to), QColor(0, 0, 255), QColor(0, 0, 0));
}

StructureTab::StructureTab(StructurePage& page, WindowServices& window)
    : QObject(&page), page_(page), window_(window) {
  connect(page.T_Strutt, &SkinTreeView::nodeClicked, this, &StructureTab::T_Strutt_NodeClick);
}

void StructureTab::skinOpened() {
  page_.T_Strutt->expand(page_.T_Strutt->treeModel()->indexOfNode(1));
}

void StructureTab::T_Strutt_NodeClick(int node) {
  if (node < 1 || node > window_.document().T_Strutt.nodeCount()) return;
  window_.setStatusText(window_.document().T_Strutt.tag(node));
}

}  // namespace corvela
