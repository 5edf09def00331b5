#include "skin_check.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "document_names.h"
#include "gif_check.h"
#include "object_archive.h"
#include "shown_text.h"
#include "skin_line.h"
#include "skin_saver.h"
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

void checkObjects(const SkinDocument& doc, QStringList& problems) {
  ArchiveReader archives(doc.P_sPath, doc.P_sTheme);
  // Per archive that cannot be read: the first line naming it and its objects.
  std::map<long long, std::pair<long long, QStringList>> unreadable;
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

    if (archives.problem(number)) {
      auto [it, first] = unreadable.try_emplace(number, line, QStringList());
      if (first) unreadableOrder.push_back(number);
      it->second.second << id;
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
    const ArchiveReader::Object object = archives.cut(number, offset, size);
    if (object.status == ArchiveReader::Status::Outside) {
      objectProblems << atLine(line, QStringLiteral("oggetto %1 oltre la fine dell'archivio %2 "
                                                    "(offset %3 + %4 byte, l'archivio ne ha %5)")
                                         .arg(id, name)
                                         .arg(offset)
                                         .arg(size)
                                         .arg(archives.length(number)));
      continue;
    }
    if (object.status != ArchiveReader::Status::Ok) {
      objectProblems << atLine(
          line, QStringLiteral("oggetto %1 non leggibile da %2 (%3)")
                    .arg(id, archivePath(doc.P_sPath, doc.P_sTheme, number), object.reason));
      continue;
    }
    if (object.bytes.isEmpty()) {
      objectProblems << atLine(line, QStringLiteral("oggetto %1 vuoto (0 byte)").arg(id));
      continue;
    }
    QString why;
    if (!isDecodableGif(object.bytes, &why)) {
      objectProblems << atLine(line, QStringLiteral("oggetto %1 in %2: %3").arg(id, name, why));
    }
  }

  for (long long number : unreadableOrder) {
    const auto& [firstLine, ids] = unreadable.at(number);
    const QString name = archiveFileName(doc.P_sTheme, number);
    const QString why = *archives.problem(number);
    const QString what = archives.exists(number)
                             ? QStringLiteral("archivio %1 non leggibile (%2)")
                                   .arg(archivePath(doc.P_sPath, doc.P_sTheme, number), why)
                             : QStringLiteral("archivio %1 mancante").arg(name);
    problems << atLine(firstLine,
                       QStringLiteral("%1: oggetti %2").arg(what, ids.join(QStringLiteral(", "))));
  }
  problems << objectProblems;
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

// Lines a save would write back with other fields or values once their
// record is edited (an untouched one goes back as read): two blanks between
// fields (which shift the values), a field after the sixth, a trailing
// blank. Object lines are left out, since packing rewrites some of them by
// design.
void checkRewrites(const SkinDocument& doc, QStringList& problems) {
  const std::vector<QString> rewritten = regeneratedLines(doc, true);
  for (size_t k = 1; k < rewritten.size(); ++k) {
    const QString& line = doc.lines[k];
    if (line.startsWith(u'5') || sameValues(line, rewritten[k])) continue;
    problems << atLine(
        static_cast<long long>(k),
        QStringLiteral("il salvataggio riscrive \"%1\" come \"%2\" se il suo record viene "
                       "modificato")
            .arg(escapedText(shortenedText(line)), escapedText(shortenedText(rewritten[k]))));
  }
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

// Rectangles the phone would draw off its screen or turned inside out. The
// values stay as typed; this only says where they are.
void checkRectangles(const ReportList& rects, QStringList& problems) {
  for (int r = 0; r < rects.rowCount(); ++r) {
    const ListRow& row = rects.row(r);
    const long long x1 = numericValue(row.cells[D_X1]), y1 = numericValue(row.cells[D_Y1]);
    const long long x2 = numericValue(row.cells[D_X2]), y2 = numericValue(row.cells[D_Y2]);
    const standby::RectangleFlaws flaws = standby::rectangleFlaws(x1, y1, x2, y2);
    const QString corners = QStringLiteral("%1,%2,%3,%4").arg(x1).arg(y1).arg(x2).arg(y2);
    const long long line = lineOf(row, D_Indice);
    if (flaws.offScreen) {
      problems << atLine(line, QStringLiteral("posizione %1 fuori dallo schermo %2×%3 (%4)")
                                   .arg(row.cells[D_ID])
                                   .arg(standby::kScreenWidth)
                                   .arg(standby::kScreenHeight)
                                   .arg(corners));
    }
    if (flaws.inverted) {
      problems << atLine(line, QStringLiteral("posizione %1 con gli angoli invertiti (%2): x1 "
                                              "supera x2 o y1 supera y2")
                                   .arg(row.cells[D_ID], corners));
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
    if (n.place == NodePlace::Group && n.text.trimmed() == kBackgroundGroup) groupSeen = true;
    if (!tree.hasTag(i, tag)) continue;
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
  const std::optional<QByteArray> bytes = readRegularFile(file, nullptr, kMaxSkinFileBytes);
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

  if (outcome.status == LoadStatus::Complete) checkRewrites(doc, problems);
  checkObjects(doc, problems);
  checkDuplicates(doc.L_Values, V_Indice, QStringLiteral("oggetto %1 ripetuto"), problems);
  checkDuplicates(doc.L_RGBA, C_Indice, QStringLiteral("colore %1 ripetuto"), problems);
  checkDuplicates(doc.L_Dim, D_Indice, QStringLiteral("posizione %1 ripetuta"), problems);
  checkRectangles(doc.L_Dim, problems);

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
