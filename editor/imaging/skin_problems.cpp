#include "skin_problems.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "default_set.h"
#include "document_names.h"
#include "first_originals.h"
#include "folder_guard.h"
#include "gif_check.h"
#include "image_decode.h"
#include "object_archive.h"
#include "object_row.h"
#include "pinned_images.h"
#include "record_rows.h"
#include "safe_read.h"
#include "shown_text.h"
#include "skin_line.h"
#include "skin_saver.h"
#include "standby_records.h"
#include "text_number.h"

namespace corvela {

namespace {

using Problems = std::vector<SkinProblem>;

const QString kFixObject =
    QStringLiteral("sostituire l'oggetto con un'immagine GIF (\"Importa...\" o \"Default\")");

QString fileName(const QString& path) {
  return QFileInfo(path).fileName();
}

// Read as a GIF, the only kind an object may be: another picture given a
// GIF's name has no size here, as it is never shown or packed.
std::optional<QSize> headerSize(const QByteArray& bytes) {
  QByteArray copy = bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  const QSize size = QImageReader(&buffer, "gif").size();
  if (!size.isValid()) return std::nullopt;
  return size;
}

bool tooLarge(QSize size) {
  return size.width() > kMaxImageSide || size.height() > kMaxImageSide;
}

bool isPlainNumber(const QString& field) {
  return !field.isEmpty() &&
         std::all_of(field.begin(), field.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The same fields with the same values: only leading zeros of a number
// differ, which the phone reads alike.
bool sameValues(const QString& a, const QString& b) {
  const QStringList fa = splitFields(a);
  const QStringList fb = splitFields(b);
  if (fa.size() != fb.size()) return false;
  for (qsizetype i = 0; i < fa.size(); ++i) {
    if (fa[i] == fb[i]) continue;
    if (!isPlainNumber(fa[i]) || !isPlainNumber(fb[i]) ||
        numericValue(fa[i]) != numericValue(fb[i])) {
      return false;
    }
  }
  return true;
}

// Colour and rectangle lines a save would write back with other fields or
// values once their record is edited (an untouched one goes back as read):
// two blanks between fields (which shift the values), a field after the
// sixth, a trailing blank. Each line is written out from its own fields as
// read, not from its record, which an edit has meant to change. Object lines
// are left out, since packing rewrites some of them by design.
void checkRewrites(const SkinDocument& doc, const QString& skin, Problems& problems) {
  const auto count = std::min<qsizetype>(doc.P_MaxValues, static_cast<qsizetype>(doc.lines.size()));
  for (qsizetype k = 1; k < count; ++k) {
    const QString& line = doc.lines[static_cast<size_t>(k)];
    if (!line.startsWith(u'1') && !line.startsWith(u'4')) continue;
    const std::optional<RecordFields> f = parseRecordLine(line);
    if (!f || f->values.size() < 4) continue;
    const QStringList& v = f->values;
    const QString rewritten = f->kind == u'1' ? rectangleLine(f->id, v[0], v[1], v[2], v[3])
                                              : colourLine(f->id, v[0], v[1], v[2], v[3]);
    if (sameValues(line, rewritten)) continue;
    problems.push_back(
        {static_cast<long long>(k), ProblemPlace::Tree, static_cast<int>(k) + 1, QString(), skin,
         QStringLiteral("il salvataggio riscrive \"%1\" come \"%2\" se il suo record viene "
                        "modificato")
             .arg(escapedText(shortenedText(line)), escapedText(shortenedText(rewritten))),
         QStringLiteral("togliere gli spazi in più o i campi oltre il sesto dalla riga")});
  }
}

// `repeated` names the record, e.g. "colore %1 ripetuto", with %1 the id.
void checkDuplicates(const ReportList& list, ProblemPlace place, const QString& repeated,
                     const QString& skin, Problems& problems) {
  std::map<QString, long long> firstLine;
  for (int r = 0; r < list.rowCount(); ++r) {
    const ListRow& row = list.row(r);
    const QString id = rowId(row);
    if (id == kNoId) continue;
    const long long line = rowLine(list, r);
    const auto [it, inserted] = firstLine.emplace(id, line);
    if (!inserted) {
      problems.push_back({line, place, r, id, skin,
                          QStringLiteral("%1 (già alla riga %2): l'editor usa solo la riga %2")
                              .arg(repeated.arg(id))
                              .arg(it->second),
                          QStringLiteral("togliere la riga ripetuta o darle un altro id")});
    }
  }
}

// Rectangles the phone would draw off its screen or turned inside out. The
// values stay as typed; this only says where they are.
void checkRectangles(const ReportList& rects, const QString& skin, Problems& problems) {
  for (int r = 0; r < rects.rowCount(); ++r) {
    const ListRow& row = rects.row(r);
    const auto [x1, y1, x2, y2] = cornerValues(row);
    const standby::RectangleFlaws flaws = standby::rectangleFlaws(x1, y1, x2, y2);
    const QString corners = QStringLiteral("%1,%2,%3,%4").arg(x1).arg(y1).arg(x2).arg(y2);
    const long long line = rowLine(rects, r);
    const QString id = rowId(row);
    if (flaws.offScreen) {
      problems.push_back({line, ProblemPlace::Rects, r, id, skin,
                          QStringLiteral("posizione %1 fuori dallo schermo %2×%3 (%4)")
                              .arg(id)
                              .arg(standby::kScreenWidth)
                              .arg(standby::kScreenHeight)
                              .arg(corners),
                          QStringLiteral("portare gli angoli dentro lo schermo (x da 0 a %1, y "
                                         "da 0 a %2)")
                              .arg(standby::kScreenWidth - 1)
                              .arg(standby::kScreenHeight - 1)});
    }
    if (flaws.inverted) {
      problems.push_back(
          {line, ProblemPlace::Rects, r, id, skin,
           QStringLiteral("posizione %1 con gli angoli invertiti (%2): x1 "
                          "supera x2 o y1 supera y2")
               .arg(id, corners),
           QStringLiteral("scambiare gli angoli: x1, y1 è quello in alto a sinistra")});
    }
  }
}

// Colour components that are no number from 0 to 255 ("300", "-5", "abc"):
// the preview shows them clamped, which hides that the line is wrong.
void checkColourValues(const ReportList& colours, const QString& skin, Problems& problems) {
  static const char* const kComponents[] = {"rosso", "verde", "blu"};
  for (int r = 0; r < colours.rowCount(); ++r) {
    const ListRow& row = colours.row(r);
    const std::array<QString, 3> texts = componentTexts(row);
    const std::array<long long, 3> values = componentValues(row);
    const QString id = rowId(row);
    for (size_t c = 0; c < texts.size(); ++c) {
      if (isPlainNumber(texts[c]) && values[c] <= 255) continue;
      problems.push_back({rowLine(colours, r), ProblemPlace::Colours, r, id, skin,
                          QStringLiteral("%1: il %2 \"%3\" non è un numero da 0 a 255")
                              .arg(id == kNoId ? QStringLiteral("colore senza id")
                                               : QStringLiteral("colore ") + id,
                                   QString::fromLatin1(kComponents[c]), texts[c]),
                          QStringLiteral("scrivere R, G e B come numeri da 0 a 255")});
    }
  }
}

const QString kBackgroundGroup = standby::text(standby::kBackgroundGroup);
const QString kAddLine =
    QStringLiteral("aggiungere la riga mancante, per esempio copiandola dalla skin originale");

void checkBackground(const SkinDocument& doc, const QString& skin, Problems& problems) {
  const SkinTree& tree = doc.T_Strutt;
  const QString tag = standby::text(standby::kBackgroundTag);
  bool groupSeen = false;
  for (int i = 1; i <= tree.nodeCount(); ++i) {
    const TreeNode& n = tree.node(i);
    if (n.place == NodePlace::Group && n.text.trimmed() == kBackgroundGroup) groupSeen = true;
    if (!tree.hasTag(i, tag)) continue;
    // The preview reads the line with the colour codec whatever its kind, so
    // anything but a colour line paints a wrong background or none.
    ColourParts parts;
    if (!n.text.startsWith(u'4') || !StringToRGB(n.text, parts)) {
      problems.push_back(
          {i - 1, ProblemPlace::Tree, i, QString(), skin,
           QStringLiteral("la prima riga del gruppo \"%1\" non è il colore di "
                          "sfondo (4 R G B T)")
               .arg(kBackgroundGroup),
           QStringLiteral("mettere come prima riga del gruppo il colore di sfondo")});
    }
    return;
  }
  problems.push_back({-1, ProblemPlace::None, -1, QString(), skin,
                      (groupSeen ? QStringLiteral("manca il colore di sfondo: il gruppo \"%1\" è "
                                                  "vuoto")
                                 : QStringLiteral("manca il colore di sfondo: non c'è il gruppo "
                                                  "\"%1\""))
                          .arg(kBackgroundGroup),
                      kAddLine});
}

// The line the preview takes the hand's length from: missing, or a length
// that is no number of pixels within the screen, which draws no hand or one
// across the whole screen.
void checkHandLength(const SkinTree& tree, std::string_view prefix, const QString& what,
                     const QString& skin, Problems& problems) {
  const QString start = standby::text(prefix);
  const int node = standby::lastNodeStartingWith(tree, prefix);
  if (node <= 0) {
    problems.push_back(
        {-1, ProblemPlace::None, -1, QString(), skin,
         QStringLiteral("manca la lunghezza della %1 (riga \"%2\")").arg(what, start), kAddLine});
    return;
  }
  const QString length = tree.node(node).text.mid(start.size()).trimmed();
  bool number = false;
  const long long pixels = length.toLongLong(&number);
  if (isPlainNumber(length) && number && pixels <= standby::kScreenHeight) return;
  problems.push_back(
      {node - 1, ProblemPlace::Tree, node, QString(), skin,
       QStringLiteral("lunghezza della %1 \"%2\": non è un numero di pixel da 0 a %3")
           .arg(what, length)
           .arg(standby::kScreenHeight),
       QStringLiteral("scrivere la lunghezza nella sua casella della scheda \"Preview skin\"")});
}

void checkNeeded(const ReportList& list, const QString& code, std::string_view what,
                 const QString& kindName, const QString& skin, Problems& problems) {
  if (list.findId(code) < 0) {
    problems.push_back({-1, ProblemPlace::None, -1, code, skin,
                        QStringLiteral("manca %1 %2 (%3)").arg(kindName, code, standby::text(what)),
                        kAddLine});
  }
}

// What the reader silently leaves out: everything from a carriage return on
// (a file saved with CR LF line ends reads as nothing), which the save
// refuses to drop, and text after the last line feed, which it keeps unread.
void checkRawText(const QString& file, Problems& problems) {
  const std::optional<QByteArray> bytes = readRegularFile(file, nullptr, kMaxSkinFileBytes);
  if (!bytes) return;
  const qsizetype cr = bytes->indexOf('\r');
  const QByteArray readable = cr < 0 ? *bytes : bytes->left(cr);
  const qsizetype line = readable.count('\n');
  if (cr >= 0) {
    problems.push_back({line, ProblemPlace::None, -1, QString(), fileName(file),
                        QStringLiteral("ritorno carrello (CR): da qui alla fine il file non viene "
                                       "letto; le righe devono finire con il solo LF"),
                        QStringLiteral("salvare il file con gli a capo LF (Unix) e riaprirlo")});
  } else if (!readable.isEmpty() && !readable.endsWith('\n')) {
    problems.push_back({line, ProblemPlace::None, -1, QString(), fileName(file),
                        QStringLiteral("testo dopo l'ultimo a capo: non viene letto (il "
                                       "salvataggio lo lascia com'è)"),
                        QStringLiteral("aggiungere un a capo alla fine del file")});
  }
}

}  // namespace

QString SkinProblem::text() const {
  return line < 0 ? message : QStringLiteral("riga %1: %2").arg(line).arg(message);
}

QString sizeText(QSize size) {
  return QStringLiteral("%1 × %2").arg(size.width()).arg(size.height());
}

QString sizeDifference(const QString& id, QSize actual, const ExpectedSize& expected) {
  return QStringLiteral("oggetto %1: l'immagine è di %2 pixel, %3 è di %4")
      .arg(id, sizeText(actual), expected.source, sizeText(expected.size));
}

bool peekFirstOriginal(const SkinDocument& doc, SkinDocument& original, QString* packedArchive) {
  const FirstOriginalFiles files = firstOriginalFiles(doc.P_sPath, doc.P_sTheme);
  if (!QFileInfo(files.skin).isFile()) return false;
  if (packedArchive) *packedArchive = files.archive;
  return original.peek(files.skin, doc.P_sTheme, doc.P_sPath).status == LoadStatus::Complete;
}

bool hasOpeningProblem(const SkinDocument& doc, LoadStatus status) {
  if (status != LoadStatus::Complete) return true;
  ArchiveReader archives(doc.P_sPath, doc.P_sTheme);
  const std::vector<long long> named = doc.namedArchives();
  return std::any_of(named.begin(), named.end(),
                     [&](long long n) { return archives.problem(n).has_value(); });
}

SkinChecker::SkinChecker(QString defaultFolder) : defaultFolder_(std::move(defaultFolder)) {}

SkinChecker::Stamp SkinChecker::stampOf(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return {};
  return {info.size(), info.lastModified()};
}

std::optional<QSize> SkinChecker::fileSize(const QString& path) {
  const Stamp stamp = stampOf(path);
  FileSize& known = files_[path];
  if (known.stamp == stamp && stamp.size >= 0) return known.size;
  known.stamp = stamp;
  known.size.reset();
  // Only the header: enough for the size, and a FIFO is never opened.
  if (const std::optional<QByteArray> bytes = readRegularFile(path, nullptr)) {
    known.size = headerSize(*bytes);
  }
  return known.size;
}

std::optional<QString> SkinChecker::packingRefusal(const QString& path, const QString& skinFolder) {
  const Stamp stamp = stampOf(path);
  auto& [known, refusal] = packable_[path];
  if (known == stamp && stamp.size >= 0) return refusal;
  known = stamp;
  QString why;
  // The save's own test, decoding the image whole: a file whose header
  // alone looks right may still be one the save refuses.
  refusal = readGifToPack(path, skinFolder, &why) ? std::nullopt : std::optional<QString>(why);
  return refusal;
}

const std::map<QString, QSize>* SkinChecker::originalSizes(const SkinDocument& doc, QString* file) {
  const FirstOriginalFiles original = firstOriginalFiles(doc.P_sPath, doc.P_sTheme);
  *file = original.skin;
  // Looked at once per check, not once per object.
  if (originalFresh_ && originalKey_ == original.skin) {
    return hasOriginal_ ? &originalSizes_ : nullptr;
  }
  originalFresh_ = true;
  const Stamp stamp = stampOf(original.skin);
  const Stamp archiveStamp = stampOf(original.archive);
  if (stamp.size < 0) {
    originalKey_ = original.skin;
    originalStamp_ = {};
    hasOriginal_ = false;
    return nullptr;
  }
  if (originalKey_ == original.skin && stamp == originalStamp_ &&
      archiveStamp == originalArchiveStamp_) {
    return hasOriginal_ ? &originalSizes_ : nullptr;
  }
  originalKey_ = original.skin;
  originalStamp_ = stamp;
  originalArchiveStamp_ = archiveStamp;
  originalSizes_.clear();
  SkinDocument kept;
  QString packed;
  hasOriginal_ = peekFirstOriginal(doc, kept, &packed);
  if (!hasOriginal_) return nullptr;
  ArchiveReader archives(kept.P_sPath, kept.P_sTheme);
  archives.readFrom(kPackedArchive, packed);
  for (int r = 0; r < kept.L_Values.rowCount(); ++r) {
    const ListRow& row = kept.L_Values.row(r);
    const std::optional<ArchivePlace> place = archivePlace(row);
    if (!place) continue;
    const ArchiveReader::Object object = archives.cut(*place);
    if (object.status != ArchiveReader::Status::Ok) continue;
    if (const std::optional<QSize> size = headerSize(object.bytes)) {
      originalSizes_.try_emplace(rowId(row), *size);
    }
  }
  return &originalSizes_;
}

std::optional<ExpectedSize> SkinChecker::expectedSize(const SkinDocument& doc, const QString& id) {
  QString originalFile;
  if (const std::map<QString, QSize>* sizes = originalSizes(doc, &originalFile)) {
    const auto it = sizes->find(id);
    if (it == sizes->end()) return std::nullopt;
    // Named from the skin's folder: the first original is kept out of the way.
    return ExpectedSize{
        it->second,
        QStringLiteral("nel primo originale (%1)")
            .arg(QDir::toNativeSeparators(QDir(doc.P_sPath).relativeFilePath(originalFile)))};
  }
  if (defaultFolder_.isEmpty()) return std::nullopt;
  const QString file = defaultObjectPath(defaultFolder_, id);
  const std::optional<QSize> size = fileSize(file);
  if (!size) return std::nullopt;
  return ExpectedSize{*size, QStringLiteral("nel set di default (%1)").arg(fileName(file))};
}

std::optional<QSize> SkinChecker::currentSize(const SkinDocument& doc, int row) {
  if (row < 0 || row >= doc.L_Values.rowCount()) return std::nullopt;
  const ListRow& shown = doc.L_Values.row(row);
  if (const QByteArray* pinned = pinnedImage(shown)) {
    const std::optional<QImage> image = decodeImage(*pinned);
    return image ? std::optional<QSize>(image->size()) : std::nullopt;
  }
  const QString gif = shownFile(doc, row);
  if (!gif.isEmpty()) {
    // Beyond the largest picture drawn, the file is neither shown nor
    // saved: the archive's object stands, as it does for no file at all.
    const std::optional<QSize> size = fileSize(gif);
    if (size && !tooLarge(*size)) return size;
  }
  return archivedSize(doc, row);
}

std::optional<QSize> SkinChecker::archivedSize(const SkinDocument& doc, int row) {
  const ListRow& shown = doc.L_Values.row(row);
  const std::optional<ArchivePlace> place = archivePlace(shown);
  if (!place) return std::nullopt;
  const QString archive = archivePath(doc.P_sPath, doc.P_sTheme, place->archive);
  const ObjectKey key{archive, place->offset, place->size};
  const auto known = objects_.find(key);
  if (known != objects_.end() && known->second.first == stampOf(archive)) {
    const ArchivedObject& facts = known->second.second;
    if (facts.problem) return std::nullopt;
    return facts.size;
  }
  ArchiveReader archives(doc.P_sPath, doc.P_sTheme);
  const ArchiveReader::Object object = archives.cut(*place);
  if (object.status != ArchiveReader::Status::Ok) return std::nullopt;
  return headerSize(object.bytes);
}

void SkinChecker::checkObjects(const SkinDocument& doc, Problems& problems) {
  ArchiveReader archives(doc.P_sPath, doc.P_sTheme);
  // Per archive that cannot be read: the first line naming it and its objects.
  std::map<long long, std::pair<long long, QStringList>> unreadable;
  std::vector<long long> unreadableOrder;
  std::vector<bool> broken(static_cast<size_t>(doc.L_Values.rowCount()), false);
  std::map<long long, Stamp> stamps;
  Problems objectProblems;
  const ReportList& list = doc.L_Values;
  for (int r = 0; r < list.rowCount(); ++r) {
    const ListRow& row = list.row(r);
    // A replaced row names no archive position any more; one put back past
    // a save holds its image itself, whatever its place now holds.
    const std::optional<long long> named = archiveNumber(row);
    if (!named || pinnedImage(row)) continue;
    const long long number = *named;
    const long long line = rowLine(list, r);
    const QString id = rowId(row);
    const QString name = archiveFileName(doc.P_sTheme, number);
    auto problem = [&](const QString& message, const QString& file) {
      objectProblems.push_back({line, ProblemPlace::Objects, r, id, file, message, kFixObject});
      broken[static_cast<size_t>(r)] = true;
    };

    if (archives.problem(number)) {
      auto [it, first] = unreadable.try_emplace(number, line, QStringList());
      if (first) unreadableOrder.push_back(number);
      it->second.second << id;
      broken[static_cast<size_t>(r)] = true;
      continue;
    }
    const long long offset = row.object().offset.value_or(Field()).value();
    const long long size = row.object().size.value();
    if (offset < 0 || size < 0) {
      problem(QStringLiteral("oggetto %1 con posizione non valida (offset %2, %3 byte)")
                  .arg(id)
                  .arg(offset)
                  .arg(size),
              name);
      continue;
    }
    const QString path = archivePath(doc.P_sPath, doc.P_sTheme, number);
    const auto stamp = stamps.try_emplace(number, stampOf(path)).first->second;
    const ObjectKey key{path, offset, size};
    const auto known = objects_.find(key);
    if (known != objects_.end() && known->second.first == stamp) {
      if (const std::optional<QString>& why = known->second.second.problem) problem(*why, name);
      continue;
    }
    const ArchiveReader::Object object = archives.cut(number, offset, size);
    if (object.status == ArchiveReader::Status::Outside) {
      problem(QStringLiteral("oggetto %1 oltre la fine dell'archivio %2 "
                             "(offset %3 + %4 byte, l'archivio ne ha %5)")
                  .arg(id, name)
                  .arg(offset)
                  .arg(size)
                  .arg(archives.length(number)),
              name);
      continue;
    }
    if (object.status != ArchiveReader::Status::Ok) {
      problem(QStringLiteral("oggetto %1 non leggibile da %2 (%3)").arg(id, path, object.reason),
              name);
      continue;
    }
    ArchivedObject facts;
    QString why;
    if (object.bytes.isEmpty()) {
      facts.problem = QStringLiteral("oggetto %1 vuoto (0 byte)").arg(id);
    } else if (!isDecodableGif(object.bytes, &why)) {
      facts.problem = QStringLiteral("oggetto %1 in %2: %3").arg(id, name, why);
    } else {
      facts.size = headerSize(object.bytes).value_or(QSize());
    }
    if (facts.problem) problem(*facts.problem, name);
    objects_[key] = {stamp, facts};
  }

  for (long long number : unreadableOrder) {
    const auto& [firstLine, ids] = unreadable.at(number);
    const QString name = archiveFileName(doc.P_sTheme, number);
    const QString why = *archives.problem(number);
    const bool exists = archives.exists(number);
    const QString what = exists ? QStringLiteral("archivio %1 non leggibile (%2)")
                                      .arg(archivePath(doc.P_sPath, doc.P_sTheme, number), why)
                                : QStringLiteral("archivio %1 mancante").arg(name);
    const int row = list.findId(ids.first());
    problems.push_back(
        {firstLine, ProblemPlace::Objects, row, ids.first(), name,
         QStringLiteral("%1: oggetti %2").arg(what, ids.join(QStringLiteral(", "))),
         exists
             ? QStringLiteral("rendere leggibile l'archivio o copiarne uno integro")
             : QStringLiteral("copiare %1 accanto alla skin, dalla skin da cui viene").arg(name)});
  }
  problems.insert(problems.end(), objectProblems.begin(), objectProblems.end());

  // A working file that is a link leading out is never read, nor replaced
  // by a save: the object stays its archive's whatever the link shows.
  if (!workingFolderReason(doc.P_sTarget, doc.P_sPath)) {
    const QStringList links = linksLeadingOut(doc.P_sTarget, doc.P_sPath);
    const std::vector<bool> owners = workingFileOwners(list);
    for (int r = 0; !links.isEmpty() && r < list.rowCount(); ++r) {
      if (!owners[static_cast<size_t>(r)]) continue;
      const QString id = rowId(list.row(r));
      const QString gif = objectGifPath(doc.P_sTarget, id);
      if (!links.contains(QFileInfo(gif).fileName())) continue;
      problems.push_back(
          {rowLine(list, r), ProblemPlace::Objects, r, id, fileName(gif),
           QStringLiteral("oggetto %1: %2 è un collegamento che porta fuori dalla cartella della "
                          "skin: Corvela non lo legge e il salvataggio lo lascia com'è")
               .arg(id, gif),
           QStringLiteral("mettere al posto del collegamento una copia dell'immagine")});
    }
  }

  for (int r = 0; r < list.rowCount(); ++r) {
    const std::optional<QString> gif = fileToPack(doc, r);
    if (!gif) continue;
    const std::optional<QString> why = packingRefusal(*gif, doc.P_sPath);
    if (!why) continue;
    const QString id = rowId(list.row(r));
    problems.push_back(
        {rowLine(list, r), ProblemPlace::Objects, r, id, fileName(*gif),
         QStringLiteral("oggetto %1: il salvataggio non può usare %2 (%3)").arg(id, *gif, *why),
         QStringLiteral("sostituire il file con un'immagine GIF valida, o cancellarlo per "
                        "riprendere l'oggetto dall'archivio")});
    broken[static_cast<size_t>(r)] = true;
  }

  for (int r = 0; r < list.rowCount(); ++r) {
    if (broken[static_cast<size_t>(r)]) continue;
    const QString id = rowId(list.row(r));
    // The working file measured once, for the limit and for the size.
    const QString gif = shownFile(doc, r);
    const bool pinned = pinnedImage(list.row(r)) != nullptr;
    std::optional<QSize> actual = gif.isEmpty() || pinned ? std::nullopt : fileSize(gif);
    if (actual && tooLarge(*actual)) {
      problems.push_back(
          {rowLine(list, r), ProblemPlace::Objects, r, id, fileName(gif),
           QStringLiteral("oggetto %1: %2 è di %3 pixel, oltre %4 × %4: non è mostrato né "
                          "salvato, resta l'oggetto dell'archivio")
               .arg(id, gif, sizeText(*actual))
               .arg(kMaxImageSide),
           QStringLiteral("ridurre l'immagine, o cancellarla per riprendere l'oggetto "
                          "dall'archivio")});
      actual.reset();
    }
    if (!actual) actual = gif.isEmpty() || pinned ? currentSize(doc, r) : archivedSize(doc, r);
    if (!actual) continue;
    const std::optional<ExpectedSize> expected = expectedSize(doc, id);
    if (!expected || expected->size == *actual) continue;
    problems.push_back({rowLine(list, r), ProblemPlace::Objects, r, id,
                        gif.isEmpty()
                            ? archiveFileName(doc.P_sTheme, archiveNumber(list.row(r)).value_or(0))
                            : fileName(gif),
                        sizeDifference(id, *actual, *expected),
                        // The import's own check compares with the image of now,
                        // which is the one of the wrong size.
                        QStringLiteral("sostituire l'immagine con una di %1 pixel, togliendo "
                                       "\"Verifica dimensioni\" per importarla")
                            .arg(sizeText(expected->size))});
  }
}

std::vector<SkinProblem> SkinChecker::check(const SkinDocument& doc, LoadStatus status,
                                            const QString& stopReason, int stopLine) {
  Problems problems;
  originalFresh_ = false;
  const QString skin = fileName(doc.skinFile());
  checkRawText(doc.skinFile(), problems);
  switch (status) {
    case LoadStatus::BadLine:
      problems.push_back({stopLine, ProblemPlace::None, -1, QString(), skin,
                          QStringLiteral("caricamento interrotto (%1): le righe "
                                         "seguenti non sono lette")
                              .arg(stopReason),
                          QStringLiteral("correggere la riga con un editor di testo e riaprire la "
                                         "skin")});
      break;
    case LoadStatus::Complete:
      break;
    default:
      problems.push_back({-1, ProblemPlace::None, -1, QString(), skin,
                          QStringLiteral("caricamento interrotto (%1)").arg(stopReason),
                          QStringLiteral("correggere il file e riaprire la skin")});
      break;
  }

  if (status == LoadStatus::Complete) checkRewrites(doc, skin, problems);
  checkObjects(doc, problems);
  checkDuplicates(doc.L_Values, ProblemPlace::Objects, QStringLiteral("oggetto %1 ripetuto"), skin,
                  problems);
  checkDuplicates(doc.L_RGBA, ProblemPlace::Colours, QStringLiteral("colore %1 ripetuto"), skin,
                  problems);
  checkDuplicates(doc.L_Dim, ProblemPlace::Rects, QStringLiteral("posizione %1 ripetuta"), skin,
                  problems);
  checkRectangles(doc.L_Dim, skin, problems);
  checkColourValues(doc.L_RGBA, skin, problems);

  if (status == LoadStatus::Complete) {
    checkBackground(doc, skin, problems);
    checkHandLength(doc.T_Strutt, standby::kMinuteLengthPrefix,
                    QStringLiteral("lancetta dei minuti"), skin, problems);
    checkHandLength(doc.T_Strutt, standby::kHourLengthPrefix, QStringLiteral("lancetta delle ore"),
                    skin, problems);
    for (const standby::ColourRecord& c : standby::kColours) {
      checkNeeded(doc.L_RGBA, standby::text(c.code), c.what, QStringLiteral("il colore"), skin,
                  problems);
    }
    for (const standby::PositionRecord& p : standby::kPositions) {
      checkNeeded(doc.L_Dim, standby::text(p.code), p.what, QStringLiteral("la posizione"), skin,
                  problems);
    }
    for (const standby::SlotRecord& o : standby::kSlots) {
      checkNeeded(doc.L_Values, standby::objectCode(o.object), o.what, QStringLiteral("l'oggetto"),
                  skin, problems);
    }
  }
  return problems;
}

}  // namespace corvela
