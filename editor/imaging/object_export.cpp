#include "object_export.h"

#include <QDir>
#include <QFileInfo>
#include <new>
#include <optional>
#include <set>

#include "document_edits.h"
#include "document_names.h"
#include "folder_guard.h"
#include "object_archive.h"
#include "skin_document.h"
#include "skin_line.h"
#include "text_number.h"

namespace corvela {

QString ExportOutcome::errorMessage() const {
  if (!refused.isEmpty()) return refused;
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
  parts << reasons;
  parts << QStringLiteral("Gli oggetti interessati sono segnati in rosso.");
  return parts.join(u'\n');
}

namespace {

ExportOutcome exportObjects(SkinDocument& doc, const std::function<void(int)>& beforeRow) {
  ExportOutcome outcome;
  if (std::optional<QString> refused = workingFolderReason(doc.P_sTarget, doc.P_sPath)) {
    outcome.refused = *refused + QStringLiteral(" Nessun oggetto è stato esportato.");
    return outcome;
  }
  if (!QFileInfo(doc.P_sTarget).isDir()) QDir().mkdir(doc.P_sTarget);

  ArchiveReader archives(doc.P_sPath, doc.P_sTheme);
  std::set<long long> reported;
  ReportList& list = doc.L_Values;
  auto markBeyond = [&](int r) {
    list.setColour(r, kRed);
    list.setIcon(r, IconMissing);
  };

  for (int r = 0; r < list.rowCount(); ++r) {
    if (beforeRow) beforeRow(r);
    const QStringList cells = list.row(r).cells;
    if (cells[V_NDat].trimmed() == kNoId) continue;
    const long long number = numericValue(cells[V_NDat]);
    const ArchiveReader::Object object =
        archives.cut(number, numericValue(cells[V_Offset]), numericValue(cells[V_Byte]));
    switch (object.status) {
      case ArchiveReader::Status::NoArchive:
        if (reported.insert(number).second) {
          outcome.unreadable << archiveFileName(doc.P_sTheme, number);
          outcome.reasons << QStringLiteral("%1: %2").arg(
              archivePath(doc.P_sPath, doc.P_sTheme, number), object.reason);
        }
        markBeyond(r);
        continue;
      case ArchiveReader::Status::Failed:
        if (reported.insert(number).second)
          outcome.unreadable << archiveFileName(doc.P_sTheme, number);
        outcome.reasons << QStringLiteral("%1, oggetto %2: %3")
                               .arg(archivePath(doc.P_sPath, doc.P_sTheme, number), cells[V_ID],
                                    object.reason);
        markBeyond(r);
        continue;
      case ArchiveReader::Status::Outside:
        ++outcome.beyondArchive;
        markBeyond(r);
        continue;
      case ArchiveReader::Status::Ok:
        break;
    }
    if (object.bytes.isEmpty()) {
      ++outcome.beyondArchive;
      markBeyond(r);
      continue;
    }
    const QString gif = objectGifPath(doc.P_sTarget, cells[V_ID]);
    QString error;
    if (!writeWholeFile(gif, object.bytes, &error)) {
      outcome.unwritable << gif;
      outcome.reasons << QStringLiteral("%1: %2").arg(gif, error);
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

}  // namespace

ExportOutcome exportAllObjects(SkinDocument& doc, const std::function<void(int)>& beforeRow) {
  try {
    return exportObjects(doc, beforeRow);
  } catch (const std::bad_alloc&) {
    ExportOutcome outcome;
    outcome.refused = QStringLiteral("Memoria insufficiente per esportare gli oggetti di %1.")
                          .arg(doc.skinFile());
    return outcome;
  }
}

}  // namespace corvela
