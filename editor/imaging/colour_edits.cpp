#include "colour_edits.h"

#include "document_edits.h"
#include "document_names.h"
#include "record_rows.h"
#include "skin_document.h"
#include "skin_line.h"
#include "text_number.h"

namespace corvela {

namespace {
constexpr int kFirstRandomRow = 110;  // counted from 1, both ends included
constexpr int kLastRandomRow = 130;
const QString kOpaque = QStringLiteral("0");
const QString kTransparent = QStringLiteral("255");

bool isBlack(const ReportList& list, int r) {
  return componentValues(list.row(r)) == std::array<long long, 3>{0, 0, 0};
}

bool isOpaqueWhite(const ReportList& list, int r) {
  return componentValues(list.row(r)) == std::array<long long, 3>{255, 255, 255} &&
         transparencyValue(list.row(r)) == 0;
}
}  // namespace

bool setRowColour(SkinDocument& doc, int row, std::int32_t colour) {
  if (row < 0 || row >= doc.L_RGBA.rowCount()) return false;
  doc.RGBToString(colour);
  const ColourParts& p = doc.colourParts();
  setColour(doc.records().colours, row, p.P_R, p.P_G, p.P_B);
  return true;
}

int setRecordColour(SkinDocument& doc, standby::ColourRole role, std::int32_t colour) {
  const int row = doc.L_RGBA.findId(standby::text(standby::colour(role).code));
  return setRowColour(doc, row, colour) ? row : -1;
}

bool setBackgroundColour(SkinDocument& doc, int node, std::int32_t colour) {
  if (node < 1 || node > doc.T_Strutt.nodeCount()) return false;
  // The group's first line may be another record, which the colour would
  // replace for good.
  const std::optional<RecordFields> line = parseRecordLine(doc.T_Strutt.node(node).text);
  if (!line || line->kind != u'4' || line->id != kNoId) return false;
  setTreeLine(doc.records().tree, node, QStringLiteral("4 ") + doc.RGBToString(colour) + " 0");
  // The line's colour row shows the same, as the save will write it.
  ReportList& colours = doc.records().colours;
  for (int r = 0; r < colours.rowCount(); ++r) {
    if (rowLine(colours, r) != node - 1) continue;
    const ColourParts& p = doc.colourParts();
    setColour(colours, r, p.P_R, p.P_G, p.P_B);
    setTransparencyText(colours, r, kOpaque);
    break;
  }
  return true;
}

int backgroundNode(const SkinTree& tree) {
  return standby::lastNodeTagged(tree, standby::kBackgroundTag);
}

QString backgroundRefusal(const SkinTree& tree, int node) {
  if (node < 1 || node > tree.nodeCount())
    return QStringLiteral(
        "La skin non ha la riga del colore di sfondo: il colore non sarà salvato.");
  return QStringLiteral(
             "La prima riga del gruppo \"%1\" (riga %2: \"%3\") non è il colore di sfondo "
             "(4 R G B T): non viene sostituita e il colore non sarà salvato.")
      .arg(standby::text(standby::kBackgroundGroup))
      .arg(node - 1)
      .arg(tree.node(node).text);
}

int randomiseBlackColours(SkinDocument& doc, QRandomGenerator& random) {
  ReportList& list = doc.records().colours;
  int changed = 0;
  for (int r = kFirstRandomRow - 1; r < kLastRandomRow && r < list.rowCount(); ++r) {
    if (rowId(list.row(r)) == kNoId || !isBlack(list, r)) continue;
    const int red = static_cast<int>(random.bounded(255));
    const int green = static_cast<int>(random.bounded(255));
    const int blue = static_cast<int>(random.bounded(255));
    setColour(list, r, red, green, blue);
    setTransparencyText(list, r, kOpaque);
    ++changed;
  }
  return changed;
}

int whitesToTransparent(SkinDocument& doc) {
  ReportList& list = doc.records().colours;
  int changed = 0;
  for (int r = 0; r < list.rowCount(); ++r) {
    if (rowId(list.row(r)) == kNoId || !isOpaqueWhite(list, r)) continue;
    setTransparencyText(list, r, kTransparent);
    markRowChanged(list, r);
    ++changed;
  }
  return changed;
}

}  // namespace corvela
