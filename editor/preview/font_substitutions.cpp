#include "font_substitutions.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

namespace corvela {

namespace {

const QString kFrameFamily = QStringLiteral("Tahoma");
const QString kPhoneFamily = QStringLiteral("Arial Narrow");

const QStringList& frameSubstitutes() {
  static const QStringList substitutes = {QStringLiteral("DejaVu Sans"),
                                          QStringLiteral("Liberation Sans")};
  return substitutes;
}

const QStringList& phoneSubstitutes() {
  static const QStringList substitutes = {QStringLiteral("Liberation Sans Narrow"),
                                          QStringLiteral("DejaVu Sans Condensed")};
  return substitutes;
}

// `family` when installed, else the first installed of `substitutes`, as
// the database spells it; `family` itself when none is, for Qt's own
// fallback to settle.
QString installedFamily(const QString& family, const QStringList& substitutes) {
  const QStringList installed = QFontDatabase::families();
  for (const QString& wanted : QStringList{family} + substitutes) {
    for (const QString& name : installed) {
      if (name.compare(wanted, Qt::CaseInsensitive) == 0) return name;
    }
  }
  return family;
}

}  // namespace

void installFontSubstitutions() {
  static const bool installed = [] {
    QFont::insertSubstitutions(kPhoneFamily, phoneSubstitutes());
    QFont::insertSubstitutions(kFrameFamily, frameSubstitutes());
    return true;
  }();
  (void)installed;
}

QString frameFamily() {
  static const QString family = installedFamily(kFrameFamily, frameSubstitutes());
  return family;
}

QString phoneFamily() {
  static const QString family = installedFamily(kPhoneFamily, phoneSubstitutes());
  return family;
}

void useFrameFont() {
  installFontSubstitutions();
  QFont font = QGuiApplication::font();
  font.setFamilies({frameFamily()});
  QGuiApplication::setFont(font);
}

}  // namespace corvela
