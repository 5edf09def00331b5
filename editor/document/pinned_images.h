#pragma once
// A save writes over images that the undo history still means: the working
// file of an object it packed anew, and the packed archive it rewrites. The
// rows the history keeps name those files, so before the save writes, each
// such row takes the bytes it names into memory (ListRow::pinned), and undo
// and redo put back the image itself, whatever the files hold by then.

#include <QByteArray>
#include <memory>
#include <optional>

#include "report_list.h"

namespace corvela {

class SkinDocument;
struct WorkingPlan;

// The image bytes the row means: its pinned ones, or nothing when its file
// or archive place still holds them.
inline const QByteArray* pinnedImage(const ListRow& row) {
  return row.pinned ? row.pinned.get() : nullptr;
}

// Before a save that refreshes the working files of `plan`, and rewrites the
// packed archive when `archiveRewritten`: every row the history keeps that
// names one of those files, or a place in the packed archive, holds the
// bytes found there now.
void pinOverwrittenImages(SkinDocument& doc, const WorkingPlan& plan, bool archiveRewritten);

// After a save: a row whose working file now holds its pinned image shows
// that file again.
void releaseSavedPins(SkinDocument& doc);

}  // namespace corvela
