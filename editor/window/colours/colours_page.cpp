#include "colours_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "form_helpers.h"
#include "picture_box.h"
#include "preview_tab.h"
#include "report_view.h"
#include "skin_document.h"

namespace corvela {

using form::button;
using form::named;

ColoursPage::ColoursPage(SkinDocument& doc, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("tabColori"));
  auto* layout = new QHBoxLayout(this);

  L_RGBA = named(new ReportView(doc.L_RGBA), QStringLiteral("L_RGBA"));
  layout->addWidget(filteredList(L_RGBA), 1);

  auto* side = new QVBoxLayout;
  layout->addLayout(side);

  const QString swatchTip = QStringLiteral("Colore oggetto, clicca per cambiare...");
  fraPreviewColore = form::frame("fraPreviewColore", QStringLiteral("Preview colore:"));
  auto* preview = new QGridLayout(fraPreviewColore);
  PicColor = named(new PictureBox, QStringLiteral("PicColor"));
  PicColor->setToolTip(swatchTip);
  PicColor->setBordered(true);
  PicColor->setBackColor(Qt::white);
  PicColor->setFixedSize(120, 64);
  PicColor->setCursor(Qt::PointingHandCursor);
  PicColor->setKeyboardActivation(true);
  lblTrasparenza = new QLabel(QStringLiteral("Trasparenza:"));
  lblTrasparenza->setObjectName(QStringLiteral("lblTrasparenza"));
  txt50 = named(new QLineEdit, QStringLiteral("txt(50)"));
  txt50->setFixedWidth(txt50->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 14);
  QPalette grey = txt50->palette();
  grey.setColor(QPalette::Base, PreviewTab::NumberBoxColour);
  txt50->setPalette(grey);
  txt50->setEnabled(false);
  lblTrasparenza->setBuddy(txt50);
  preview->addWidget(PicColor, 0, 0, 1, 2);
  preview->addWidget(lblTrasparenza, 1, 0);
  preview->addWidget(txt50, 1, 1, Qt::AlignLeft);
  preview->setColumnStretch(1, 1);
  side->addWidget(fraPreviewColore);

  const QString loadColours = QStringLiteral("Carica i colori di default (marevia)");
  cmdLoadColors = button("cmdLoadColors", loadColours, loadColours);
  Command1 = button("Command1", QStringLiteral("Importa da altra skin..."));
  Command7 = button("Command7", QStringLiteral("Bianchi -> Trasp."));
  Command5 = button("Command5", QStringLiteral("Command5"));
  side->addWidget(cmdLoadColors);
  side->addWidget(Command1);
  auto* tools = new QHBoxLayout;
  tools->addWidget(Command7);
  tools->addWidget(Command5);
  PicCC = named(new PictureBox, QStringLiteral("PicCC"));
  PicCC->setToolTip(swatchTip);
  PicCC->setBordered(true);
  PicCC->setBackColor(Qt::black);
  PicCC->setFixedSize(24, 24);
  PicCC->setKeyboardActivation(true);
  PicCC->setCursor(Qt::PointingHandCursor);
  tools->addWidget(PicCC);
  side->addLayout(tools);

  L_Colors = named(new QListWidget, QStringLiteral("L_Colors"));
  L_Colors->setMinimumHeight(80);
  side->addWidget(L_Colors, 1);
}

}  // namespace corvela
