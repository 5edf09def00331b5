#pragma once
// A row's cells as the lists and the listings show them.
#include <QByteArray>
#include <QStringList>

#include "object_row.h"
#include "row_look.h"

namespace corvela::test {

inline QString cellOf(const ReportList& list, int r, int column) {
  return shownCell(list, r, column);
}

inline QStringList cellsOf(const ReportList& list, int r, int from = 0, int count = -1) {
  QStringList out;
  const int end = count < 0 ? list.columnCount() : from + count;
  for (int c = from; c < end; ++c) out << shownCell(list, r, c);
  return out;
}

// The bytes object row `r` names in `archive`; none once it names no place.
inline QByteArray objectBytes(const QByteArray& archive, const ReportList& objects, int r) {
  const std::optional<ArchivePlace> place = archivePlace(objects.row(r));
  return place ? archive.mid(place->offset, place->size) : QByteArray();
}

}  // namespace corvela::test
