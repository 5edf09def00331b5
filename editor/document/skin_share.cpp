#include "skin_share.h"

#include <sys/stat.h>

#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "document_names.h"
#include "folder_guard.h"
#include "object_archive.h"
#include "path_helpers.h"
#include "safe_read.h"
#include "safe_write.h"
#include "skin_document.h"
#include "skin_line.h"
#include "skin_saver.h"
#include "text_number.h"
#include "zip_library.h"

namespace corvela {

namespace {

// Reached only past a check that the library loaded.
const ZipLibrary& zl() {
  return *zipLibrary(nullptr);
}

struct NamedBytes {
  QString name;
  QByteArray bytes;
};

ShareOutcome refused(const QString& message) {
  ShareOutcome o;
  o.message = message;
  return o;
}

// The skin file and each archive its object lines point at, in the order a
// reader expects them: the skin first, then the archives by number.
std::optional<QString> phoneFiles(const SkinDocument& doc, std::vector<NamedBytes>& files) {
  SaveProduct product;
  if (std::optional<SaveOutcome> refusal = produceSave(doc, product)) return refusal->message;
  std::set<long long> archives;
  for (const QString& line : product.lines) {
    if (!line.startsWith(u'5')) continue;
    if (const std::optional<RecordView> r = splitRecordLine(line)) {
      const long long number = numericValue(r->values[2]);
      if (number >= 0) archives.insert(number);
    }
  }
  files.push_back({kPhoneSkinName, product.skinText});
  for (const long long number : archives) {
    const QString name = archiveFileName(kOperatorTheme, number);
    if (number == kPackedArchive && !product.archive.isEmpty()) {
      files.push_back({name, product.archive});
      continue;
    }
    // Any other archive goes as it lies beside the skin, since a save leaves
    // it alone.
    const QString source = archivePath(doc.P_sPath, doc.P_sTheme, number);
    QString why;
    std::optional<QByteArray> bytes;
    if (std::optional<QString> outside = outsideLinkReason(source, doc.P_sPath)) {
      why = *outside;
    } else {
      bytes = readRegularFile(source, &why);
    }
    if (!bytes) {
      return QStringLiteral("Impossibile leggere %1, a cui la skin rimanda:\n%2").arg(source, why);
    }
    files.push_back({name, std::move(*bytes)});
  }
  return std::nullopt;
}

struct ZipDeleter {
  void operator()(zip_t* z) const { zl().zip_discard(z); }
};
struct SourceDeleter {
  void operator()(zip_source_t* s) const { zl().zip_source_free(s); }
};

// The reason in the user's words: the library's own are English.
QString zipReason(zip_error_t* error) {
  const int system = zl().zip_error_code_system(error);
  switch (zl().zip_error_code_zip(error)) {
    case ZIP_ER_OK:
      return QStringLiteral("nessun errore");
    case ZIP_ER_NOZIP:
      return QStringLiteral("non è un archivio zip");
    case ZIP_ER_INCONS:
      return QStringLiteral("archivio zip incoerente o rovinato");
    case ZIP_ER_CRC:
      return QStringLiteral("i dati non corrispondono al loro controllo (CRC): archivio rovinato");
    case ZIP_ER_EOF:
      return QStringLiteral("il file finisce prima del previsto");
    case ZIP_ER_COMPNOTSUPP:
      return QStringLiteral("compressione non supportata");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
      return QStringLiteral("voce cifrata con password");
    case ZIP_ER_MEMORY:
      return QStringLiteral("memoria insufficiente");
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_WRITE:
    case ZIP_ER_CLOSE:
    case ZIP_ER_RENAME:
    case ZIP_ER_REMOVE:
    case ZIP_ER_TMPOPEN:
      if (system != 0) return systemReason(system);
      break;
    case ZIP_ER_ZLIB:
      return QStringLiteral("dati compressi non validi");
    default:
      break;
  }
  // Any other, rarer reason keeps the library's words.
  return QString::fromLocal8Bit(zl().zip_error_strerror(error));
}

// The .zip in memory: entries in the given order, each deflated with the same
// level, dated 1 January 1980 and marked as a plain Unix file, so that the
// same files always give the same bytes.
std::optional<QByteArray> zipBytes(const std::vector<NamedBytes>& files, QString* why) {
  if (!zipLibrary(why)) return std::nullopt;
  zip_error_t error;
  zl().zip_error_init(&error);
  std::unique_ptr<zip_source_t, SourceDeleter> buffer(
      zl().zip_source_buffer_create(nullptr, 0, 0, &error));
  if (!buffer) {
    *why = zipReason(&error);
    zl().zip_error_fini(&error);
    return std::nullopt;
  }
  std::unique_ptr<zip_t, ZipDeleter> archive(
      zl().zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error));
  if (!archive) {
    *why = zipReason(&error);
    zl().zip_error_fini(&error);
    return std::nullopt;
  }
  zl().zip_error_fini(&error);
  // The archive now owns the buffer; kept alive past zip_close to be read.
  zl().zip_source_keep(buffer.get());
  constexpr zip_uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;  // 1980-01-01
  constexpr zip_uint32_t kPlainFile = static_cast<zip_uint32_t>(S_IFREG | 0644) << 16;
  for (const NamedBytes& f : files) {
    zip_source_t* data = zl().zip_source_buffer(archive.get(), f.bytes.constData(),
                                                static_cast<zip_uint64_t>(f.bytes.size()), 0);
    const zip_int64_t index =
        data ? zl().zip_file_add(archive.get(), f.name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8)
             : -1;
    if (index < 0) {
      if (data) zl().zip_source_free(data);
      *why = zipReason(zl().zip_get_error(archive.get()));
      return std::nullopt;
    }
    const auto i = static_cast<zip_uint64_t>(index);
    if (zl().zip_set_file_compression(archive.get(), i, ZIP_CM_DEFLATE, 9) < 0 ||
        zl().zip_file_set_dostime(archive.get(), i, 0, kDosDate, 0) < 0 ||
        zl().zip_file_set_external_attributes(archive.get(), i, 0, ZIP_OPSYS_UNIX, kPlainFile) <
            0) {
      *why = zipReason(zl().zip_get_error(archive.get()));
      return std::nullopt;
    }
  }
  if (zl().zip_close(archive.get()) < 0) {
    *why = zipReason(zl().zip_get_error(archive.get()));
    return std::nullopt;
  }
  archive.release();  // closed, and so freed

