#pragma once
// What every reader asks of a row, whatever its list: its id as the lists
// and the working files name it, its line, its tag, and a colour's or a
// rectangle's fields. Fields keep their text as read or typed ("007" stays
// "007"), since the boxes show it and the save writes it back so.

#include <QString>
#include <QStringView>
#include <array>

#include "report_list.h"

namespace corvela {

// An id field as the lists show it: a plain number in four digits ("595"
// -> "0595"), anything else as it stands.
QString listId(QStringView field);

// The id as the lists show it and the regenerated lines and the working
// files' names write it: the skin's ids in four digits ("0595"), a colour
// scheme's as the scheme has them; "-" for a short line without one.
QString rowId(const ListRow& row);

// An id as the lists show it, to find rows by without writing out each
// row's id.
class IdKey {
 public:
  explicit IdKey(QStringView shown);
  bool names(const ListRow& row) const;

 private:
  QString shown_;
  bool number_ = false;  // written as its value's plain form
  long long value_ = 0;
};

// The skin file's line the row stands for ("Indice").
long long rowLine(const ListRow& row);
long long rowLine(const ReportList& list, int r);

// What the lists show as the row's "Tag": an object's place as its line
// named it ("offset size archive"), a colour's or rectangle's line as read.
QString rowTag(const ListRow& row);

// A rectangle's X1, Y1, X2 and Y2.
std::array<QString, 4> cornerTexts(const ListRow& row);
std::array<long long, 4> cornerValues(const ListRow& row);

// A colour's R, G and B, and its transparency.
std::array<QString, 3> componentTexts(const ListRow& row);
std::array<long long, 3> componentValues(const ListRow& row);
QString transparencyText(const ListRow& row);
long long transparencyValue(const ListRow& row);

}  // namespace corvela
