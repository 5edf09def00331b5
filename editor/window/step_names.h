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

// An edit of a row of the colour list, named by the row's id when it has one.
inline QString colourStepName(const SkinDocument& doc, int row,
                              const QString& what = QStringLiteral("colore")) {
  const QString id =
      row >= 0 && row < doc.L_RGBA.rowCount() ? doc.L_RGBA.cell(row, C_ID) : QString();
  return id.isEmpty() ? what : stepName(what, id);
}

}  // namespace corvela
