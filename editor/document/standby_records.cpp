#include "standby_records.h"

#include "document_names.h"
#include "record_rows.h"
#include "report_list.h"
#include "skin_tree.h"
#include "text_number.h"

namespace corvela::standby {

const ColourRecord& colour(ColourRole role) {
  for (const ColourRecord& c : kColours) {
    if (c.role == role) return c;
  }
  return kColours.front();
}

std::optional<int> targetOfCode(QStringView code) {
  for (const PositionRecord& p : kPositions) {
    if (code == text(p.code)) return p.target;
  }
  return std::nullopt;
}

std::optional<BoxBinding> positionBox(int box) {
  for (const PositionRecord& p : kPositions) {
    if (box >= p.firstBox && box < p.firstBox + 4) return BoxBinding{p.target, box - p.firstBox};
  }
  return std::nullopt;
}

std::optional<ColourRole> transparencyBox(int box) {
  for (const ColourRecord& c : kColours) {
    if (c.transparencyBox >= 0 && c.transparencyBox == box) return c.role;
  }
  return std::nullopt;
}

int lastNodeStartingWith(const SkinTree& tree, std::string_view prefix) {
  const QString p = text(prefix);
  for (int i = tree.nodeCount(); i >= 1; --i) {
    if (tree.node(i).text.startsWith(p)) return i;
  }
  return 0;
}

int lastNodeTagged(const SkinTree& tree, std::string_view tag) {
  const QString t = text(tag);
  for (int i = tree.nodeCount(); i >= 1; --i) {
    if (tree.hasTag(i, t)) return i;
  }
  return 0;
}

QString objectCode(int object) {
  return padNumber(object, 4);
}

QString objectName(QStringView code) {
  for (const SlotRecord& o : kSlots) {
    if (code == objectCode(o.object)) return text(o.what);
  }
  return {};
}

QString colourName(QStringView code) {
  for (const ColourRecord& c : kColours) {
    if (code == text(c.code)) return text(c.what);
  }
  return {};
}

QString positionName(QStringView code) {
  const std::optional<int> target = targetOfCode(code);
  return target ? text(kPositions[static_cast<size_t>(*target)].what) : QString();
}

QString rowName(const ReportList& list, int row) {
  return shownName(list.name(), rowId(list.row(row)));
}

QString shownName(const QString& listName, QStringView code) {
  QString name;
  if (listName == kListObjects)
    name = objectName(code);
  else if (listName == kListColours)
    name = colourName(code);
  else if (listName == kListRects)
    name = positionName(code);
  if (!name.isEmpty()) name[0] = name[0].toUpper();
  return name;
}

RectangleFlaws rectangleFlaws(long long x1, long long y1, long long x2, long long y2) {
  auto outside = [](long long v, int size) { return v < 0 || v >= size; };
  RectangleFlaws f;
  f.offScreen = outside(x1, kScreenWidth) || outside(x2, kScreenWidth) ||
                outside(y1, kScreenHeight) || outside(y2, kScreenHeight);
  f.inverted = x1 > x2 || y1 > y2;
  return f;
}

}  // namespace corvela::standby
