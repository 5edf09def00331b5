#include "save_journal.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

#include "path_helpers.h"
#include "safe_read.h"
#include "safe_write.h"

namespace corvela {

namespace {
// Version 1 staged every file under one fixed name and version 2 each beside
// its target, both with the journal at the top of the skin's folder; a
// journal left by them is still completed. Version 3 lies in the editor
// folder, stages there, and may name files to remove.
const QByteArray kHeader1 = "corvela journal 1";
const QByteArray kHeader2 = "corvela journal 2";
const QByteArray kHeader3 = "corvela journal 3";
const QByteArray kEnd = "end";

// Paths relative to the skin's folder.
struct Entry {
  QString target;
  QString staged;
};
struct Journal {
  std::vector<Entry> entries;
  QStringList removals;
};

bool isPlainName(const QString& name) {
  return !name.isEmpty() && !name.contains(u'/') && !name.contains(QDir::separator()) &&
         name != QStringLiteral(".") && name != QStringLiteral("..");
}

QString inEditorFolder(const QString& name) {
  return kEditorFolderName + u'/' + name;
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
    // Only plain names of the folder itself or of its editor folder, and only
    // staged copies of the target they go to: a journal never sends a rename
    // anywhere else.
    if (header == kHeader1) {
      if (!isPlainName(line)) return std::nullopt;
      journal.entries.push_back({line, line + kTempSuffix});
      continue;
    }
    QStringList parts = line.split(u'/');
    if (hidden && parts.size() == 2 && parts[0].isEmpty()) {
      if (!isPlainName(parts[1])) return std::nullopt;
      journal.removals << parts[1];
      continue;
    }
    const bool hiddenTarget = hidden && parts.size() == 3 && parts[0] == kEditorFolderName;
    if (hiddenTarget) parts.removeFirst();
    if (parts.size() != 2 || !isPlainName(parts[0]) || !isPlainName(parts[1]) ||
        !parts[1].startsWith(parts[0] + u'.') || !parts[1].endsWith(kTempSuffix)) {
      return std::nullopt;
    }
    journal.entries.push_back({hiddenTarget ? inEditorFolder(parts[0]) : parts[0],
                               hidden ? inEditorFolder(parts[1]) : parts[1]});
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

bool writeJournal(const QString& folder, const QStringList& names, QString* error,
                  const QStringList& removals) {
  QByteArray text = kHeader3 + '\n';
  for (const QString& n : names) {
    text +=
        n.toUtf8() + '/' + QFileInfo(stagedPath(joinPath(folder, n))).fileName().toUtf8() + '\n';
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

std::optional<QString> recoverInterruptedSave(const QString& folder) {
  std::optional<QString> note;
  for (const bool hidden : {false, true}) {
    const QString journal = hidden ? journalPath(folder) : legacyJournal(folder);
    // A planted link is never followed into the editor folder.
    if (!present(journal) || (hidden && !editorFolderUsable(folder))) continue;
    QString error;
    const std::optional<QByteArray> text = readRegularFile(journal, &error, 64 * 1024);
    const std::optional<Journal> parsed = text ? parseJournal(*text, hidden) : std::nullopt;
    QStringList removals;
    if (parsed) {
      QStringList names;
      for (const Entry& e : parsed->entries) {
        names << QFileInfo(e.target).fileName();
        const QString target = joinPath(folder, e.target);
        const QString staged = joinPath(folder, e.staged);
        // Gone: renamed before the stop. A link was never staged by a save,
        // so it is left for the removal of leftovers below.
        const QFileInfo info(staged);
        if (!info.isFile() || info.isSymLink()) continue;
        if (!renameInto(staged, target, &error)) {
          // Left as found, so that the next open can try again.
          return QStringLiteral(
                     "Un salvataggio interrotto della skin non può essere completato: "
                     "impossibile rinominare %1 in %2 (%3).")
              .arg(staged, target, error);
        }
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
  int leftovers = removeLeftoverTemporaries(folder);
  if (editorFolderUsable(folder)) leftovers += removeLeftoverTemporaries(editorFolder(folder));
  if (leftovers > 0 && !note) {
    note = QStringLiteral(
        "Un salvataggio interrotto della skin è stato annullato: i file della skin sono quelli "
        "di prima.");
  }
  return note;
}

}  // namespace corvela
