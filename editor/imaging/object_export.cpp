#include "object_export.h"

#include <QDir>
#include <QFileInfo>
#include <map>
#include <optional>

#include "document_edits.h"
#include "document_names.h"
#include "object_archive.h"
#include "skin_document.h"
#include "skin_line.h"
#include "text_number.h"

namespace corvela {

QString ExportOutcome::errorMessage() const {
  QStringList parts;
  if (!unreadable.isEmpty()) {
    parts << QStringLiteral("Impossibile leggere gli archivi: %1.")
                 .arg(unreadable.join(QStringLiteral(", ")));
  }
  if (!unwritable.isEmpty()) {
    parts << QStringLiteral("Impossibile scrivere i file: %1.")
                 .arg(unwritable.join(QStringLiteral(", ")));
  }
  if (parts.isEmpty()) return {};
  parts << QStringLiteral("Gli oggetti interessati sono segnati in rosso.");
  return parts.join(u'\n');
}

ExportOutcome exportAllObjects(SkinDocument& doc, const std::function<void(int)>& beforeRow,
                               const std::function<bool()>& stopRequested) {
  ExportOutcome outcome;
  if (!QFileInfo(doc.P_sTarget).isDir()) QDir().mkdir(doc.P_sTarget);

  // Each archive is read once per export, however many objects it holds.
  std::map<long long, std::optional<QByteArray>> archives;
  ReportList& list = doc.L_Values;
  auto markBeyond = [&](int r) {
    list.setColour(r, kRed);
    list.setIcon(r, IconMissing);
  };

  for (int r = 0; r < list.rowCount(); ++r) {
    if (beforeRow) beforeRow(r);
    if (stopRequested && stopRequested()) break;
    const QStringList cells = list.row(r).cells;
    if (cells[V_NDat].trimmed() == kNoId) continue;
    const long long number = numericValue(cells[V_NDat]);
    const long long offset = numericValue(cells[V_Offset]);
    const long long size = numericValue(cells[V_Byte]);

    auto found = archives.find(number);
    if (found == archives.end()) {
      std::optional<QByteArray> bytes =
          readWholeFile(archivePath(doc.P_sPath, doc.P_sTheme, number));
      if (!bytes) outcome.unreadable << archiveFileName(doc.P_sTheme, number);
      found = archives.emplace(number, std::move(bytes)).first;
    }
    if (!found->second) {
      markBeyond(r);
      continue;
    }
    const std::optional<QByteArray> object = cutObject(*found->second, offset, size);
    if (!object || object->isEmpty()) {
      ++outcome.beyondArchive;
      markBeyond(r);
      continue;
    }
    const QString gif = objectGifPath(doc.P_sTarget, cells[V_ID]);
    if (!writeWholeFile(gif, *object)) {
      outcome.unwritable << gif;
      markBeyond(r);
      continue;
    }
    ++outcome.exported;
    setObjectState(list, r,
                   number == kPackedArchive && isOperatorTheme(doc.P_sTheme)
                       ? ObjectState::ToReplace
                       : ObjectState::Extracted,
                   gif);
  }
  return outcome;
}

}  // namespace corvela
