#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

#include "skin_records.h"

namespace corvela {

// Where an object's image is to be found: in the working folder, nowhere,
// in a file waiting to be packed by the next save, or just extracted.
enum class ObjectState { Found, Missing, ToReplace, Extracted };

// A row of a list: its record, and what happened to it. An object record
// names only a file of its own, to be packed: what its working file is,
// found, missing or just extracted, is a fact of the disk (ObjectFacts),
// not of the row.
struct ListRow {
  SkinRecord record;
  // Objects only: ToReplace while the next save packs the row's image,
  // else Found (its image is its archive's).
  ObjectState state = ObjectState::Found;
  bool edited = false;  // changed by an editor since the load (an object: ever to be replaced)
  // An object's image held by the document itself: a save wrote other bytes
  // over the file or archive place the row names, and the row (kept by the
  // undo history, or put back by it) still means the image it named then.
  // Shown and saved before whatever the file holds now.
  std::shared_ptr<const QByteArray> pinned;
  // When the row was last changed or put back by undo or redo, on one clock
  // with the facts found on disk, which tell whether a fact is news to the
  // row. Not part of what the row holds.
  quint64 version = 0;
  // When an editor last changed what the row holds (nextEditStamp), 0 as
  // read; undo puts it back with the row. A colour or rectangle row and an
  // edited tree line for the same skin line: the later one is saved.
  quint64 stamp = 0;
  friend bool operator==(const ListRow& a, const ListRow& b) {
    return a.record == b.record && a.state == b.state && a.edited == b.edited &&
           a.pinned == b.pinned;
  }

  // The record of a row of the list that holds records of that kind.
  const ObjectRecord& object() const { return std::get<ObjectRecord>(record); }
  ObjectRecord& object() { return std::get<ObjectRecord>(record); }
  const ColourRecord& colour() const { return std::get<ColourRecord>(record); }
  ColourRecord& colour() { return std::get<ColourRecord>(record); }
  const RectRecord& rect() const { return std::get<RectRecord>(record); }
  RectRecord& rect() { return std::get<RectRecord>(record); }
};

// The next tick of the clock that orders row changes and facts found on disk.
quint64 nextRowVersion();

// What the disk says over a list's rows: the row to show in place of the
// stored one, or none. The list asks it on every read, so that every reader,
// a view, a save or an undo step, sees the same row.
class RowOverlay {
 public:
  virtual const ListRow* shownOver(int r, const ListRow& stored) const = 0;

 protected:
  ~RowOverlay() = default;
};

class ChangeRecorder;

// One of the document's report lists. The rows are the document's storage:
// edits change records and marks here and views follow through the signals.
// Rows keep file order; sorting is a matter of the view.
class ReportList : public QObject {
  Q_OBJECT
 public:
  ReportList(QString name, int columnCount);

  const QString& name() const { return name_; }
  int columnCount() const { return columnCount_; }

  int rowCount() const { return static_cast<int>(rows_.size()); }
  // The row as it is shown and saved: as stored, or with a newer fact of the
  // disk over it.
  const ListRow& row(int r) const;

  // The first row, in list order, whose id the list shows as `id`; -1 if
  // none.
  int findId(const QString& id) const;

  int appendRow(ListRow row);
  void reserve(int count) { rows_.reserve(static_cast<size_t>(count)); }
  void clear();
  void setState(int r, ObjectState state);
  void setEdited(int r, bool edited);
  void setPinned(int r, std::shared_ptr<const QByteArray> image);

  // A row replaced whole by a rule that computes the next row: a change
  // like any other.
  void setRow(int r, const ListRow& row);
  // Undo and redo: a recorded row, or the whole list, put back as it was.
  void restoreRow(int r, const ListRow& row);
  void replaceRows(const std::vector<ListRow>& rows);
  // The rows another document read, taken over whole by a load that
  // announces them itself.
  void takeRows(ReportList& read) { rows_.swap(read.rows_); }
  // While set, every row is handed to `recorder` before its first change,
  // as shown.
  void setRecorder(ChangeRecorder* recorder) { recorder_ = recorder; }
  void setOverlay(const RowOverlay* overlay) { overlay_ = overlay; }

 signals:
  void listReset();
  void rowsAppended(int first, int last);
  void rowChanged(int row);

 private:
  ListRow& mutableRow(int r);

  QString name_;
  int columnCount_;
  std::vector<ListRow> rows_;
  ChangeRecorder* recorder_ = nullptr;
  const RowOverlay* overlay_ = nullptr;
};

}  // namespace corvela
