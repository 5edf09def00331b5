#include "status_fields.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

#include "shown_text.h"

namespace corvela {

namespace {

void show(QLabel& field, const QString& text) {
  field.setText(text);
  field.setAccessibleName(text);
}

}  // namespace

StatusFields::StatusFields(QMainWindow& window) {
  bar = new QStatusBar(&window);
  bar->setObjectName(QStringLiteral("SB0"));
  bar->setSizeGripEnabled(true);
  text_ = new QLabel(bar);
  text_->setObjectName(QStringLiteral("SB0Text"));
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // Messages name skins and files: a name is shown as it is, never as markup.
  text_->setTextFormat(Qt::PlainText);
  // A long message is cut at the window's edge instead of widening the window.
  text_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  text_->setMinimumWidth(1);
  bar->addWidget(text_, 1);
  pointed_ = new QLabel(bar);
  pointed_->setObjectName(QStringLiteral("SB0Record"));
  bar->addPermanentWidget(pointed_);
  coordinates_ = new QLabel(bar);
  coordinates_->setObjectName(QStringLiteral("SB0Coordinates"));
  coordinates_->setMinimumWidth(
      coordinates_->fontMetrics().horizontalAdvance(QStringLiteral("-000, -000")));
  coordinates_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  problems = new QLabel(bar);
  problems->setObjectName(QStringLiteral("SB0Problems"));
  bar->addPermanentWidget(problems);
  bar->addPermanentWidget(coordinates_);
  window.setStatusBar(bar);
}

QString StatusFields::text() const {
  return text_->text();
}

void StatusFields::setText(const QString& text) {
  show(*text_, escapedText(text, Escape::Message));
}

QString StatusFields::coordinates() const {
  return coordinates_->text();
}

void StatusFields::setCoordinates(const QString& text) {
  show(*coordinates_, text);
}

QString StatusFields::pointed() const {
  return pointed_->text();
}

void StatusFields::setPointed(const QString& text) {
  show(*pointed_, text);
}

}  // namespace corvela
