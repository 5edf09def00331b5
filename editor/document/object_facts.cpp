#include "object_facts.h"

#include <vector>

namespace corvela {

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
  packed_.clear();
  beyond_.clear();
}

bool ObjectFacts::holds(Fact fact, int row, const ListRow& now) const {
  const std::map<int, Seen>& t = table(fact);
  const auto it = t.find(row);
  return it != t.end() && it->second.state == now.state && it->second.cells == now.cells;
}

}  // namespace corvela
