#pragma once
// What changed between two versions of a skin, record by record: shared by
// `corvela-skin diff` and the window's comparison with the first original.

#include <QString>
#include <vector>

#include "skin_problems.h"

namespace corvela {

class SkinDocument;

struct RecordDifference {
  ProblemPlace place = ProblemPlace::None;  // the list of the record
  int row = -1;                             // its row in the newer skin, -1 when gone
  QString id;
  QString name;    // what the record is, in words; empty when unknown
  QString what;    // "posizione", "colore", "immagine" or "lunghezza" (of a hand)
  QString before;  // the value in the older skin, kAbsent when it has none
  QString after;
};

inline const QString kAbsent = QStringLiteral("assente");

// The records of `before` and `after` that differ, found by id (the first
// row of an id, as the editor finds them) or, without one, by their place in
// their group: objects, then colours, then positions, each in the newer
// skin's order and those it lost last, then the hands' lengths. An
// image is the bytes the save would write: a replacement's file, else the
// object in its archive. `beforePacked` reads the older skin's packed
// archive from elsewhere (a kept original's copy); empty for its own.
std::vector<RecordDifference> compareSkins(const SkinDocument& before, const SkinDocument& after,
                                           const QString& beforePacked = QString());

}  // namespace corvela
