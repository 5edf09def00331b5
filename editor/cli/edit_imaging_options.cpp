#include <QRegularExpression>

#include "cli_common.h"
#include "colour_codec.h"
#include "colour_edits.h"
#include "colour_scheme.h"
#include "default_set.h"
#include "edit_command.h"
#include "imaging_commands.h"
#include "object_replace.h"
#include "skin_document.h"
#include "skin_line.h"
#include "skin_problems.h"

namespace corvela::cli {

namespace {

using Error = std::optional<QString>;

// "ID=REST" split at its first '='.
std::optional<std::pair<QString, QString>> keyValue(const QString& value) {
  const qsizetype eq = value.indexOf(u'=');
  if (eq <= 0 || eq == value.size() - 1) return std::nullopt;
  return std::pair{value.left(eq).trimmed(), value.mid(eq + 1)};
}

std::optional<std::int32_t> rgb(const QString& text) {
  static const QRegularExpression form(QStringLiteral("^(\\d{1,3}),(\\d{1,3}),(\\d{1,3})$"));
  const QRegularExpressionMatch m = form.match(text.trimmed());
  if (!m.hasMatch()) return std::nullopt;
  const int r = m.captured(1).toInt();
  const int g = m.captured(2).toInt();
  const int b = m.captured(3).toInt();
  if (r > 255 || g > 255 || b > 255) return std::nullopt;
  return colourValue(r, g, b);
}

const QString kNoDefaultSet =
    QStringLiteral("set di default non trovato (cartella \"default\" accanto al programma)");

int objectRow(const SkinDocument& doc, const QString& id) {
  return doc.L_Values.findId(id);
}

Error replace(SkinDocument& doc, const QString& value, const EditContext& context) {
  const auto kv = keyValue(value);
  const std::optional<QString> id = kv ? recordId(kv->first) : std::nullopt;
  if (!id || *id == kNoId) return QStringLiteral("atteso ID=FILE");
  const int row = objectRow(doc, *id);
  if (row < 0) return QStringLiteral("la skin non ha l'oggetto %1").arg(*id);
  const ReplaceOutcome outcome = importImage(doc, row, kv->second, context.checkSize);
  // A name that is not UTF-8 reaches us with its odd bytes replaced: the
  // file is there, under the name meant.
  if (outcome.status == ReplaceOutcome::Missing) return notFound(kv->second);
  if (!outcome.replaced()) return outcome.message(kv->second);
  // Done as asked, since a modder may mean it; but a soft key of the wrong
  // shape breaks the phone's bar, so it is said.
  const std::optional<ExpectedSize> expected =
      SkinChecker(findDefaultFolder()).expectedSize(doc, *id);
  if (expected && expected->size != outcome.image.size()) {
    fail(QStringLiteral("attenzione: ") + sizeDifference(*id, outcome.image.size(), *expected));
  }
  return std::nullopt;
}

Error replaceByDefaultSet(SkinDocument& doc, const QString& value, const EditContext&) {
  const QString folder = findDefaultFolder();
  if (folder.isEmpty()) return kNoDefaultSet;
  if (value == QLatin1StringView("all")) {
    defaultSkin(doc, folder);
    return std::nullopt;
  }
  const std::optional<QString> id = recordId(value.trimmed());
  if (!id || *id == kNoId) return QStringLiteral("atteso un ID o \"all\"");
  const int row = objectRow(doc, *id);
  if (row < 0) return QStringLiteral("la skin non ha l'oggetto %1").arg(*id);
  const ReplaceOutcome outcome = defaultImage(doc, row, folder);
  if (outcome.status == ReplaceOutcome::Missing) {
    return QStringLiteral("il set di default non ha un'immagine per l'oggetto %1").arg(*id);
  }
  if (!outcome.replaced()) return outcome.message(defaultObjectPath(folder, *id));
  return std::nullopt;
}

Error colour(SkinDocument& doc, const QString& value, const EditContext&) {
  const auto kv = keyValue(value);
  const std::optional<QString> id = kv ? recordId(kv->first) : std::nullopt;
  const std::optional<std::int32_t> c = kv ? rgb(kv->second) : std::nullopt;
  if (!id || !c) return QStringLiteral("atteso ID=R,G,B con R, G e B da 0 a 255");
  const int row = doc.L_RGBA.findId(*id);
  if (row < 0) return QStringLiteral("la skin non ha il colore %1").arg(*id);
  changeColour(doc, row, *c);
  return std::nullopt;
}

Error background(SkinDocument& doc, const QString& value, const EditContext&) {
  const std::optional<std::int32_t> c = rgb(value);
  if (!c) return QStringLiteral("atteso R,G,B con R, G e B da 0 a 255");
  if (const int node = backgroundNode(doc.T_Strutt); !changeBackground(doc, node, *c)) {
    return backgroundRefusal(doc.T_Strutt, node);
  }
  return std::nullopt;
}

Error defaultColours(SkinDocument& doc, const QString& value, const EditContext&) {
  QString file = value;
  if (file.isEmpty()) {
    const QString folder = findDefaultFolder();
    if (folder.isEmpty()) return kNoDefaultSet;
    file = defaultColoursPath(folder);
  }
  const SchemeOutcome outcome = corvela::defaultColours(doc, file);
  if (!outcome.ok) return outcome.error;
  return std::nullopt;
}

Error importColours(SkinDocument& doc, const QString& value, const EditContext&) {
  const ColourImport outcome = coloursOfSkin(doc, value);
  if (!outcome.ok) return outcome.error;
  return std::nullopt;
}

Error whites(SkinDocument& doc, const QString&, const EditContext&) {
  whitesTransparent(doc);
  return std::nullopt;
}

}  // namespace

// The image and colour edits of the "Oggetti grafici" and "Colori" tabs.
std::vector<EditOption> imagingEditOptions() {
  using V = EditOption::Value;
  return {
      {QStringLiteral("--replace"), V::Required, QStringLiteral("ID=FILE"),
       QStringLiteral("sostituisce l'immagine dell'oggetto ID con il file GIF (\"Importa...\")"),
       replace},
      {QStringLiteral("--default"), V::Required, QStringLiteral("ID|all"),
       QStringLiteral("immagine dal set di default per l'oggetto ID, o per tutti (\"Default\", "
                      "\"Skin di default\")"),
       replaceByDefaultSet},
      {QStringLiteral("--colour"), V::Required, QStringLiteral("ID=R,G,B"),
       QStringLiteral("R, G e B della riga di colore ID; la trasparenza resta"), colour},
      {QStringLiteral("--background"), V::Required, QStringLiteral("R,G,B"),
       QStringLiteral("colore di sfondo dello schermo"), background},
      {QStringLiteral("--default-colours"), V::Optional, QStringLiteral("FILE"),
       QStringLiteral("sostituisce tutti i colori con lo schema di default (colors.txt del set di "
                      "default, o FILE)"),
       defaultColours},
      {QStringLiteral("--import-colours"), V::Required, QStringLiteral("SKIN"),
       QStringLiteral("i colori di un'altra skin, riga per riga (\"Importa da altra skin...\")"),
       importColours},
      {QStringLiteral("--whites-to-transparent"), V::None, QString(),
       QStringLiteral("i colori bianchi opachi diventano trasparenti (\"Bianchi -> Trasp.\")"),
       whites},
  };
}

}  // namespace corvela::cli
