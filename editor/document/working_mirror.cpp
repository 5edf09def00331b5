#include "working_mirror.h"

#include <QDir>
#include <QFileInfo>
#include <map>

#include "document_edits.h"
#include "document_names.h"
#include "folder_guard.h"
#include "gif_check.h"
#include "object_archive.h"
#include "object_row.h"
#include "safe_read.h"
#include "safe_write.h"
#include "save_journal.h"
#include "skin_document.h"
#include "skin_line.h"
#include "text_number.h"
#include "working_record.h"

namespace corvela {

QString OutsideChanges::note() const {
  QStringList parts;
  if (marked > 0) {
    parts << (marked == 1
                  ? QStringLiteral("1 oggetto modificato fuori da Corvela: sarà salvato")
                  : QStringLiteral("%1 oggetti modificati fuori da Corvela: saranno salvati")
                        .arg(marked));
  }
  if (restored > 0) {
    parts << QStringLiteral("%1 immagini tolte dalla cartella di lavoro: riprese dall'archivio")
                 .arg(restored);
  }
  if (refreshed > 0) {
    parts << QStringLiteral(
                 "%1 immagini della cartella di lavoro, rimaste come Corvela le aveva scritte, "
                 "riprese dal loro archivio, che è cambiato")
                 .arg(refreshed);
  }
  if (stale > 0) {
    parts << QStringLiteral(
                 "%1 immagini della cartella di lavoro più vecchie del loro archivio, che è "
                 "cambiato: non usate")
                 .arg(stale);
  }
  for (const auto& [file, why] : notGifs) {
    parts << QStringLiteral(
                 "%1 non è una GIF valida: l'oggetto non sarà salvato con questo file (%2)")
                 .arg(file, why);
  }
  return parts.join(QStringLiteral("; "));
}

namespace {

// The object's image is at `spot`, with no file of its own, as a load
// finds it; the spot is kept for a later return to it.
void setArchivePlace(ReportList& list, int row, const ArchiveSpot& spot) {
  ListRow next = list.row(row);
  ObjectRecord& o = next.object();
  o.home = spot;
  o.archive = spot.archive;
  o.offset = spot.offset;
  o.size = spot.size;
  o.file.clear();
  list.setRow(row, next);
}

bool inPackedArchive(const SkinDocument& doc, const ListRow& row) {
  return archiveNumber(row) == kPackedArchive && isOperatorTheme(doc.P_sTheme);
}

// The working file of row `r` is gone: the object is its archive's again,
// where it was before any change from outside, and the save takes it from
// there (the window extracts it anew to show it).
void takeFromArchiveAgain(SkinDocument& doc, int r) {
  ReportList& list = doc.records().objects;
  // Its own file was the one that went; an object of the packed archive is
  // packed anew by every save even so.
  setArchivePlace(list, r, list.row(r).object().home);
  if (inPackedArchive(doc, list.row(r))) {
    setObjectState(list, r, ObjectState::ToReplace);
  } else {
    list.setState(r, ObjectState::Found);
  }
  doc.objectFacts().setFile(r, ObjectState::Missing, QString());
  doc.objectFacts().dropChangedOutside(r);
}

bool showsWorkingFile(const SkinDocument& doc, int r) {
  return shownFile(doc, r) == objectGifPath(doc.P_sTarget, rowId(doc.L_Values.row(r)));
}

}  // namespace

std::vector<int> rowsShowingWorkingFiles(const SkinDocument& doc) {
  std::vector<int> rows;
  for (int r = 0; r < doc.L_Values.rowCount(); ++r) {
    if (showsWorkingFile(doc, r)) rows.push_back(r);
  }
  return rows;
}

OutsideChanges markOutsideChanges(SkinDocument& doc, const std::vector<int>& rows, bool mayWrite) {
  const SkinDocument::DiskWrite disk(doc);
  OutsideChanges changes;
  if (workingFolderReason(doc.P_sTarget, doc.P_sPath)) return changes;
  ArchiveReader archives(doc.P_sPath, doc.P_sTheme);
  std::optional<WorkingRecord> record;  // read when a file first differs
  bool recordChanged = false;
  // A file that differs from its object but still holds what Corvela left
  // in it was not changed: its archive was. The object is taken from the
  // archive, and the file follows it where it may be written.
  auto archiveChanged = [&](int r, const QString& gif, const ArchivePlace& place) {
    const QString name = QFileInfo(gif).fileName();
    if (!record) record = WorkingRecord::read(doc.P_sPath, doc.P_sTheme);
    if (!record->knows(name)) return false;
    const std::optional<QByteArray> now = readRegularFile(gif, nullptr, kMaxObjectBytes);
    if (!now || !record->leftAsWritten(name, *now)) return false;
    // Without the archive's bytes the file is the only copy left: it stays
    // the user's.
    const ArchiveReader::Object object = archives.cut(place);
    if (object.status != ArchiveReader::Status::Ok || object.bytes.isEmpty()) return false;
    if (mayWrite && replaceFile(gif, object.bytes, nullptr)) {
      record->note(name, object.bytes);
      recordChanged = true;
      doc.objectFacts().setFile(r, ObjectState::Extracted, gif);
      changes.seen.insert(name, pathStat(gif, false));
      ++changes.refreshed;
    } else {
      doc.objectFacts().setFile(r, ObjectState::Missing, QString());
      ++changes.stale;
    }
    return true;
  };
  const std::vector<bool> owners = workingFileOwners(doc.L_Values);
  for (int r : rows) {
    if (r < 0 || r >= doc.L_Values.rowCount() || !owners[static_cast<size_t>(r)]) continue;
    const QString gif = objectGifPath(doc.P_sTarget, rowId(doc.L_Values.row(r)));
    const bool showsFile = showsWorkingFile(doc, r);
    // Every object of an opened skin passes here: the file system is asked
    // once per file.
    const PathStat st = pathStat(gif, false);
    if (st.regular) changes.seen.insert(QFileInfo(gif).fileName(), st);
    if (!st.exists || (st.link && !pathStat(gif).exists)) {
      if (showsFile) {
        takeFromArchiveAgain(doc, r);
        ++changes.restored;
      }
      continue;
    }
    // A row put back by undo shows its own image; its file is news only
    // once it holds something else.
    if (const ListRow& row = doc.L_Values.row(r); row.pinned && holdsExactly(gif, st, *row.pinned))
      continue;
    if (const std::optional<ArchivePlace> place = archivePlace(doc.L_Values.row(r))) {
      // Equal sizes are the common case right after an export; only then
      // are the two sets of bytes worth reading.
      if (st.regular && st.size == place->size) {
        const ArchiveReader::Object object = archives.cut(*place);
        if (object.status != ArchiveReader::Status::Ok) continue;
        if (holdsExactly(gif, st, object.bytes)) {
          // A file that arrived holding its object: the row shows it now.
          if (!showsFile) doc.objectFacts().setFile(r, doc.objectFacts().fileState(r), gif);
          continue;
        }
      }
      if (st.regular && archiveChanged(r, gif, *place)) continue;
    }
    QString why;
    if (!looksLikeGifToPack(gif, doc.P_sPath, &why)) {
      changes.notGifs.emplace_back(QDir::toNativeSeparators(gif), why);
      continue;
    }
    doc.objectFacts().setChangedOutside(r, gif, pathStat(gif).size);
    ++changes.marked;
  }
  if (recordChanged) record->write(doc.P_sPath, doc.P_sTheme);
  return changes;
}

WorkingPlan planWorkingRefresh(const SkinDocument& doc, const std::vector<PackedObject>& packed) {
  WorkingPlan plan;
  // A working folder that is a link leading out is never read by a load,
  // so nothing stale there can be packed either.
  if (workingFolderReason(doc.P_sTarget, doc.P_sPath)) return plan;
  std::map<QString, size_t> planned;
  const std::vector<bool> owners = workingFileOwners(doc.L_Values);
  for (const PackedObject& p : packed) {
    if (!owners[static_cast<size_t>(p.row)]) continue;
    const QString gif = objectGifPath(doc.P_sTarget, rowId(doc.L_Values.row(p.row)));
    if (outsideLinkReason(gif, doc.P_sPath)) {
      if (!plan.links.contains(gif)) plan.links << gif;
      continue;
    }
    if (holdsExactly(gif, p.bytes)) continue;
    if (shownFile(doc, p.row) == gif && !doc.L_Values.row(p.row).pinned) {
      // Packed from this very file, which no longer holds what was read.
      if (!plan.kept.contains(gif)) plan.kept << gif;
      continue;
    }
    const WorkingRefresh w{gif, &p.bytes, pathStat(gif, false), {}};
    if (auto it = planned.find(gif); it != planned.end()) {
      plan.refresh[it->second] = w;
    } else {
      planned.emplace(gif, plan.refresh.size());
      plan.refresh.push_back(w);
    }
  }
  // A row put back by undo past an earlier save shows its own image, which
  // its working file no longer holds: the folder follows the skin again.
  for (int r = 0; r < doc.L_Values.rowCount(); ++r) {
    const ListRow& row = doc.L_Values.row(r);
    if (!row.pinned || row.state == ObjectState::ToReplace || !owners[static_cast<size_t>(r)])
      continue;
    const QString gif = objectGifPath(doc.P_sTarget, rowId(row));
    const bool named = shownFile(doc, r) == gif || shownFile(doc, r).isEmpty();
    if (!named || planned.contains(gif) || holdsExactly(gif, *row.pinned)) continue;
    planned.emplace(gif, plan.refresh.size());
    plan.refresh.push_back({gif, row.pinned.get(), pathStat(gif, false), {}});
  }
  return plan;
}

std::optional<QString> placePackedObjects(SkinDocument& doc,
                                          const std::vector<PackedObject>& packed,
                                          const std::vector<WorkingRefresh>& unwritten,
                                          const QStringList& kept, const QStringList& links) {
  const SkinDocument::DiskWrite disk(doc);
  ReportList& list = doc.records().objects;
  std::vector<int> keptRows;
  long long offset = 0;
  const std::vector<bool> owners = workingFileOwners(list);
  WorkingRecord record = WorkingRecord::read(doc.P_sPath, doc.P_sTheme);
  QStringList notWritten;
  for (const WorkingRefresh& w : unwritten) notWritten << w.gif;
  for (const PackedObject& p : packed) {
    // Packed, the image is the archive's and its working file's: the row
    // names no file of its own any more.
    setArchivePlace(list, p.row, {Field(kPackedArchive), Field(offset), Field(p.bytes.size())});
    offset += p.bytes.size();
    if (!owners[static_cast<size_t>(p.row)]) {
      doc.objectFacts().setFile(p.row, ObjectState::Missing, QString());
      doc.objectFacts().dropChangedOutside(p.row);
      continue;
    }
    const QString gif = objectGifPath(doc.P_sTarget, rowId(list.row(p.row)));
    doc.objectFacts().dropChangedOutside(p.row);
    if (links.contains(gif)) {
      doc.objectFacts().setFile(p.row, ObjectState::Missing, QString());
      continue;
    }
    doc.objectFacts().setFile(p.row, ObjectState::Found, gif);
    if (kept.contains(gif)) keptRows.push_back(p.row);
    // The file holds what was packed, unless the user's newer change stays
    // in it or it could not be written.
    if (!kept.contains(gif) && !notWritten.contains(gif))
      record.note(QFileInfo(gif).fileName(), p.bytes);
  }
  if (!packed.empty()) record.write(doc.P_sPath, doc.P_sTheme);

  QStringList problems;
  for (const WorkingRefresh& w : unwritten) {
    problems << QStringLiteral("%1: %2").arg(w.gif, w.why);
    // The old picture must not stay where the next load would take it for
    // the user's change: without a file the object is taken from the
    // archive. One the user changed meanwhile is theirs.
    QString error;
    if (!standsAsSeen(w.gif, w.seen) || !removeFile(w.gif, &error)) continue;
    for (const PackedObject& p : packed) {
      if (shownFile(doc, p.row) == w.gif)
        doc.objectFacts().setFile(p.row, ObjectState::Missing, QString());
    }
  }
  // The rows as this save leaves them are what it packed; a row that then
  // takes a change from outside is to be packed again, and no longer shows
  // the save's mark.
  ObjectFacts& facts = doc.objectFacts();
  facts.dropAll(ObjectFacts::Fact::Packed);
  for (const PackedObject& p : packed)
    facts.note(ObjectFacts::Fact::Packed, p.row, list.row(p.row));
  QStringList notes;
  if (!problems.isEmpty()) {
    notes << QStringLiteral("La cartella di lavoro non è stata aggiornata:\n%1")
                 .arg(problems.join(u'\n'));
  }
  if (!links.isEmpty()) {
    notes << QStringLiteral(
                 "Lasciati come sono, perché collegamenti che portano fuori dalla cartella della "
                 "skin (gli oggetti sono quelli dell'archivio):\n%1")
                 .arg(links.join(u'\n'));
  }
  if (!keptRows.empty()) {
    if (markOutsideChanges(doc, keptRows).marked > 0) doc.setOutsideChanges(true);
    notes << QStringLiteral(
                 "Modificati da un altro programma durante il salvataggio, sono tenuti e saranno "
                 "salvati la prossima volta:\n%1")
                 .arg(kept.join(u'\n'));
  }
  if (notes.isEmpty()) return std::nullopt;
  return notes.join(u'\n');
}

}  // namespace corvela
