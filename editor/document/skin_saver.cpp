#include "skin_saver.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>
#include <vector>

#include "document_names.h"
#include "object_archive.h"
#include "path_helpers.h"
#include "skin_document.h"
#include "skin_line.h"
#include "text_number.h"

namespace corvela {

namespace {

SaveOutcome failure(SaveOutcome::Kind kind, const QString& message) {
  SaveOutcome o;
  o.kind = kind;
  o.title =
      kind == SaveOutcome::Refused && message == kOtherSkinMessage ? kTitleWarning : kTitleError;
  o.message = message;
  return o;
}

struct PackedObject {
  int row;
  QByteArray bytes;
};

bool isToBePacked(const ListRow& row) {
  return row.cells[V_Stato].compare(kStateToReplace, Qt::CaseInsensitive) == 0;
}

// A line number from an "Indice" cell, or nothing when it names no line of
// the table (a row from a default scheme made for another layout).
std::optional<size_t> lineIndex(const QString& cell, const SkinDocument& doc) {
  const long long k = numericValue(cell);
  if (k < 0 || k >= doc.P_MaxValues) return std::nullopt;
  return static_cast<size_t>(k);
}

bool writeTemp(QSaveFile& file, const QByteArray& bytes, QString* error) {
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    *error = file.errorString();
    file.cancelWriting();
    return false;
  }
  return true;
}

}  // namespace

SaveOutcome SalvaSkin(SkinDocument& doc) {
  if (!doc.loadedCompletely()) {
    return failure(SaveOutcome::Refused,
                   QStringLiteral("La skin non è stata caricata completamente: salvataggio non "
                                  "consentito."));
  }
  if (!doc.canSave()) return failure(SaveOutcome::Refused, kOtherSkinMessage);

  std::vector<QString> lines(doc.lines.begin(), doc.lines.begin() + doc.P_MaxValues);

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
  for (int i = 1; i <= doc.T_Strutt.nodeCount() && i <= doc.P_MaxValues; ++i) {
    const TreeNode& n = doc.T_Strutt.node(i);
    if (n.colour == kChangedBlue) lines[static_cast<size_t>(i - 1)] = n.text;
  }

  const QString archiveFile = archivePath(doc.P_sPath, doc.P_sTheme, kPackedArchive);
  const QString backupFile = joinPath(doc.P_sPath, doc.P_sTheme + QStringLiteral("_old.ski"));
  const QString skinFile = doc.skinFile();

  // Gather every object to pack before anything is written. An object of
  // the packed archive whose GIF was never extracted is taken from the
  // archive as it stands, so its line keeps pointing at its image.
  std::optional<QByteArray> oldArchive;
  bool oldArchiveRead = false;
  std::vector<PackedObject> packed;
  for (int r = 0; r < doc.L_Values.rowCount(); ++r) {
    const ListRow& row = doc.L_Values.row(r);
    if (!isToBePacked(row)) continue;
    const QString gif = row.cells[V_PathGif].trimmed();
    QString error;
    if (!gif.isEmpty()) {
      std::optional<QByteArray> bytes = readWholeFile(gif, &error);
      if (!bytes) {
        return failure(SaveOutcome::Failed,
                       QStringLiteral("Impossibile leggere il file dell'oggetto %1:\n%2\n(%3)\n"
                                      "Nessun file è stato scritto.")
                           .arg(row.cells[V_ID], gif, error));
      }
      packed.push_back({r, std::move(*bytes)});
      continue;
    }
    std::optional<QByteArray> bytes;
    if (numericValue(row.cells[V_NDat]) == kPackedArchive && row.cells[V_NDat].trimmed() != kNoId) {
      if (!oldArchiveRead) {
        oldArchive = readWholeFile(archiveFile);
        oldArchiveRead = true;
      }
      if (oldArchive) {
        bytes = cutObject(*oldArchive, numericValue(row.cells[V_Offset]),
                          numericValue(row.cells[V_Byte]));
      }
    }
    if (!bytes || bytes->isEmpty()) {
      return failure(
          SaveOutcome::Failed,
          QStringLiteral("L'oggetto %1 è da sostituire ma il suo file GIF manca e non si "
                         "trova nell'archivio %2.\nEsporta gli oggetti prima di salvare. "
                         "Nessun file è stato scritto.")
              .arg(row.cells[V_ID], archiveFileName(doc.P_sTheme, kPackedArchive)));
    }
    packed.push_back({r, std::move(*bytes)});
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

  QByteArray skinText;
  for (const QString& line : lines) {
    skinText += line.toLatin1();
    skinText += '\n';
  }

  // Both new files go to temporary files beside their targets and are
  // renamed into place only once both are complete.
  QString error;
  QSaveFile archiveOut(archiveFile);
  if (!archive.isEmpty() && !writeTemp(archiveOut, archive, &error)) {
    return failure(SaveOutcome::Failed,
                   QStringLiteral("Impossibile scrivere %1:\n%2\nNessun file è "
                                  "stato scritto.")
                       .arg(archiveFile, error));
  }
  QSaveFile skinOut(skinFile);
  if (!writeTemp(skinOut, skinText, &error)) {
    if (!archive.isEmpty()) archiveOut.cancelWriting();
    return failure(SaveOutcome::Failed,
                   QStringLiteral("Impossibile scrivere %1:\n%2\nNessun file è "
                                  "stato scritto.")
                       .arg(skinFile, error));
  }
  // The copy of the old skin is taken before anything is replaced, so a
  // failure here leaves the skin and its archive matching each other.
  if (QFileInfo::exists(backupFile)) QFile::remove(backupFile);
  if (!QFile::copy(skinFile, backupFile)) {
    skinOut.cancelWriting();
    if (!archive.isEmpty()) archiveOut.cancelWriting();
    return failure(SaveOutcome::Failed,
                   QStringLiteral("Impossibile creare la copia di sicurezza %1.\nNessun file è "
                                  "stato modificato.")
                       .arg(backupFile));
  }
  if (!archive.isEmpty() && !archiveOut.commit()) {
    skinOut.cancelWriting();
    return failure(SaveOutcome::Failed,
                   QStringLiteral("Impossibile scrivere %1:\n%2\nLa skin non è "
                                  "stata modificata.")
                       .arg(archiveFile, archiveOut.errorString()));
  }
  if (!skinOut.commit()) {
    return failure(
        SaveOutcome::Failed,
        QStringLiteral("Impossibile scrivere %1:\n%2").arg(skinFile, skinOut.errorString()));
  }

  for (size_t k = 0; k < lines.size(); ++k) doc.lines[k] = lines[k];
  for (const PackedObject& p : packed) doc.L_Values.setColour(p.row, kRed);

  SaveOutcome o;
  o.kind = SaveOutcome::Saved;
  o.archiveWritten = !archive.isEmpty();
  o.title = kTitleInfo;
  o.message = o.archiveWritten ? kSavedWithArchive : kSavedWithoutArchive;
  return o;
}

}  // namespace corvela
