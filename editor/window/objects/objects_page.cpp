#include "objects_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "file_list_box.h"
#include "form_helpers.h"
#include "gif_page_view.h"
#include "object_viewer.h"
#include "picture_box.h"
#include "report_view.h"
#include "skin_document.h"

namespace corvela {

using form::button;
using form::checkBox;
using form::named;

ObjectsPage::ObjectsPage(SkinDocument& doc, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("tabOggetti"));
  auto* layout = new QHBoxLayout(this);

  L_Values = named(new ReportView(doc.L_Values, &doc.objectFacts()), QStringLiteral("L_Values"));
  layout->addWidget(filteredList(L_Values), 1);

  auto* side = new QVBoxLayout;
  layout->addLayout(side);

  fraPreviewOggetto = form::frame("fraPreviewOggetto", QStringLiteral("Preview oggetto:"));
  auto* preview = new QGridLayout(fraPreviewOggetto);
  PicPreview = named(new PictureBox, QStringLiteral("PicPreview"));
  PicPreview->setAutoSize(true);
  PicPreview->setBordered(false);
  PicPreview->setCheckerboard(true);
  // A large object scrolls inside its corner instead of pushing the buttons
  // out of the window.
  auto* stillArea = new QScrollArea;
  stillArea->setObjectName(QStringLiteral("PicPreviewArea"));
  stillArea->setWidget(PicPreview);
  stillArea->setWidgetResizable(false);
  stillArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  stillArea->setFixedSize(184, 184);
  WB = named(new GifPageView, QStringLiteral("WB"));
  WB->setFixedSize(184, 184);
  lInfo = new QLabel(QStringLiteral("..."));
  lInfo->setObjectName(QStringLiteral("lInfo"));
  preview->addWidget(stillArea, 0, 0);
  preview->addWidget(WB, 0, 1);
  preview->addWidget(lInfo, 1, 0, 1, 2);
  side->addWidget(fraPreviewOggetto);

  cmdExportAll = button("cmdExportAll", QStringLiteral("Esporta tutto"));
  cmdImport = button("cmdImport", QStringLiteral("Importa..."));
  cmdDefault = button("cmdDefault", QStringLiteral("Default"));
  cmdDefaultAll = button("cmdDefaultAll", QStringLiteral("Skin di default"));
  cmdDir = button("cmdDir", QStringLiteral("Directory..."));
  Command2 = button("Command2", QStringLiteral("Test"));
  auto* buttons = new QGridLayout;
  buttons->addWidget(cmdExportAll, 0, 0);
  buttons->addWidget(cmdDefaultAll, 0, 1);
  buttons->addWidget(cmdImport, 1, 0);
  buttons->addWidget(cmdDefault, 1, 1);
  buttons->addWidget(cmdDir, 2, 0);
  buttons->addWidget(Command2, 2, 1);
  side->addLayout(buttons);

  chkDim = checkBox("chkDim", QStringLiteral("Verifica dimensioni"));
  chkConferma = checkBox("chkConferma", QStringLiteral("Richiedi conferma"));
  auto* checks = new QHBoxLayout;
  checks->addWidget(chkDim);
  checks->addWidget(chkConferma);
  checks->addStretch();
  side->addLayout(checks);
  // Replacing is only possible once an object is picked.
  for (QWidget* w : {static_cast<QWidget*>(cmdImport), static_cast<QWidget*>(cmdDefault),
                     static_cast<QWidget*>(chkDim), static_cast<QWidget*>(chkConferma)}) {
    w->setEnabled(false);
  }
  chkDim->setChecked(true);
  chkConferma->setChecked(true);

  FileDat = named(new FileListBox, QStringLiteral("FileDat"));
  FileDat->setPattern(QStringLiteral("*.Dat"));
  FileDat->setMinimumHeight(80);
  side->addWidget(FileDat, 1);

  // Images about to be imported are decoded here to learn their size; the
  // user never sees this box.
  PicImport = named(new PictureBox(this), QStringLiteral("PicImport"));
  PicImport->setAutoSize(true);
  PicImport->hide();
}

void ObjectsPage::setInfoText(const QString& text) {
  lInfo->setText(text);
  lInfo->setAccessibleName(text);
}

void ObjectsPage::AniGIF(GifPageView* view, PictureBox* /*Image*/, const QString& GifImage) {
  if (view) view->Navigate(aniGifPage(GifImage));
}

void ObjectsPage::NoGIF() {
  WB->Navigate(noGifPage());
}

void ObjectsPage::reset() {
  cmdImport->setEnabled(false);
  cmdDefault->setEnabled(false);
  chkDim->setEnabled(false);
  chkDim->setChecked(true);
  chkConferma->setEnabled(false);
  chkConferma->setChecked(true);
  NoGIF();
}

void ObjectsPage::clearShown() {
  PicPreview->clearPicture();
  setInfoText(QStringLiteral("..."));
}

}  // namespace corvela
