#include "record_rows.h"

#include "document_names.h"
#include "text_number.h"

namespace corvela {

QString rowId(const ListRow& row) {
  return row.cells.value(0);
}

long long rowLine(const ReportList& list, int r) {
  int column = D_Indice;
  if (list.name() == kListObjects) column = V_Indice;
  if (list.name() == kListColours) column = C_Indice;
  return numericValue(list.row(r).cells.value(column));
}

std::array<QString, 4> cornerTexts(const ListRow& row) {
  return {row.cells.value(D_X1), row.cells.value(D_Y1), row.cells.value(D_X2),
          row.cells.value(D_Y2)};
}

std::array<long long, 4> cornerValues(const ListRow& row) {
  const std::array<QString, 4> texts = cornerTexts(row);
  return {numericValue(texts[0]), numericValue(texts[1]), numericValue(texts[2]),
          numericValue(texts[3])};
}

std::array<QString, 3> componentTexts(const ListRow& row) {
  return {row.cells.value(C_R), row.cells.value(C_G), row.cells.value(C_B)};
}

std::array<long long, 3> componentValues(const ListRow& row) {
  const std::array<QString, 3> texts = componentTexts(row);
  return {numericValue(texts[0]), numericValue(texts[1]), numericValue(texts[2])};
}

QString transparencyText(const ListRow& row) {
  return row.cells.value(C_Trasparenza);
}

long long transparencyValue(const ListRow& row) {
  return numericValue(transparencyText(row));
}

}  // namespace corvela
