#include "colour_scheme.h"

#include <QStringList>
#include <algorithm>
#include <iterator>
#include <vector>

#include "document_edits.h"
#include "document_names.h"
#include "object_archive.h"
#include "path_helpers.h"
#include "safe_read.h"
#include "shown_text.h"
#include "skin_document.h"
#include "skin_line.h"
#include "text_number.h"

namespace corvela {

namespace {

const QString kSchemeTag = QStringLiteral("Colore di default");
constexpr int kSchemeFields = 6;
// A thousand times the default scheme: anything larger is not a scheme.
constexpr long long kMaxSchemeBytes = 1024 * 1024;

bool isPlainNumber(QStringView s) {
  if (s.isEmpty()) return false;
  for (QChar c : s) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

QString schemeError(int line, const QString& why) {
  return QStringLiteral(
             "Schema colori di default non valido, riga %1: %2.\n"
             "I colori non sono stati modificati.")
      .arg(line)
      .arg(why);
}

// What a file holds, as a message may quote it.
QString quoted(QStringView text) {
  return escapedText(shortenedText(text));
}

// Components above 255 would be written to the skin as they stand, and the
// phone reads no more than a byte of each.
int component(const QString& field) {
  return static_cast<int>(std::clamp<std::int64_t>(numericValue(field), 0, 255));
}

QString componentText(const QString& field) {
  return QString::number(component(field));
}

// "0595" and "595" name the same colour; compared as text, since an id of
// any length must match exactly.
QStringView withoutLeadingZeros(QStringView id) {
  while (id.size() > 1 && id.front() == u'0') id = id.mid(1);
  return id;
}

// A scheme row names the skin line it is written to. Only a colour line of
// the same id may take it, and only a colour line without id a row without
// one: anything else would overwrite the header, an object or a position on
// the next save, or write a colour without the id the phone looks it up by.
std::optional<QString> targetProblem(const SkinDocument& doc, const QString& id,
                                     const QString& indice) {
  const std::int64_t k = numericValue(indice);
  const std::int64_t count = std::min<std::int64_t>(doc.P_MaxValues, std::ssize(doc.lines));
  if (k < 0 || k >= count) {
    return QStringLiteral("la riga %1 della skin non esiste (la skin ne ha %2)")
        .arg(indice)
        .arg(count);
  }
  const QString& line = doc.lines[static_cast<size_t>(k)];
  const std::optional<RecordFields> target =
      line.startsWith(QStringLiteral("4 ")) ? parseRecordLine(line) : std::nullopt;
  if (!target) {
    return QStringLiteral("la riga %1 della skin non è un colore (\"%2\")")
        .arg(k)
        .arg(quoted(line.left(40)));
  }
  if (id == kNoId && target->id != kNoId) {
    return QStringLiteral(
               "la riga %1 della skin è il colore \"%2\", che ha un ID: una riga senza ID "
               "va solo su un colore senza ID")
        .arg(k)
        .arg(quoted(target->id));
  }
  if (id != kNoId && target->id == kNoId) {
    return QStringLiteral("la riga %1 della skin è un colore senza ID, non %2").arg(k).arg(id);
  }
  if (id != kNoId &&
      (!isPlainNumber(target->id) || withoutLeadingZeros(target->id) != withoutLeadingZeros(id))) {
    return QStringLiteral("la riga %1 della skin è il colore \"%2\", non %3")
        .arg(k)
        .arg(quoted(target->id), id);
  }
  return std::nullopt;
}

}  // namespace

SchemeOutcome loadColourScheme(SkinDocument& doc, const QString& file) {
  SchemeOutcome outcome;
  if (!FileExist(file)) {
    outcome.error = kSchemeNotFound;
    return outcome;
  }
  QString readError;
  const std::optional<QByteArray> bytes = readRegularFile(file, &readError, kMaxSchemeBytes);
  if (!bytes) {
    outcome.error = QStringLiteral("Impossibile leggere %1: %2").arg(file, readError);
    return outcome;
  }

  std::vector<ListRow> rows;
  const QStringList lines = QString::fromLatin1(*bytes).split(u'\n');
  for (qsizetype n = 0; n < lines.size(); ++n) {
    const QString line = lines[n].trimmed();
    if (line.isEmpty()) continue;
    QStringList fields = line.split(u',');
    const int number = static_cast<int>(n + 1);
    if (fields.size() != kSchemeFields) {
      outcome.error = schemeError(
          number, QStringLiteral("%1 campi invece di %2").arg(fields.size()).arg(kSchemeFields));
      return outcome;
    }
    for (QString& f : fields) f = f.trimmed();
    if (fields[C_ID] != kNoId && !isPlainNumber(fields[C_ID])) {
      outcome.error = schemeError(
          number, QStringLiteral("l'ID \"%1\" non è un numero").arg(quoted(fields[C_ID])));
      return outcome;
    }
    for (int c = C_R; c <= C_Indice; ++c) {
      if (!isPlainNumber(fields[c])) {
        outcome.error =
            schemeError(number, QStringLiteral("\"%1\" non è un numero").arg(quoted(fields[c])));
        return outcome;
      }
    }
    if (const std::optional<QString> why = targetProblem(doc, fields[C_ID], fields[C_Indice])) {
      outcome.error = schemeError(number, *why);
      return outcome;
    }
    ListRow row;
    ColourRecord& colour = row.record.emplace<ColourRecord>();
    if (fields[C_ID] != kNoId) colour.id = Field::read(fields[C_ID]);
    colour.line = numericValue(fields[C_Indice]);
    for (int c = C_R; c <= C_B; ++c) {
      colour.rgb[static_cast<size_t>(c - C_R)] = Field::read(componentText(fields[c]));
    }
    colour.transparency = Field::read(componentText(fields[C_Trasparenza]));
    colour.source = kSchemeTag;
    row.stamp = nextEditStamp();
    rows.push_back(std::move(row));
  }

  ReportList& colours = doc.records().colours;
  colours.clear();
  for (ListRow& row : rows) markRowChanged(colours, colours.appendRow(std::move(row)));
  outcome.ok = true;
  outcome.rows = doc.L_RGBA.rowCount();
  return outcome;
}

ColourImport importColoursFromSkin(SkinDocument& doc, const QString& skinFile) {
  ColourImport outcome;
  QString readError;
  const std::optional<QByteArray> bytes = readRegularFile(skinFile, &readError, kMaxSkinFileBytes);
  if (!bytes) {
    outcome.error = QStringLiteral("Impossibile leggere la skin %1: %2").arg(skinFile, readError);
    return outcome;
  }
  // Read as the skin reader does: up to the first carriage return, lines
  // ended by line feeds, a last piece without one not counted.
  const qsizetype cr = bytes->indexOf('\r');
  const QString text = QString::fromLatin1(cr < 0 ? *bytes : bytes->left(cr));
  QStringList lines = text.split(u'\n');
  lines.removeLast();
  if (lines.size() > kMaxSkinLines) {
    outcome.error = QStringLiteral("La skin %1 ha più di %2 righe: colori non importati.")
                        .arg(skinFile)
                        .arg(kMaxSkinLines);
    return outcome;
  }

  std::vector<RecordFields> colours;
  for (qsizetype k = 1; k < lines.size(); ++k) {
    if (!lines[k].startsWith(QStringLiteral("4 "))) continue;
    std::optional<RecordFields> r = parseRecordLine(lines[k]);
    bool numbers = r.has_value();
    for (qsizetype v = 0; numbers && v < r->values.size(); ++v) {
      numbers = isPlainNumber(r->values[v]);
    }
    if (!numbers) {
      outcome.error = QStringLiteral(
                          "La riga %1 della skin %2 non è un colore valido: \"%3\".\n"
                          "I colori non sono stati modificati.")
                          .arg(k)
                          .arg(skinFile, quoted(lines[k]));
      return outcome;
    }
    outcome.colourLines << lines[k];
    colours.push_back(std::move(*r));
  }

  ReportList& list = doc.records().colours;
  outcome.rows = list.rowCount();
  for (int k = 0; k < outcome.rows && k < static_cast<int>(colours.size()); ++k) {
    const QStringList& v = colours[static_cast<size_t>(k)].values;
    setColour(list, k, component(v[0]), component(v[1]), component(v[2]));
    setTransparencyText(list, k, componentText(v[3]));
    ++outcome.written;
  }
  outcome.ok = true;
  return outcome;
}

}  // namespace corvela
