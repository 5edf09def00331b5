#pragma once
// The names of the steps in the undo history, as the tool tips and the
// history panel show them ("Posizione: Orologio digitale").

#include <QString>

#include "document_names.h"
#include "report_list.h"
#include "skin_document.h"
#include "skin_line.h"
#include "standby_records.h"

namespace corvela {

// A step names its record as the lists do, so the history reads like the
// screen; a record the editor has no name for goes by its id, and a line
// without id by the kind of edit alone.
inline QString stepName(const QString& what, const ReportList& list, int row) {
  if (row < 0 || row >= list.rowCount()) return what;
  QString record = standby::rowName(list, row);
  if (record.isEmpty()) {
    record = rowId(list.row(row));
    if (record.trimmed().isEmpty() || record == kNoId) return what;
  }
  return what + QStringLiteral(": ") + record;
}

inline QString colourStepName(const SkinDocument& doc, int row,
                              const QString& what = QStringLiteral("Colore")) {
  return stepName(what, doc.L_RGBA, row);
}

}  // namespace corvela
