#pragma once
// The named edits of the document. Every editor (the window's handlers, the
// command-line tool, the load and the export) changes records and marks through
// these, so each rule of what a change does to a row lives in one place.

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "report_list.h"

namespace corvela {

class SkinTree;

// Sets an object row's state. To be replaced marks the row edited; the
// other states keep its edited flag.
void setObjectState(ReportList& objects, int row, ObjectState state);
void setObjectState(ListRow& row, ObjectState state);

// A replacement of the object's image by the file at `path` of `size`
// bytes, to be packed: into archive `archive` when it is one the object is
// packed into again, else a file the user chose.
void replaceObject(ReportList& objects, int row, const QString& path, std::int64_t size,
                   std::optional<long long> archive = std::nullopt);
void replaceObject(ListRow& row, const QString& path, std::int64_t size,
                   std::optional<long long> archive = std::nullopt);

// The edited flag of a list row.
void markRowChanged(ReportList& list, int row);

// The four corners of a rectangle row as the texts stand (no conversion:
// "007" stays "007"); its width and height are no longer told; the row is
// marked.
void setRectangle(ReportList& rects, int row, const std::array<QString, 4>& corners);

// R, G and B of a colour row as plain numbers; the row is marked.
void setColour(ReportList& colours, int row, int red, int green, int blue);
// The transparency of a colour row as the text stands; the row is not
// marked (the caller says whether the change is an edit).
void setTransparencyText(ReportList& colours, int row, const QString& text);

// A tree line edited in place: its text, and the flag the save reads.
void setTreeLine(SkinTree& tree, int node, const QString& text);

// A number larger than every one given before in this process: the order of
// edits that write one skin line two ways (its record's row, its tree line).
quint64 nextEditStamp();

}  // namespace corvela
