#include "tab_status.h"

#include <QDir>

#include "skin_document.h"
#include "window_tabs.h"

namespace corvela {

std::optional<QString> tabStatus(const SkinDocument& doc, int tab) {
  switch (tab) {
    case TabPreview:
      if (doc.P_sTheme.isEmpty()) return std::nullopt;
      return QStringLiteral("Skin: ") + QDir::toNativeSeparators(doc.skinFile());
    case TabObjects:
      return doc.L_Values.rowCount() > 0
                 ? QStringLiteral("N° oggetti definiti in elenco: %1").arg(doc.L_Values.rowCount())
                 : QStringLiteral("Nessun oggetto definito in elenco.");
    case TabColours:
      return doc.L_RGBA.rowCount() > 0
                 ? QStringLiteral("N° colori definiti in elenco: %1").arg(doc.L_RGBA.rowCount())
                 : QStringLiteral("Nessun colore definito in elenco.");
    case TabStructure:
      return QString();
    default:
      return std::nullopt;
  }
}

}  // namespace corvela
