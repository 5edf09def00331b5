#include "object_export.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <new>
#include <optional>
#include <set>
#include <vector>

#include "document_edits.h"
#include "document_names.h"
#include "folder_guard.h"
#include "object_archive.h"
#include "object_row.h"
#include "pinned_images.h"
#include "record_rows.h"
#include "safe_read.h"
#include "safe_write.h"
#include "skin_document.h"
#include "skin_line.h"
#include "skin_lock.h"
#include "text_number.h"
#include "working_record.h"

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

ExportOutcome exportObjects(SkinDocument& doc, const std::function<void(int)>& beforeRow,
                            const std::function<bool()>& stopRequested, bool missingOnly = false) {
  ExportOutcome outcome;
  if (std::optional<QString> refused = workingFolderReason(doc.P_sTarget, doc.P_sPath)) {
    outcome.refused = *refused + QStringLiteral(" Nessun oggetto è stato esportato.");
    return outcome;
  }
  // Opening a skin whose images are all there takes no lock: it writes
  // nothing.
  if (missingOnly) {
    bool anyMissing = false;
    for (int r = 0; r < doc.L_Values.rowCount() && !anyMissing; ++r)
      anyMissing = shownFile(doc, r).isEmpty() && archivePlace(doc.L_Values.row(r));
    if (!anyMissing) return outcome;
  }
  // Another process's load removes the staged images it finds in the
  // working folder, which is only safe while no export is under way.
  SkinLock lock;
  QString busy;
  if (!lock.take(doc.P_sPath, &busy)) {
    outcome.refused = busy + QStringLiteral(". Nessun oggetto è stato esportato.");
    return outcome;
  }
  // Read-only media cannot hold one: said once, in words the user reads,
  // rather than as a failure to write every image into a missing folder.
  if (!QFileInfo(doc.P_sTarget).isDir() &&
      ::mkdir(QFile::encodeName(doc.P_sTarget).constData(), 0777) != 0 && errno != EEXIST) {
    outcome.refused = QStringLiteral(
                          "Impossibile creare la cartella di lavoro %1 (%2). Nessun oggetto è "
                          "stato esportato.")
                          .arg(doc.P_sTarget, systemReason(errno));
    return outcome;
  }

  ArchiveReader archives(doc.P_sPath, doc.P_sTheme);
  std::set<long long> reported;
  struct Staged {
    int row;
    QString gif;
    long long archive;
    QByteArray bytes;
  };
  std::vector<Staged> staged;
  std::vector<Staged> unchanged;  // already holding exactly their object
  const SkinDocument::DiskWrite disk(doc);
  ReportList& list = doc.records().objects;
  auto markBeyond = [&](int r) {
    if (missingOnly) return;
    doc.objectFacts().note(ObjectFacts::Fact::BeyondArchive, r, list.row(r));
  };
  auto failed = [&](int r, const QString& gif, const QString& error) {
    outcome.unwritable << gif;
    outcome.reasons << QStringLiteral("%1: %2").arg(gif, error);
    markBeyond(r);
  };

  const std::vector<bool> owners = workingFileOwners(list);
  for (int r = 0; r < list.rowCount(); ++r) {
    if (beforeRow) beforeRow(r);
    if (stopRequested && stopRequested()) break;
    // A later row of an id stays in its archive: the file is the first's.
    if (!owners[static_cast<size_t>(r)]) continue;
    const QString id = rowId(list.row(r));
    if (missingOnly && !shownFile(doc, r).isEmpty()) continue;
    // A replaced row names no archive place any more, whatever its archive
    // cell says: its replacement must not be lost.
    const std::optional<ArchivePlace> place = archivePlace(list.row(r));
    if (!place) continue;
    const long long number = place->archive;
    // A row put back past a save holds its image itself: that is what it
    // shows and what the next save packs, whatever its place holds now.
    ArchiveReader::Object object;
    if (const QByteArray* pinned = pinnedImage(list.row(r))) {
      object.status = ArchiveReader::Status::Ok;
      object.bytes = *pinned;
    } else {
      object = archives.cut(*place);
    }
    if (missingOnly && object.status != ArchiveReader::Status::Ok) continue;
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
                               .arg(archivePath(doc.P_sPath, doc.P_sTheme, number), id,
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
    const QString gif = objectGifPath(doc.P_sTarget, id);
    if (missingOnly) {
      // Bytes that are no picture show nothing anyway; whatever stands at
      // the name, even a dangling link, is the user's.
      const QFileInfo info(gif);
      if (!object.bytes.startsWith("GIF8") || info.exists() || info.isSymLink()) continue;
    }
    QString error;
    // A file that already holds exactly the object is left alone: rewriting
    // it would only cost a new file and its timestamp.
    if (holdsExactly(gif, object.bytes)) {
      unchanged.push_back({r, gif, number, object.bytes});
      continue;
    }
    if (!stageFile(gif, object.bytes, &error, false)) {
      failed(r, gif, error);
      continue;
    }
    staged.push_back({r, gif, number, object.bytes});
  }

  // All images are written before the first is synced, so the disk takes
  // them in one go; each is on disk before it replaces its predecessor, and
  // the folder is synced once for all the renames.
  QString error;
  std::set<QString> renamed;
  // What each file now holds, so that a later load can tell a file left as
  // written from the user's change when the archive changes under it.
  WorkingRecord record = WorkingRecord::read(doc.P_sPath, doc.P_sTheme);
  auto exported = [&](const Staged& s) {
    ++outcome.exported;
    record.note(QFileInfo(s.gif).fileName(), s.bytes);
    // Written out anew: neither this export's nor the last save's word on
    // the row stands any more.
    for (const auto fact : {ObjectFacts::Fact::Packed, ObjectFacts::Fact::BeyondArchive})
      doc.objectFacts().drop(fact, s.row);
    // Objects of the packed archive are packed anew by every save.
    if (s.archive == kPackedArchive && isOperatorTheme(doc.P_sTheme))
      setObjectState(list, s.row, ObjectState::ToReplace);
    doc.objectFacts().setFile(s.row, ObjectState::Extracted, s.gif);
  };
  for (const Staged& s : unchanged) exported(s);
  const bool allSynced = !staged.empty() && syncFileSystemOf(doc.P_sTarget);
  for (const Staged& s : staged) {
    // Two rows of one id share a file: the later row's bytes are in it.
    if (!renamed.count(s.gif)) {
      if ((!allSynced && !syncStaged(s.gif, &error)) || !commitStaged(s.gif, &error, false)) {
        removeFile(stagedPath(s.gif), nullptr);
        failed(s.row, s.gif, error);
        continue;
      }
      renamed.insert(s.gif);
    }
    exported(s);
  }
  if (!renamed.empty() && !syncFolder(doc.P_sTarget, &error)) {
    outcome.unwritable << doc.P_sTarget;
    outcome.reasons << QStringLiteral("%1: %2").arg(doc.P_sTarget, error);
  }
  if (outcome.exported > 0) record.write(doc.P_sPath, doc.P_sTheme);
  return outcome;
}

}  // namespace

ExportOutcome extractMissingObjects(SkinDocument& doc) {
  try {
    return exportObjects(doc, {}, {}, true);
  } catch (const std::bad_alloc&) {
    ExportOutcome outcome;
    outcome.refused =
        QStringLiteral("Memoria insufficiente per estrarre le immagini di %1.").arg(doc.skinFile());
    return outcome;
  }
}

ExportOutcome exportAllObjects(SkinDocument& doc, const std::function<void(int)>& beforeRow,
                               const std::function<bool()>& stopRequested) {
  try {
    return exportObjects(doc, beforeRow, stopRequested);
  } catch (const std::bad_alloc&) {
    ExportOutcome outcome;
    outcome.refused = QStringLiteral("Memoria insufficiente per esportare gli oggetti di %1.")
                          .arg(doc.skinFile());
    return outcome;
  }
}

}  // namespace corvela
