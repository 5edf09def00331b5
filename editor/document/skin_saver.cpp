#include "skin_saver.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <new>
#include <optional>
#include <vector>

#include "document_names.h"
#include "first_originals.h"
#include "folder_guard.h"
#include "gif_check.h"
#include "object_archive.h"
#include "object_row.h"
#include "path_helpers.h"
#include "pinned_images.h"
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
std::optional<size_t> lineIndex(long long k, const SkinDocument& doc) {
  if (k < 0 || k >= doc.P_MaxValues) return std::nullopt;
  return static_cast<size_t>(k);
}

// Whether a colour or rectangle row still holds what the load took from
// `line`: its id and its four values. Only then may the line go back as
// read. Written from the record, a line with two blanks in a row would lose
// its empty field and shift every value after it.
bool readsAsLoaded(QChar kind, const QString& line, const QString& id,
                   const std::array<QString, 4>& values) {
  if (line.isEmpty() || line[0] != kind) return false;
  const std::optional<RecordView> r = splitRecordLine(line);
  if (!r || r->valueCount != 4 || id != listId(r->id)) return false;
  for (size_t i = 0; i < 4; ++i) {
    if (values[i] != r->values[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<QString> fileToPack(const SkinDocument& doc, int r) {
  if (r < 0 || r >= doc.L_Values.rowCount()) return std::nullopt;
  const ListRow& row = doc.L_Values.row(r);
  if (!isToBePacked(row) || pinnedImage(row)) return std::nullopt;
  const QString gif = shownFile(doc, r);
  // A working file deleted since the folder watch last looked: the object
  // is its archive's again, as the watch would have made it.
  if (gif.isEmpty() ||
      (gif == objectGifPath(doc.P_sTarget, rowId(row)) && !pathStat(gif, false).exists))
    return std::nullopt;
  return gif;
}

namespace {

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
    QByteArray bytes;
    if (const QByteArray* pinned = pinnedImage(row)) {
      // The image the row meant before a save wrote over its file.
      bytes = *pinned;
    } else if (const std::optional<QString> gif = fileToPack(doc, r)) {
      QString why;
      std::optional<QByteArray> read = readGifToPack(*gif, doc.P_sPath, &why);
      if (!read) {
        return QStringLiteral("Impossibile usare il file dell'oggetto %1:\n%2\n(%3)\n%4")
            .arg(rowId(row), *gif, why, kNothingChanged);
      }
      bytes = std::move(*read);
    } else {
      const bool inPacked = archiveNumber(row) == kPackedArchive;
      ArchiveReader::Object o;
      if (inPacked && !packedArchiveAsRead) {
        packedArchiveAsRead = doc.unchangedOnDisk(packedArchive);
      }
      if (inPacked && !*packedArchiveAsRead) {
        o.reason = QStringLiteral("modificato da un altro programma dopo la lettura della skin");
      } else if (inPacked) {
        o = archives.cut(kPackedArchive, row.object().offset.value_or(Field()).value(),
                         row.object().size.value());
      }
      if (o.status != ArchiveReader::Status::Ok || o.bytes.isEmpty()) {
        return QStringLiteral(
                   "L'oggetto %1 è da sostituire ma il suo file GIF manca e non si trova "
                   "nell'archivio %2%3.\nEsporta gli oggetti prima di salvare. %4")
            .arg(rowId(row), packedArchive,
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
          .arg(rowId(row), kNothingChanged);
    }
    packed.push_back({r, std::move(bytes)});
  }
  return std::nullopt;
}

}  // namespace

std::optional<QString> saveRefusalOf(const SkinDocument& doc) {
  if (!doc.loadedCompletely()) {
    return QStringLiteral(
        "La skin non è stata caricata completamente: salvataggio non consentito.");
  }
  if (!doc.canSave()) return doc.saveRefusal();
  if (doc.carriageReturnLine() >= 0) {
    return QStringLiteral(
               "Il file %1 contiene un ritorno carrello (CR) alla riga %2: "
               "quello che segue non è stato letto e il salvataggio lo "
               "perderebbe.\nSalvataggio non consentito: togli i CR dal file "
               "(le righe devono finire con il solo LF) e riaprilo.")
        .arg(doc.skinFile())
        .arg(doc.carriageReturnLine());
  }
  return std::nullopt;
}

std::optional<SaveOutcome> produceSave(const SkinDocument& doc, SaveProduct& out) {
  if (const std::optional<QString> refusal = saveRefusalOf(doc))
    return failure(SaveOutcome::Refused, *refusal);

  // Of several files named alike but for case, none is the skin's: writing
  // beside them would only add one more that the phone cannot tell apart.
  for (const QString& name :
       {archiveFileName(doc.P_sTheme, kPackedArchive), backupFileName(doc.P_sTheme)}) {
    if (std::optional<QString> clash = nameClash(doc.P_sPath, name)) {
      return failure(SaveOutcome::Refused, *clash + u'\n' + kNothingChanged);
    }
  }

  out.lines = regeneratedLines(doc);
  out.packed.clear();
  if (std::optional<QString> problem = gatherObjects(doc, out.packed)) {
    return failure(SaveOutcome::Failed, *problem);
  }

  // Reserved up front: QByteArray grows only by what is appended when the
  // pieces are large, so packing hundreds of objects would copy the growing
  // archive over and over.
  qsizetype total = 0;
  for (const PackedObject& p : out.packed) total += p.bytes.size();
  out.archive.clear();
  out.archive.reserve(total);
  for (const PackedObject& p : out.packed) {
    const ListRow& row = doc.L_Values.row(p.row);
    if (auto k = lineIndex(rowLine(row), doc)) {
      out.lines[*k] = packedObjectLine(rowId(row), out.archive.size(), p.bytes.size());
    }
    out.archive += p.bytes;
  }
  out.skinText = skinFileBytes(out.lines) + doc.unterminatedTail();
  return std::nullopt;
}

namespace {

SaveOutcome save(SkinDocument& doc) {
  SaveProduct product;
  if (std::optional<SaveOutcome> refused = produceSave(doc, product)) return *refused;
  const QByteArray& skinText = product.skinText;
  const QByteArray& archive = product.archive;
  const std::vector<PackedObject>& packed = product.packed;

  const QString folder = doc.P_sPath;
  const QString archiveFile = archivePath(folder, doc.P_sTheme, kPackedArchive);
  const QString backupFile = pathInAnyCase(folder, backupFileName(doc.P_sTheme));
  const QString skinFile = doc.skinFile();
  // The backup is the skin as it is on disk now, not as it was read.
  QString error;
  const std::optional<QByteArray> oldSkin = readRegularFile(skinFile, &error);
  if (!oldSkin) {
    return failure(SaveOutcome::Failed, QStringLiteral("Impossibile leggere %1 per la copia di "
                                                       "sicurezza:\n%2\n%3")
                                            .arg(skinFile, error, kNothingChanged));
  }
  // The editor's own files wait in the editor folder; one that cannot be
  // made means nothing can be staged.
  if (!makeEditorFolder(folder, &error)) return writeFailure(editorFolder(folder), error);
  std::vector<OriginalCopy> originals;
  QStringList removals;
  if (std::optional<QString> problem =
          firstOriginals(folder, doc.P_sTheme, *oldSkin, originals, removals)) {
    return failure(SaveOutcome::Failed, *problem + u'\n' + kNothingChanged);
  }
  // An earlier version locked a file at the top, which nothing uses now.
  const QFileInfo oldLock(joinPath(folder, kLockName));
  if (oldLock.exists() || oldLock.isSymLink()) removals << kLockName;

  // Each file in the order it is written and renamed: the backup first, so
  // that it is never missing, the skin, then the working files that must
  // show what was packed.
  struct Staged {
    QString target;
    const QByteArray* bytes;
    SaveStep staged, replaced;
    WorkingRefresh* working = nullptr;
    // A first original: a copy of the skin as it was, true whatever
    // becomes of this save.
    bool original = false;
  };
  std::vector<Staged> files;
  // The first originals belong with the backup, and go in place before it.
  for (const OriginalCopy& c : originals) {
    files.push_back(
        {c.target, &c.bytes, SaveStep::BackupStaged, SaveStep::BackupReplaced, nullptr, true});
  }
  files.push_back(
      {backupFile, &*oldSkin, SaveStep::BackupStaged, SaveStep::BackupReplaced, nullptr});
  if (!archive.isEmpty()) {
    files.push_back(
        {archiveFile, &archive, SaveStep::ArchiveStaged, SaveStep::ArchiveReplaced, nullptr});
  }
  files.push_back({skinFile, &skinText, SaveStep::SkinStaged, SaveStep::SkinReplaced, nullptr});

  WorkingPlan working = planWorkingRefresh(doc, packed);
  // The history keeps rows that name what this save writes over.
  pinOverwrittenImages(doc, working, !archive.isEmpty());
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
  const bool allSynced = !working.refresh.empty() && syncFileSystemOf(doc.P_sTarget);
  for (size_t i = 0; i < working.refresh.size(); ++i) {
    WorkingRefresh& w = working.refresh[i];
    if (!staged[i] || (!allSynced && !syncStaged(w.gif, &w.why))) {
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
      entries.push_back({QDir(folder).relativeFilePath(s.target), {}, std::nullopt});
    }
  }
  if (!writeJournal(folder, entries, &error, removals)) {
    discard();
    return writeFailure(journalPath(folder), error);
  }
  reached(SaveStep::JournalWritten);

  // From here on the save is decided: whatever stops it, the next open
  // completes it from the journal.
  QStringList kept = working.kept;
  bool workingRenamed = false;
  bool renamedAny = false;
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
      renamedAny = true;
      continue;
    }
    if (!commitStaged(s.target, &error)) {
      // Nothing in place yet: the save is taken back whole rather than left
      // for the next open to complete, which would meet the same refusal.
      if (!renamedAny) {
        QString ignored;
        if (removeJournal(folder, &ignored)) {
          discard();
          return writeFailure(s.target, error);
        }
      }
      return failure(SaveOutcome::Failed,
                     QStringLiteral("Impossibile rinominare %1 in %2:\n%3\nIl salvataggio sarà "
                                    "completato alla prossima apertura della skin.")
                         .arg(stagedPath(s.target), s.target, error));
    }
    renamedAny = renamedAny || !s.original;
    reached(s.replaced);
  }
  QString folderProblem;
  if (workingRenamed && !syncFolder(doc.P_sTarget, &error)) {
    folderProblem = QStringLiteral("%1: %2").arg(doc.P_sTarget, error);
  }
  if (workingRenamed) reached(SaveStep::WorkingReplaced);
  if (!removeJournal(folder, &error, removals)) {
    return failure(SaveOutcome::Failed,
                   QStringLiteral("I file sono stati salvati, ma è impossibile rimuovere %1:\n%2")
                       .arg(journalPath(folder), error));
  }
  reached(SaveStep::JournalRemoved);

  // The line table stays as read: every line a save changes is regenerated
  // from the lists and the tree by each save, so a step undone after this
  // save still reaches the file.
  doc.recordDisk();

  SaveOutcome o;
  o.kind = SaveOutcome::Saved;
  o.archiveWritten = !archive.isEmpty();
  o.title = kTitleInfo;
  o.message = o.archiveWritten ? kSavedWithArchive : kSavedWithoutArchive;
  // What is on disk is now the document, and the working folder follows it:
  // nothing changed outside is left unsaved, but what changed meanwhile.
  doc.setOutsideChanges(false);
  std::optional<QString> problem = placePackedObjects(doc, packed, unwritten, kept, working.links);
  if (!folderProblem.isEmpty()) problem = problem.value_or(QString()) + u'\n' + folderProblem;
  if (problem) {
    o.title = kTitleWarning;
    o.message += u'\n' + *problem;
  }
  releaseSavedPins(doc);
  doc.history().setClean();
  return o;
}

// One file of the skin copied whole into the folder of a save under
// another name.
bool copyInto(const QString& from, const QString& to, QString* error) {
  std::optional<QByteArray> bytes = readRegularFile(from, error);
  return bytes && replaceFile(to, *bytes, error);
}

// Everything the copy needs beside the skin file itself, as it is on disk;
// the skin file too when the folder holds none, so that the save has a
// previous generation to keep as the backup.
std::optional<QString> copySkinFiles(const SkinDocument& doc, const SkinDocument::Place& to) {
  struct Copy {
    QString from, to;
  };
  std::vector<Copy> copies;
  if (!QFileInfo::exists(to.file)) copies.push_back({doc.skinFile(), to.file});
  for (const long long n : doc.namedArchives()) {
    const QString from = archivePath(doc.P_sPath, doc.P_sTheme, n);
    // One the skin lacks, or one leading out of its folder, is not the
    // skin's to hand on; the copy then lacks it as the skin does.
    if (QFileInfo(from).isFile() && !outsideLinkReason(from, doc.P_sPath)) {
      copies.push_back({from, archivePath(to.folder, to.theme, n)});
    }
  }
  FirstOriginalFiles kept = firstOriginalFiles(doc.P_sPath, doc.P_sTheme);
  if (kept.skin.isEmpty()) {
    // Never saved: as it lies on disk, the skin is still its own original.
    kept.skin = doc.skinFile();
    const QString packed = archivePath(doc.P_sPath, doc.P_sTheme, kPackedArchive);
    if (QFileInfo(packed).isFile() && !outsideLinkReason(packed, doc.P_sPath))
      kept.archive = packed;
  }
  const FirstOriginalFiles places = firstOriginalPlaces(to.folder, to.theme);
  for (const auto& [from, place] :
       {std::pair{kept.skin, places.skin}, std::pair{kept.archive, places.archive}}) {
    // Those of a skin overwritten there stay: they are its history.
    if (!from.isEmpty() && !QFileInfo::exists(place)) copies.push_back({from, place});
  }
  if (!workingFolderReason(doc.P_sTarget, doc.P_sPath) &&
      !workingFolderReason(to.target, to.folder)) {
    const QStringList gifs = usableFiles(doc.P_sTarget, doc.P_sPath);
    if (!gifs.isEmpty()) QDir().mkdir(to.target);
    for (const QString& name : gifs) {
      if (!name.endsWith(kTempSuffix)) {
        copies.push_back({joinPath(doc.P_sTarget, name), joinPath(to.target, name)});
      }
    }
  }
  QString error;
  if (!makeEditorFolder(to.folder, &error)) return editorFolder(to.folder) + u'\n' + error;
  for (const Copy& c : copies) {
    if (!copyInto(c.from, c.to, &error)) return c.to + u'\n' + error;
  }
  return std::nullopt;
}

}  // namespace

std::optional<QString> unwritableFolderMessage(const QString& folder) {
  const std::optional<QString> why = unwritableReason(folder);
  if (!why) return std::nullopt;
  return QStringLiteral(
             "Impossibile scrivere nella cartella %1: %2. La skin non può essere "
             "salvata lì.")
      .arg(folder, *why);
}

QString savedAsFile(const QString& folder) {
  return joinPath(QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath()),
                  kOperatorTheme + QStringLiteral(".ski"));
}

QString skinIn(const QString& folder) {
  const QStringList skins =
      QDir(folder).entryList({QStringLiteral("*.ski")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
  return skins.isEmpty() ? QString() : skins.first();
}

std::optional<QString> saveAsRefusal(const SkinDocument& doc, const QString& folder) {
  if (!doc.loadedCompletely()) {
    return QStringLiteral(
        "La skin non è stata caricata completamente: salvataggio non "
        "consentito.");
  }
  if (!doc.P_SkinVodafone) return kOtherSkinMessage;
  const QFileInfo chosen(folder);
  if (!chosen.isDir()) return QStringLiteral("La cartella %1 non esiste.").arg(folder);
  if (chosen.canonicalFilePath() == QFileInfo(doc.P_sPath).canonicalFilePath()) {
    return QStringLiteral(
               "La cartella %1 è quella della skin aperta: \"Salva con nome...\" scrive solo in "
               "un'altra cartella (per salvare qui usa \"Salva\").")
        .arg(folder);
  }
  return std::nullopt;
}

SaveOutcome saveSkinAs(SkinDocument& doc, const QString& folder) {
  try {
    if (std::optional<QString> refused = saveAsRefusal(doc, folder)) {
      return failure(SaveOutcome::Refused, *refused);
    }
    const SkinDocument::Place to = SkinDocument::placeOf(savedAsFile(folder));
    // The copy's folder alone while it is written, the skin's own shared, so
    // that neither is seen or copied half saved.
    SkinLock there;
    SkinLock here;
    QString error;
    if (!there.take(to.folder, &error) ||
        !here.take(doc.P_sPath, &error, kLockWaitMs, LockAccess::Read)) {
      return failure(SaveOutcome::Failed, error + QStringLiteral(".\n") + kNothingChanged);
    }
    // The copy takes the archives as they are: changed since the load, their
    // objects would no longer lie where the lists say.
    if (const std::optional<QString> changed = doc.changedOnDisk()) {
      return failure(SaveOutcome::Refused,
                     QStringLiteral("%1 è stato modificato da un altro programma dopo la lettura "
                                    "della skin: riaprila prima di salvarla con un altro nome.\n%2")
                         .arg(*changed, kNothingChanged));
    }
    // A save cut short in a skin about to be overwritten is put right first.
    recoverInterruptedSave(to.folder);
    if (std::optional<QString> problem = copySkinFiles(doc, to)) {
      return failure(SaveOutcome::Failed,
                     QStringLiteral("Impossibile scrivere %1\nLa skin aperta non è cambiata; "
                                    "nella cartella %2 possono restare copie dei suoi file.")
                         .arg(*problem, to.folder));
    }
    const SkinDocument::Place back = doc.place();
    doc.moveTo(to);
    SaveOutcome saved = SalvaSkin(doc);
    if (saved.kind != SaveOutcome::Saved) {
      doc.moveTo(back);
      return saved;
    }
    saved.message = QStringLiteral("Skin salvata come %1.\n").arg(to.file) + saved.message;
    return saved;
  } catch (const std::bad_alloc&) {
    return failure(SaveOutcome::Failed, QStringLiteral("Memoria insufficiente per salvare %1.\n%2")
                                            .arg(doc.skinFile(), kNothingChanged));
  }
}

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

namespace {

// What colour row `row` makes of line `k`: the line as read while the row
// still reads as it (unless `all`), else the line written from its cells.
QString colourRowLine(const SkinDocument& doc, const ListRow& row, size_t k, bool all) {
  const QString id = rowId(row);
  const std::array<QString, 3> c = componentTexts(row);
  const QString t = transparencyText(row);
  return !all && readsAsLoaded(u'4', doc.lines[k], id, {c[0], c[1], c[2], t})
             ? doc.lines[k]
             : colourLine(id, c[0], c[1], c[2], t);
}

// The same for a rectangle row.
QString rectRowLine(const SkinDocument& doc, const ListRow& row, size_t k, bool all) {
  const QString id = rowId(row);
  const std::array<QString, 4> c = cornerTexts(row);
  return !all && readsAsLoaded(u'1', doc.lines[k], id, c)
             ? doc.lines[k]
             : rectangleLine(id, c[0], c[1], c[2], c[3]);
}

// An edited tree line is written as typed, unless its record's row was
// edited after it: the user's last word on the line is what is saved.
bool treeLineWins(const SkinDocument& doc, size_t k, quint64 rowStamp) {
  const int node = static_cast<int>(k) + 1;
  if (node > doc.T_Strutt.nodeCount()) return false;
  const TreeNode& n = doc.T_Strutt.node(node);
  return n.edited && n.stamp >= rowStamp;
}

}  // namespace

std::vector<QString> regeneratedLines(const SkinDocument& doc, bool all) {
  std::vector<QString> lines(
      doc.lines.begin(),
      doc.lines.begin() +
          std::min<qsizetype>(doc.P_MaxValues, static_cast<qsizetype>(doc.lines.size())));
  // When the row that wrote each line was last edited.
  std::vector<quint64> rowStamps(lines.size(), 0);
  // Assigned either way, so that of two rows naming one line the later still
  // wins, as it does for rows that were edited; rectangles after colours.
  for (int r = 0; r < doc.L_RGBA.rowCount(); ++r) {
    const ListRow& row = doc.L_RGBA.row(r);
    if (auto k = lineIndex(rowLine(row), doc)) {
      lines[*k] = colourRowLine(doc, row, *k, all);
      rowStamps[*k] = row.stamp;
    }
  }
  for (int r = 0; r < doc.L_Dim.rowCount(); ++r) {
    const ListRow& row = doc.L_Dim.row(r);
    if (auto k = lineIndex(rowLine(row), doc)) {
      lines[*k] = rectRowLine(doc, row, *k, all);
      rowStamps[*k] = row.stamp;
    }
  }
  for (size_t k = 0; k < lines.size(); ++k) {
    if (treeLineWins(doc, k, rowStamps[k]))
      lines[k] = doc.T_Strutt.node(static_cast<int>(k) + 1).text;
  }
  return lines;
}

QString regeneratedLine(const SkinDocument& doc, long long k) {
  const std::optional<size_t> at = lineIndex(k, doc);
  if (!at || *at >= static_cast<size_t>(doc.lines.size())) return {};
  // In the order regeneratedLines assigns them.
  QString line = doc.lines[*at];
  quint64 rowStamp = 0;
  for (int r = 0; r < doc.L_RGBA.rowCount(); ++r) {
    const ListRow& row = doc.L_RGBA.row(r);
    if (rowLine(row) != k) continue;
    line = colourRowLine(doc, row, *at, false);
    rowStamp = row.stamp;
  }
  for (int r = 0; r < doc.L_Dim.rowCount(); ++r) {
    const ListRow& row = doc.L_Dim.row(r);
    if (rowLine(row) != k) continue;
    line = rectRowLine(doc, row, *at, false);
    rowStamp = row.stamp;
  }
  return treeLineWins(doc, *at, rowStamp) ? doc.T_Strutt.node(static_cast<int>(*at) + 1).text
                                          : line;
}

SaveOutcome SalvaSkin(SkinDocument& doc) {
  try {
    // Another process's save in the same folder would otherwise interleave
    // its renames with ours, leaving a skin and an archive of two saves.
    SkinLock lock;
    QString error;
    if (doc.canSave()) {
      // Said of the folder, not of the first of the editor's files that
      // would fail to be written there.
      if (std::optional<QString> unwritable = unwritableFolderMessage(doc.P_sPath)) {
        return failure(SaveOutcome::Failed, *unwritable + u'\n' + kNothingChanged);
      }
      if (!lock.take(doc.P_sPath, &error)) {
        return failure(SaveOutcome::Failed, error + QStringLiteral(".\n") + kNothingChanged);
      }
    }
    return save(doc);
  } catch (const std::bad_alloc&) {
    return failure(SaveOutcome::Failed, QStringLiteral("Memoria insufficiente per salvare %1.\n%2")
                                            .arg(doc.skinFile(), kNothingChanged));
  }
}

}  // namespace corvela
