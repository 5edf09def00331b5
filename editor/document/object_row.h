#pragma once
// An object row's cells read as values. The object list shows "-" in
// "N° Dat" and "Offset" once an object's image comes from a file, and " "
// as the "Path GIF" of no file; these are the only readers of those
// sentinels, so the rest of the editor reasons with places and files.

#include <QString>
#include <optional>

#include "object_archive.h"
#include "report_list.h"

namespace corvela {

// Where the row's image lies in an archive; none once the row names a file
// instead.
std::optional<ArchivePlace> archivePlace(const ListRow& row);
// The archive the row names, with or without a place in it; none for "-".
std::optional<long long> archiveNumber(const ListRow& row);
// The file the row shows its image from; empty for none.
QString shownFile(const ListRow& row);

}  // namespace corvela