  QByteArray bytes;
  if (zl().zip_source_open(buffer.get()) < 0 ||
      zl().zip_source_seek(buffer.get(), 0, SEEK_END) < 0) {
    *why = zipReason(zl().zip_source_error(buffer.get()));
    return std::nullopt;
  }
  const zip_int64_t size = zl().zip_source_tell(buffer.get());
  bytes.resize(size);
  const bool read =
      zl().zip_source_seek(buffer.get(), 0, SEEK_SET) == 0 &&
      zl().zip_source_read(buffer.get(), bytes.data(), static_cast<zip_uint64_t>(size)) == size;
  if (!read) *why = zipReason(zl().zip_source_error(buffer.get()));
  zl().zip_source_close(buffer.get());
  if (!read) return std::nullopt;
  return bytes;
}

// Why the file at `dest` is no earlier export of these `files` (a .zip
// holding only entries of theirs), or nothing when it is one.
std::optional<QString> notAnExportOf(const std::vector<NamedBytes>& files, const QString& dest) {
  if (QString why; !zipLibrary(&why)) return why;
  int code = 0;
  std::unique_ptr<zip_t, ZipDeleter> archive(
      zl().zip_open(QFile::encodeName(dest).constData(), ZIP_RDONLY, &code));
  if (!archive) return QStringLiteral("non è un archivio zip");
  std::set<QString> names;
  for (const NamedBytes& f : files) names.insert(f.name);
  const zip_int64_t count = zl().zip_get_num_entries(archive.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zl().zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0);
    if (!name) return QStringLiteral("una voce non è leggibile");
    if (!names.count(QString::fromUtf8(name))) return QStringLiteral("contiene %1").arg(name);
  }
  return std::nullopt;
}

