#include "skin_check.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "document_names.h"
#include "object_archive.h"
#include "skin_line.h"
#include "standby_records.h"
#include "text_number.h"

namespace corvela::cli {

namespace {

QString atLine(long long line, const QString& text) {
  return QStringLiteral("riga %1: %2").arg(line).arg(text);
}

long long lineOf(const ListRow& row, int indiceColumn) {
  return numericValue(row.cells.value(indiceColumn));
}

QString hexBytes(const QByteArray& bytes) {
  return QString::fromLatin1(bytes.left(6).toHex(' ').toUpper());
}

struct Archive {
  std::optional<QByteArray> bytes;
  QString error;
  bool exists = false;
  long long firstLine = 0;
  QStringList ids;  // objects that could not be checked because of it
};

void checkObjects(const SkinDocument& doc, QStringList& problems) {
  std::map<long long, Archive> archives;
  std::vector<long long> unreadableOrder;
  QStringList objectProblems;
  const ReportList& list = doc.L_Values;
  for (int r = 0; r < list.rowCount(); ++r) {
    const ListRow& row = list.row(r);
    const QString& nDat = row.cells[V_NDat];
    // A replaced row names no archive position any more.
    if (nDat.trimmed() == kNoId) continue;
    const long long number = numericValue(nDat);
    const long long line = lineOf(row, V_Indice);
    const QString& id = row.cells[V_ID];
    const QString name = archiveFileName(doc.P_sTheme, number);

    auto found = archives.find(number);
    if (found == archives.end()) {
      Archive a;
      const QString path = archivePath(doc.P_sPath, doc.P_sTheme, number);
      a.exists = QFileInfo(path).isFile();
      if (a.exists) a.bytes = readWholeFile(path, &a.error);
      a.firstLine = line;
      found = archives.emplace(number, std::move(a)).first;
    }
    Archive& archive = found->second;
    if (!archive.bytes) {
      if (archive.ids.isEmpty()) unreadableOrder.push_back(number);
      archive.ids << id;
      continue;
    }

    const long long offset = numericValue(row.cells[V_Offset]);
    const long long size = numericValue(row.cells[V_Byte]);
    if (offset < 0 || size < 0) {
      objectProblems << atLine(
          line, QStringLiteral("oggetto %1 con posizione non valida (offset %2, %3 byte)")
                    .arg(id)
                    .arg(offset)
                    .arg(size));
      continue;
    }
    const std::optional<QByteArray> object = cutObject(*archive.bytes, offset, size);
    if (!object) {
      objectProblems << atLine(line, QStringLiteral("oggetto %1 oltre la fine dell'archivio %2 "
                                                    "(offset %3 + %4 byte, l'archivio ne ha %5)")
                                         .arg(id, name)
                                         .arg(offset)
                                         .arg(size)
                                         .arg(archive.bytes->size()));
      continue;
    }
    if (object->isEmpty()) {
      objectProblems << atLine(line, QStringLiteral("oggetto %1 vuoto (0 byte)").arg(id));
      continue;
    }
    QString why;
    if (!isDecodableGif(*object, &why)) {
      objectProblems << atLine(line, QStringLiteral("oggetto %1 in %2: %3").arg(id, name, why));
    }
  }

  for (long long number : unreadableOrder) {
    const Archive& a = archives.at(number);
    const QString name = archiveFileName(doc.P_sTheme, number);
    const QString what = a.exists
                             ? QStringLiteral("archivio %1 non leggibile (%2)").arg(name, a.error)
                             : QStringLiteral("archivio %1 mancante").arg(name);
    problems << atLine(
        a.firstLine, QStringLiteral("%1: oggetti %2").arg(what, a.ids.join(QStringLiteral(", "))));
  }
  problems << objectProblems;
}

// `repeated` names the record, e.g. "colore %1 ripetuto", with %1 the id.
void checkDuplicates(const ReportList& list, int indiceColumn, const QString& repeated,
                     QStringList& problems) {
  std::map<QString, long long> firstLine;
  for (int r = 0; r < list.rowCount(); ++r) {
    const ListRow& row = list.row(r);
    const QString& id = row.cells[0];
    if (id == kNoId) continue;
    const long long line = lineOf(row, indiceColumn);
    const auto [it, inserted] = firstLine.emplace(id, line);
    if (!inserted) {
      problems << atLine(line, QStringLiteral("%1 (già alla riga %2): l'editor usa solo il primo")
                                   .arg(repeated.arg(id))
                                   .arg(it->second));
    }
  }
}

const QString kBackgroundGroup = standby::text(standby::kBackgroundGroup);

void checkBackground(const SkinDocument& doc, QStringList& problems) {
  const SkinTree& tree = doc.T_Strutt;
  const QString tag = standby::text(standby::kBackgroundTag);
  bool groupSeen = false;
  for (int i = 1; i <= tree.nodeCount(); ++i) {
    const TreeNode& n = tree.node(i);
    if (n.picture == IconTreeGroup && n.text.trimmed() == kBackgroundGroup) groupSeen = true;
    if (n.tag != tag) continue;
    // The preview reads the line with the colour codec whatever its kind, so
    // anything but a colour line paints a wrong background or none.
    ColourParts parts;
    if (!n.text.startsWith(u'4') || !StringToRGB(n.text, parts)) {
      problems << atLine(i - 1, QStringLiteral("la prima riga del gruppo \"%1\" non è il colore di "
                                               "sfondo (4 R G B T)")
                                    .arg(kBackgroundGroup));
    }
    return;
  }
  problems << (groupSeen ? QStringLiteral("manca il colore di sfondo: il gruppo \"%1\" è vuoto")
                               .arg(kBackgroundGroup)
                         : QStringLiteral("manca il colore di sfondo: non c'è il gruppo \"%1\"")
                               .arg(kBackgroundGroup));
}

void checkHandLength(const SkinTree& tree, const QString& prefix, const QString& what,
                     QStringList& problems) {
  for (int i = 1; i <= tree.nodeCount(); ++i) {
    if (tree.node(i).text.startsWith(prefix)) return;
  }
  problems << QStringLiteral("manca la lunghezza della %1 (riga \"%2\")").arg(what, prefix);
}

void checkNeeded(const ReportList& list, const QString& code, std::string_view what,
                 const QString& kindName, QStringList& problems) {
  if (list.findId(code) < 0) {
    problems << QStringLiteral("manca %1 %2 (%3)").arg(kindName, code, standby::text(what));
  }
}

// What the reader silently leaves out: everything from a carriage return on
// (a file saved with CR LF line ends reads as nothing), and text after the
// last line feed. The save drops both for good.
void checkRawText(const QString& file, QStringList& problems) {
  const std::optional<QByteArray> bytes = readWholeFile(file);
  if (!bytes) return;
  const qsizetype cr = bytes->indexOf('\r');
  const QByteArray readable = cr < 0 ? *bytes : bytes->left(cr);
  const qsizetype line = readable.count('\n');
  if (cr >= 0) {
    problems << atLine(line,
                       QStringLiteral("ritorno carrello (CR): da qui alla fine il file non viene "
                                      "letto; le righe devono finire con il solo LF"));
  } else if (!readable.isEmpty() && !readable.endsWith('\n')) {
    problems << atLine(line, QStringLiteral("testo dopo l'ultimo a capo: non viene letto e il "
                                            "salvataggio lo perde"));
  }
}

}  // namespace

bool isDecodableGif(const QByteArray& bytes, QString* why) {
  if (!bytes.startsWith("GIF87a") && !bytes.startsWith("GIF89a")) {
    if (why) *why = QStringLiteral("non è un'immagine GIF (inizia con %1)").arg(hexBytes(bytes));
    return false;
  }
  QByteArray copy = bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "gif");
  QImage image;
  if (!reader.read(&image) || image.isNull()) {
    if (why)
      *why = QStringLiteral("immagine GIF non decodificabile (%1)").arg(reader.errorString());
    return false;
  }
  return true;
}

