#include "record_rows.h"

#include "skin_line.h"
#include "text_number.h"

namespace corvela {

namespace {
const Field* idOf(const ListRow& row) {
  if (const auto* o = std::get_if<ObjectRecord>(&row.record)) return &o->id;
  if (const auto* c = std::get_if<ColourRecord>(&row.record)) return c->id ? &*c->id : nullptr;
  const RectRecord& d = row.rect();
  return d.id ? &*d.id : nullptr;
}

template <size_t N>
std::array<QString, N> texts(const std::array<Field, N>& fields) {
  std::array<QString, N> out;
  for (size_t i = 0; i < N; ++i) out[i] = fields[i].text();
  return out;
}

template <size_t N>
std::array<long long, N> values(const std::array<Field, N>& fields) {
  std::array<long long, N> out{};
  for (size_t i = 0; i < N; ++i) out[i] = fields[i].value();
  return out;
}
}  // namespace

QString listId(QStringView field) {
  return field == kNoId ? kNoId : formatField(field, 4);
}

QString rowId(const ListRow& row) {
  const Field* id = idOf(row);
  return id ? id->text() : kNoId;
}

IdKey::IdKey(QStringView shown) : shown_(shown.toString()) {
  const Field key = Field::read(shown);
  number_ = key.plain();
  value_ = key.value();
}

bool IdKey::names(const ListRow& row) const {
  const Field* id = idOf(row);
  if (!id) return shown_ == kNoId;
  // Compared as numbers where both are written plainly, without writing
  // out every row's id.
  if (id->plain()) return number_ && value_ == id->value();
  return id->text() == shown_;
}

long long rowLine(const ListRow& row) {
  return std::visit([](const auto& record) { return record.line; }, row.record);
}

long long rowLine(const ReportList& list, int r) {
  return rowLine(list.row(r));
}

QString rowTag(const ListRow& row) {
  if (const auto* o = std::get_if<ObjectRecord>(&row.record)) {
    return o->home.offset.text() + u' ' + o->home.size.text() + u' ' + o->home.archive.text();
  }
  if (const auto* c = std::get_if<ColourRecord>(&row.record)) return c->source;
  return row.rect().source;
}

std::array<QString, 4> cornerTexts(const ListRow& row) {
  return texts(row.rect().corners);
}

std::array<long long, 4> cornerValues(const ListRow& row) {
  return values(row.rect().corners);
}

std::array<QString, 3> componentTexts(const ListRow& row) {
  return texts(row.colour().rgb);
}

std::array<long long, 3> componentValues(const ListRow& row) {
  return values(row.colour().rgb);
}

QString transparencyText(const ListRow& row) {
  return row.colour().transparency.text();
}

long long transparencyValue(const ListRow& row) {
  return row.colour().transparency.value();
}

}  // namespace corvela
