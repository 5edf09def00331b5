#include "object_facts.h"

#include "document_edits.h"
#include "document_names.h"
#include "object_row.h"

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
  const QString own = ownFile(objects.row(row));
  if (!own.isEmpty()) return own;
  const auto at = static_cast<size_t>(row);
  return at < files_.size() ? files_[at].path : WorkingFile().path;
}

void ObjectFacts::setChangedOutside(int row, const QString& gif, qint64 size) {
  outside_[row] = {gif, size, nextRowVersion(), {}, 0};
  emit rowChanged(row);
}

void ObjectFacts::dropChangedOutside(int row) {
  if (outside_.erase(row) > 0) emit rowChanged(row);
}

const ListRow* ObjectFacts::shownOver(int row, const ListRow& stored) const {
  const auto it = outside_.find(row);
  if (it == outside_.end()) return nullptr;
  const Outside& o = it->second;
  // A row that shows its working file shows what the file holds, whenever
  // it came back; one with an image of its own gave way to the file only if
  // it was there when the file changed, not once a change or an undo put
  // it there later.
  const bool showsFile = ownFile(stored).isEmpty() && !stored.pinned;
  if (!showsFile && stored.version >= o.version) return nullptr;
  // Every change, undo and redo gives the stored row a new version: the
  // replacement is made once for each.
  if (o.shownFor != stored.version) {
    o.shown = stored;
    replaceObject(o.shown, o.gif, o.size);
    o.shownFor = stored.version;
  }
  return &o.shown;
}

void ObjectFacts::note(Fact fact, int row, const ListRow& as) {
  table(fact)[row] = {as.record, as.state};
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
  outside_.clear();
  packed_.clear();
  beyond_.clear();
}

void ObjectFacts::takeFacts(ObjectFacts& read) {
  files_.swap(read.files_);
  outside_.swap(read.outside_);
  packed_.swap(read.packed_);
  beyond_.swap(read.beyond_);
}

bool ObjectFacts::holds(Fact fact, int row, const ListRow& now) const {
  const std::map<int, Seen>& t = table(fact);
  const auto it = t.find(row);
  return it != t.end() && it->second.state == now.state && it->second.record == now.record;
}

}  // namespace corvela
