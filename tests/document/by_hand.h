#pragma once
#include "document_names.h"
#include "skin_document.h"
#include "skin_line.h"

namespace corvela::test {

// The records of `doc`, to set a state by hand as a load would find it,
// outside any step.
inline SkinDocument::Records byHand(SkinDocument& doc) {
  const SkinDocument::DiskWrite byHand(doc);
  return doc.records();
}

// One field of row `r`, named by its list column, set to `text` as a file
// or a box might hold it; "-" takes an object's place away.
inline void setField(ReportList& list, int r, int column, const QString& text) {
  ListRow next = list.row(r);
  auto place = [&] { return text == kNoId ? std::nullopt : std::optional(Field::read(text)); };
  if (auto* o = std::get_if<ObjectRecord>(&next.record)) {
    if (column == V_ID) o->id = Field::read(text);
    if (column == V_NDat) o->archive = place();
    if (column == V_Offset) o->offset = place();
    if (column == V_Byte) o->size = Field::read(text);
    if (column == V_PathGif) o->file = text.trimmed();
  } else if (auto* c = std::get_if<ColourRecord>(&next.record)) {
    if (column == C_ID) c->id = place();
    if (column >= C_R && column <= C_B)
      c->rgb[static_cast<size_t>(column - C_R)] = Field::read(text);
    if (column == C_Trasparenza) c->transparency = Field::read(text);
  } else {
    RectRecord& d = next.rect();
    if (column == D_ID) d.id = place();
    if (column >= D_X1 && column <= D_Y2)
      d.corners[static_cast<size_t>(column - D_X1)] = Field::read(text);
    if (column == D_Larghezza || column == D_Altezza) d.sized = text != kNoId;
  }
  list.setRow(r, next);
}

}  // namespace corvela::test
