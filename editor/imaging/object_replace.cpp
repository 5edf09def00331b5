#include "object_replace.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <memory>

#include "default_set.h"
#include "document_edits.h"
#include "document_names.h"
#include "gif_check.h"
#include "image_decode.h"
#include "object_archive.h"
#include "object_row.h"
#include "path_helpers.h"
#include "pinned_images.h"
#include "record_rows.h"
#include "safe_read.h"
#include "skin_document.h"
#include "skin_line.h"
#include "text_number.h"

namespace corvela {

namespace {

#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
constexpr Qt::CaseSensitivity kFileNameCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kFileNameCase = Qt::CaseSensitive;
#endif

struct Replacement {
  ReplaceOutcome::Status status = ReplaceOutcome::Missing;
  QString path;
  QImage image;
  // The file's bytes as read: the step keeps them, so that undo and redo
  // give back this very image whatever becomes of the file.
  std::shared_ptr<const QByteArray> bytes;
  QString why;
};

// Reads the candidate file whole as an image before anything is touched, so
// a row never ends up naming a file the save cannot pack.
Replacement readReplacement(const QString& file) {
  Replacement r;
  const QFileInfo info(file);
  if (!info.exists()) return r;
  r.path = QDir::toNativeSeparators(info.absoluteFilePath());
  if (!info.isFile() || !info.isReadable()) {
    r.status = ReplaceOutcome::Unreadable;
    return r;
  }
  std::optional<QImage> image;
  if (const std::optional<QString> tooLarge = objectSizeProblem(info.size())) {
    r.why = *tooLarge;
  } else if (std::optional<QByteArray> bytes = readRegularFile(r.path, &r.why)) {
    // The bytes are packed as they are and the phone reads GIF alone: a
    // picture of another kind (a PNG renamed .gif) would show as garbage.
    image = decodeGif(*bytes, &r.why);
    r.bytes = std::make_shared<const QByteArray>(std::move(*bytes));
  }
  if (!image) {
    r.status = ReplaceOutcome::NotAnImage;
    return r;
  }
  r.image = *image;
  r.status = ReplaceOutcome::Replaced;
  return r;
}

bool validRow(const SkinDocument& doc, int row) {
  return row >= 0 && row < doc.L_Values.rowCount();
}

ReplaceOutcome write(SkinDocument& doc, int row, const Replacement& r,
                     std::optional<long long> archive = std::nullopt) {
  ReplaceOutcome o;
  o.status = r.status;
  o.image = r.image;
  o.why = r.why;
  if (r.status == ReplaceOutcome::Replaced) {
    ReportList& objects = doc.records().objects;
    replaceObject(objects, row, r.path, r.bytes->size(), archive);
    objects.setPinned(row, r.bytes);
  }
  return o;
}

}  // namespace

QString ReplaceOutcome::message(const QString& file) const {
  switch (status) {
    case Replaced:
      return {};
    case NoSuchRow:
      return QStringLiteral("nessun oggetto selezionato");
    case SamePath:
      return kSamePathMessage;
    case Missing:
      return QStringLiteral("file non trovato: %1").arg(file);
    case Unreadable:
      return QStringLiteral("file non leggibile: %1").arg(file);
    case NotAnImage:
      return QStringLiteral("%1: %2").arg(
          file, why.isEmpty() ? QStringLiteral("non è un'immagine GIF") : why);
    case SizeMismatch:
      return QStringLiteral("%1 (%2)").arg(kSizeMismatchMessage, sizeMismatch());
  }
  return {};
}

QString ReplaceOutcome::sizeMismatch() const {
  return QStringLiteral("%1×%2 invece di %3×%4")
      .arg(image.width())
      .arg(image.height())
      .arg(current.width())
      .arg(current.height());
}

bool samePath(const QString& a, const QString& b) {
  if (a.trimmed().isEmpty() || b.trimmed().isEmpty()) return false;
  const QFileInfo fa(a);
  const QFileInfo fb(b);
  if (fa.exists() && fb.exists()) {
    return fa.canonicalFilePath().compare(fb.canonicalFilePath(), kFileNameCase) == 0;
  }
  return QDir::cleanPath(fa.absoluteFilePath())
             .compare(QDir::cleanPath(fb.absoluteFilePath()), kFileNameCase) == 0;
}

namespace {

// The size an object's header gives, for the object at `offset` (`size`
// bytes) of archive `number`; nothing when it cannot be read as an image.
std::optional<QSize> archivedImageSize(const SkinDocument& doc, const ArchivePlace& place) {
  ArchiveReader archives(doc.P_sPath, doc.P_sTheme);
  ArchiveReader::Object object = archives.cut(place);
  if (object.status != ArchiveReader::Status::Ok) return std::nullopt;
  QBuffer buffer(&object.bytes);
  const QSize found = QImageReader(&buffer).size();
  if (!found.isValid()) return std::nullopt;
  return found;
}

}  // namespace

std::optional<QSize> currentImageSize(const SkinDocument& doc, int row) {
  if (!validRow(doc, row)) return std::nullopt;
  const ListRow& shown = doc.L_Values.row(row);
  if (const QByteArray* pinned = pinnedImage(shown)) {
    if (const std::optional<QImage> image = decodeImage(*pinned)) return image->size();
  }
  const QString gif = shownFile(doc, row);
  if (!gif.isEmpty() && FileExist(gif)) {
    const QSize size = QImageReader(gif).size();
    if (size.isValid()) return size;
  }
  const std::optional<ArchivePlace> place = archivePlace(shown);
  if (!place) return std::nullopt;
  return archivedImageSize(doc, *place);
}

std::optional<QSize> originalImageSize(const SkinDocument& doc, int row) {
  if (!validRow(doc, row)) return std::nullopt;
  const long long line = rowLine(doc.L_Values, row);
  if (line < 1 || line >= static_cast<long long>(doc.lines.size())) return std::nullopt;
  // The object's line as the file holds it: "5 id offset size archive".
  const QStringList fields = splitFields(doc.lines[static_cast<size_t>(line)]);
  if (fields.size() < 5) return std::nullopt;
  return archivedImageSize(
      doc, {numericValue(fields[4]), numericValue(fields[2]), numericValue(fields[3])});
}

ReplaceOutcome importObject(SkinDocument& doc, int row, const QString& file, bool checkSize) {
  ReplaceOutcome refused;
  if (!validRow(doc, row)) return refused;
  if (samePath(file, shownFile(doc, row))) {
    refused.status = ReplaceOutcome::SamePath;
    return refused;
  }
  const Replacement r = readReplacement(file);
  if (r.status == ReplaceOutcome::Replaced && checkSize) {
    const std::optional<QSize> current = currentImageSize(doc, row);
    if (current && *current != r.image.size()) {
      refused.status = ReplaceOutcome::SizeMismatch;
      refused.image = r.image;
      refused.current = *current;
      return refused;
    }
  }
  return write(doc, row, r);
}

ReplaceOutcome replaceByDefault(SkinDocument& doc, int row, const QString& folder) {
  if (!validRow(doc, row)) return {};
  const QString file = defaultObjectPath(folder, rowId(doc.L_Values.row(row)));
  if (folder.isEmpty() || !FileExist(file)) {
    ReplaceOutcome missing;
    missing.status = ReplaceOutcome::Missing;
    return missing;
  }
  return write(doc, row, readReplacement(file));
}

int replaceAllByDefault(SkinDocument& doc, const QString& folder,
                        const std::function<void(int)>& replaced) {
  int count = 0;
  for (int r = 0; r < doc.L_Values.rowCount(); ++r) {
    if (!replaceByDefault(doc, r, folder).replaced()) continue;
    ++count;
    if (replaced) replaced(r);
  }
  return count;
}

int fillMissingObjects(SkinDocument& doc, const QString& folder) {
  int found = 0;
  if (folder.isEmpty()) return found;
  for (int r = 0; r < doc.L_Values.rowCount(); ++r) {
    if (!shownFile(doc, r).isEmpty()) continue;
    const QString file = objectGifPath(folder, rowId(doc.L_Values.row(r)));
    if (!FileExist(file)) continue;
    const Replacement replacement = readReplacement(file);
    if (replacement.status != ReplaceOutcome::Replaced) continue;
    write(doc, r, replacement, kPackedArchive);
    ++found;
  }
  return found;
}

}  // namespace corvela
