#include "skin_saver.h"

#include <QDir>
#include <QFileInfo>
#include <new>
#include <optional>
#include <vector>

#include "document_names.h"
#include "first_originals.h"
#include "gif_check.h"
#include "object_archive.h"
#include "path_helpers.h"
#include "safe_read.h"
#include "safe_write.h"
#include "save_journal.h"
#include "skin_document.h"
#include "skin_line.h"
#include "skin_lock.h"
#include "text_number.h"
#include "working_mirror.h"

namespace corvela {

namespace {

void (*stepHook)(SaveStep) = nullptr;

void reached(SaveStep step) {
  if (stepHook) stepHook(step);
}

SaveOutcome failure(SaveOutcome::Kind kind, const QString& message) {
  SaveOutcome o;
  o.kind = kind;
  o.title =
      kind == SaveOutcome::Refused && message == kOtherSkinMessage ? kTitleWarning : kTitleError;
  o.message = message;
  return o;
}

const QString kNothingChanged = QStringLiteral("Nessun file è stato modificato.");

SaveOutcome writeFailure(const QString& file, const QString& reason) {
  return failure(
      SaveOutcome::Failed,
      QStringLiteral("Impossibile scrivere %1:\n%2\n%3").arg(file, reason, kNothingChanged));
}

bool isToBePacked(const ListRow& row) {
  return row.state == ObjectState::ToReplace;
}

// A line number from an "Indice" cell, or nothing when it names no line of
// the table (a row from a default scheme made for another layout).
std::optional<size_t> lineIndex(const QString& cell, const SkinDocument& doc) {
  const long long k = numericValue(cell);
  if (k < 0 || k >= doc.P_MaxValues) return std::nullopt;
  return static_cast<size_t>(k);
}

// Every object to pack, read before anything is written; a message for the
// user when one cannot be packed. An object of the packed archive whose GIF
// was never extracted is taken from the archive as it stands, so its line
// keeps pointing at its image.
std::optional<QString> gatherObjects(const SkinDocument& doc, std::vector<PackedObject>& packed) {
  ArchiveReader archives(doc.P_sPath, doc.P_sTheme);
  const QString packedArchive = archivePath(doc.P_sPath, doc.P_sTheme, kPackedArchive);
  // The offsets of the rows are those of the archive as it was read: one that
  // another program rewrote since (and the user chose to overwrite) would
  // hand out other bytes under the same offsets. Asked once, when needed.
  std::optional<bool> packedArchiveAsRead;
  long long total = 0;
  for (int r = 0; r < doc.L_Values.rowCount(); ++r) {
    const ListRow& row = doc.L_Values.row(r);
    if (!isToBePacked(row)) continue;
    QString gif = row.cells[V_PathGif].trimmed();
    // A working file deleted since the folder watch last looked: the object
    // is its archive's again, as the watch would have made it.
    if (gif == objectGifPath(doc.P_sTarget, row.cells[V_ID]) && !pathStat(gif, false).exists)
      gif.clear();
    QByteArray bytes;
    if (!gif.isEmpty()) {
      QString why;
      std::optional<QByteArray> read = readGifToPack(gif, doc.P_sPath, &why);
      if (!read) {
        return QStringLiteral("Impossibile usare il file dell'oggetto %1:\n%2\n(%3)\n%4")
            .arg(row.cells[V_ID], gif, why, kNothingChanged);
      }
      bytes = std::move(*read);
    } else {
      const bool inPacked =
          numericValue(row.cells[V_NDat]) == kPackedArchive && row.cells[V_NDat].trimmed() != kNoId;
      ArchiveReader::Object o;
      if (inPacked && !packedArchiveAsRead) {
        packedArchiveAsRead = doc.unchangedOnDisk(packedArchive);
      }
      if (inPacked && !*packedArchiveAsRead) {
        o.reason = QStringLiteral("modificato da un altro programma dopo la lettura della skin");
      } else if (inPacked) {
        o = archives.cut(kPackedArchive, numericValue(row.cells[V_Offset]),
                         numericValue(row.cells[V_Byte]));
      }
      if (o.status != ArchiveReader::Status::Ok || o.bytes.isEmpty()) {
        return QStringLiteral(
                   "L'oggetto %1 è da sostituire ma il suo file GIF manca e non si trova "
                   "nell'archivio %2%3.\nEsporta gli oggetti prima di salvare. %4")
            .arg(row.cells[V_ID], packedArchive,
                 o.reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(o.reason),
                 kNothingChanged);
      }
      bytes = std::move(o.bytes);
    }
    total += bytes.size();
    if (total > kMaxSkinBytes) {
      return QStringLiteral(
                 "Gli oggetti da salvare superano il limite di %1 byte di una skin "
                 "(all'oggetto %2).\n%3")
          .arg(kMaxSkinBytes)
          .arg(row.cells[V_ID], kNothingChanged);
    }
    packed.push_back({r, std::move(bytes)});
  }
  return std::nullopt;
}

SaveOutcome save(SkinDocument& doc) {
  if (!doc.loadedCompletely()) {
    return failure(SaveOutcome::Refused,
                   QStringLiteral("La skin non è stata caricata completamente: salvataggio non "
                                  "consentito."));
  }
  if (!doc.canSave()) return failure(SaveOutcome::Refused, doc.saveRefusal());
  if (doc.carriageReturnLine() >= 0) {
    return failure(SaveOutcome::Refused,
                   QStringLiteral("Il file %1 contiene un ritorno carrello (CR) alla riga %2: "
                                  "quello che segue non è stato letto e il salvataggio lo "
                                  "perderebbe.\nSalvataggio non consentito: togli i CR dal file "
                                  "(le righe devono finire con il solo LF) e riaprilo.")
                       .arg(doc.skinFile())
                       .arg(doc.carriageReturnLine()));
  }

  std::vector<QString> lines = regeneratedLines(doc);
  std::vector<PackedObject> packed;
  if (std::optional<QString> problem = gatherObjects(doc, packed)) {
    return failure(SaveOutcome::Failed, *problem);
  }

  // Reserved up front: QByteArray grows only by what is appended when the
  // pieces are large, so packing hundreds of objects would copy the growing
  // archive over and over.
  qsizetype total = 0;
  for (const PackedObject& p : packed) total += p.bytes.size();
  QByteArray archive;
  archive.reserve(total);
  for (const PackedObject& p : packed) {
    const ListRow& row = doc.L_Values.row(p.row);
    if (auto k = lineIndex(row.cells[V_Indice], doc)) {
      lines[*k] = packedObjectLine(row.cells[V_ID], archive.size(), p.bytes.size());
    }
    archive += p.bytes;
  }

  const QByteArray skinText = skinFileBytes(lines);

  const QString folder = doc.P_sPath;
  const QString archiveFile = archivePath(folder, doc.P_sTheme, kPackedArchive);
  const QString backupFile = joinPath(folder, doc.P_sTheme + QStringLiteral("_old.ski"));
  const QString skinFile = doc.skinFile();
  // The backup is the skin as it is on disk now, not as it was read.
  QString error;
  const std::optional<QByteArray> oldSkin = readRegularFile(skinFile, &error);
  if (!oldSkin) {
    return failure(SaveOutcome::Failed, QStringLiteral("Impossibile leggere %1 per la copia di "
                                                       "sicurezza:\n%2\n%3")
                                            .arg(skinFile, error, kNothingChanged));
  }
  std::vector<OriginalCopy> originals;
  if (std::optional<QString> problem = firstOriginals(folder, doc.P_sTheme, *oldSkin, originals)) {
    return failure(SaveOutcome::Failed, *problem + u'\n' + kNothingChanged);
  }

  // Each file in the order it is written and renamed: the backup first, so
  // that it is never missing, the skin, then the working files that must
  // show what was packed.
  struct Staged {
    QString target;
    const QByteArray* bytes;
    SaveStep staged, replaced;
    WorkingRefresh* working = nullptr;
  };
  std::vector<Staged> files;
  // The first originals belong with the backup, and go in place before it.
  for (const OriginalCopy& c : originals) {
    files.push_back(
        {c.target, &c.bytes, SaveStep::BackupStaged, SaveStep::BackupReplaced, nullptr});
  }
  files.push_back(
      {backupFile, &*oldSkin, SaveStep::BackupStaged, SaveStep::BackupReplaced, nullptr});
  if (!archive.isEmpty()) {
    files.push_back(
        {archiveFile, &archive, SaveStep::ArchiveStaged, SaveStep::ArchiveReplaced, nullptr});
  }
  files.push_back({skinFile, &skinText, SaveStep::SkinStaged, SaveStep::SkinReplaced, nullptr});

  WorkingPlan working = planWorkingRefresh(doc, packed);
  std::vector<WorkingRefresh> unwritten;
  std::vector<Staged> workingFiles;
  auto discard = [&] {
    for (const Staged& s : files) removeFile(stagedPath(s.target), nullptr);
    for (const Staged& s : workingFiles) removeFile(stagedPath(s.target), nullptr);
  };
  for (const Staged& s : files) {
    if (!stageFile(s.target, *s.bytes, &error)) {
      discard();
      return writeFailure(s.target, error);
    }
    reached(s.staged);
  }
  if (!working.refresh.empty() && !QFileInfo(doc.P_sTarget).isDir()) QDir().mkdir(doc.P_sTarget);
  // All written before the first is synced, so that the disk takes hundreds
  // of images in one go instead of one wait each.
  std::vector<bool> staged(working.refresh.size());
  for (size_t i = 0; i < working.refresh.size(); ++i) {
    WorkingRefresh& w = working.refresh[i];
    staged[i] = stageFile(w.gif, *w.bytes, &w.why, false);
  }
  for (size_t i = 0; i < working.refresh.size(); ++i) {
    WorkingRefresh& w = working.refresh[i];
    if (!staged[i] || !syncStaged(w.gif, &w.why)) {
      // A working folder that cannot be written must not stop the save:
      // the objects are in the archive, and the file goes afterwards.
      removeFile(stagedPath(w.gif), nullptr);
      unwritten.push_back(w);
      continue;
    }
    workingFiles.push_back(
        {w.gif, w.bytes, SaveStep::WorkingStaged, SaveStep::WorkingReplaced, &w});
  }
  if (!workingFiles.empty()) reached(SaveStep::WorkingStaged);
  files.insert(files.end(), workingFiles.begin(), workingFiles.end());

  std::vector<JournalEntry> entries;
  const QString workingDir = QFileInfo(QDir::cleanPath(doc.P_sTarget)).fileName();
  for (const Staged& s : files) {
    if (s.working) {
      entries.push_back({QFileInfo(s.target).fileName(), workingDir, s.working->seen});
    } else {
      entries.push_back({QFileInfo(s.target).fileName(), {}, std::nullopt});
    }
  }
  if (!writeJournal(folder, entries, &error)) {
    discard();
    return writeFailure(joinPath(folder, kJournalName), error);
  }
  reached(SaveStep::JournalWritten);

  // From here on the save is decided: whatever stops it, the next open
  // completes it from the journal.
  QStringList kept = working.kept;
  bool workingRenamed = false;
  for (const Staged& s : files) {
    if (s.working) {
      // Changed by the user since the save looked: theirs, and kept.
      if (!standsAsSeen(s.target, s.working->seen)) {
        removeFile(stagedPath(s.target), nullptr);
        kept << s.target;
        continue;
      }
      if (!commitStaged(s.target, &s.working->why, false)) {
        removeFile(stagedPath(s.target), nullptr);
        unwritten.push_back(*s.working);
        continue;
      }
      workingRenamed = true;
      continue;
    }
    if (!commitStaged(s.target, &error)) {
      return failure(SaveOutcome::Failed,
                     QStringLiteral("Impossibile rinominare %1 in %2:\n%3\nIl salvataggio sarà "
                                    "completato alla prossima apertura della skin.")
                         .arg(stagedPath(s.target), s.target, error));
    }
    reached(s.replaced);
  }
  QString folderProblem;
  if (workingRenamed && !syncFolder(doc.P_sTarget, &error)) {
    folderProblem = QStringLiteral("%1: %2").arg(doc.P_sTarget, error);
  }
  if (workingRenamed) reached(SaveStep::WorkingReplaced);
  if (!removeJournal(folder, &error)) {
    return failure(SaveOutcome::Failed,
                   QStringLiteral("I file sono stati salvati, ma è impossibile rimuovere %1:\n%2")
                       .arg(joinPath(folder, kJournalName), error));
  }
  reached(SaveStep::JournalRemoved);

  // The line table stays as read: every line a save changes is regenerated
  // from the lists and the tree by each save, so a step undone after this
  // save still reaches the file.
  std::vector<QStringList> placesBefore;
  for (const PackedObject& p : packed) placesBefore.push_back(doc.L_Values.row(p.row).cells);
  for (const PackedObject& p : packed) doc.L_Values.setPacked(p.row, true);
  doc.recordDisk();

  SaveOutcome o;
  o.kind = SaveOutcome::Saved;
  o.archiveWritten = !archive.isEmpty();
  o.title = kTitleInfo;
  o.message = o.archiveWritten ? kSavedWithArchive : kSavedWithoutArchive;
  // What is on disk is now the document, and the working folder follows it:
  // nothing changed outside is left unsaved, but what changed meanwhile.
  doc.setOutsideChanges(false);
  std::optional<QString> problem = placePackedObjects(doc, packed, unwritten, kept);
  if (!folderProblem.isEmpty()) problem = problem.value_or(QString()) + u'\n' + folderProblem;
  if (problem) {
    o.title = kTitleWarning;
    o.message += u'\n' + *problem;
  }
  bool moved = false;
  for (size_t i = 0; i < packed.size(); ++i) {
    moved = moved || doc.L_Values.row(packed[i].row).cells != placesBefore[i];
  }
  doc.savedAsIs(moved);
  return o;
}

}  // namespace

void setSaveStepHook(void (*hook)(SaveStep)) {
  stepHook = hook;
}

QByteArray skinFileBytes(const std::vector<QString>& lines) {
  // Joined first and converted once, instead of a conversion and a growing
  // copy per line.
  qsizetype length = 0;
  for (const QString& line : lines) length += line.size() + 1;
  QString text;
  text.reserve(length);
  for (const QString& line : lines) {
    text += line;
    text += u'\n';
  }
  return text.toLatin1();
}

std::vector<QString> regeneratedLines(const SkinDocument& doc) {
  std::vector<QString> lines(
      doc.lines.begin(),
      doc.lines.begin() +
          std::min<qsizetype>(doc.P_MaxValues, static_cast<qsizetype>(doc.lines.size())));
  for (int r = 0; r < doc.L_RGBA.rowCount(); ++r) {
    const QStringList& c = doc.L_RGBA.row(r).cells;
    if (auto k = lineIndex(c[C_Indice], doc)) {
      lines[*k] = colourLine(c[C_ID], c[C_R], c[C_G], c[C_B], c[C_Trasparenza]);
    }
  }
  for (int r = 0; r < doc.L_Dim.rowCount(); ++r) {
    const QStringList& c = doc.L_Dim.row(r).cells;
    if (auto k = lineIndex(c[D_Indice], doc)) {
      lines[*k] = rectangleLine(c[D_ID], c[D_X1], c[D_Y1], c[D_X2], c[D_Y2]);
    }
  }
  for (int i = 1; i <= doc.T_Strutt.nodeCount() && i <= static_cast<int>(lines.size()); ++i) {
    const TreeNode& n = doc.T_Strutt.node(i);
    if (n.edited) lines[static_cast<size_t>(i - 1)] = n.text;
  }
  return lines;
}

SaveOutcome SalvaSkin(SkinDocument& doc) {
  try {
    // Another process's save in the same folder would otherwise interleave
    // its renames with ours, leaving a skin and an archive of two saves.
    SkinLock lock;
    QString error;
    if (doc.canSave() && !lock.take(doc.P_sPath, &error)) {
      return failure(SaveOutcome::Failed, error + QStringLiteral(".\n") + kNothingChanged);
    }
    return save(doc);
  } catch (const std::bad_alloc&) {
    return failure(SaveOutcome::Failed, QStringLiteral("Memoria insufficiente per salvare %1.\n%2")
                                            .arg(doc.skinFile(), kNothingChanged));
  }
}

}  // namespace corvela
