#include "font_substitutions.h"

#include <QFont>
#include <QGuiApplication>
#include <QStringList>

namespace corvela {

void installFontSubstitutions() {
  static const bool installed = [] {
    QFont::insertSubstitutions(
        QStringLiteral("Arial Narrow"),
        {QStringLiteral("Liberation Sans Narrow"), QStringLiteral("DejaVu Sans Condensed")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    return true;
  }();
  (void)installed;
}

void useFrameFont() {
  installFontSubstitutions();
  QFont font = QGuiApplication::font();
  font.setFamilies({QStringLiteral("Tahoma")});
  QGuiApplication::setFont(font);
}

}  // namespace corvela