ShareOutcome exportToZip(const std::vector<NamedBytes>& files, const QString& dest) {
  const PathStat st = pathStat(dest, false);
  if (st.exists && !st.regular) {
    return refused(
        QStringLiteral("Impossibile esportare in %1: non è un file regolare.").arg(dest));
  }
  // As for a folder, only an earlier export of the skin may be replaced:
  // any other file of that name is the user's.
  if (st.exists) {
    if (const std::optional<QString> other = notAnExportOf(files, dest)) {
      return refused(QStringLiteral("Impossibile esportare in %1: il file esiste già e non è "
                                    "un'esportazione di questa skin (%2). Scegli un altro nome.")
                         .arg(dest, *other));
    }
  }
  QString why;
  const std::optional<QByteArray> bytes = zipBytes(files, &why);
  if (!bytes) {
    return refused(QStringLiteral("Impossibile preparare l'archivio %1:\n%2").arg(dest, why));
  }
  if (!replaceFile(dest, *bytes, &why)) {
    return refused(QStringLiteral("Impossibile scrivere %1:\n%2").arg(dest, why));
  }
  ShareOutcome o;
  o.ok = true;
  o.target = dest;
  return o;
}

// The first of `folder` and its parents that does not exist, or an empty
// text when it does: what to take away again after a failure.
QString firstMissing(const QString& folder) {
  QString missing;
  for (QFileInfo at(folder); !at.exists() && !at.isSymLink(); at = QFileInfo(at.absolutePath())) {
    missing = at.absoluteFilePath();
    if (at.isRoot()) break;
  }
  return missing;
}

// Takes away the empty folders from `folder` up to `missing` (see
// firstMissing), which a failed write made.
void removeMade(const QString& folder, const QString& missing) {
  if (missing.isEmpty()) return;
  for (QString at = folder;; at = QFileInfo(at).absolutePath()) {
    if (!QDir().rmdir(at) || at == missing || QFileInfo(at).isRoot()) break;
  }
}

// Puts the folder `fresh` where `dest` is, in one step where the file
// system can (the old one ends up at `fresh`'s name), else in two.
bool exchangeFolders(const QString& fresh, const QString& dest, QString* why) {
  const QByteArray a = QFile::encodeName(fresh);
  const QByteArray b = QFile::encodeName(dest);
  if (renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_EXCHANGE) == 0)
    return true;
  if (errno != EINVAL && errno != ENOSYS) {
    *why = systemReason(errno);
    return false;
  }
  const QByteArray aside = QFile::encodeName(stagedPath(fresh));
  if (std::rename(b.constData(), aside.constData()) != 0) {
    *why = systemReason(errno);
    return false;
  }
  if (std::rename(a.constData(), b.constData()) != 0) {
    *why = systemReason(errno);
    std::rename(aside.constData(), b.constData());
    return false;
  }
  return std::rename(aside.constData(), a.constData()) == 0;
}

// Writes each file whole into `folder`, which exists; false with the message.
bool writeFilesInto(const std::vector<NamedBytes>& files, const QString& folder, QString* message) {
  QString why;
  for (const NamedBytes& f : files) {
    const QString target = joinPath(folder, f.name);
    if (!replaceFile(target, f.bytes, &why)) {
      *message = QStringLiteral("Impossibile scrivere %1:\n%2").arg(target, why);
      return false;
    }
  }
  if (!syncFolder(folder, &why)) {
    *message = QStringLiteral("Impossibile scrivere %1:\n%2").arg(folder, why);
    return false;
  }
  return true;
}

