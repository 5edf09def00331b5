#include "listing.h"

#include <QStringList>
#include <algorithm>

#include "record_rows.h"
#include "row_look.h"
#include "shown_text.h"
#include "standby_records.h"

namespace corvela::cli {

namespace {
const QString kTab = QStringLiteral("\t");

QString flag(bool on) {
  return on ? QStringLiteral("1") : QStringLiteral("0");
}
// Icon and picture 0 mean "none", which reads better as an empty cell.
QString iconText(int icon) {
  return icon == 0 ? QString() : QString::number(icon);
}
}  // namespace

QString tabSeparated(const QStringList& cells) {
  QStringList out;
  out.reserve(cells.size());
  for (const QString& c : cells) out << escapedText(shortenedText(c));
  return out.join(kTab);
}

QString colourText(Rgb colour) {
  auto byte = [](int v) { return std::clamp(v, 0, 255); };
  return QString::asprintf("#%02X%02X%02X", byte(colour.r), byte(colour.g), byte(colour.b));
}

QString listListing(const ReportList& list, const ObjectFacts* facts) {
  QStringList header;
  for (const ListColumn& c : listColumns(list)) header << c.header;
  header << QStringLiteral("tag") << QStringLiteral("text colour") << QStringLiteral("bold")
         << QStringLiteral("icon") << standby::kNameHeader;
  QString out = header.join(kTab) + u'\n';
  for (int r = 0; r < list.rowCount(); ++r) {
    const ListRow& row = list.row(r);
    QStringList cells;
    for (int c = 0; c < list.columnCount(); ++c) cells << shownCell(list, r, c, facts);
    const Look look = rowLook(list, r, facts);
    cells << rowTag(row) << colourText(look.colour) << flag(look.bold) << iconText(look.icon)
          << standby::rowName(list, r);
    out += tabSeparated(cells) + u'\n';
  }
  return out;
}

QString treeListing(const SkinTree& tree) {
  QString out = QStringLiteral("Node\tParent\tText\tTag\tpicture\ttext colour\tbold\n");
  for (int i = 1; i <= tree.nodeCount(); ++i) {
    const TreeNode& n = tree.node(i);
    const Look look = nodeLook(n);
    out += tabSeparated({QString::number(i), QString::number(n.parent), n.text, tree.tag(i),
                         iconText(look.icon), colourText(look.colour), flag(look.bold)}) +
           u'\n';
  }
  return out;
}

}  // namespace corvela::cli
