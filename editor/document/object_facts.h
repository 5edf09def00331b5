#pragma once
// What is on disk for the objects, kept apart from their rows so that no
// undo step records or puts it back:
// - the working file each row shows while the row names no file of its
//   own, and whether it was found there, is missing or was just extracted;
// - which rows the last save packed into the packed archive, and which the
//   export found beyond their archive (or could not write out);
// - which working files the user changed with another program: such a file
//   replaces its object, shown over the row as long as the row takes no
//   newer change. An undo that puts back an older row shows the file over
//   it again, without a second look at the disk.
// The load, the folder watch, the export and the save keep it. A packed or
// beyond-archive fact holds only while its row still is as it was found:
// any change of the row (an import, a change from outside, an undo past the
// save) ends it, and an undo or redo that brings the row back brings the
// fact back with it.

#include <QObject>
#include <QString>
#include <map>
#include <vector>

#include "report_list.h"

namespace corvela {

class ObjectFacts : public QObject, public RowOverlay {
  Q_OBJECT
 public:
  enum class Fact { Packed, BeyondArchive };

  // The working file of `row`: `path` (empty for none) and whether it is found, missing or just
  // extracted.
  void setFile(int row, ObjectState state, const QString& path);
  // What the row shows in "Stato" and "Path GIF": its own, once it names a
  // file to be packed, else its working file's.
  ObjectState shownState(const ReportList& objects, int row) const;
  ObjectState fileState(int row) const;
  QString shownPath(const ReportList& objects, int row) const;  // empty for none

  // The working file `gif` of `row`, of `size` bytes, was changed outside
  // the editor just now: the object is to be replaced by it.
  void setChangedOutside(int row, const QString& gif, qint64 size);
  // The file went, or now holds what the row shows.
  void dropChangedOutside(int row);
  const ListRow* shownOver(int row, const ListRow& stored) const override;

  // `row` of the object list, as it stands now, is what the fact is about.
  void note(Fact fact, int row, const ListRow& as);
  // The export or save that found the fact dealt with the row again.
  void drop(Fact fact, int row);
  // A new save says anew what it packed.
  void dropAll(Fact fact);
  // A load starts with no facts.
  void clear();
  // Or with those another document found while reading the skin for it.
  void takeFacts(ObjectFacts& read);

  bool holds(Fact fact, int row, const ListRow& now) const;
  bool holds(Fact fact, const ReportList& objects, int row) const {
    return holds(fact, row, objects.row(row));
  }

 signals:
  // What a row shows may have changed.
  void rowChanged(int row);

 private:
  struct Seen {
    SkinRecord record;
    ObjectState state;
  };
  struct WorkingFile {
    ObjectState state = ObjectState::Missing;
    QString path;
  };
  std::map<int, Seen>& table(Fact fact) { return fact == Fact::Packed ? packed_ : beyond_; }
  const std::map<int, Seen>& table(Fact fact) const {
    return fact == Fact::Packed ? packed_ : beyond_;
  }

  struct Outside {
    QString gif;
    qint64 size = 0;
    quint64 version = 0;
    // The row shown over the stored one of version `shownFor` (versions
    // start at 1: 0 is none yet).
    mutable ListRow shown;
    mutable quint64 shownFor = 0;
  };

  std::vector<WorkingFile> files_;
  std::map<int, Outside> outside_;
  std::map<int, Seen> packed_;
  std::map<int, Seen> beyond_;
};

}  // namespace corvela
