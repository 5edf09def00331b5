#include "save_journal.h"

#include <QDir>
#include <QFileInfo>

#include "path_helpers.h"
#include "safe_read.h"
#include "safe_write.h"

namespace corvela {

namespace {
const QByteArray kHeader = "corvela journal 1";
const QByteArray kEnd = "end";

// The names of a complete journal, or nothing for one that is not.
std::optional<QStringList> parseJournal(const QByteArray& text) {
  QList<QByteArray> lines = text.split('\n');
  if (lines.size() < 3 || lines.front() != kHeader || !lines.back().isEmpty() ||
      lines[lines.size() - 2] != kEnd) {
    return std::nullopt;
  }
  QStringList names;
  for (qsizetype i = 1; i < lines.size() - 2; ++i) {
    const QString name = QString::fromUtf8(lines[i]);
    // Only plain names of the folder itself: a journal never sends a rename
    // anywhere else.
    if (name.isEmpty() || name.contains(u'/') || name.contains(QDir::separator()) ||
        name == QStringLiteral(".") || name == QStringLiteral("..")) {
      return std::nullopt;
    }
    names << name;
  }
  return names;
}
}  // namespace

bool writeJournal(const QString& folder, const QStringList& names, QString* error) {
  QByteArray text = kHeader + '\n';
  for (const QString& n : names) text += n.toUtf8() + '\n';
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
    const std::optional<QStringList> names = text ? parseJournal(*text) : std::nullopt;
    if (names) {
      for (const QString& name : *names) {
        const QString target = joinPath(folder, name);
        // Gone: renamed before the stop. A link was never staged by a save,
        // so it is left for the removal of leftovers below.
        const QFileInfo staged(stagedPath(target));
        if (!staged.isFile() || staged.isSymLink()) continue;
        if (!commitStaged(target, &error)) {
          // Left as found, so that the next open can try again.
          return QStringLiteral(
                     "Un salvataggio interrotto della skin non può essere completato: "
                     "impossibile rinominare %1 in %2 (%3).")
              .arg(stagedPath(target), target, error);
        }
      }
      note = QStringLiteral(
                 "Un salvataggio interrotto della skin è stato completato: %1 sono quelli "
                 "nuovi.")
                 .arg(names->join(QStringLiteral(", ")));
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
