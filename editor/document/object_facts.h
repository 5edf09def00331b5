#pragma once
// What the last save and the last export found of the objects on disk:
// which the save packed into the packed archive, and which lie beyond their
// archive (or could not be written out). These are facts about files, not
// edits, so they live apart from the rows and no undo step records or puts
// them back. Each fact holds only while its row still is as it was found:
// any change of the row (an import, a change from outside, an undo past the
// save) ends it, and an undo or redo that brings the row back brings the
// fact back with it.

#include <QObject>
#include <QStringList>
#include <map>

#include "report_list.h"

namespace corvela {

class ObjectFacts : public QObject {
  Q_OBJECT
 public:
  enum class Fact { Packed, BeyondArchive };

  // `row` of the object list, as it stands now, is what the fact is about.
  void note(Fact fact, int row, const ListRow& as);
  // The export or save that found the fact dealt with the row again.
  void drop(Fact fact, int row);
  // A new save says anew what it packed.
  void dropAll(Fact fact);
  // A load starts with no facts.
  void clear();

  bool holds(Fact fact, int row, const ListRow& now) const;
  bool holds(Fact fact, const ReportList& objects, int row) const {
    return holds(fact, row, objects.row(row));
  }

 signals:
  // What a row shows may have changed.
  void rowChanged(int row);

 private:
  struct Seen {
    QStringList cells;
    ObjectState state;
  };
  std::map<int, Seen>& table(Fact fact) { return fact == Fact::Packed ? packed_ : beyond_; }
  const std::map<int, Seen>& table(Fact fact) const {
    return fact == Fact::Packed ? packed_ : beyond_;
  }

  std::map<int, Seen> packed_;
  std::map<int, Seen> beyond_;
};

}  // namespace corvela
