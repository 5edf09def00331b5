#include "info_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "form_helpers.h"
#include "icon_pictures.h"
#include "image_editor.h"
#include "picture_box.h"
#include "standby_image.h"

namespace corvela {

using form::named;

InfoPage::InfoPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("tabInformazioni"));
  auto* layout = new QGridLayout(this);

  PicInfo1 = named(new PictureBox, QStringLiteral("PicInfo1"));
  PicInfo1->setBordered(false);
  PicInfo1->setAutoSize(true);
  PicInfo1->setPicture(applicationIcon().pixmap(QSize(64, 64)));

  lblInfoTitle = new QLabel(QStringLiteral("Per informazioni suggerimenti:"));
  lblInfoTitle->setObjectName(QStringLiteral("lblInfoTitle"));
  QFont bold = lblInfoTitle->font();
  bold.setBold(true);
  lblInfoTitle->setFont(bold);

  lblContact =
      new QLabel(QStringLiteral("Corvela, editor della schermata di standby del v980\n"
                                "Versione 1.0 (build 020), Tavrin\n\n"
                                "Posta: corvela@example.org\n"
                                "Sito: https://example.org/corvela\n\n"
                                "Segnalate errori e idee indicando la versione qui sopra\n"
                                "e, se possibile, allegando il file .ski interessato."));
  lblContact->setObjectName(QStringLiteral("lblContact"));
  lblContact->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblContact->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  PicInfo2 = named(new PictureBox, QStringLiteral("PicInfo2"));
  PicInfo2->setBordered(true);
  PicInfo2->setAutoSize(true);
  PicInfo2->setPicture(QPixmap::fromImage(standbyImage()));

  // The one option of the program: which image editor opens an object.
  txtImageEditor = named(new QLineEdit(imageEditorCommand()), QStringLiteral("txtImageEditor"));
  txtImageEditor->setPlaceholderText(QStringLiteral("editor predefinito del desktop"));
  txtImageEditor->setToolTip(
      QStringLiteral("Comando che apre un oggetto con \"Apri con editor di immagini\"; "
                     "il file è aggiunto per ultimo"));
  connect(txtImageEditor, &QLineEdit::editingFinished, this,
          [this] { setImageEditorCommand(txtImageEditor->text()); });
  auto* editorLabel = new QLabel(QStringLiteral("Editor di immagini:"));
  editorLabel->setBuddy(txtImageEditor);
  auto* editorRow = new QHBoxLayout;
  editorRow->addWidget(editorLabel);
  editorRow->addWidget(txtImageEditor, 1);

  auto* texts = new QVBoxLayout;
  texts->addWidget(lblInfoTitle);
  texts->addWidget(lblContact);
  texts->addSpacing(16);
  texts->addLayout(editorRow);
  texts->addStretch();
  layout->addWidget(PicInfo1, 0, 0, Qt::AlignTop);
  layout->addLayout(texts, 0, 1);
  layout->addWidget(PicInfo2, 0, 2, Qt::AlignTop);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(1, 1);
  layout->setContentsMargins(16, 16, 16, 16);
  layout->setHorizontalSpacing(24);
}

}  // namespace corvela
