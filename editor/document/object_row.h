#pragma once
// Where an object row's image is: at a place of an archive, or in a file.
// What a row shows joins its own record with what is on disk (ObjectFacts).

#include <QString>
#include <optional>
#include <vector>

#include "object_archive.h"
#include "report_list.h"

namespace corvela {

// Where the row's image lies in an archive; none once the row names a file
// instead.
std::optional<ArchivePlace> archivePlace(const ListRow& row);
// The archive the row names, with or without a place in it; none for "-".
std::optional<long long> archiveNumber(const ListRow& row);
// The file the row itself names for its image (one to be packed, or held
// by the undo history); empty for none.
QString ownFile(const ListRow& row);

// Whether each row is the first of its id. The editor shows and edits the
// first row of an id; a later one has no working file, since the one file
// named after the id is the first row's: tied to both, either row's image
// would be packed over the other's.
std::vector<bool> workingFileOwners(const ReportList& objects);

class SkinDocument;
// The file object row `row` shows its image from now: its own, or its
// working file when it names none; empty for none.
QString shownFile(const SkinDocument& doc, int row);
// What object row `row` shows in "Stato".
ObjectState shownState(const SkinDocument& doc, int row);

}  // namespace corvela
