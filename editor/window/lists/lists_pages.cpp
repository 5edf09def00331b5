#include "lists_pages.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "desktop_surface.h"
#include "form_helpers.h"
#include "picture_box.h"
#include "record_rows.h"
#include "report_view.h"
#include "skin_document.h"
#include "skin_saver.h"
#include "tree_view.h"

namespace corvela {

namespace {
const QColor kPhoneScreenWhite(255, 255, 255);
}  // namespace

using form::named;

RectsPage::RectsPage(SkinDocument& doc, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("tabPosizione"));
  auto* layout = new QHBoxLayout(this);

  L_Dim = named(new ReportView(doc.L_Dim), QStringLiteral("L_Dim"));
  layout->addWidget(filteredList(L_Dim), 1);

  auto* side = new QVBoxLayout;
  layout->addLayout(side);
  // One pixel of the area is one pixel of the phone's 176 x 220 screen.
  PicOBJ = named(new PictureBox, QStringLiteral("PicOBJ"));
  PicOBJ->setBordered(true);
  PicOBJ->setBackColor(kPhoneScreenWhite);
  PicOBJ->setFixedSize(DesktopSurface::ScreenWidth + 2 * PicOBJ->frameWidth(),
                       DesktopSurface::ScreenHeight + 2 * PicOBJ->frameWidth());
  side->addWidget(PicOBJ);
  chkCls = form::checkBox("chkCls", QStringLiteral("Pulitura automatica"));
  side->addWidget(chkCls);
  side->addStretch();
}

StructurePage::StructurePage(SkinDocument& doc, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("tabStruttura"));
  auto* layout = new QVBoxLayout(this);
  T_Strutt = named(new SkinTreeView(doc.T_Strutt), QStringLiteral("T_Strutt"));
  // A colour or rectangle line reads as the save would write it, its
  // record's edits included, so the tree agrees with the file once saved.
  SkinTreeModel* model = T_Strutt->treeModel();
  model->showLinesAs([&doc](int node) { return regeneratedLine(doc, node - 1); });
  for (const ReportList* list : {&doc.L_RGBA, &doc.L_Dim}) {
    connect(list, &ReportList::rowChanged, model,
            [model, list](int r) { model->lineChanged(static_cast<int>(rowLine(*list, r)) + 1); });
    connect(list, &ReportList::listReset, T_Strutt->viewport(), qOverload<>(&QWidget::update));
  }
  layout->addWidget(T_Strutt);
}

}  // namespace corvela