ShareOutcome exportToFolder(const std::vector<NamedBytes>& files, const QString& dest) {
  const QFileInfo info(dest);
  const bool existed = info.exists() || info.isSymLink();
  if (existed && !info.isDir()) {
    return refused(QStringLiteral("Impossibile esportare in %1: non è una cartella.").arg(dest));
  }
  std::set<QString> names;
  for (const NamedBytes& f : files) names.insert(f.name);
  if (existed) {
    // Only an earlier export of the same skin may be replaced: anything else
    // there would end up on the phone beside it, or be mistaken for it.
    const QStringList present = QDir(dest).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : present) {
      if (!names.contains(name)) {
        return refused(QStringLiteral("Impossibile esportare in %1: la cartella contiene già "
                                      "altri file (%2). Scegli una cartella vuota o nuova.")
                           .arg(dest, name));
      }
    }
  }

  // Written whole in a hidden folder beside the target and put in its place
  // at once, so that a failure or a stop halfway leaves the earlier export,
  // or nothing, never a skin that points into another's archives.
  const QString parent = info.absolutePath();
  const QString missing = firstMissing(parent);
  const QString fresh = joinPath(
      parent, QStringLiteral(".") + QFileInfo(stagedPath(info.absoluteFilePath())).fileName());
  QString message;
  if (!QDir().mkpath(fresh)) {
    const QString why = systemReason(errno);
    removeMade(parent, missing);
    // Where nothing may be made beside it (the top of a memory card), an
    // empty or earlier export's folder takes the files one by one.
    if (!existed) {
      return refused(QStringLiteral("Impossibile creare la cartella %1:\n%2").arg(dest, why));
    }
    if (!writeFilesInto(files, dest, &message)) return refused(message);
  } else if (!writeFilesInto(files, fresh, &message)) {
    QDir(fresh).removeRecursively();
    removeMade(parent, missing);
    return refused(message);
  } else if (!existed) {
    if (std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(dest).constData()) !=
        0) {
      const QString why = systemReason(errno);
      QDir(fresh).removeRecursively();
      removeMade(parent, missing);
      return refused(QStringLiteral("Impossibile creare la cartella %1:\n%2").arg(dest, why));
    }
  } else {
    QString why;
    if (!exchangeFolders(fresh, dest, &why)) {
      QDir(fresh).removeRecursively();
      return refused(QStringLiteral("Impossibile scrivere %1:\n%2").arg(dest, why));
    }
    // The earlier export, now under the hidden name; a link that stood for
    // the folder goes as a link, its target untouched.
    if (pathStat(fresh, false).link) {
      removeFile(fresh, nullptr);
    } else {
      QDir(fresh).removeRecursively();
    }
  }
  QString why;
  syncFolder(parent, &why);
  ShareOutcome o;
  o.ok = true;
  o.target = dest;
  return o;
}

// ---- unpacking ---------------------------------------------------------------

struct Entry {
  zip_uint64_t index = 0;
  QString name;  // as the .zip gives it
  QString path;  // relative, components joined by '/'
  bool folder = false;
  zip_uint64_t size = 0;
};

QString entryRefusal(const QString& zip, const QString& entry, const QString& reason) {
  return QStringLiteral("Impossibile aprire %1: la voce \"%2\" %3. Non è stato scritto nulla.")
      .arg(zip, entry, reason);
}

