#include "clock_edits.h"

#include "document_edits.h"
#include "skin_document.h"
#include "skin_tree.h"

namespace corvela {

QString handLengthPrefix(Hand hand) {
  return standby::text(hand == Hand::Minute ? standby::kMinuteLengthPrefix
                                            : standby::kHourLengthPrefix);
}

const standby::ColourRecord& handColour(Hand hand) {
  return standby::colour(hand == Hand::Minute ? standby::ColourRole::MinuteHand
                                              : standby::ColourRole::HourHand);
}

int handLengthNode(const SkinTree& tree, Hand hand) {
  return standby::lastNodeStartingWith(
      tree, hand == Hand::Minute ? standby::kMinuteLengthPrefix : standby::kHourLengthPrefix);
}

bool setHandLength(SkinTree& tree, int node, Hand hand, QStringView boxText) {
  if (node < 1 || node > tree.nodeCount()) return false;
  setTreeLine(tree, node, handLengthPrefix(hand) + boxText.trimmed().toString());
  return true;
}

bool setHandColour(SkinDocument& doc, int row, std::int32_t colour) {
  doc.RGBToString(colour);
  if (row < 0 || row >= doc.L_RGBA.rowCount()) return false;
  const ColourParts& p = doc.colourParts();
  setColour(doc.records().colours, row, p.P_R, p.P_G, p.P_B);
  return true;
}

}  // namespace corvela
