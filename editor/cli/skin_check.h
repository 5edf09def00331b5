#pragma once
#include <QStringList>

#include "skin_document.h"

namespace corvela::cli {

// Everything a modder should fix before a skin goes to the phone, one
// problem per entry, prefixed "riga N: " (N counted like the "Indice"
// column) where a line is to blame. Only reads: the archives are opened but
// nothing is written.
//
// - a carriage return or text after the last line feed, which the reader
//   leaves out;
// - the load stopping early, and where;
// - lines the save would write back with other text;
// - archives that are missing or unreadable;
// - objects outside their archive, empty, or whose bytes are not a GIF the
//   image reader can decode;
// - ids used twice among the objects, the colours or the rectangles (three
//   separate name spaces);
// - records the preview looks for and does not find (only after a complete
//   load: after an early stop they would all be noise).
QStringList checkSkin(const SkinDocument& doc, const LoadOutcome& outcome);

}  // namespace corvela::cli