QStringList checkSkin(const SkinDocument& doc, const LoadOutcome& outcome) {
  QStringList problems;
  checkRawText(doc.skinFile(), problems);
  switch (outcome.status) {
    case LoadStatus::BadLine:
      problems << atLine(outcome.line, QStringLiteral("caricamento interrotto (%1): le righe "
                                                      "seguenti non sono lette")
                                           .arg(outcome.reason));
      break;
    case LoadStatus::Complete:
      break;
    default:
      problems << QStringLiteral("caricamento interrotto (%1)").arg(outcome.reason);
      break;
  }

  checkObjects(doc, problems);
  checkDuplicates(doc.L_Values, V_Indice, QStringLiteral("oggetto %1 ripetuto"), problems);
  checkDuplicates(doc.L_RGBA, C_Indice, QStringLiteral("colore %1 ripetuto"), problems);
  checkDuplicates(doc.L_Dim, D_Indice, QStringLiteral("posizione %1 ripetuta"), problems);

  if (outcome.status == LoadStatus::Complete) {
    checkBackground(doc, problems);
    checkHandLength(doc.T_Strutt, standby::text(standby::kMinuteLengthPrefix),
                    QStringLiteral("lancetta dei minuti"), problems);
    checkHandLength(doc.T_Strutt, standby::text(standby::kHourLengthPrefix),
                    QStringLiteral("lancetta delle ore"), problems);
    for (const standby::ColourRecord& c : standby::kColours) {
      checkNeeded(doc.L_RGBA, standby::text(c.code), c.what, QStringLiteral("il colore"), problems);
    }
    for (const standby::PositionRecord& p : standby::kPositions) {
      checkNeeded(doc.L_Dim, standby::text(p.code), p.what, QStringLiteral("la posizione"),
                  problems);
    }
    for (const standby::SlotRecord& o : standby::kSlots) {
      checkNeeded(doc.L_Values, standby::objectCode(o.object), o.what, QStringLiteral("l'oggetto"),
                  problems);
    }
  }
  return problems;
}

}  // namespace corvela::cli
