// The window's form: every control created, named, captioned and placed.
// Behaviour lives in frm_desktop.cpp; this file only builds.
#include <ferzola/LineSeparator.h>
#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "colours_page.h"
#include "file_list_box.h"
#include "form_helpers.h"
#include "frm_desktop.h"
#include "gif_page_view.h"
#include "icon_pictures.h"
#include "info_page.h"
#include "lists_pages.h"
#include "picture_box.h"
#include "preview_tab.h"
#include "report_view.h"

namespace corvela {

namespace {

// Wraps a tab's page so that a small screen scrolls it instead of crushing it.
QWidget* scrolling(QWidget* page) {
  auto* area = new QScrollArea;
  area->setWidget(page);
  area->setWidgetResizable(true);
  area->setFrameShape(QFrame::NoFrame);
  return area;
}

}  // namespace

using form::button;
using form::checkBox;
using form::frame;
using form::named;

void frmDesktop::buildToolBar() {
  TB0 = new QToolBar(QStringLiteral("TB0"), this);
  TB0->setObjectName(QStringLiteral("TB0"));
  TB0->setMovable(false);
  TB0->setFloatable(false);
  TB0->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  TB0->setIconSize(QSize(20, 20));
  TB0->setContextMenuPolicy(Qt::PreventContextMenu);
  addToolBar(Qt::TopToolBarArea, TB0);

  const auto add = [this](const QString& caption, const char* key, const QString& tip,
                          int picture) {
    QAction* a = TB0->addAction(iconButtonPicture(picture), caption);
    a->setObjectName(QLatin1StringView(key));
    a->setData(QLatin1StringView(key));
    // The caption is shown whole, dots included.
    a->setIconText(caption);
    a->setToolTip(tip);
    if (QWidget* w = TB0->widgetForAction(a)) w->setObjectName(QLatin1StringView(key));
    return a;
  };
  btnLoad = add(QStringLiteral("Apri..."), "LOAD", QStringLiteral("Apri un file *.ski..."), 1);
  TB0->addSeparator();
  btnSave = add(QStringLiteral("Salva"), "SAVE", QStringLiteral("Salva le modifiche..."), 5);
  TB0->addSeparator();
  btnClose = add(QStringLiteral("Termina"), "CLOSE", QStringLiteral("Esci da Corvela"), 6);
  TB0->addSeparator();
  btnUndo = add(QStringLiteral("Annulla"), "UNDO", QStringLiteral("Annulla"), 7);
  btnRedo = add(QStringLiteral("Ripeti"), "REDO", QStringLiteral("Ripeti"), 8);
  // Nothing is open yet, so there is nothing to save.
  btnSave->setEnabled(false);
}

void frmDesktop::buildTabs() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("frmDesktopClient"));
  auto* layout = new QVBoxLayout(central);
  SSTab1 = new QTabWidget(central);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  SSTab1->setUsesScrollButtons(true);
  layout->addWidget(SSTab1);
  setCentralWidget(central);

  tabPreview = new PreviewTab;
  SSTab1->addTab(scrolling(tabPreview), QStringLiteral("Preview skin"));
  SSTab1->addTab(buildObjectsTab(), QStringLiteral("Oggetti grafici"));
  coloursPage = new ColoursPage(doc);
  SSTab1->addTab(coloursPage, QStringLiteral("Colori"));
  rectsPage = new RectsPage(doc);
  structurePage = new StructurePage(doc);
  SSTab1->addTab(rectsPage, QStringLiteral("Posizione e dimesione oggetti"));
  SSTab1->addTab(structurePage, QStringLiteral("Struttura"));
  infoPage = new InfoPage;
  SSTab1->addTab(scrolling(infoPage), QStringLiteral("Opzioni / Informazioni"));

  // The separator sits on the window itself, under the tool bar; the client
  // area leaves room for it.
  LineSeparator1 = new ferzola::LineSeparator(this);
  LineSeparator1->setObjectName(QStringLiteral("LineSeparator1"));
  LineSeparator1->setTwipsGeometry(0, 360, 9435, 45);
  LineSeparator1->show();
  layout->setContentsMargins(4, LineSeparator1->height() + 4, 4, 2);
}

QWidget* frmDesktop::buildObjectsTab() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("tabOggetti"));
  auto* layout = new QHBoxLayout(page);

  L_Values = named(new ReportView(doc.L_Values), QStringLiteral("L_Values"));
  layout->addWidget(L_Values, 1);

  auto* side = new QVBoxLayout;
  layout->addLayout(side);

  fraPreviewOggetto = frame("fraPreviewOggetto", QStringLiteral("Preview oggetto:"));
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
  PicImport = named(new PictureBox(page), QStringLiteral("PicImport"));
  PicImport->setAutoSize(true);
  PicImport->hide();
  return page;
}

}  // namespace corvela