// The checks of one entry that need only what the .zip declares; the reason
// when it may not be unpacked.
std::optional<QString> entryProblem(zip_t* archive, zip_uint64_t index, Entry& e,
                                    long long& declared) {
  zip_stat_t st;
  zl().zip_stat_init(&st);
  if (zl().zip_stat_index(archive, index, 0, &st) < 0 || !(st.valid & ZIP_STAT_NAME)) {
    return QStringLiteral("non è leggibile");
  }
  e.index = index;
  e.name = QString::fromUtf8(st.name);
  e.size = st.size;
  static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
  if (e.name.startsWith(u'/') || e.name.startsWith(u'\\') || drive.match(e.name).hasMatch()) {
    return QStringLiteral("ha un percorso assoluto");
  }
  // What a phone's memory card (and Windows) cannot name a file: written
  // here under another name, or not at all there.
  for (const QChar c : e.name) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"<>:\"|?*").contains(c)) {
      return QStringLiteral("ha nel nome un carattere che una scheda di memoria non accetta");
    }
  }
  QStringList parts;
  for (const QString& part : e.name.split(QRegularExpression(QStringLiteral("[/\\\\]")))) {
    if (part == QStringLiteral("..")) return QStringLiteral("risale fuori dalla cartella (..)");
    if (!part.isEmpty() && part != QStringLiteral(".")) parts << part;
  }
  if (parts.isEmpty()) return QStringLiteral("non ha un nome");
  e.path = parts.join(u'/');
  e.folder = e.name.endsWith(u'/') || e.name.endsWith(u'\\');

  zip_uint8_t system = 0;
  zip_uint32_t attributes = 0;
  if (zl().zip_file_get_external_attributes(archive, index, 0, &system, &attributes) == 0 &&
      system == ZIP_OPSYS_UNIX) {
    const mode_t type = (attributes >> 16) & S_IFMT;
    if (type == S_IFLNK) return QStringLiteral("è un collegamento simbolico");
    if (type == S_IFDIR) e.folder = true;
    if (type != 0 && type != S_IFREG && type != S_IFDIR) {
      return QStringLiteral("è un dispositivo o un file speciale");
    }
  }
  if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) {
    return QStringLiteral("è cifrata");
  }
  if (e.folder) return std::nullopt;
  if (!(st.valid & ZIP_STAT_SIZE) || !(st.valid & ZIP_STAT_COMP_SIZE)) {
    return QStringLiteral("non dichiara la sua dimensione");
  }
  if (st.size > 0 && st.size > kMaxZipRatio * st.comp_size) {
    return QStringLiteral("si espande a più di %1 volte la sua dimensione compressa")
        .arg(kMaxZipRatio);
  }
  if (st.size > static_cast<zip_uint64_t>(kMaxZipUnpacked - declared)) {
    return QStringLiteral("porta il contenuto oltre %1 MB").arg(kMaxZipUnpacked / (1024 * 1024));
  }
  declared += static_cast<long long>(st.size);
  return std::nullopt;
}

// The entry's bytes, never more than it declares nor than what is left of the
// limit, whatever its compressed data expand to.
std::optional<QByteArray> entryBytes(zip_t* archive, const Entry& e, QString* why) {
  zip_file_t* file = zl().zip_fopen_index(archive, e.index, 0);
  if (!file) {
    *why = zipReason(zl().zip_get_error(archive));
    return std::nullopt;
  }
  QByteArray bytes;
  bytes.resize(static_cast<qsizetype>(e.size));
  qsizetype got = 0;
  char extra = 0;
  bool ok = true;
  while (got < bytes.size()) {
    const zip_int64_t n =
        zl().zip_fread(file, bytes.data() + got, static_cast<zip_uint64_t>(bytes.size() - got));
    if (n <= 0) {
      ok = false;
      *why = n < 0 ? zipReason(zl().zip_file_get_error(file))
                   : QStringLiteral("è più corta di quanto dichiara");
      break;
    }
    got += n;
  }
  if (ok) {
    const zip_int64_t n = zl().zip_fread(file, &extra, 1);
    ok = n == 0;
    if (n < 0) *why = zipReason(zl().zip_file_get_error(file));
    if (n > 0) *why = QStringLiteral("si espande oltre la dimensione che dichiara");
  }
  zl().zip_fclose(file);
  if (!ok) return std::nullopt;
  return bytes;
}

// What a path is called where case does not count and a name's trailing
// dots and blanks are dropped (a phone's memory card, Windows): two entries
// alike here would be one file there.
QString sameName(const QString& path) {
  QStringList parts = path.normalized(QString::NormalizationForm_C).toCaseFolded().split(u'/');
  for (QString& part : parts) {
    while (part.endsWith(u'.') || part.endsWith(u' ')) part.chop(1);
  }
  return parts.join(u'/');
}

// Renames `from` to `to` unless `to` exists; false with errno EEXIST when it
// does, so the caller tries the next name.
bool renameIfFree(const QString& from, const QString& to) {
  const QByteArray a = QFile::encodeName(from);
  const QByteArray b = QFile::encodeName(to);
  if (renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the exclusive rename: asked first, then renamed.
  if (pathStat(to, false).exists) {
    errno = EEXIST;
    return false;
  }
  return std::rename(a.constData(), b.constData()) == 0;
}

}  // namespace

bool isZipName(const QString& file) {
  return file.endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive);
}

