#include "save_journal.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

#include "folder_guard.h"
#include "path_helpers.h"
#include "safe_read.h"
#include "safe_write.h"

namespace corvela {

namespace {
// Version 1 staged every file under one fixed name; a journal left by it is
// still completed. Version 2 names each staged copy after its target;
// version 3 adds the working files, each with the state it must still be in.
const QByteArray kHeader1 = "corvela journal 1";
const QByteArray kHeader2 = "corvela journal 2";
const QByteArray kHeader3 = "corvela journal 3";
const QString kWorkingSuffix = QStringLiteral("_Gifs");
const QString kAbsent = QStringLiteral("-");
const QByteArray kEnd = "end";
// A line for each file of a save: the skin's few, and a working file for
// each of up to 1,500 objects.
constexpr long long kMaxJournalBytes = 1024 * 1024;

struct Entry {
  QString target;
  QString staged;
  QString dir;                   // empty for the skin's folder itself
  std::optional<PathStat> seen;  // working files only
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

// The entries of a complete journal, or nothing for one that is not.
std::optional<std::vector<Entry>> parseJournal(const QByteArray& text) {
  QList<QByteArray> lines = text.split('\n');
  if (lines.size() < 3 ||
      (lines.front() != kHeader1 && lines.front() != kHeader2 && lines.front() != kHeader3) ||
      !lines.back().isEmpty() || lines[lines.size() - 2] != kEnd) {
    return std::nullopt;
  }
  const bool named = lines.front() != kHeader1;
  const bool working = lines.front() == kHeader3;
  std::vector<Entry> entries;
  for (qsizetype i = 1; i < lines.size() - 2; ++i) {
    const QString line = QString::fromUtf8(lines[i]);
    // Only plain names of the folder itself, and only staged copies of the
    // target they go to: a journal never sends a rename anywhere else.
    Entry e;
    if (named) {
      QStringList parts = line.split(u'/');
      if (working && parts.size() == 4) {
        // The working folder only, which lies in the skin's folder itself.
        e.dir = parts.takeFirst();
        e.seen = parseSeen(parts.takeLast());
        if (!isPlainName(e.dir) || !e.dir.endsWith(kWorkingSuffix) || !e.seen) {
          return std::nullopt;
        }
      }
      if (parts.size() != 2) return std::nullopt;
      e.target = parts[0];
      e.staged = parts[1];
      if (!e.staged.startsWith(e.target + u'.') || !e.staged.endsWith(kTempSuffix)) {
        return std::nullopt;
      }
    } else {
      e.target = line;
      e.staged = line + kTempSuffix;
    }
    if (!isPlainName(e.target) || !isPlainName(e.staged)) return std::nullopt;
    entries.push_back(e);
  }
  return entries;
}
}  // namespace

bool standsAsSeen(const QString& file, const PathStat& seen) {
  const PathStat now = pathStat(file, false);
  if (!seen.exists) return !now.exists;
  return now.exists && now.size == seen.size && now.modifiedNs == seen.modifiedNs;
}

bool writeJournal(const QString& folder, const std::vector<JournalEntry>& entries, QString* error) {
  QByteArray text = kHeader3 + '\n';
  for (const JournalEntry& e : entries) {
    const QString dir = e.dir.isEmpty() ? folder : joinPath(folder, e.dir);
    const QString staged = QFileInfo(stagedPath(joinPath(dir, e.name))).fileName();
    QString line = e.name + u'/' + staged;
    if (!e.dir.isEmpty()) line = e.dir + u'/' + line + u'/' + seenText(e.seen);
    text += line.toUtf8() + '\n';
  }
  text += kEnd + '\n';
  return replaceFile(joinPath(folder, kJournalName), text, error);
}

bool removeJournal(const QString& folder, QString* error) {
  return removeFile(joinPath(folder, kJournalName), error) && syncFolder(folder, error);
}

std::optional<QString> recoverInterruptedSave(const QString& folder) {
  const QString journal = joinPath(folder, kJournalName);
  std::optional<QString> note;
  if (QFileInfo(journal).exists() || QFileInfo(journal).isSymLink()) {
    QString error;
    const std::optional<QByteArray> text = readRegularFile(journal, &error, kMaxJournalBytes);
    const std::optional<std::vector<Entry>> entries = text ? parseJournal(*text) : std::nullopt;
    if (entries) {
      QStringList names;
      QStringList workingDirs;
      int workingFiles = 0;
      for (const Entry& e : *entries) {
        const QString dir = e.dir.isEmpty() ? folder : joinPath(folder, e.dir);
        const QString target = joinPath(dir, e.target);
        const QString staged = joinPath(dir, e.staged);
        if (e.dir.isEmpty()) names << e.target;
        // Gone: renamed before the stop. A link was never staged by a save,
        // so it is left for the removal of leftovers below.
        const QFileInfo info(staged);
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
          // Left as found, so that the next open can try again.
          return QStringLiteral(
                     "Un salvataggio interrotto della skin non può essere completato: "
                     "impossibile rinominare %1 in %2 (%3).")
              .arg(staged, target, error);
        }
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
      note = QStringLiteral(
                 "Un salvataggio interrotto della skin è stato completato: %1 sono quelli "
                 "nuovi.")
                 .arg(names.join(QStringLiteral(", ")));
    }
    if (!removeJournal(folder, &error)) {
      return QStringLiteral("Impossibile rimuovere %1 (%2).").arg(journal, error);
    }
  }
  if (removeLeftoverTemporaries(folder) > 0 && !note) {
    note = QStringLiteral(
        "Un salvataggio interrotto della skin è stato annullato: i file della skin sono quelli "
        "di prima.");
  }
  return note;
}

}  // namespace corvela
