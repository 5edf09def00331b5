#include "imaging_commands.h"

#include "colour_edits.h"
#include "skin_document.h"
#include "step_names.h"

namespace corvela {

ReplaceOutcome importImage(SkinDocument& doc, int row, const QString& file, bool checkSize,
                           bool* changed) {
  ReplaceOutcome outcome;
  const bool stepped = doc.perform(stepName(QStringLiteral("Immagine"), doc.L_Values, row),
                                   [&] { outcome = importObject(doc, row, file, checkSize); });
  if (changed) *changed = stepped;
  return outcome;
}

ReplaceOutcome defaultImage(SkinDocument& doc, int row, const QString& folder, bool* changed) {
  ReplaceOutcome outcome;
  const bool stepped =
      doc.perform(stepName(QStringLiteral("Immagine di default"), doc.L_Values, row),
                  [&] { outcome = replaceByDefault(doc, row, folder); });
  if (changed) *changed = stepped;
  return outcome;
}

bool defaultSkin(SkinDocument& doc, const QString& folder,
                 const std::function<void(int)>& replaced) {
  return doc.perform(QStringLiteral("Skin di default"),
                     [&] { replaceAllByDefault(doc, folder, replaced); });
}

int fillMissing(SkinDocument& doc, const QString& folder) {
  int found = 0;
  doc.perform(QStringLiteral("Oggetti mancanti"), [&] { found = fillMissingObjects(doc, folder); });
  return found;
}

bool changeColour(SkinDocument& doc, int row, std::int32_t colour) {
  return doc.perform(colourStepName(doc, row), [&] { setRowColour(doc, row, colour); });
}

bool changeBackground(SkinDocument& doc, int node, std::int32_t colour) {
  bool set = false;
  doc.perform(QStringLiteral("Colore di sfondo"),
              [&] { set = setBackgroundColour(doc, node, colour); });
  return set;
}

SchemeOutcome defaultColours(SkinDocument& doc, const QString& file) {
  SchemeOutcome outcome;
  doc.perform(QStringLiteral("Colori di default"), [&] { outcome = loadColourScheme(doc, file); });
  return outcome;
}

ColourImport coloursOfSkin(SkinDocument& doc, const QString& skinFile) {
  ColourImport outcome;
  doc.perform(QStringLiteral("Colori da altra skin"),
              [&] { outcome = importColoursFromSkin(doc, skinFile); });
  return outcome;
}

void randomColours(SkinDocument& doc, QRandomGenerator& random) {
  doc.perform(QStringLiteral("Colori casuali"), [&] { randomiseBlackColours(doc, random); });
}

void whitesTransparent(SkinDocument& doc) {
  doc.perform(QStringLiteral("Bianchi -> Trasp."), [&] { whitesToTransparent(doc); });
}

}  // namespace corvela
