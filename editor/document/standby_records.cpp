#include "standby_records.h"

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
    if (tree.node(i).tag == t) return i;
  }
  return 0;
}

QString objectCode(int object) {
  return padNumber(object, 4);
}

}  // namespace corvela::standby
