#pragma once
// The colour edits of the swatches and the batch tools on the colour rows.
// Colours come as the platform's colour values (00BBGGRR) and are split with
// the document's RGBToString, so P_R, P_G and P_B hold the last colour set.

#include <QRandomGenerator>
#include <cstdint>

#include "standby_records.h"

namespace corvela {

class SkinDocument;
class SkinTree;

// R, G and B of colour row `row` (PicColor, PicCC); the transparency stays.
// False, and nothing changed, when there is no such row.
bool setRowColour(SkinDocument& doc, int row, std::int32_t colour);

// The colour row of a text or hand by its record code (operator "0595",
// date "0579"), looked up when the edit is made, so a colour scheme loaded
// since the preview's last rebuild cannot send the colour to another row.
// Returns the row changed, -1 when the skin has none.
int setRecordColour(SkinDocument& doc, standby::ColourRole role, std::int32_t colour);

// The screen background line (tree node `node`) becomes "4 R G B 0", marked
// for the save, and its colour row says so too. False, and nothing changed,
// when `node` names no node or a line that is no colour without an id.
bool setBackgroundColour(SkinDocument& doc, int node, std::int32_t colour);
// The node of the background line, the first line of its group; 0 for none.
int backgroundNode(const SkinTree& tree);
// Why setBackgroundColour left node `node` alone, in words for the user.
QString backgroundRefusal(const SkinTree& tree, int node);

// "Command5": colour rows 110 to 130 (counted from 1) that have an id and are
// pure black get random R, G and B from 0 to 254 and transparency 0.
// Returns how many rows changed.
int randomiseBlackColours(SkinDocument& doc, QRandomGenerator& random);

// "Bianchi -> Trasp.": opaque pure white rows with an id become fully
// transparent (255). Returns how many rows changed.
int whitesToTransparent(SkinDocument& doc);

}  // namespace corvela
