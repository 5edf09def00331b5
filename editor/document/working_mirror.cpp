#include "working_mirror.h"

#include <QDir>
#include <QFileInfo>
#include <set>

#include "document_edits.h"
#include "document_names.h"
#include "folder_guard.h"
#include "gif_check.h"
#include "object_archive.h"
#include "safe_read.h"
#include "safe_write.h"
#include "skin_document.h"
#include "skin_line.h"
#include "text_number.h"

namespace corvela {

QString OutsideChanges::note() const {
  QStringList parts;
  if (marked > 0) {
    parts << (marked == 1
                  ? QStringLiteral("1 oggetto modificato fuori da Corvela: sarà salvato")
                  : QStringLiteral("%1 oggetti modificati fuori da Corvela: saranno salvati")
                        .arg(marked));
  }
  for (const QString& file : notGifs) {
    parts << QStringLiteral("%1 non è una GIF valida: l'oggetto non sarà salvato con questo file")
                 .arg(QDir::toNativeSeparators(file));
  }
  return parts.join(QStringLiteral("; "));
}

namespace {

bool hasArchivePlace(const QStringList& cells) {
  return cells[V_NDat].trimmed() != kNoId && cells[V_Offset].trimmed() != kNoId;
}

}  // namespace

std::vector<int> rowsShowingWorkingFiles(const SkinDocument& doc) {
  std::vector<int> rows;
  for (int r = 0; r < doc.L_Values.rowCount(); ++r) {
    if (doc.L_Values.cell(r, V_PathGif) == objectGifPath(doc.P_sTarget, doc.L_Values.cell(r, V_ID)))
      rows.push_back(r);
  }
  return rows;
}

OutsideChanges markOutsideChanges(SkinDocument& doc, const std::vector<int>& rows) {
  OutsideChanges changes;
  if (workingFolderReason(doc.P_sTarget, doc.P_sPath)) return changes;
  ArchiveReader archives(doc.P_sPath, doc.P_sTheme);
  for (int r : rows) {
    if (r < 0 || r >= doc.L_Values.rowCount()) continue;
    const QStringList cells = doc.L_Values.row(r).cells;
    const QString gif = objectGifPath(doc.P_sTarget, cells[V_ID]);
    // Every object of an opened skin passes here: the file system is asked
    // once per file.
    const PathStat st = pathStat(gif, false);
    if (!st.exists || (st.link && !pathStat(gif).exists)) continue;
    if (hasArchivePlace(cells)) {
      const long long size = numericValue(cells[V_Byte]);
      // Equal sizes are the common case right after an export; only then
      // are the two sets of bytes worth reading.
      if (st.regular && st.size == size) {
        const ArchiveReader::Object object =
            archives.cut(numericValue(cells[V_NDat]), numericValue(cells[V_Offset]), size);
        if (object.status != ArchiveReader::Status::Ok || holdsExactly(gif, st, object.bytes))
          continue;
      }
    }
    QString why;
    const std::optional<QByteArray> bytes = readGifToPack(gif, doc.P_sPath, &why);
    if (!bytes) {
      changes.notGifs << gif;
      continue;
    }
    replaceObject(doc.L_Values, r, gif, bytes->size());
    ++changes.marked;
  }
  return changes;
}

std::optional<QString> mirrorPackedObjects(SkinDocument& doc,
                                           const std::vector<PackedObject>& packed) {
  // A working folder that is a link leading out is never read by a load,
  // so nothing stale there can be packed either.
  if (workingFolderReason(doc.P_sTarget, doc.P_sPath)) return std::nullopt;
  if (!packed.empty() && !QFileInfo(doc.P_sTarget).isDir()) QDir().mkdir(doc.P_sTarget);

  ReportList& list = doc.L_Values;
  const QString archive = padNumber(kPackedArchive, 2);
  QStringList problems;
  std::vector<std::pair<int, QString>> staged;
  long long offset = 0;
  for (const PackedObject& p : packed) {
    const QString id = list.cell(p.row, V_ID);
    const QString size = QString::number(p.bytes.size());
    list.setCell(p.row, V_NDat, archive);
    list.setCell(p.row, V_Offset, QString::number(offset));
    list.setCell(p.row, V_Byte, size);
    list.setCell(p.row, V_OffSet, archive + u'_' + padNumber(offset, 6));
    list.setTag(p.row,
                QString::number(offset) + u' ' + size + u' ' + QString::number(kPackedArchive));
    offset += p.bytes.size();

    const QString gif = objectGifPath(doc.P_sTarget, id);
    list.setCell(p.row, V_PathGif, gif);
    if (holdsExactly(gif, p.bytes)) continue;
    QString error;
    if (stageFile(gif, p.bytes, &error, false)) {
      staged.emplace_back(p.row, gif);
      continue;
    }
    problems << QStringLiteral("%1: %2").arg(gif, error);
    // The old picture must not stay where the next load would take it for
    // the user's change: without a file the object is taken from the archive.
    if (removeFile(gif, &error)) list.setCell(p.row, V_PathGif, QStringLiteral(" "));
  }

  std::set<QString> renamed;
  for (const auto& [row, gif] : staged) {
    if (renamed.count(gif)) continue;  // two rows of one id share a file
    QString error;
    if (!syncStaged(gif, &error) || !commitStaged(gif, &error, false)) {
      removeFile(stagedPath(gif), nullptr);
      problems << QStringLiteral("%1: %2").arg(gif, error);
      if (removeFile(gif, &error)) list.setCell(row, V_PathGif, QStringLiteral(" "));
      continue;
    }
    renamed.insert(gif);
  }
  QString error;
  if (!renamed.empty() && !syncFolder(doc.P_sTarget, &error)) {
    problems << QStringLiteral("%1: %2").arg(doc.P_sTarget, error);
  }
  if (problems.isEmpty()) return std::nullopt;
  return QStringLiteral("La cartella di lavoro non è stata aggiornata:\n%1")
      .arg(problems.join(u'\n'));
}

}  // namespace corvela
