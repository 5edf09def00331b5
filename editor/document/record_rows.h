#pragma once
// Colour and rectangle rows, and any row's line, read as values, as
// object_row.h reads object rows: the rest of the editor asks these
// instead of counting the lists' columns. Fields keep their text as read or
// typed ("007" stays "007"), since the boxes show it and the save writes it
// back so; their numbers are read the way every box and cell is.

#include <QString>
#include <array>

#include "report_list.h"

namespace corvela {

// The id as the lists show it ("0595"; "-" for a scheme row without one).
QString rowId(const ListRow& row);
// The skin file's line the row of `list` stands for ("Indice").
long long rowLine(const ReportList& list, int r);

// A rectangle's X1, Y1, X2 and Y2.
std::array<QString, 4> cornerTexts(const ListRow& row);
std::array<long long, 4> cornerValues(const ListRow& row);

// A colour's R, G and B, and its transparency.
std::array<QString, 3> componentTexts(const ListRow& row);
std::array<long long, 3> componentValues(const ListRow& row);
QString transparencyText(const ListRow& row);
long long transparencyValue(const ListRow& row);

}  // namespace corvela
