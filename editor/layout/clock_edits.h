#pragma once
// The clock's hand lengths and colours as operations on the document.

#include <QString>
#include <QStringView>
#include <cstdint>

#include "standby_records.h"

namespace corvela {

class SkinDocument;
class SkinTree;

enum class Hand { Minute, Hour };

// "2 8 " for the minute hand, "2 11 " for the hour hand.
QString handLengthPrefix(Hand hand);
// The hand's colour record (rows "0009" and "0012").
const standby::ColourRecord& handColour(Hand hand);

// The node the rebuild binds to the hand's length box: the last one whose
// text begins with the hand's prefix, as a later match overwrites an
// earlier one; 0 for none.
int handLengthNode(const SkinTree& tree, Hand hand);

// A hand length box changed: `node` becomes the prefix followed by the
// box's text trimmed, in the blue the save takes over. False, and nothing
// changes, when no node is bound (0).
bool setHandLength(SkinTree& tree, int node, Hand hand, QStringView boxText);

// A colour chosen for a hand (00BBGGRR): split through the document's codec,
// as the swatch handlers do, then R, G, B into the colour row `row`, which
// is marked. False, and no row changes, when the row is not bound (-1).
bool setHandColour(SkinDocument& doc, int row, std::int32_t colour);

}  // namespace corvela
