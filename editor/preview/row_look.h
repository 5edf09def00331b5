#pragma once
// How the document's rows and tree lines look in the window's lists and in
// the command-line tool's listings: the Italian state words, the text
// colours, bold and the icon numbers. The document keeps typed states and
// flags; this is the one place that turns them into what the user sees.

#include <QString>
#include <vector>

#include "object_facts.h"
#include "report_list.h"
#include "rgb.h"
#include "skin_tree.h"

namespace corvela {

// The words of the object list's "Stato" column.
inline const QString kStateFound = QStringLiteral("Trovata");
inline const QString kStateMissing = QStringLiteral("Non trovata");
inline const QString kStateToReplace = QStringLiteral("Da sostituire");
inline const QString kStateExtracted = QStringLiteral("Estratta");

QString stateWord(ObjectState state);

// Numbers of the shared icon list (tree pictures and list icons).
enum Icon {
  IconNone = 0,
  IconOpen = 1,
  IconReplaced = 2,
  IconMissing = 3,
  IconFound = 6,
  IconColour = 7,
  IconTreeObject = 7,
  IconTreeColour = 8,
  IconTreeGroup = 9,
  IconTreeRect = 10,
  IconTreeKind3 = 11,
  IconTreeSetting = 12,
  IconTreeRoot = 13,
  IconTreeKind6 = 14,
};

enum class Align { Left, Centre, Right };

struct ListColumn {
  QString header;
  Align align = Align::Left;
  int widthTwips = 0;  // 15 twips to a pixel; 0 hides the column
};

// The columns of one of the document's three lists, one per cell.
const std::vector<ListColumn>& listColumns(const ReportList& list);

struct Look {
  Rgb colour = kBlack;
  bool bold = false;
  int icon = IconNone;  // 0 for none
};

// A row of one of the document's three lists, told apart by its name; an
// object row with what `facts` know of its files, when given.
Look rowLook(const ReportList& list, int row, const ObjectFacts* facts = nullptr);
// The text of a cell as shown, numbers in the list's digit patterns: the
// object list's "Stato" is its state's word, and with `facts` its "Stato"
// and "Path GIF" take in its working file (" " for none).
QString shownCell(const ReportList& list, int row, int column, const ObjectFacts* facts = nullptr);
Look nodeLook(const TreeNode& node);

}  // namespace corvela
