#pragma once
// Every change of a skin's images and colours as one step of its history,
// named for its record as the lists name it. The window and `corvela-skin
// edit` change them only through these, so their steps read alike.

#include <QString>
#include <cstdint>
#include <functional>

#include "colour_scheme.h"
#include "object_replace.h"

class QRandomGenerator;

namespace corvela {

class SkinDocument;

// "Immagine: <name>" and "Immagine di default: <name>"; `changed` when the
// row is not what it was (a step was recorded).
ReplaceOutcome importImage(SkinDocument& doc, int row, const QString& file, bool checkSize,
                           bool* changed = nullptr);
ReplaceOutcome defaultImage(SkinDocument& doc, int row, const QString& folder,
                            bool* changed = nullptr);
// "Skin di default": every object the default set has an image for;
// `replaced` is told each row. True when anything changed.
bool defaultSkin(SkinDocument& doc, const QString& folder,
                 const std::function<void(int)>& replaced = {});
// "Oggetti mancanti": how many objects without an image took one.
int fillMissing(SkinDocument& doc, const QString& folder);

// "Colore: <name>", "Colore di sfondo".
bool changeColour(SkinDocument& doc, int row, std::int32_t colour);
bool changeBackground(SkinDocument& doc, int node, std::int32_t colour);
// "Colori di default", "Colori da altra skin", "Colori casuali",
// "Bianchi -> Trasp.".
SchemeOutcome defaultColours(SkinDocument& doc, const QString& file);
ColourImport coloursOfSkin(SkinDocument& doc, const QString& skinFile);
void randomColours(SkinDocument& doc, QRandomGenerator& random);
void whitesTransparent(SkinDocument& doc);

}  // namespace corvela
