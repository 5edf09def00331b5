#include "row_look.h"

#include "document_names.h"
#include "record_rows.h"
#include "skin_line.h"
#include "text_number.h"

namespace corvela {

namespace {

int pictureOfKind(QChar kind) {
  switch (kind.unicode()) {
    case u'1':
      return IconTreeRect;
    case u'2':
      return IconTreeSetting;
    case u'3':
      return IconTreeKind3;
    case u'4':
      return IconTreeColour;
    case u'5':
      return IconTreeObject;
    case u'6':
      return IconTreeKind6;
    default:
      return IconNone;
  }
}

const std::vector<ListColumn> kObjectColumns = {
    {"ID", Align::Left, 1411},       {"OffSet", Align::Centre, 0},  {"N° Dat", Align::Centre, 1411},
    {"Offset", Align::Right, 1411},  {"Byte", Align::Right, 1411},  {"Stato", Align::Centre, 2540},
    {"Path GIF", Align::Left, 7937}, {"Indice", Align::Right, 1411}};
const std::vector<ListColumn> kColourColumns = {{"ID", Align::Left, 1411},
                                                {"R", Align::Centre, 1058},
                                                {"G", Align::Centre, 1058},
                                                {"B", Align::Centre, 1058},
                                                {"Trasparenza", Align::Centre, 2117},
                                                {"Indice", Align::Right, 1411}};
const std::vector<ListColumn> kRectColumns = {
    {"ID", Align::Left, 1411},       {"X1", Align::Centre, 882},
    {"Y1", Align::Centre, 882},      {"X2", Align::Centre, 882},
    {"Y2", Align::Centre, 882},      {"Larghezza", Align::Right, 1764},
    {"Altezza", Align::Right, 1764}, {"Indice", Align::Right, 1411}};

// The list's digit patterns: "03" for an archive, "000123" for an offset in
// the place column, "0042" for a line; "-" where a place is not there.
QString objectCell(const ListRow& row, int column) {
  const ObjectRecord& o = row.object();
  switch (column) {
    case V_OffSet: {
      QString place = formatField(o.home.archive.text(), 2) + u'_';
      appendField(place, o.home.offset.text(), 6);
      return place;
    }
    case V_NDat:
      return o.archive ? formatField(o.archive->text(), 2) : kNoId;
    case V_Offset:
      return o.offset ? o.offset->text() : kNoId;
    case V_Byte:
      return o.size.text();
    case V_Stato:
      return stateWord(row.state);
    case V_PathGif:
      return o.file;
    case V_Indice:
      return padNumber(o.line, 4);
    default:
      return {};
  }
}

QString colourCell(const ListRow& row, int column) {
  const ColourRecord& c = row.colour();
  if (column >= C_R && column <= C_B) return c.rgb[static_cast<size_t>(column - C_R)].text();
  if (column == C_Indice) return padNumber(c.line, 4);
  return column == C_Trasparenza ? c.transparency.text() : QString();
}

QString rectCell(const ListRow& row, int column) {
  const RectRecord& d = row.rect();
  if (column >= D_X1 && column <= D_Y2) return d.corners[static_cast<size_t>(column - D_X1)].text();
  if (column == D_Indice) return padNumber(d.line, 4);
  if (column != D_Larghezza && column != D_Altezza) return {};
  if (!d.sized) return kNoId;
  const size_t from = column == D_Larghezza ? 0 : 1;
  return QString::number(rectangleExtent(d.corners[from].value(), d.corners[from + 2].value()));
}

Look objectLook(const ReportList& list, int r, const ObjectFacts* facts) {
  const ListRow& row = list.row(r);
  auto holds = [&](ObjectFacts::Fact fact) { return facts && facts->holds(fact, r, row); };
  Look look;
  look.bold = row.edited;
  if (holds(ObjectFacts::Fact::BeyondArchive)) {
    look.colour = kRed;
    look.icon = IconMissing;
    return look;
  }
  switch (facts ? facts->shownState(list, r) : row.state) {
    case ObjectState::Found:
    case ObjectState::Extracted:
      look.icon = IconFound;
      break;
    case ObjectState::Missing:
      look.colour = kRed;
      look.icon = IconMissing;
      break;
    case ObjectState::ToReplace:
      look.colour = kChangedBlue;
      look.icon = IconReplaced;
      break;
  }
  // Written into the packed archive by the last save.
  if (holds(ObjectFacts::Fact::Packed)) look.colour = kRed;
  return look;
}

}  // namespace

const std::vector<ListColumn>& listColumns(const ReportList& list) {
  if (list.name() == kListObjects) return kObjectColumns;
  return list.name() == kListColours ? kColourColumns : kRectColumns;
}

QString stateWord(ObjectState state) {
  switch (state) {
    case ObjectState::Found:
      return kStateFound;
    case ObjectState::Missing:
      return kStateMissing;
    case ObjectState::ToReplace:
      return kStateToReplace;
    case ObjectState::Extracted:
      return kStateExtracted;
  }
  return {};
}

Look rowLook(const ReportList& list, int r, const ObjectFacts* facts) {
  const ListRow& row = list.row(r);
  if (list.name() == kListObjects) return objectLook(list, r, facts);
  Look look;
  look.icon = rowId(row) == kNoId ? IconNone : IconColour;
  if (row.edited) {
    look.colour = kChangedBlue;
    look.bold = true;
  }
  return look;
}

QString shownCell(const ReportList& list, int r, int column, const ObjectFacts* facts) {
  const ListRow& row = list.row(r);
  // Every list's first column is the id.
  if (column == 0) return rowId(row);
  if (list.name() == kListObjects) {
    if (column == V_Stato && facts) return stateWord(facts->shownState(list, r));
    if (column == V_PathGif && facts) {
      const QString path = facts->shownPath(list, r);
      return path.isEmpty() ? QStringLiteral(" ") : path;
    }
    return objectCell(row, column);
  }
  return list.name() == kListColours ? colourCell(row, column) : rectCell(row, column);
}

Look nodeLook(const TreeNode& node) {
  Look look;
  switch (node.place) {
    case NodePlace::Root:
      look.icon = IconTreeRoot;
      break;
    case NodePlace::Group:
      look.icon = IconTreeGroup;
      look.bold = true;
      break;
    case NodePlace::Line:
      look.icon = pictureOfKind(node.kind);
      break;
  }
  if (node.edited) look.colour = kChangedBlue;
  return look;
}

}  // namespace corvela
