#include "colours_tab.h"

#include "preview_controller.h"

#include <QDateTime>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>

#include "batch_sources.h"
#include "colour_codec.h"
#include "colour_edits.h"
#include "colour_scheme.h"
#include "default_set.h"
#include "document_names.h"
#include "frm_desktop.h"
#include "path_helpers.h"
#include "picture_box.h"
#include "report_view.h"
#include "standby_scene.h"
#include "step_names.h"
#include "text_number.h"

namespace corvela {

namespace {
std::int32_t valueOf(const QColor& c) {
  return colourValue(c.red(), c.green(), c.blue());
}
}  // namespace

ColoursTab::ColoursTab(frmDesktop& window)
    : QObject(&window), defaultFolder(findDefaultFolder()), w_(window) {
  connect(w_.PicColor, &PictureBox::clicked, this, &ColoursTab::PicColor_Click);
  connect(w_.PicCC, &PictureBox::clicked, this, &ColoursTab::PicCC_Click);
  connect(w_.cmdLoadColors, &QPushButton::clicked, this, &ColoursTab::cmdLoadColors_Click);
  connect(w_.Command1, &QPushButton::clicked, this, &ColoursTab::Command1_Click);
  connect(w_.Command5, &QPushButton::clicked, this, &ColoursTab::Command5_Click);
  connect(w_.Command7, &QPushButton::clicked, this, &ColoursTab::Command7_Click);
  connect(w_.L_RGBA, &ReportView::rowClicked, this, &ColoursTab::L_RGBA_ItemClick);
}

void ColoursTab::PicColor_Click() {
  const std::optional<QColor> chosen = w_.dialogs().pickColor(w_.PicColor->backColor());
  if (!chosen) return;
  w_.PicColor->setBackColor(*chosen);
  w_.PicCC->setBackColor(*chosen);
  const int row = w_.L_RGBA->selectedListRow();
  bool set = false;
  w_.doc.perform(colourStepName(w_.doc, row),
                 [&] { set = setRowColour(w_.doc, row, valueOf(*chosen)); });
  if (set) w_.UpdateDesktop();
}

void ColoursTab::PicCC_Click() {
  // The last colour of any picker, without a dialog and without a rebuild.
  const int row = w_.L_RGBA->selectedListRow();
  const QColor last = w_.dialogs().lastColor();
  w_.doc.perform(colourStepName(w_.doc, row), [&] { setRowColour(w_.doc, row, valueOf(last)); });
}

void ColoursTab::cmdLoadColors_Click() {
  if (!w_.dialogs().question(kSchemeQuestion)) return;
  const QString file = defaultColoursPath(defaultFolder);
  if (defaultFolder.isEmpty() || !FileExist(file)) {
    w_.dialogs().error(kSchemeNotFound);
    return;
  }
  SchemeOutcome outcome;
  w_.doc.perform(QStringLiteral("colori di default"),
                 [&] { outcome = loadColourScheme(w_.doc, file); });
  if (!outcome.ok) {
    w_.dialogs().error(outcome.error);
    return;
  }
  // The rows the preview's editors write through are gone.
  w_.preview->rebindColourRows();
  w_.dialogs().information(kSchemeLoaded);
}

void ColoursTab::Command1_Click() {
  QString source = fixedColourSkin();
  if (source.isEmpty()) {
    const std::optional<QString> chosen = w_.dialogs().openFile(
        QStringLiteral("Importa da altra skin..."), toQtFilter(QStringLiteral("*.ski")), QString());
    if (!chosen || chosen->isEmpty()) return;
    source = *chosen;
  }
  const ColourImport outcome = importColoursFromSkin(w_.doc, source);
  if (!outcome.ok) {
    w_.dialogs().error(outcome.error);
    return;
  }
  w_.L_Colors->clear();
  w_.L_Colors->addItems(outcome.colourLines);
  w_.dialogs().message(QString(),
                       QStringLiteral("%1 - %2").arg(outcome.rows).arg(w_.L_Colors->count()),
                       Dialogs::Icon::None, Dialogs::Buttons::Ok);
}

void ColoursTab::Command5_Click() {
  QRandomGenerator random(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
  w_.doc.perform(QStringLiteral("colori casuali"), [&] { randomiseBlackColours(w_.doc, random); });
}

void ColoursTab::Command7_Click() {
  w_.doc.perform(QStringLiteral("Bianchi -> Trasp."), [&] { whitesToTransparent(w_.doc); });
}

void ColoursTab::L_RGBA_ItemClick(int row) {
  const ReportList& list = w_.doc.L_RGBA;
  if (row < 0 || row >= list.rowCount()) return;
  w_.PicColor->setBackColor(rowColour(w_.doc, row));
  // Showing the value is no edit of it.
  w_.doc.P_Load = true;
  w_.txt50->setText(QString::number(numericValue(list.cell(row, C_Trasparenza))));
  w_.txt50->setEnabled(true);
  w_.doc.P_Load = false;
  w_.setStatusText(QStringLiteral("Indice: %1/%2").arg(row + 1).arg(list.rowCount()));
}

}  // namespace corvela