ShareOutcome exportForPhone(const SkinDocument& doc, const QString& dest) {
  if (dest.isEmpty()) return refused(QStringLiteral("Manca la destinazione dell'esportazione."));
  const QString target = QDir::cleanPath(QFileInfo(dest).absoluteFilePath());
  const QString skinFolder = QFileInfo(doc.P_sPath).canonicalFilePath();
  if (!skinFolder.isEmpty() && QFileInfo(target).canonicalFilePath() == skinFolder) {
    return refused(
        QStringLiteral("Impossibile esportare in %1: è la cartella della skin stessa.").arg(dest));
  }
  // Nor anywhere inside it: the export leaves the skin's folder as it is,
  // and a copy there (in its working folder, say) would be taken for its own.
  if (!skinFolder.isEmpty()) {
    QString reached = QFileInfo(target).absolutePath();
    while (!QFileInfo(reached).exists() && !QFileInfo(reached).isRoot())
      reached = QFileInfo(reached).absolutePath();
    const QString inside = QFileInfo(reached).canonicalFilePath();
    if (inside == skinFolder || inside.startsWith(skinFolder + u'/')) {
      return refused(QStringLiteral("Impossibile esportare in %1: è dentro la cartella della "
                                    "skin, che l'esportazione lascia com'è. Scegli un'altra "
                                    "cartella.")
                         .arg(dest));
    }
  }
  std::vector<NamedBytes> files;
  if (std::optional<QString> problem = phoneFiles(doc, files)) return refused(*problem);
  ShareOutcome o = isZipName(target) ? exportToZip(files, target) : exportToFolder(files, target);
  if (o.ok) {
    QStringList names;
    for (const NamedBytes& f : files) names << f.name;
    o.message =
        QStringLiteral("Esportati in %1: %2.").arg(target, names.join(QStringLiteral(", ")));
  }
  return o;
}

