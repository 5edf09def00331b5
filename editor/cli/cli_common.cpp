#include "cli_common.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include "document_names.h"
#include "path_helpers.h"
#include "record_rows.h"
#include "save_journal.h"
#include "shown_text.h"
#include "skin_line.h"
#include "skin_saver.h"

namespace corvela::cli {

void write(std::FILE* stream, const QString& text) {
  // Messages quote skin lines and file names, whose control codes must never
  // reach the terminal; listings come escaped already.
  const QByteArray bytes = escapedText(text, Escape::Message).toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

void fail(const QString& message) {
  QString out;
  for (const QString& line : message.split(u'\n'))
    out += QStringLiteral("corvela-skin: ") + line + u'\n';
  write(stderr, out);
}

QString notFound(const QString& file) {
  if (file.contains(QChar::ReplacementCharacter)) {
    return QStringLiteral(
               "%1: il percorso contiene byte che non sono UTF-8 e non si può aprire; "
               "rinominare il file o la cartella")
        .arg(file);
  }
  return QStringLiteral("file non trovato: %1").arg(file);
}

int openSkin(SkinDocument& doc, const QString& file, LoadOutcome& outcome, bool quietStop,
             SkinLock* keep, LockAccess access) {
  // Checked here so that a mistyped name does not leave a working folder
  // behind: the load creates it before it reads the file.
  const QFileInfo given(file);
  const QFileInfo info(pathInAnyCase(given.absolutePath(), given.fileName()));
  if (!info.exists()) {
    const std::optional<QString> clash = nameClash(given.absolutePath(), given.fileName());
    fail(clash ? *clash : notFound(file));
    return ExitUsage;
  }
  if (!info.isFile()) {
    fail(QStringLiteral("non è un file: %1").arg(file));
    return ExitUsage;
  }
  // Taken here rather than left to the load, which would report a busy
  // skin as unreadable: it is a problem of the moment, not of the file.
  SkinLock lock;
  QString error;
  if (!lock.take(info.absolutePath(), &error, kLockWaitMs, access)) {
    fail(kTitleError + u' ' + error + QStringLiteral(". Nessun file è stato modificato."));
    return ExitProblems;
  }
  outcome = doc.load(file, access);
  if (keep) *keep = std::move(lock);
  for (const QString& w : outcome.warnings) fail(QStringLiteral("attenzione: ") + w);
  if (const QString note = outcome.outside.note(); !note.isEmpty()) fail(note);
  switch (outcome.status) {
    case LoadStatus::Complete:
      return ExitOk;
    case LoadStatus::BadLine:
      if (!quietStop) {
        fail(QStringLiteral("%1: caricamento interrotto alla riga %2: %3")
                 .arg(file)
                 .arg(outcome.line)
                 .arg(outcome.reason));
      }
      return ExitProblems;
    case LoadStatus::TooManyLines:
      if (!quietStop)
        fail(QStringLiteral("%1: caricamento interrotto: %2").arg(file, outcome.reason));
      return ExitProblems;
    case LoadStatus::HalfSaved:
      // Whatever the command, even check: nothing of the skin was read.
      fail(QStringLiteral("%1: %2").arg(file, outcome.reason));
      return ExitProblems;
    case LoadStatus::BadMagic:
      fail(QStringLiteral("%1: %2").arg(file, kBadFormatMessage));
      return ExitUsage;
    case LoadStatus::EmptyFile:
    case LoadStatus::Unreadable:
    case LoadStatus::NotLoaded:
      fail(QStringLiteral("%1: %2").arg(file, outcome.reason));
      return ExitUsage;
  }
  return ExitUsage;
}

void failToSave(const SkinDocument& doc, const QString& why) {
  const QString file = QDir::toNativeSeparators(doc.skinFile());
  QString message = why;
  // The window's words for another skin's name leave the rule unsaid.
  if (why == kOtherSkinMessage) message += QStringLiteral(" Si salva solo un file vodafone.ski.");
  fail(why.contains(file) ? message : QStringLiteral("%1: %2").arg(file, message));
}

bool refusedBeforeLoading(const QString& file) {
  // Only what the skin file alone decides (its name, a load that stops, a
  // carriage return), read as it lies, so that a refused command leaves no
  // working folder behind. A save cut short is put right by the load first
  // and may change the file: then the load's own verdict stands.
  const QFileInfo info(file);
  if (!info.isFile() || interruptedSavePending(info.absolutePath())) return false;
  SkinDocument peeked;
  if (peeked.peek(file).status != LoadStatus::Complete) return false;
  const std::optional<QString> refusal = saveRefusalOf(peeked);
  if (refusal) failToSave(peeked, *refusal);
  return refusal.has_value();
}

std::optional<QString> recordId(const QString& text) {
  static const QRegularExpression digits(QStringLiteral("^\\d{1,9}$"));
  if (text == kNoId) return text;
  if (!digits.match(text).hasMatch()) return std::nullopt;
  return listId(text);
}

int saveAndReport(UnlessSaved& folder, int loaded) {
  const SaveOutcome saved = SalvaSkin(folder.doc);
  if (saved.kind != SaveOutcome::Saved) {
    failToSave(folder.doc, saved.message);
    return ExitProblems;
  }
  folder.saved = true;
  write(stdout, saved.message + u'\n');
  return saved.title == kTitleWarning ? ExitProblems : loaded;
}

}  // namespace corvela::cli
