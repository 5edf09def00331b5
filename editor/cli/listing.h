#pragma once
#include <QString>
#include <QStringList>

#include "object_facts.h"
#include "report_list.h"
#include "rgb.h"
#include "skin_tree.h"

namespace corvela::cli {

// Cells joined by tabs, escaped as the listings escape them.
QString tabSeparated(const QStringList& cells);

// "#RRGGBB" of a row's or node's text colour.
QString colourText(Rgb colour);

// A list as tab-separated text: its own column headers and then "tag",
// "text colour", "bold" and "icon"; one line per row, cells as they stand
// except that tab, line feed and backslash are written \t, \n and \\, and
// the other control codes (C0, DEL, C1) \xHH; a cell over 4,000 characters
// is cut there, with "…". The object list's colours and icons take in what
// `facts` know of its files.
QString listListing(const ReportList& list, const ObjectFacts* facts = nullptr);

// The tree as tab-separated text, one line per node in insertion order:
// node number (from 1), parent number (0 for the root), text, tag, picture,
// text colour and bold, escaped like the lists.
QString treeListing(const SkinTree& tree);

}  // namespace corvela::cli
