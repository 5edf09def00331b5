#include "save_journal.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

#include "folder_guard.h"
#include "path_helpers.h"
#include "safe_read.h"
#include "safe_write.h"
#include "working_record.h"

namespace corvela {

namespace {
// Version 1 staged every file under one fixed name and version 2 each beside
// its target, both with the journal at the top of the skin's folder; a
// journal left by them is still completed. Version 3 lies in the editor
// folder and stages there, names the working files of the save, each with
// the state it must still be in, and may name files to remove.
const QByteArray kHeader1 = "corvela journal 1";
const QByteArray kHeader2 = "corvela journal 2";
const QByteArray kHeader3 = "corvela journal 3";
const QString kWorkingSuffix = QStringLiteral("_Gifs");
const QString kAbsent = QStringLiteral("-");
const QByteArray kEnd = "end";
// A line for each file of a save: the skin's few, and a working file for
// each of up to 1,500 objects.
constexpr long long kMaxJournalBytes = 1024 * 1024;

// Paths relative to the skin's folder.
struct Entry {
  QString target;
  QString staged;
  QString dir;                   // the working folder's name; empty for any other file
  std::optional<PathStat> seen;  // working files only
};
struct Journal {
  std::vector<Entry> entries;
  QStringList removals;
};

QString seenText(const std::optional<PathStat>& seen) {
  if (!seen || !seen->exists) return kAbsent;
  return QStringLiteral("%1:%2").arg(seen->size).arg(seen->modifiedNs);
}

std::optional<PathStat> parseSeen(const QString& text) {
  PathStat st;
  if (text == kAbsent) return st;
  const QStringList parts = text.split(u':');
  bool sizeOk = false, timeOk = false;
  if (parts.size() != 2) return std::nullopt;
  st.exists = true;
  st.size = parts[0].toLongLong(&sizeOk);
  st.modifiedNs = parts[1].toLongLong(&timeOk);
  if (!sizeOk || !timeOk) return std::nullopt;
  return st;
}

bool isPlainName(const QString& name) {
  return !name.isEmpty() && !name.contains(u'/') && !name.contains(QDir::separator()) &&
         name != QStringLiteral(".") && name != QStringLiteral("..");
}

QString inEditorFolder(const QString& name) {
  return kEditorFolderName + u'/' + name;
}

bool isStagedCopyOf(const QString& staged, const QString& target) {
  return isPlainName(target) && isPlainName(staged) && staged.startsWith(target + u'.') &&
         staged.endsWith(kTempSuffix);
}

// The contents of a complete journal, or nothing for one that is not.
std::optional<Journal> parseJournal(const QByteArray& text, bool hidden) {
  QList<QByteArray> lines = text.split('\n');
  if (lines.size() < 3 || !lines.back().isEmpty() || lines[lines.size() - 2] != kEnd) {
    return std::nullopt;
  }
  const QByteArray& header = lines.front();
  // A journal is only ever found where its version writes it.
  if (hidden ? header != kHeader3 : (header != kHeader1 && header != kHeader2)) {
    return std::nullopt;
  }
  Journal journal;
  for (qsizetype i = 1; i < lines.size() - 2; ++i) {
    const QString line = QString::fromUtf8(lines[i]);
    // Only plain names of the folder itself, of its editor folder or of its
    // working folder, and only staged copies of the target they go to: a
    // journal never sends a rename anywhere else.
    if (header == kHeader1) {
      if (!isPlainName(line)) return std::nullopt;
      journal.entries.push_back({line, line + kTempSuffix, {}, std::nullopt});
      continue;
    }
    QStringList parts = line.split(u'/');
    if (hidden && parts.size() == 2 && parts[0].isEmpty()) {
      if (!isPlainName(parts[1])) return std::nullopt;
      journal.removals << parts[1];
      continue;
    }
    if (hidden && parts.size() == 4) {
      // A working file: the working folder lies in the skin's folder itself,
      // and its staged copy beside the file.
      Entry e{parts[1], parts[2], parts[0], parseSeen(parts[3])};
      if (!isPlainName(e.dir) || !e.dir.endsWith(kWorkingSuffix) || !e.seen ||
          e.dir == kEditorFolderName || !isStagedCopyOf(e.staged, e.target)) {
        return std::nullopt;
      }
      journal.entries.push_back(e);
      continue;
    }
    const bool hiddenTarget = hidden && parts.size() == 3 && parts[0] == kEditorFolderName;
    if (hiddenTarget) parts.removeFirst();
    if (parts.size() != 2 || !isStagedCopyOf(parts[1], parts[0])) return std::nullopt;
    journal.entries.push_back({hiddenTarget ? inEditorFolder(parts[0]) : parts[0],
                               hidden ? inEditorFolder(parts[1]) : parts[1],
                               {},
                               std::nullopt});
  }
  return journal;
}

// Removes what the journal names for removal, then the journal.
bool finishJournal(const QString& folder, const QString& journal, const QStringList& removals,
                   QString* error) {
  for (const QString& name : removals) {
    if (!removeFile(joinPath(folder, name), error)) return false;
  }
  if (!removals.isEmpty() && !syncFolder(folder, error)) return false;
  return removeFile(journal, error) && syncFolder(QFileInfo(journal).absolutePath(), error);
}

bool present(const QString& path) {
  const QFileInfo info(path);
  return info.exists() || info.isSymLink();
}

QString legacyJournal(const QString& folder) {
  return joinPath(folder, kJournalName);
}

bool hasTemporaries(const QString& folder) {
  return !QDir(folder)
              .entryList({QStringLiteral("*") + kTempSuffix},
                         QDir::Files | QDir::System | QDir::Hidden, QDir::NoSort)
              .isEmpty();
}
}  // namespace

QString journalPath(const QString& folder) {
  return joinPath(editorFolder(folder), kJournalName);
}

bool standsAsSeen(const QString& file, const PathStat& seen) {
  const PathStat now = pathStat(file, false);
  if (!seen.exists) return !now.exists;
  return now.exists && now.size == seen.size && now.modifiedNs == seen.modifiedNs;
}

bool writeJournal(const QString& folder, const std::vector<JournalEntry>& entries, QString* error,
                  const QStringList& removals) {
  QByteArray text = kHeader3 + '\n';
  for (const JournalEntry& e : entries) {
    const QString dir = e.dir.isEmpty() ? folder : joinPath(folder, e.dir);
    const QString staged = QFileInfo(stagedPath(joinPath(dir, e.name))).fileName();
    QString line = e.name + u'/' + staged;
    if (!e.dir.isEmpty()) line = e.dir + u'/' + line + u'/' + seenText(e.seen);
    text += line.toUtf8() + '\n';
  }
  for (const QString& n : removals) text += '/' + n.toUtf8() + '\n';
  text += kEnd + '\n';
  return replaceFile(journalPath(folder), text, error);
}

bool removeJournal(const QString& folder, QString* error, const QStringList& removals) {
  return finishJournal(folder, journalPath(folder), removals, error);
}

bool interruptedSavePending(const QString& folder) {
  return present(journalPath(folder)) || present(legacyJournal(folder)) || hasTemporaries(folder) ||
         hasTemporaries(editorFolder(folder));
}

std::optional<QString> recoverInterruptedSave(const QString& folder, bool* settled) {
  if (settled) *settled = true;
  std::optional<QString> note;
  for (const bool hidden : {false, true}) {
    const QString journal = hidden ? journalPath(folder) : legacyJournal(folder);
    // A planted link is never followed into the editor folder.
    if (!present(journal) || (hidden && !editorFolderUsable(folder))) continue;
    QString error;
    const std::optional<QByteArray> text = readRegularFile(journal, &error, kMaxJournalBytes);
    const std::optional<Journal> parsed = text ? parseJournal(*text, hidden) : std::nullopt;
    QStringList removals;
    if (parsed) {
      QStringList names;
      QStringList workingDirs;
      int workingFiles = 0;
      // Whether a file of the skin itself is already the save's, renamed by
      // the save before it stopped or here.
      bool anyInPlace = false;
      for (const Entry& e : parsed->entries) {
        const QString dir = e.dir.isEmpty() ? folder : joinPath(folder, e.dir);
        const QString target = joinPath(dir, e.target);
        const QString staged = joinPath(dir, e.staged);
        if (e.dir.isEmpty()) names << QFileInfo(e.target).fileName();
        // Gone: renamed before the stop. A link was never staged by a save,
        // so it is left for the removal of leftovers below.
        const QFileInfo info(staged);
        // First originals are copies of the skin as it was: never what
        // makes it half saved.
        const bool ofTheSkin = e.dir.isEmpty() && !e.target.startsWith(kEditorFolderName + u'/');
        if (!present(staged) && ofTheSkin) anyInPlace = true;
        if (!info.isFile() || info.isSymLink()) continue;
        // Only into the skin's own working folder, never through a link
        // out of it.
        if (!e.dir.isEmpty() && workingFolderReason(dir, folder)) continue;
        if (e.seen && !standsAsSeen(target, *e.seen)) {
          // Changed by the user since the save read it: theirs, and kept.
          removeFile(staged, nullptr);
          continue;
        }
        if (!e.dir.isEmpty() && !workingDirs.contains(dir)) workingDirs << dir;
        if (!e.dir.isEmpty()) ++workingFiles;
        if (!renameInto(staged, target, &error, e.dir.isEmpty())) {
          // With none of its files in place yet the save is taken back
          // whole: the skin stays as it was, and no later open meets the
          // same refusal again.
          if (ofTheSkin && !anyInPlace) {
            QString ignored;
            if (finishJournal(folder, journal, {}, &ignored)) {
              for (const Entry& other : parsed->entries) {
                const QString otherDir = other.dir.isEmpty() ? folder : joinPath(folder, other.dir);
                const QString copy = joinPath(otherDir, other.staged);
                if (QFileInfo(copy).isFile() && !QFileInfo(copy).isSymLink())
                  removeFile(copy, nullptr);
              }
              return QStringLiteral(
                         "Un salvataggio interrotto della skin è stato annullato, perché "
                         "impossibile rinominare %1 in %2 (%3): i file della skin sono quelli "
                         "di prima.")
                  .arg(staged, target, error);
            }
          }
          // Left as found, so that the next open can try again.
          if (settled && ofTheSkin) *settled = false;
          return QStringLiteral(
                     "Un salvataggio interrotto della skin non può essere completato: "
                     "impossibile rinominare %1 in %2 (%3). I suoi file sono in parte nuovi "
                     "e in parte vecchi: la skin non viene letta finché il salvataggio non "
                     "potrà essere completato.")
              .arg(staged, target, error);
        }
        if (ofTheSkin) anyInPlace = true;
      }
      for (const QString& dir : workingDirs) {
        if (!syncFolder(dir, &error)) {
          return QStringLiteral("Impossibile completare il salvataggio interrotto in %1 (%2).")
              .arg(dir, error);
        }
      }
      if (workingFiles > 0) {
        names << QStringLiteral("%1 immagini della cartella di lavoro").arg(workingFiles);
      }
      removals = parsed->removals;
      note = QStringLiteral(
                 "Un salvataggio interrotto della skin è stato completato: %1 sono quelli "
                 "nuovi.")
                 .arg(names.join(QStringLiteral(", ")));
    }
    if (!finishJournal(folder, journal, removals, &error)) {
      return QStringLiteral("Impossibile rimuovere %1 (%2).").arg(journal, error);
    }
  }
  QStringList leftovers = removeLeftoverTemporaries(folder);
  if (editorFolderUsable(folder)) leftovers += removeLeftoverTemporaries(editorFolder(folder));
  // The record of the working files is written after a save is complete:
  // its copy left alone says nothing of the skin's files.
  leftovers.removeIf([](const QString& name) { return name.contains(kRecordSuffix + u'.'); });
  if (!leftovers.isEmpty() && !note) {
    note = QStringLiteral(
        "Un salvataggio interrotto della skin è stato annullato: i file della skin sono quelli "
        "di prima.");
  }
  return note;
}

}  // namespace corvela
