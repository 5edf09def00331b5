#include "save_journal.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

#include "path_helpers.h"
#include "safe_read.h"
#include "safe_write.h"

namespace corvela {

namespace {
// Version 1 staged every file under one fixed name; a journal left by it is
// still completed. Version 2 names each staged copy after its target.
const QByteArray kHeader1 = "corvela journal 1";
const QByteArray kHeader2 = "corvela journal 2";
const QByteArray kEnd = "end";

struct Entry {
  QString target;
  QString staged;
};

bool isPlainName(const QString& name) {
  return !name.isEmpty() && !name.contains(u'/') && !name.contains(QDir::separator()) &&
         name != QStringLiteral(".") && name != QStringLiteral("..");
}

// The entries of a complete journal, or nothing for one that is not.
std::optional<std::vector<Entry>> parseJournal(const QByteArray& text) {
  QList<QByteArray> lines = text.split('\n');
  if (lines.size() < 3 || (lines.front() != kHeader1 && lines.front() != kHeader2) ||
      !lines.back().isEmpty() || lines[lines.size() - 2] != kEnd) {
    return std::nullopt;
  }
  const bool named = lines.front() == kHeader2;
  std::vector<Entry> entries;
  for (qsizetype i = 1; i < lines.size() - 2; ++i) {
    const QString line = QString::fromUtf8(lines[i]);
    // Only plain names of the folder itself, and only staged copies of the
    // target they go to: a journal never sends a rename anywhere else.
    Entry e;
    if (named) {
      const QStringList parts = line.split(u'/');
      if (parts.size() != 2) return std::nullopt;
      e = {parts[0], parts[1]};
      if (!e.staged.startsWith(e.target + u'.') || !e.staged.endsWith(kTempSuffix)) {
        return std::nullopt;
      }
    } else {
      e = {line, line + kTempSuffix};
    }
    if (!isPlainName(e.target) || !isPlainName(e.staged)) return std::nullopt;
    entries.push_back(e);
  }
  return entries;
}
}  // namespace

bool writeJournal(const QString& folder, const QStringList& names, QString* error) {
  QByteArray text = kHeader2 + '\n';
  for (const QString& n : names) {
    text +=
        n.toUtf8() + '/' + QFileInfo(stagedPath(joinPath(folder, n))).fileName().toUtf8() + '\n';
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
    const std::optional<QByteArray> text = readRegularFile(journal, &error, 64 * 1024);
    const std::optional<std::vector<Entry>> entries = text ? parseJournal(*text) : std::nullopt;
    if (entries) {
      QStringList names;
      for (const Entry& e : *entries) {
        names << e.target;
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
