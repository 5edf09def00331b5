#include "colours_tab.h"

#include <QDateTime>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>

#include "batch_sources.h"
#include "colour_codec.h"
#include "colour_edits.h"
#include "colour_scheme.h"
#include "colours_page.h"
#include "default_set.h"
#include "dialogs.h"
#include "document_names.h"
#include "imaging_commands.h"
#include "path_helpers.h"
#include "picture_box.h"
#include "record_rows.h"
#include "report_view.h"
#include "skin_document.h"
#include "standby_scene.h"
#include "text_number.h"
#include "window_services.h"

namespace corvela {

namespace {
std::int32_t valueOf(const QColor& c) {
  return colourValue(c.red(), c.green(), c.blue());
}
}  // namespace

ColoursTab::ColoursTab(ColoursPage& page, WindowServices& window)
    : QObject(&page),
      defaultFolder(findDefaultFolder()),
      page_(page),
      window_(window),
      doc_(window.document()) {
  connect(page_.PicColor, &PictureBox::clicked, this, &ColoursTab::PicColor_Click);
  connect(page_.PicCC, &PictureBox::clicked, this, &ColoursTab::PicCC_Click);
  connect(page_.cmdLoadColors, &QPushButton::clicked, this, &ColoursTab::cmdLoadColors_Click);
  connect(page_.Command1, &QPushButton::clicked, this, &ColoursTab::Command1_Click);
  connect(page_.Command5, &QPushButton::clicked, this, &ColoursTab::Command5_Click);
  connect(page_.Command7, &QPushButton::clicked, this, &ColoursTab::Command7_Click);
  connect(page_.L_RGBA, &ReportView::rowClicked, this, &ColoursTab::L_RGBA_ItemClick);
  // The picked row follows every change of it: a step, an undo, a file
  // changed on disk.
  connect(&doc_.L_RGBA, &ReportList::rowChanged, this, &ColoursTab::showPickedAgain);
}

void ColoursTab::skinOpened() {
  page_.L_RGBA->selectionModel()->clear();
}

void ColoursTab::showPickedAgain(int changed) {
  // No click: the colour follows, the status bar keeps what it said, and
  // the transparency box keeps the digits being typed into it ("07", or
  // none yet) while they mean the row's value.
  if (changed != page_.L_RGBA->selectedListRow()) return;
  const qint64 shown = numericValue(page_.txt50->text());
  showColour(changed, shown != transparencyValue(doc_.L_RGBA.row(changed)));
}

void ColoursTab::PicColor_Click() {
  const std::optional<QColor> chosen = window_.dialogs().pickColor(page_.PicColor->backColor());
  if (!chosen) return;
  page_.PicColor->setBackColor(*chosen);
  page_.PicCC->setBackColor(*chosen);
  const int row = page_.L_RGBA->selectedListRow();
  changeColour(doc_, row, valueOf(*chosen));
}

void ColoursTab::PicCC_Click() {
  // The last colour of any picker, without a dialog and without a rebuild.
  const int row = page_.L_RGBA->selectedListRow();
  const QColor last = window_.dialogs().lastColor();
  changeColour(doc_, row, valueOf(last));
}

void ColoursTab::cmdLoadColors_Click() {
  if (!window_.dialogs().question(kSchemeQuestion)) return;
  const QString file = defaultColoursPath(defaultFolder);
  if (defaultFolder.isEmpty() || !FileExist(file)) {
    window_.dialogs().error(kSchemeNotFound);
    return;
  }
  const SchemeOutcome outcome = defaultColours(doc_, file);
  if (!outcome.ok) {
    window_.dialogs().error(outcome.error);
    return;
  }
  window_.dialogs().information(kSchemeLoaded);
}

void ColoursTab::Command1_Click() {
  QString source = fixedColourSkin();
  if (source.isEmpty()) {
    const std::optional<QString> chosen = window_.dialogs().openFile(
        QStringLiteral("Importa da altra skin..."), toQtFilter(QStringLiteral("*.ski")), QString());
    if (!chosen || chosen->isEmpty()) return;
    source = *chosen;
  }
  const ColourImport outcome = coloursOfSkin(doc_, source);
  if (!outcome.ok) {
    window_.dialogs().error(outcome.error);
    return;
  }
  page_.L_Colors->clear();
  page_.L_Colors->addItems(outcome.colourLines);
  window_.dialogs().message(
      QString(), QStringLiteral("%1 - %2").arg(outcome.rows).arg(page_.L_Colors->count()),
      Dialogs::Icon::None, Dialogs::Buttons::Ok);
}

void ColoursTab::Command5_Click() {
  QRandomGenerator random(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
  randomColours(doc_, random);
}

void ColoursTab::Command7_Click() {
  whitesTransparent(doc_);
}

void ColoursTab::L_RGBA_ItemClick(int row) {
  const ReportList& list = doc_.L_RGBA;
  if (row < 0 || row >= list.rowCount()) return;
  showColour(row);
  window_.setStatusText(QStringLiteral("Indice: %1/%2").arg(row + 1).arg(list.rowCount()));
}

void ColoursTab::showColour(int row, bool transparency) {
  page_.PicColor->setBackColor(rowColour(doc_, row));
  if (transparency) page_.txt50->setText(QString::number(transparencyValue(doc_.L_RGBA.row(row))));
  page_.txt50->setEnabled(true);
}

}  // namespace corvela