ShareOutcome unpackSkinZip(const QString& zipFile, const QString& folder) {
  const QString zip = QFileInfo(zipFile).absoluteFilePath();
  const PathStat st = pathStat(zip);
  if (!st.exists || !st.regular) {
    ShareOutcome o =
        refused(QStringLiteral("Impossibile aprire %1: non è un file regolare.").arg(zip));
    o.unreadable = true;
    return o;
  }
  if (QString why; !zipLibrary(&why))
    return refused(QStringLiteral("Impossibile aprire %1: %2.").arg(zip, why));
  int code = 0;
  std::unique_ptr<zip_t, ZipDeleter> archive(
      zl().zip_open(QFile::encodeName(zip).constData(), ZIP_RDONLY, &code));
  if (!archive) {
    zip_error_t error;
    zl().zip_error_init_with_code(&error, code);
    const QString why = zipReason(&error);
    zl().zip_error_fini(&error);
    ShareOutcome o =
        refused(QStringLiteral("Impossibile aprire %1: non è un archivio zip leggibile (%2).")
                    .arg(zip, why));
    o.unreadable = true;
    return o;
  }

  const zip_int64_t count = zl().zip_get_num_entries(archive.get(), 0);
  if (count > kMaxZipEntries) {
    return refused(QStringLiteral("Impossibile aprire %1: contiene %2 voci, più delle %3 di una "
                                  "skin. Non è stato scritto nulla.")
                       .arg(zip)
                       .arg(count)
                       .arg(kMaxZipEntries));
  }
  std::vector<Entry> entries;
  std::map<QString, QString> seen;  // sameName(path) -> entry name
  std::vector<QString> skins;
  long long declared = 0;
  for (zip_int64_t i = 0; i < count; ++i) {
    Entry e;
    if (std::optional<QString> problem =
            entryProblem(archive.get(), static_cast<zip_uint64_t>(i), e, declared)) {
      return refused(entryRefusal(zip, e.name.isEmpty() ? QString::number(i) : e.name, *problem));
    }
    // The sender's own bookkeeping (its journal, lock and first originals)
    // is no part of the skin, and would be acted on by the first read here.
    if (e.path.section(u'/', 0, 0).compare(kEditorFolderName, Qt::CaseInsensitive) == 0) continue;
    const QString same = sameName(e.path);
    if (const auto other = seen.find(same); !e.folder && other != seen.end()) {
      return refused(entryRefusal(
          zip, e.name,
          other->second == e.name
              ? QStringLiteral("è ripetuta")
              : QStringLiteral("ha lo stesso nome di \"%1\" per una scheda di memoria o per "
                               "Windows, che non distinguono maiuscole e minuscole")
                    .arg(other->second)));
    }
    seen[same] = e.name;
    if (!e.folder && e.path.section(u'/', -1).compare(kPhoneSkinName, Qt::CaseInsensitive) == 0) {
      skins.push_back(e.path);
      if (skins.size() > 1) {
        return refused(entryRefusal(
            zip, e.name, QStringLiteral("è una seconda skin (l'altra è %1)").arg(skins.front())));
      }
    }
    entries.push_back(std::move(e));
  }
  if (skins.empty()) {
    return refused(QStringLiteral("Impossibile aprire %1: non contiene un file %2. Non è stato "
                                  "scritto nulla.")
                       .arg(zip, kPhoneSkinName));
  }

  // Unpacked into a hidden folder first and renamed into place only when
  // whole, so that a refusal halfway leaves nothing a user could take for
  // the skin.
  // "cartella/" names the folder itself, never one inside it.
  const QFileInfo wanted(QDir::cleanPath(
      folder.isEmpty() ? joinPath(QFileInfo(zip).absolutePath(), QFileInfo(zip).completeBaseName())
                       : QFileInfo(folder).absoluteFilePath()));
  const QString parent = wanted.absolutePath();
  const QString missing = firstMissing(parent);
  const QString temporary =
      joinPath(parent, QStringLiteral(".") + QFileInfo(stagedPath(wanted.filePath())).fileName());
  if (!QDir().mkpath(temporary)) {
    const QString why = systemReason(errno);
    removeMade(parent, missing);
    return refused(
        QStringLiteral("Impossibile creare la cartella %1:\n%2").arg(wanted.filePath(), why));
  }
  auto discard = [&] {
    QDir(temporary).removeRecursively();
    removeMade(parent, missing);
  };
  long long unpacked = 0;
  for (const Entry& e : entries) {
    const QString target = joinPath(temporary, e.path);
    if (e.folder) {
      if (!QDir().mkpath(target)) {
        discard();
        return refused(entryRefusal(zip, e.name, QStringLiteral("non può essere creata")));
      }
      continue;
    }
    QString why;
    std::optional<QByteArray> bytes;
    if (static_cast<long long>(e.size) > kMaxZipUnpacked - unpacked) {
      why = QStringLiteral("porta il contenuto oltre %1 MB").arg(kMaxZipUnpacked / (1024 * 1024));
    } else if ((bytes = entryBytes(archive.get(), e, &why))) {
      unpacked += bytes->size();
    } else {
      why = QStringLiteral("non si può leggere (%1)").arg(why);
    }
    if (bytes && !QDir().mkpath(QFileInfo(target).absolutePath())) {
      why = QStringLiteral("non può essere creata");
      bytes.reset();
    }
    if (bytes && !replaceFile(target, *bytes, &why)) {
      why = QStringLiteral("non si può scrivere (%1)").arg(why);
      bytes.reset();
    }
    if (!bytes) {
      discard();
      return refused(entryRefusal(zip, e.name, why));
    }
  }

  QString place = wanted.filePath();
  for (int n = 2; !renameIfFree(temporary, place); ++n) {
    if (errno != EEXIST && errno != ENOTEMPTY) {
      const QString why = systemReason(errno);
      discard();
      return refused(QStringLiteral("Impossibile creare la cartella %1:\n%2").arg(place, why));
    }
    place = QStringLiteral("%1 (%2)").arg(wanted.filePath()).arg(n);
  }
  QString why;
  syncFolder(parent, &why);
  ShareOutcome o;
  o.ok = true;
  o.target = joinPath(place, skins.front());
  o.message = QStringLiteral("%1 estratto in %2.").arg(zip, place);
  return o;
}

}  // namespace corvela
