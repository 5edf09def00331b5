#include "report_list.h"

#include <atomic>

#include "change_recorder.h"
#include "record_rows.h"

namespace corvela {

quint64 nextRowVersion() {
  // A skin may be read on another thread while the window starts.
  static std::atomic<quint64> clock{0};
  return ++clock;
}

ReportList::ReportList(QString name, int columnCount)
    : name_(std::move(name)), columnCount_(columnCount) {}

const ListRow& ReportList::row(int r) const {
  const ListRow& stored = rows_.at(static_cast<size_t>(r));
  if (overlay_) {
    if (const ListRow* shown = overlay_->shownOver(r, stored)) return *shown;
  }
  return stored;
}

int ReportList::findId(const QString& id) const {
  const IdKey key(id);
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (key.names(rows_[i])) return static_cast<int>(i);
  }
  return -1;
}

int ReportList::appendRow(ListRow row) {
  row.version = nextRowVersion();
  rows_.push_back(std::move(row));
  const int r = rowCount() - 1;
  emit rowsAppended(r, r);
  return r;
}

ListRow& ReportList::mutableRow(int r) {
  const ListRow& shown = row(r);
  if (recorder_) recorder_->rowTouched(*this, r, shown);
  ListRow& stored = rows_.at(static_cast<size_t>(r));
  // A change starts from the row as shown: what the disk said over it
  // becomes the row's own, and the change is newer than that.
  if (&shown != &stored) stored = ListRow(shown);
  stored.version = nextRowVersion();
  return stored;
}

void ReportList::clear() {
  if (recorder_) recorder_->listReplaced(*this, rows_);
  rows_.clear();
  emit listReset();
}

void ReportList::setState(int r, ObjectState state) {
  if (mutableRow(r).state == state) return;
  mutableRow(r).state = state;
  emit rowChanged(r);
}

void ReportList::setEdited(int r, bool edited) {
  if (mutableRow(r).edited == edited) return;
  mutableRow(r).edited = edited;
  emit rowChanged(r);
}

void ReportList::setPinned(int r, std::shared_ptr<const QByteArray> image) {
  if (mutableRow(r).pinned == image) return;
  mutableRow(r).pinned = std::move(image);
  emit rowChanged(r);
}

void ReportList::setRow(int r, const ListRow& row) {
  ListRow& x = mutableRow(r);
  if (x == row) return;
  x = row;
  x.version = nextRowVersion();
  emit rowChanged(r);
}

void ReportList::restoreRow(int r, const ListRow& row) {
  const ListRow before = this->row(r);
  if (recorder_) recorder_->rowTouched(*this, r, before);
  ListRow& x = rows_.at(static_cast<size_t>(r));
  x = row;
  x.version = nextRowVersion();
  if (!(this->row(r) == before)) emit rowChanged(r);
}

void ReportList::replaceRows(const std::vector<ListRow>& rows) {
  rows_ = rows;
  for (ListRow& row : rows_) row.version = nextRowVersion();
  emit listReset();
  if (!rows_.empty()) emit rowsAppended(0, rowCount() - 1);
}

}  // namespace corvela
