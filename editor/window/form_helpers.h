#pragma once
// The few ways the tabs' forms make their controls, so that every page names
// and captions them alike.

#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QPushButton>
#include <QString>

#include "font_substitutions.h"

namespace corvela::form {

// Frames and the texts inside them are set in Tahoma, at the size the rest
// of the window uses.
inline void useFrameFont(QWidget* frame) {
  QFont f = frame->font();
  f.setFamilies({frameFamily()});
  frame->setFont(f);
}

inline QGroupBox* frame(const char* name, const QString& caption) {
  auto* box = new QGroupBox(caption);
  box->setObjectName(QLatin1StringView(name));
  useFrameFont(box);
  return box;
}

inline QPushButton* button(const char* name, const QString& caption, const QString& tip = {}) {
  auto* b = new QPushButton(caption);
  b->setObjectName(QLatin1StringView(name));
  if (!tip.isEmpty()) b->setToolTip(tip);
  return b;
}

inline QCheckBox* checkBox(const char* name, const QString& caption) {
  auto* c = new QCheckBox(caption);
  c->setObjectName(QLatin1StringView(name));
  return c;
}

// Names a control that has no caption of its own, for assistive technology
// and for anyone looking for it by name.
template <typename W>
W* named(W* widget, const QString& name) {
  widget->setObjectName(name);
  widget->setAccessibleName(name);
  return widget;
}

}  // namespace corvela::form
