#pragma once
// The names of the window's steps in the undo history, as the tool tips and
// the history panel show them ("posizione 0570").

#include <QString>

#include "document_names.h"
#include "report_list.h"
#include "skin_document.h"

namespace corvela {

inline QString stepName(const QString& what, const QString& id) {
  return what + u' ' + listId(id);
}

// A row of the colour list, by its id.
inline QString colourStepName(const SkinDocument& doc, int row) {
  const QString id =
      row >= 0 && row < doc.L_RGBA.rowCount() ? doc.L_RGBA.cell(row, C_ID) : QString();
  return id.isEmpty() ? QStringLiteral("colore") : stepName(QStringLiteral("colore"), id);
}

}  // namespace corvela
