#include "object_facts.h"

#include "document_names.h"

namespace corvela {

void ObjectFacts::setFile(int row, ObjectState state, const QString& path) {
  if (row < 0) return;
  const auto at = static_cast<size_t>(row);
  if (at >= files_.size()) files_.resize(at + 1);
  WorkingFile& file = files_[at];
  if (file.state == state && file.path == path) return;
  file.state = state;
  file.path = path;
  emit rowChanged(row);
}

ObjectState ObjectFacts::shownState(const ReportList& objects, int row) const {
  const ListRow& own = objects.row(row);
  return own.state == ObjectState::ToReplace ? own.state : fileState(row);
}

ObjectState ObjectFacts::fileState(int row) const {
  const auto at = static_cast<size_t>(row);
  return at < files_.size() ? files_[at].state : WorkingFile().state;
}

QString ObjectFacts::shownPath(const ReportList& objects, int row) const {
  const QString& own = objects.row(row).cells.value(V_PathGif);
  if (!own.trimmed().isEmpty()) return own;
  const auto at = static_cast<size_t>(row);
  return at < files_.size() ? files_[at].path : WorkingFile().path;
}

void ObjectFacts::note(Fact fact, int row, const ListRow& as) {
  table(fact)[row] = {as.cells, as.state};
  emit rowChanged(row);
}

void ObjectFacts::drop(Fact fact, int row) {
  if (table(fact).erase(row) > 0) emit rowChanged(row);
}

void ObjectFacts::dropAll(Fact fact) {
  std::vector<int> rows;
  for (const auto& [row, seen] : table(fact)) rows.push_back(row);
  table(fact).clear();
  for (const int row : rows) emit rowChanged(row);
}

void ObjectFacts::clear() {
  // Only a load clears them, and the load announces every row anyway.
  files_.clear();
  packed_.clear();
  beyond_.clear();
}

bool ObjectFacts::holds(Fact fact, int row, const ListRow& now) const {
  const std::map<int, Seen>& t = table(fact);
  const auto it = t.find(row);
  return it != t.end() && it->second.state == now.state && it->second.cells == now.cells;
}

}  // namespace corvela
