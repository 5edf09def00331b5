#include "object_viewer.h"

namespace corvela {

namespace {

const QString kPageStart = QStringLiteral(
    "about:<html><body leftMargin=0 topMargin=0 marginheight=0 marginwidth=0 scroll=no>");

}  // namespace

QString aniGifPage(const QString& gifImage) {
  return kPageStart + QStringLiteral("<img src=") + QLatin1Char('"') + gifImage + QLatin1Char('"') +
         QStringLiteral("></img></body></html>");
}

QString noGifPage() {
  return kPageStart + QStringLiteral("</body></html>");
}

}  // namespace corvela
